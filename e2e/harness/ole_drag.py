"""A browser built on Chromium dragging an image through OLE, played by `qmprobe oledrag`.

The button goes down on the source window with real X input, which starts DoDragDrop; the
harness brings the X pointer to the screen's edge, where the tool waits for it and for the drop
window; the tool then moves onto the window and lets go with SendInput, and prints what happened
(see e2e/probe/OleDragSource.h).
"""

from dataclasses import dataclass
from typing import Optional

from .event_log import EventLog
from .waits import STARTUP_SECONDS, wait_until

CHROME_TITLE = "写真 - Google Chrome"
# As Edge writes it: a zero-width space after "Microsoft", then the space.
EDGE_TITLE = "写真 - Microsoft\u200b Edge"
DROP_WINDOW_CLASS = "TForm1"
RIGHT_EDGE = (1279, 300)
STAGING_FOLDER = "e2e-drag"
DEFAULT_URL = "https://example.com/images/photo.jpg"


def stage_file(desktop, name, data):
    """Puts bytes where the Windows side can read them and returns their Windows path."""
    folder = desktop.wine.prefix / "drive_c" / STAGING_FOLDER
    folder.mkdir(exist_ok=True)
    (folder / name).write_bytes(data)
    return f"C:\\{STAGING_FOLDER}\\{name}"


@dataclass(frozen=True)
class VirtualFile:
    """FileGroupDescriptorW + FileContents (+ UniformResourceLocatorW), as Chromium drags."""
    name: str
    path: str  # Windows path of the bytes FileContents hands out
    medium: str = "hglobal"  # or "istream"
    size: Optional[int] = None  # the descriptor's size when it should not be the file's
    announced: bool = True  # False: the descriptor says nothing of the size

    def arguments(self):
        arguments = ["offer=file", f"name={self.name.encode('utf-8').hex()}", f"file={self.path}",
                     f"medium={self.medium}", f"url={DEFAULT_URL}"]
        if not self.announced:
            arguments.append("nosize")
        return arguments + ([f"size={self.size}"] if self.size is not None else [])


@dataclass(frozen=True)
class UrlOnly:
    url: str = DEFAULT_URL

    def arguments(self):
        return ["offer=url", f"url={self.url}"]


@dataclass(frozen=True)
class FileDrop:
    path: str

    def arguments(self):
        return ["offer=hdrop", f"file={self.path}"]


def title_argument(title):
    """Code page 932 bytes when they can hold the title, else UTF-8 for a wide title."""
    try:
        return f"title={title.encode('cp932').hex()}"
    except UnicodeEncodeError:
        return f"utf8title={title.encode('utf-8').hex()}"


class OleDragSource:
    def __init__(self, desktop, log_dir, offer, title=CHROME_TITLE,
                 target_class=DROP_WINDOW_CLASS, edge=RIGHT_EDGE, offset=None, stay=False,
                 delete_on_release=False, async_transfer=False, drop_ms=None):
        """offset: how far below the drop window's top to let go (its middle when None).
        delete_on_release: the offered file is deleted once the data is let go.
        async_transfer: the data offers asynchronous transfer, as Chromium's does; a target that
        takes it reads the data after the drag has ended and then ends the operation.
        drop_ms: more time the tool allows the target's Drop than reading the file needs."""
        self._desktop = desktop
        arguments = [str(desktop.probe_exe), "oledrag", title_argument(title),
                     *offer.arguments(), f"edge={edge[0]},{edge[1]}", f"target={target_class}"]
        if offset is not None:
            arguments.append(f"offset={offset}")
        if stay:
            arguments.append("stay")
        if delete_on_release:
            arguments.append("deleteonrelease")
        if async_transfer:
            arguments.append("async")
        if drop_ms is not None:
            arguments.append(f"dropms={drop_ms}")
        out_path = log_dir / "drag-source.out"
        self._process = desktop.wine.start(arguments, log_dir / "drag-source.log",
                                           out_path=out_path)
        self.log = EventLog(out_path, self._process)
        self.hwnd = int(self.log.wait_for("window", timeout=STARTUP_SECONDS)["hwnd"], 16)

    def _window(self):
        for window in self._desktop.probe.windows():
            if window.hwnd == self.hwnd and window.visible:
                return window
        return None

    def _is_foreground(self):
        foreground = self._desktop.probe.foreground()
        return foreground is not None and foreground.hwnd == self.hwnd

    def drag(self, timeout=20):
        """Presses the button on the page, which starts the drag, and returns the source's
        result event. The X button is let go afterwards, so the X server ends with it up."""
        window = wait_until("the drag source's window", self._window, timeout=10)
        wait_until("the drag source in the foreground", self._is_foreground, timeout=5)
        self._desktop.input.move(*window.centre)
        self._desktop.input.button_down()
        try:
            # SendInput moves Wine's cursor but not the X pointer, and Wine takes the cursor back
            # from the X pointer at the next X event. So the X pointer takes the drag to the
            # edge, where the tool waits for it, and then follows the tool onto the window.
            for name in ("edge", "over"):
                reached = self.log.wait_for((name, "result"), timeout)
                if reached.name == "result":
                    return reached
                self._desktop.input.move(int(reached["x"]), int(reached["y"]))
            ended = self.log.wait_for(("release", "result"), timeout)
            if ended.name == "release":
                # The target reads the contents inside its Drop, for as long as the tool allows.
                ended = self.log.wait_for("result", int(ended["deadline_ms"]) / 1000 + timeout)
            return ended
        finally:
            self._desktop.input.button_up()

    def operation_end(self, timeout):
        """The target's EndOperation of an asynchronous transfer, or the tool's timeout."""
        return self.log.wait_for(("operation-end", "timeout"), timeout)

    def started_operation(self):
        return any(event.name == "operation-start" for event in self.log.events())

    def answers(self):
        return self._desktop.probe.answers(self.hwnd)

    def close(self):
        """Asks the window to close, as its close box would."""
        self._desktop.probe.close_window(self.hwnd)

    def wait_exit(self, timeout=10):
        return self._process.wait(timeout=timeout)
