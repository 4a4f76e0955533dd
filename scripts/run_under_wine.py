#!/usr/bin/env python3
"""Starts the built Quillmarten.exe under Wine for a person to use or look at.

With a DISPLAY, Wine's virtual desktop (taskbar and tray included) opens on it. Without one,
a private Xvfb screen is started and the program is shown from its first start without a
settings file: a folder is registered through the folder-list editor and its chooser, the tray
menu is opened, a drag from a browser brings the drop window up and drops an image on that
folder, each step is photographed, and the program keeps running until Enter or Ctrl-C. The
prefix and the program folder under build/run/ are
kept, so the settings file survives from one run to the next.
"""

import hashlib
import os
import shutil
import signal
import struct
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "e2e"))

from harness import settings_file  # noqa: E402
from harness.app import App  # noqa: E402
from harness.browser import Browser  # noqa: E402
from harness.desktop import Desktop  # noqa: E402
from harness.dialog import Dialog  # noqa: E402
from harness.message_box import MessageBox  # noqa: E402
from harness.scenarios_support import answer  # noqa: E402
from harness.tray import Tray  # noqa: E402
from harness.waits import Failure  # noqa: E402
from harness.window_watch import WindowWatch  # noqa: E402
from harness.wine import Wine, create_prefix  # noqa: E402
from harness.xdnd import drop_files  # noqa: E402
from harness.xserver import WIDTH as SCREEN_WIDTH  # noqa: E402
from harness.xserver import VirtualScreen  # noqa: E402
from scenarios.drag_watcher import PANEL_HEIGHTS  # noqa: E402

BUILD = ROOT / "build" / "windows"
RUN = ROOT / "build" / "run"
PREFIX = RUN / "prefix"
FOLDER = RUN / "Quillmarten"
# The folder the shown run registers, made by the folder chooser on the way.
SAVED_FOLDER = "C:\\Quillmarten\\saved"
SAVED_FOLDER_ON_DISK = PREFIX / "drive_c" / "Quillmarten" / "saved"
# The drop window size's place in the settings file's header, after the save mode.
SIZE_OFFSET = 2
# A window just shown may still be painting its controls: a screenshot is kept once two taken
# this far apart show the same pixels, or at the deadline.
STILL_INTERVAL_S = 0.3
STILL_DEADLINE_S = 5.0
# The browser of the shown drag, near the right edge, so that one picture holds the browser, the
# image in it and the drop window at the edge (docs/drag-from-browser.png is cut from it).
BROWSER_PLACE = (520, 160, 1140, 600)


def pixels(screen, path):
    """A digest of a screenshot's pixels (the file also holds the time it was written)."""
    return hashlib.sha256(screen.run_x("convert", str(path), "rgb:-").stdout).digest()


def photograph(screen, name):
    """A screenshot of the whole screen into build/run/NAME.png once the screen is still."""
    path = RUN / f"{name}.png"
    deadline = time.monotonic() + STILL_DEADLINE_S
    last = None
    while True:
        screen.screenshot(path)
        now = pixels(screen, path)
        if now == last or time.monotonic() >= deadline:
            return path
        last = now
        time.sleep(STILL_INTERVAL_S)


def prepare():
    if not (PREFIX / "system.reg").exists():
        print("run: making a Wine prefix in", PREFIX, flush=True)
        create_prefix(PREFIX, RUN / "prefix.log")
    FOLDER.mkdir(parents=True, exist_ok=True)
    shutil.copy2(BUILD / "Quillmarten.exe", FOLDER / "Quillmarten.exe")
    # A server left from an earlier run would still draw on that run's display.
    Wine(PREFIX).shut_down()


def start(wine):
    print(f"run: starting {FOLDER / 'Quillmarten.exe'} (settings: Quillmarten.dat beside it)",
          flush=True)
    return wine.start([str(FOLDER / "Quillmarten.exe")], RUN / "wine.log")


def run_on_display(display):
    wine = Wine(PREFIX, display)
    process = start(wine)
    print(f"run: Quillmarten runs in the Wine desktop window on {display}; its icon is in the "
          "tray at the bottom right. Quit with 終了(&E) in its menu, or Ctrl-C here.")
    try:
        code = process.wait()
        print(f"run: Quillmarten ended with exit code {code}")
    except KeyboardInterrupt:
        print("\nrun: stopping")
    finally:
        wine.shut_down()


def wait_for_enter():
    try:
        input("run: press Enter (or Ctrl-C) to quit Quillmarten\n")
    except EOFError:
        # No terminal to read from: keep running until interrupted.
        signal.pause()


def register_a_folder(desktop, app, tray, shots):
    """Opens the folder-list editor, makes and chooses a folder with its chooser, registers and
    confirms it, photographing each step."""
    tray.choose("保存先フォルダ登録(&M)...")
    editor = Dialog(desktop, app, "TForm2")
    shots.append(photograph(desktop.screen, "folder-editor"))
    editor.click("参照...")
    chooser = Dialog(desktop, app, "#32770", title="ディレクトリの選択")
    chooser.type_into(chooser.edits()[0], SAVED_FOLDER)
    shots.append(photograph(desktop.screen, "folder-chooser"))
    chooser.click("OK")
    answer(MessageBox(desktop, app, "確認"), "はい")
    app.wait_no_window("#32770")
    editor.click("登　録")
    editor.click("確　定")
    confirmed = MessageBox(desktop, app, "確定完了")
    shots.append(photograph(desktop.screen, "folder-registered"))
    answer(confirmed, "はい")
    app.wait_no_window("TForm2")


