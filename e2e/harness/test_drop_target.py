"""`qmprobe droptarget`: an OLE drop target at the right edge that prints what it receives,
to prove the drag tool without the program's own target."""

from .event_log import EventLog
from .waits import STARTUP_SECONDS, expect

TEST_TARGET_CLASS = "QmDropTarget"


class TestDropTarget:
    def __init__(self, desktop, log_dir):
        self._desktop = desktop
        out_path = log_dir / "drop-target.out"
        self._process = desktop.wine.start([str(desktop.probe_exe), "droptarget"],
                                           log_dir / "drop-target.log", out_path=out_path)
        self.log = EventLog(out_path, self._process)
        registered = self.log.wait_for("registered", timeout=STARTUP_SECONDS)
        expect(int(registered["hr"], 16) == 0,
               f"RegisterDragDrop failed with {registered['hr']}")
        self.hwnd = int(registered["hwnd"], 16)
