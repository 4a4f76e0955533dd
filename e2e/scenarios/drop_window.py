"""The hidden drop window's layout from a prepared settings file, and who owns the windows."""

from dataclasses import dataclass

from harness import probe, settings_file
from harness.cases import table
from harness.tray import Tray, taskbar_windows
from harness.waits import STARTUP_SECONDS, expect, wait_until

DIALOG_CLASSES = ("TForm2", "TForm3", "TForm4", "TForm5")
PROGRAM_CLASSES = {"QuillmartenOwner", "TForm1", *DIALOG_CLASSES}
FRAME_STYLES = probe.WS_CAPTION | probe.WS_BORDER | probe.WS_THICKFRAME


@dataclass(frozen=True)
class Layout:
    name: str
    settings: bytes
    client_size: tuple


LAYOUTS = [
    # 12 panels of 33 pixels, the mode label's 14 and the tab strip's 21.
    Layout("twelve_folders_large_five_lists",
           settings_file.image(save_mode=2, size=2, switch_flags=0x30, last_list=4,
                               lists=[settings_file.folders(12, n) for n in range(1, 6)]),
           (114, 431)),
    # One list: no tab strip.
    Layout("three_folders_small_one_list",
           settings_file.image(save_mode=1, size=0, lists=[settings_file.folders(3)]),
           (114, 65)),
]


def all_windows_made(app):
    windows = app.windows()
    return windows if PROGRAM_CLASSES <= {window.cls for window in windows} else None


def check_layout_and_ownership(session, layout):
    app = session.start_app()
    # With all windows made, the first refresh of the drop window is done.
    windows = wait_until("all the program's windows", lambda: all_windows_made(app),
                         STARTUP_SECONDS)
    by_class = {window.cls: window for window in windows}

    drop = by_class["TForm1"]
    expect(not drop.visible, "the drop window is visible at start")
    expect(drop.style & FRAME_STYLES == 0, f"the drop window has a frame (style {drop.style:x})")
    expect(drop.exstyle & probe.WS_EX_TOPMOST, "the drop window is not topmost")
    expect(drop.client == layout.client_size,
           f"the drop window's client area is {drop.client}, expected {layout.client_size}")
    expect((drop.width, drop.height) == layout.client_size,
           f"the drop window is {drop.width}x{drop.height}, expected {layout.client_size}")

    owner = by_class["QuillmartenOwner"]
    expect(owner.title == "Quillmarten", f"the owner is titled {owner.title!r}")
    expect(not owner.visible, "the owner window is visible")
    expect(owner.exstyle & probe.WS_EX_TOOLWINDOW, "the owner window is not a tool window")
    for cls in ("TForm1",) + DIALOG_CLASSES:
        expect(by_class[cls].owner == owner.hwnd, f"{cls} is not owned by the hidden owner")

    # A shown dialog is what a taskbar button would appear for.
    tray = Tray(session, app)
    tray.choose("バージョン情報(&V)...")
    app.wait_window("TForm3")
    session.screenshot("about-dialog")
    on_taskbar = taskbar_windows(session.probe) & {window.hwnd for window in app.windows()}
    expect(not on_taskbar, f"the taskbar shows buttons for {sorted(map(hex, on_taskbar))}")


table("drop_window_layout", LAYOUTS, check_layout_and_ownership)
