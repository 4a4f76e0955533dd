"""Drops files on the X screen with qmxdnd, the project's own native XDND drag source, as a
Linux file manager would drop them on the Wine desktop."""

import subprocess
from pathlib import Path

from .waits import Failure

# Built with the native tests (scripts/build.sh native).
QMXDND = Path(__file__).resolve().parents[2] / "build" / "native" / "qmxdnd"


def drop_files(screen, point, paths, timeout=15):
    """Drops `paths` (Linux paths) at `point`; returns once the target has finished the drop."""
    if not QMXDND.exists():
        raise Failure(f"{QMXDND} is missing: run scripts/build.sh native first")
    try:
        screen.run_x(str(QMXDND), str(point[0]), str(point[1]), *map(str, paths),
                     timeout=timeout)
    except subprocess.CalledProcessError as error:
        raise Failure(f"the drop failed: {error.stderr.decode(errors='replace').strip()}") from None
