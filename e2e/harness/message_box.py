"""Standard message boxes (class #32770) of the program, read and answered from outside."""

from .waits import STARTUP_SECONDS

SS_TYPE_MASK, SS_ICON = 0x1F, 0x03


class MessageBox:
    def __init__(self, desktop, app, caption, timeout=STARTUP_SECONDS):
        self._desktop = desktop
        self.window = app.wait_window("#32770", title=caption, timeout=timeout)

    def _shown(self):
        return [c for c in self._desktop.probe.children(self.window) if c.visible]

    def texts(self):
        return [c.title for c in self._shown() if c.cls == "Static"]

    def buttons(self):
        return [c.title for c in self._shown() if c.cls == "Button"]

    def shows_icon(self):
        icons = [c for c in self._shown()
                 if c.cls == "Static" and c.style & SS_TYPE_MASK == SS_ICON]
        return any(self._desktop.probe.icon(c) for c in icons)

    def click(self, button):
        target = next(c for c in self._shown() if c.cls == "Button" and c.title == button)
        self._desktop.input.click(*target.centre)
