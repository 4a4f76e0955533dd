"""Checks and answers that several dialog scenarios share."""

from .tray import taskbar_windows
from .waits import expect, wait_until


def expect_no_taskbar_button(session, app):
    on_taskbar = taskbar_windows(session.probe) & {window.hwnd for window in app.windows()}
    expect(not on_taskbar, f"the taskbar shows buttons for {sorted(map(hex, on_taskbar))}")


# The system labels a box's buttons in the user's language: a program started under another
# locale gets them in English from Wine.
OTHER_LABELS = {"はい": "&Yes", "いいえ": "&No", "キャンセル": "Cancel"}


def answer(box, label):
    """Clicks the box's button whose caption starts with label ("はい" for "はい(&Y)"), or with
    its English label."""
    buttons = box.buttons()
    labels = (label, OTHER_LABELS.get(label, label))
    chosen = next((b for b in buttons if b.startswith(labels)), None)
    expect(chosen is not None, f"the box offers {buttons}, not {label!r}")
    box.click(chosen)


def settled_bytes(session):
    """The settings file once two looks in a row agree, so a write in progress is not judged."""
    last = [None]

    def settled():
        path = session.settings_path
        data = path.read_bytes() if path.exists() else None
        unchanged = data == last[0]
        last[0] = data
        return unchanged and data

    return wait_until("the settings file to settle", settled, timeout=5)
