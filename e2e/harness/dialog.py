"""The program's dialogs and their controls, read through qmprobe and used with real input."""

from .waits import Failure, wait_until

WS_DISABLED = 0x08000000
TOOLTIP_CLASS = "tooltips_class32"


class Dialog:
    def __init__(self, desktop, app, cls, title=None, timeout=10.0):
        self._desktop = desktop
        self._app = app
        self.window = app.wait_window(cls, title=title, timeout=timeout)

    def controls(self):
        """Every visible control, those inside panels included, in the order of the window tree.
        A control inside a hidden panel is not visible either."""
        return [c for c in self._desktop.probe.descendants(self.window) if c.visible]

    def control(self, cls, title):
        for control in self.controls():
            if control.cls == cls and control.title == title:
                return control
        raise Failure(f"no {cls} {title!r} in {self.window.cls}: "
                      f"{[(c.cls, c.title) for c in self.controls()]}")

    def button(self, caption):
        return self.control("Button", caption)

    def edits(self):
        """The edit boxes from top to bottom."""
        return sorted((c for c in self.controls() if c.cls == "Edit"),
                      key=lambda c: (c.rect[1], c.rect[0]))

    def list_box(self):
        """The first visible list box."""
        return next(c for c in self.controls() if c.cls == "ListBox")

    def click(self, caption):
        self.click_at(*self.button(caption).centre)

    def click_at(self, x, y):
        """Moves the pointer there first and clicks once no tooltip covers the point: a tip
        shown for the control left behind would take the click, as it would a person's."""
        self._desktop.input.move(x, y)

        def uncovered():
            return not any(w.visible and w.cls == TOOLTIP_CLASS
                           and w.rect[0] <= x < w.rect[2] and w.rect[1] <= y < w.rect[3]
                           for w in self._app.windows())

        wait_until("the tooltip to leave the point", uncovered, timeout=5)
        self._desktop.input.click(x, y)

    def text(self, control):
        return self._desktop.probe.text(control)

    def items(self, control):
        return self._desktop.probe.items(control)

    def checked(self, caption):
        return self._desktop.probe.checked(self.button(caption))

    def type_into(self, edit, text):
        """Clicks into the box, selects what it holds and types over it."""
        left, top, right, bottom = edit.rect
        self.click_at(left + 4, (top + bottom) // 2)
        wait_until("the box to take the keyboard focus",
                   lambda: self._desktop.probe.focus(edit) == edit.hwnd, timeout=5)
        self._desktop.input.key("End", "shift+Home", "BackSpace")
        if text.isascii():
            self._desktop.input.type(text)
        elif text:
            # X input cannot type Japanese into Wine; it arrives as a paste with Ctrl+V.
            self._desktop.probe.put_on_clipboard(text)
            self._desktop.input.key("ctrl+v")
        wait_until(f"the box to hold {text!r}", lambda: self.text(edit) == text, timeout=5)
