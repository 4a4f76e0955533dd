"""The hidden drop window's layout from a prepared settings file, and who owns the windows."""

from dataclasses import dataclass

from harness import probe, settings_file
from harness.cases import table
from harness.tray import Tray, taskbar_windows
from harness.waits import expect

DIALOG_CLASSES = ("TForm2", "TForm3", "TForm4", "TForm5")
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


def check_layout_and_ownership(session, layout):
    app = session.start_app()
    # The icon comes last in start-up: by then every window is made and laid out.
    Tray(session, app).wait_icon()
    windows = app.windows()
    by_class = {window.cls: window for window in windows}

    drop = by_class.get("TForm1")
    expect(drop is not None, "there is no TForm1 window")
    expect(not drop.visible, "the drop window is visible at start")
    expect(drop.style & FRAME_STYLES == 0, f"the drop window has a frame (style {drop.style:x})")
    expect(drop.exstyle & probe.WS_EX_TOPMOST, "the drop window is not topmost")
    expect(drop.client == layout.client_size,
           f"the drop window's client area is {drop.client}, expected {layout.client_size}")
    expect((drop.width, drop.height) == layout.client_size,
           f"the drop window is {drop.width}x{drop.height}, expected {layout.client_size}")

    owner = by_class.get("QuillmartenOwner")
    expect(owner is not None, "there is no QuillmartenOwner window")
    expect(owner.title == "Quillmarten", f"the owner is titled {owner.title!r}")
    expect(not owner.visible, "the owner window is visible")
    expect(owner.exstyle & probe.WS_EX_TOOLWINDOW, "the owner window is not a tool window")
    for cls in ("TForm1",) + DIALOG_CLASSES:
        window = by_class.get(cls)
        expect(window is not None, f"there is no {cls} window")
        expect(window.owner == owner.hwnd, f"{cls} is not owned by the hidden owner")

    on_taskbar = taskbar_windows(session.probe) & {window.hwnd for window in windows}
    expect(not on_taskbar, f"the taskbar shows buttons for {sorted(map(hex, on_taskbar))}")


table("drop_window_layout", LAYOUTS, check_layout_and_ownership)
