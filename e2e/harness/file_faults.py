"""Real file-system faults under a prefix: a drive that is nearly full and a folder nobody may
write to. Both mount, so both need root; both are undone however the scenario ends."""

import contextlib
import subprocess


def _run(*args):
    subprocess.run(args, check=True, stdin=subprocess.DEVNULL, capture_output=True, timeout=30)


@contextlib.contextmanager
def small_drive(session, letter, size_kib):
    """A tmpfs of size_kib KiB mounted in the scenario's folder and shown as drive `letter`."""
    mount_point = session.work_dir / f"drive-{letter.lower()}"
    mount_point.mkdir()
    _run("mount", "-t", "tmpfs", "-o", f"size={size_kib}k,mode=0755", "tmpfs", str(mount_point))
    drive = session.wine.prefix / "dosdevices" / f"{letter.lower()}:"
    try:
        drive.symlink_to(mount_point)
        yield mount_point
    finally:
        drive.unlink(missing_ok=True)
        # Lazily: the program may still hold a handle on the drive when the scenario ends.
        _run("umount", "-l", str(mount_point))


@contextlib.contextmanager
def unwritable_folder(path):
    """Shows a folder read-only, as a folder whose write permission is denied to everything in
    it: no file can be made, changed or deleted there, not even by root, whom permission bits
    do not stop. A read-only bind mount does this on any file system."""
    _run("mount", "--bind", str(path), str(path))
    try:
        _run("mount", "-o", "remount,bind,ro", str(path))
        yield path
    finally:
        _run("umount", "-l", str(path))


def fill(mount_point, leave_kib):
    """Fills a small drive until only about leave_kib KiB are free."""
    filler = mount_point / "filler.bin"
    total = subprocess.run(["df", "--output=avail", "-k", str(mount_point)], check=True,
                           capture_output=True, text=True).stdout.split()[-1]
    filler.write_bytes(bytes(max(int(total) - leave_kib, 0) * 1024))
    return filler
