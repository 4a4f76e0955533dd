"""The program's peak working set after a drop as a user makes one: a drag from the browser to
the right edge, a 5 MB file dropped on the first folder panel through XDND, the saved notice."""

import random

import procfs
from drags import RIGHT_EDGE_X
from harness.browser import Browser
from harness.waits import wait_until
from harness.window_watch import WindowWatch
from harness.xdnd import drop_files

SIZE = 5 * 1024 * 1024
# The first folder of the benchmark's settings (settings_file.folders), at the normal size.
FIRST_FOLDER = ("保存", "1", "1")
PANEL_HEIGHT = 25


def peak_after_drop(session, program):
    """`program` is the Running program; its peak resident MiB once the copy is made."""
    drive_c = session.folder.parent
    folder = drive_c.joinpath(*FIRST_FOLDER)
    folder.mkdir(parents=True, exist_ok=True)
    source = drive_c / "ブラウザ" / "photo.jpg"
    source.parent.mkdir(exist_ok=True)
    source.write_bytes(random.Random(SIZE).randbytes(SIZE))
    browser = Browser(session, session.work_dir / "browser-drop.log")
    watch = WindowWatch(session, "TForm4", session.work_dir / "notice-drop.log")
    try:
        browser.press_on_page()
        session.input.move(RIGHT_EDGE_X, 300)
        window = wait_until("the drop window", lambda: next(
            (w for w in session.probe.windows() if w.cls == "TForm1" and w.visible), None),
            timeout=10)
        point = (window.rect[0] + 40, window.rect[1] + PANEL_HEIGHT // 2)
        session.input.move(*point)
        drop_files(session.screen, point, [source])
        watch.shown(timeout=30)
        session.input.button_up()
        copy = folder / source.name
        wait_until("the copy", lambda: copy.exists() and copy.stat().st_size == SIZE, timeout=30)
    finally:
        watch.close()
        browser.close()
    return procfs.peak_resident_mib(program.pid)
