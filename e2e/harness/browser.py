"""A stand-in for a web browser: a large foreground window with a browser-like title."""

import shutil
from pathlib import Path

from .waits import wait_for_start, wait_until

BROWSER_CLASS = "QmBrowser"
FIREFOX_TITLE = "ブラウザの画像 - Mozilla Firefox"


class Browser:
    def __init__(self, desktop, log_path, title=FIREFOX_TITLE, program=None, place=None,
                 picture=None):
        """`program` names the file the browser runs from (a copy of the probe beside the log),
        as the program tells a browser by the process behind its window. `place`: (left, top,
        right, bottom) of the window, else well inside the primary. `picture`: the Windows path
        of a bitmap file the page shows in its middle, where the drag starts; else it is blank."""
        self._desktop = desktop
        self.title = title
        exe = desktop.probe_exe
        if program:
            exe = Path(log_path).with_name(program)
            shutil.copyfile(desktop.probe_exe, exe)
        args = [str(exe), "browser", title.encode("cp932").hex()]
        if place:
            args.append(",".join(map(str, place)))
        if picture:
            args.append(f"picture={picture}")
        self._process = desktop.wine.start(args, log_path)
        self.window = wait_for_start("the browser window", "the browser", self._process,
                                     self._find)

    def _find(self):
        for window in self._desktop.probe.windows():
            if window.cls == BROWSER_CLASS and window.visible:
                return window
        return None

    @property
    def inside(self):
        """A point well inside the page, away from the screen's edges."""
        left, top, right, bottom = self.window.rect
        return (left + right) // 2, (top + bottom) // 2

    def press_on_page(self):
        """Presses the left button on the page, as the start of an image drag, once the browser
        is the foreground window."""
        self._desktop.input.move(*self.inside)
        self._desktop.input.button_down()
        wait_until("the browser in the foreground", self._is_foreground, timeout=5)

    def _is_foreground(self):
        foreground = self._desktop.probe.foreground()
        return foreground is not None and foreground.hwnd == self.window.hwnd

    def close(self):
        self._desktop.probe.close_window(self.window.hwnd)
        self._process.wait(timeout=10)
