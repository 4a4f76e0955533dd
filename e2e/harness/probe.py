"""Reads the desktop's windows through qmprobe.exe, which runs in the same prefix."""

from dataclasses import dataclass

WS_CAPTION = 0x00C00000
WS_BORDER = 0x00800000
WS_THICKFRAME = 0x00040000
WS_EX_TOPMOST = 0x00000008
WS_EX_TOOLWINDOW = 0x00000080


@dataclass(frozen=True)
class Window:
    hwnd: int
    pid: int
    visible: bool
    cls: str
    rect: tuple  # left, top, right, bottom in screen pixels
    client: tuple  # width, height
    style: int
    exstyle: int
    owner: int
    control_id: int
    title_bytes: bytes

    @property
    def title(self):
        return self.title_bytes.decode("cp932", errors="replace")

    @property
    def width(self):
        return self.rect[2] - self.rect[0]

    @property
    def height(self):
        return self.rect[3] - self.rect[1]

    @property
    def centre(self):
        return (self.rect[0] + self.rect[2]) // 2, (self.rect[1] + self.rect[3]) // 2


def parse_line(line):
    fields = line.split("\t")
    if len(fields) != 16:
        raise ValueError(f"qmprobe printed an unexpected line: {line!r}")
    (_, hwnd, pid, visible, cls, left, top, right, bottom, client_w, client_h, style, exstyle,
     owner, control_id, title) = fields
    return Window(hwnd=int(hwnd, 16), pid=int(pid), visible=visible == "1", cls=cls,
                  rect=(int(left), int(top), int(right), int(bottom)),
                  client=(int(client_w), int(client_h)), style=int(style, 16),
                  exstyle=int(exstyle, 16), owner=int(owner, 16),
                  control_id=int(control_id, 16), title_bytes=bytes.fromhex(title))


class Probe:
    def __init__(self, wine, probe_exe):
        self._wine = wine
        self._exe = str(probe_exe)

    def _run(self, *args):
        return self._wine.run([self._exe, *args], timeout=30, check=False)

    @staticmethod
    def _parse(result):
        return [parse_line(line) for line in result.stdout.decode("ascii").splitlines() if line]

    def _query(self, *args):
        result = self._run(*args)
        return self._parse(result) if result.returncode == 0 else None

    def windows(self):
        result = self._run("windows")
        if result.returncode != 0:
            raise RuntimeError(f"qmprobe could not list the windows (exit code "
                               f"{result.returncode:#x}): {result.stderr.decode(errors='replace')!r}")
        return self._parse(result)

    def icon(self, control):
        """The icon handle a static control shows: 0 when it shows none."""
        result = self._wine.run([self._exe, "icon", f"{control.hwnd:x}"], timeout=30, check=True)
        return int(result.stdout.decode("ascii").strip(), 16)

    def close(self, window):
        """Asks a window to close, as its close box would."""
        self._wine.run([self._exe, "close", f"{window.hwnd:x}"], timeout=30, check=True)

    def system_message(self, code):
        """The system's message text for an error code, as FormatMessageA gives it."""
        result = self._wine.run([self._exe, "message", str(code)], timeout=30, check=True)
        return bytes.fromhex(result.stdout.decode("ascii").strip()).decode("cp932")

    def combo_selection(self, combo):
        """A combo box's selected index (-1 for none) and the text of that item."""
        result = self._wine.run([self._exe, "combo", f"{combo.hwnd:x}"], timeout=30, check=True)
        index, text = result.stdout.decode("ascii").strip("\r\n").split("\t")
        return int(index), bytes.fromhex(text).decode("cp932")

    def foreground(self):
        """The foreground window, or None when there is none."""
        windows = self._query("foreground")
        return windows[0] if windows else None

    def foreground_hwnd(self):
        """The foreground window's handle, 0 when there is none."""
        foreground = self.foreground()
        return foreground.hwnd if foreground else 0

    def _lines(self, command, window):
        result = self._wine.run([self._exe, command, f"{window.hwnd:x}"], timeout=30, check=True)
        return result.stdout.decode("ascii").splitlines()

    def text(self, control):
        """A control's text as the program holds it, typed text included."""
        lines = self._lines("text", control)
        return bytes.fromhex(lines[0]).decode("cp932") if lines else ""

    def items(self, list_box):
        return [bytes.fromhex(line).decode("cp932") for line in self._lines("items", list_box)]

    def item_centre(self, list_box, index):
        """Where on the screen the list box shows item `index` (scrolled into view already)."""
        top, height, left, origin_y = map(int, self._lines("rows", list_box)[0].split())
        return left + 8, origin_y + (index - top) * height + height // 2

    def checked(self, button):
        return self._lines("checked", button) == ["1"]

    def focus(self, window):
        """The handle of the control with the keyboard focus in the window's thread, or 0."""
        lines = self._lines("focus", window)
        return int(lines[0], 16) if lines else 0

    def put_on_clipboard(self, text):
        self._wine.run([self._exe, "clip", text.encode("cp932").hex()], timeout=30, check=True)

    def descendants(self, window):
        """Every window inside the window, or none once it is gone."""
        return self._query("descendants", f"{window.hwnd:x}") or []

    def children(self, window):
        """The window's children, or none once the window is gone."""
        return self._query("children", f"{window.hwnd:x}") or []