def registered_panel():
    """The row of the folder panel that shows the folder registered on the way, and the panels'
    height, from the settings file beside the program."""
    data = (FOLDER / "Quillmarten.dat").read_bytes()
    size = struct.unpack_from("<h", data, SIZE_OFFSET)[0]
    for row in range(settings_file.SLOTS):
        start = settings_file.LISTS_OFFSET + row * settings_file.SLOT_SIZE + settings_file.NAME_SIZE
        path = data[start:start + settings_file.PATH_SIZE].split(b"\0")[0].decode("cp932")
        if path == SAVED_FOLDER:
            return row, PANEL_HEIGHTS[size]
    raise Failure(f"{SAVED_FOLDER} is not in the first folder list of the settings file")


def picture():
    """An image to drag out of the browser, and the same picture as a bitmap for the browser's
    page to show: a hill under a sky with the sun. Returns the image's path and the bitmap's
    Windows path."""
    folder = PREFIX / "drive_c" / "ブラウザ"
    folder.mkdir(exist_ok=True)
    path = folder / "写真[1].png"
    # ImageMagick would read "[1]" in a name it writes as a frame number.
    drawn = folder / "drawn.png"
    subprocess.run(["convert", "-size", "240x160", "gradient:#87ceeb-#f0f8ff",
                    "-fill", "#ffd700", "-draw", "circle 185,40 185,62",
                    "-fill", "#3c8d3c", "-draw", "ellipse 80,185 170,75 0,360",
                    "-fill", "#2e6b2e", "-draw", "ellipse 210,195 120,70 0,360",
                    str(drawn)], check=True)
    subprocess.run(["convert", str(drawn), "-type", "TrueColor", f"BMP3:{folder / 'page.bmp'}"],
                   check=True)
    drawn.replace(path)
    return path, "C:\\ブラウザ\\page.bmp"


def show_drag(desktop, app):
    """The road of one drag: plays a browser, presses the button on its page and takes the
    pointer to the right edge, as a person dragging an image does, then drops the image on the
    panel of the folder registered at the start. Returns a screenshot of the drop window during
    the drop and where the copy went."""
    image, page = picture()
    row, panel_height = registered_panel()
    folder = SAVED_FOLDER_ON_DISK
    before = set(folder.iterdir())
    browser = Browser(desktop, RUN / "browser.log", place=BROWSER_PLACE, picture=page)
    browser.press_on_page()
    desktop.input.move(SCREEN_WIDTH - 1, 300)
    try:
        drop = app.wait_window("TForm1", visible=True, timeout=5)
        point = drop.rect[0] + 40, drop.rect[1] + row * panel_height + panel_height // 2
        desktop.input.move(*point)
        shot = photograph(desktop.screen, "drag")
        watch = WindowWatch(desktop, "TForm4", RUN / "notice-watch.log")
        try:
            drop_files(desktop.screen, point, [image])
            watch.shown()
        finally:
            watch.close()
    finally:
        desktop.input.button_up()
        browser.close()
    after = set(folder.iterdir())
    return shot, sorted(after - before)


def run_on_own_screen():
    screen = VirtualScreen(RUN / "xvfb.log")
    wine = Wine(PREFIX, screen.display)
    desktop = Desktop(wine, screen, BUILD / "qmprobe.exe", RUN / "scratch.png",
                      RUN / "probe.log")
    app = App(desktop, start(wine))
    tray = Tray(desktop, app)
    shots = []
    try:
        box = MessageBox(desktop, app, "Quillmarten")
        shots.append(photograph(screen, "start-up-message"))
        box.click("OK")
        register_a_folder(desktop, app, tray, shots)
        tray.open_menu()
        shots.append(photograph(screen, "tray-menu"))
        tray.close_menu()
        shot, saved = show_drag(desktop, app)
        shots.append(shot)
        print("run: screenshots of the first start, the folder registered through the editor and "
              "its chooser, the tray menu and the drop window during a drop:")
        for shot in shots:
            print(f"run:   {shot}")
        print(f"run: the dropped image, saved with the notice \"保存しました\": "
              f"{', '.join(map(str, saved)) or 'replaced an existing file'}")
        print(f"run: Quillmarten runs on the Xvfb display {screen.display}")
        wait_for_enter()
        tray.choose("終了(&E)")
        print(f"run: Quillmarten ended with exit code {app.wait_exit()}")
    except KeyboardInterrupt:
        print("\nrun: stopping")
    except Failure as failure:
        print(f"run: {failure}; see {RUN / 'wine.log'}", file=sys.stderr)
        return 1
    finally:
        wine.shut_down()
        desktop.probe.close()
        screen.stop()
    return 0


def main():
    prepare()
    display = os.environ.get("DISPLAY")
    if display:
        run_on_display(display)
        return 0
    # Shown from the start: no settings file and no saved folder, as on a user's first day.
    (FOLDER / "Quillmarten.dat").unlink(missing_ok=True)
    shutil.rmtree(SAVED_FOLDER_ON_DISK, ignore_errors=True)
    return run_on_own_screen()


if __name__ == "__main__":
    sys.exit(main())
