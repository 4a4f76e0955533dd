#!/usr/bin/env python3
"""Virtual-file drops as browsers built on Chromium make them, timed and weighed: the time from
the release to the saved notice, and the program's peak memory, for a 5 MB and a 100 MB image
dragged as a virtual file (read through an IStream) and for a 5 MB file dropped from disk.

It prints figures and judges nothing.
"""

import argparse
import random
import statistics
import sys
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent))

from procfs import peak_resident_mib  # noqa: E402
from harness import settings_file  # noqa: E402
from harness.ole_drag import FileDrop, OleDragSource, VirtualFile, stage_file  # noqa: E402
from harness.session import Session  # noqa: E402
from harness.window_watch import WindowWatch  # noqa: E402
from harness.wine import create_prefix  # noqa: E402

MB = 1024 * 1024
FOLDER = "C:\\保存\\一"
PANEL = 17


def one_drop(session, offer, size, label):
    """Seconds from the release to the notice, and the program's peak resident MiB after."""
    folder = session.folder.parent.joinpath(*FOLDER.split("\\")[1:])
    folder.mkdir(parents=True, exist_ok=True)
    app = session.start_app()
    app.wait_window("TForm1", visible=False, timeout=20)
    # The notice is made after the drop window; the watch below needs it to be there.
    app.wait_window("TForm4", visible=False, timeout=20)
    watch = WindowWatch(session, "TForm4", session.work_dir / f"watch-{label}.log", timeout=120)
    source = OleDragSource(session, session.work_dir, offer, offset=PANEL // 2)
    try:
        # The drag ends only once Drop has taken the bytes: that part is timed by the tool's own
        # clock, from its release to its result, and the rest from then to the notice.
        result = source.drag(timeout=120)
        ended = time.monotonic()
        watch.shown(timeout=120)
        in_drop = (result.ms - source.log.first("release").ms) / 1000
        seconds = in_drop + time.monotonic() - ended
    finally:
        watch.close()
    saved = sum(path.stat().st_size for path in folder.iterdir())
    if saved != size:
        raise RuntimeError(f"{label}: {saved} bytes saved, not {size}")
    peak = peak_resident_mib(app.process_id)
    for path in folder.iterdir():
        path.unlink()
    return seconds, peak


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    root = HERE.parents[1]
    parser.add_argument("--build", type=Path, default=root / "build" / "windows")
    parser.add_argument("--out", type=Path, default=root / "build" / "bench-virtual")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--large-mb", type=int, default=100, help="the large virtual file")
    parser.add_argument("--quick", action="store_true",
                        help="one run of each with a 10 MB large file, to see that it still runs")
    args = parser.parse_args()
    if args.quick:
        args.runs, args.large_mb = 1, 10
    out = args.out.resolve()
    base_prefix = create_prefix(out / "prefix-base", out / "prefix.log")
    image = settings_file.image(save_mode=0, size=0, lists=[[("一", FOLDER)]])
    rows = (("virtual file, 5 MB", 5 * MB, "istream"),
            (f"virtual file, {args.large_mb} MB", args.large_mb * MB, "istream"),
            ("file on disk, 5 MB", 5 * MB, None))
    print(f"{'drop':24} {'release to notice (s)':>24} {'peak working set (MiB)':>24}")
    for label, size, medium in rows:
        times, peaks = [], []
        for run in range(args.runs):
            name = f"{label.replace(' ', '').replace(',', '-')}-{run}"
            with Session(name, base_prefix, args.build / "Quillmarten.exe",
                         args.build / "qmprobe.exe", out / name, out / "artefacts") as session:
                session.write_settings(image)
                data = random.Random(size).randbytes(size)
                path = stage_file(session, "image.jpg", data)
                offer = VirtualFile("photo.jpg", path, medium) if medium else FileDrop(path)
                seconds, peak = one_drop(session, offer, size, name)
            times.append(seconds)
            peaks.append(peak)
        print(f"{label:24} {statistics.median(times):>16.2f} (of {args.runs}) "
              f"{max(peaks):>20.1f}", flush=True)


if __name__ == "__main__":
    main()
