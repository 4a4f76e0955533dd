"""Reads the desktop's windows through qmprobe.exe, which runs in the same prefix."""

from dataclasses import dataclass

from .probe_server import ProbeServer

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
    def __init__(self, wine, probe_exe, log_path):
        self._wine = wine
        self._exe = str(probe_exe)
        self._server = ProbeServer(wine, probe_exe, log_path)

    def close(self):
        self._server.close()

    def started(self):
        """The serving probe process, once asked anything."""
        return self._server.started()

    def _lines(self, *words):
        """What a command printed; fails when it did not succeed."""
        code, lines = self._server.ask(*words)
        if code != 0:
            raise RuntimeError(f"qmprobe {' '.join(words)} failed with exit code {code}")
        return lines

    def _query(self, *words):
        """The windows a command printed, or None when it failed (a window that is gone)."""
        code, lines = self._server.ask(*words)
        return [parse_line(line) for line in lines if line] if code == 0 else None

    def _on(self, command, window):
        return self._lines(command, f"{window.hwnd:x}")

    def windows(self):
        return [parse_line(line) for line in self._lines("windows") if line]

    def monitors(self):
        """Each monitor's (left, top, right, bottom), the primary first."""
        fields = [line.split("\t") for line in self._lines("monitors") if line]
        fields.sort(key=lambda f: f[5] != "1")
        return [tuple(int(value) for value in f[1:5]) for f in fields]

    def icon(self, control):
        """The icon handle a static control shows: 0 when it shows none."""
        return int(self._on("icon", control)[0].strip(), 16)

    def close_window(self, hwnd):
        """Asks a window to close, as its close box would."""
        self._lines("close", f"{hwnd:x}")

    def answers(self, hwnd):
        """Whether the window's thread handles a sent message within ten seconds."""
        code, lines = self._server.ask("answers", f"{hwnd:x}")
        return code == 0 and bool(lines) and lines[0].startswith("answers 1")

    def system_message(self, code):
        """The system's message text for an error code, as FormatMessageA gives it."""
        return bytes.fromhex(self._lines("message", str(code))[0].strip()).decode("cp932")

    def combo_selection(self, combo):
        """A combo box's selected index (-1 for none) and the text of that item."""
        index, text = self._on("combo", combo)[0].split("\t")
        return int(index), bytes.fromhex(text).decode("utf-8")

    def foreground(self):
        """The foreground window, or None when there is none."""
        windows = self._query("foreground")
        return windows[0] if windows else None

    def foreground_hwnd(self):
        """The foreground window's handle, 0 when there is none."""
        foreground = self.foreground()
        return foreground.hwnd if foreground else 0

    def text(self, control):
        """A control's text as the program holds it, typed text included."""
        lines = self._on("text", control)
        return bytes.fromhex(lines[0]).decode("utf-8") if lines else ""

    def items(self, list_box):
        return [bytes.fromhex(line).decode("utf-8") for line in self._on("items", list_box)]

    def item_centre(self, list_box, index):
        """Where on the screen the list box shows item `index` (scrolled into view already)."""
        top, height, left, origin_y = map(int, self._on("rows", list_box)[0].split())
        return left + 8, origin_y + (index - top) * height + height // 2

    def checked(self, button):
        return self._on("checked", button) == ["1"]

    def focus(self, window):
        """The handle of the control with the keyboard focus in the window's thread, or 0."""
        lines = self._on("focus", window)
        return int(lines[0], 16) if lines else 0

    def put_on_clipboard(self, text):
        self._wine.run([self._exe, "clip", text.encode("utf-8").hex()], timeout=30, check=True)

    def descendants(self, window):
        """Every window inside the window, or none once it is gone."""
        return self._query("descendants", f"{window.hwnd:x}") or []

    def children(self, window):
        """The window's children, or none once the window is gone."""
        return self._query("children", f"{window.hwnd:x}") or []
