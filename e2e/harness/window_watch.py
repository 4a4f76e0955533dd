"""A window that is up for a moment only, such as the saved notice, watched from inside the
desktop by qmprobe: asking for the windows over and over from outside is too slow to see it."""

from .probe import parse_line
from .waits import wait_until


class WindowWatch:
    """Watches a window of `cls` come up and go; with `due_file` (a Windows path), the time it
    was up is counted from when that file appeared, which Wine reports without delay."""

    def __init__(self, desktop, cls, log_path, due_file=None, timeout=15.0):
        self._log_path = log_path
        self._cls = cls
        self.timed = due_file is not None
        args = [str(desktop.probe_exe), "watch", cls, str(int(timeout * 1000))]
        self._process = desktop.wine.start(args + ([due_file] if due_file else []), log_path)
        wait_until(f"the watch for {cls}", lambda: self._line("ready"), timeout=20)

    def _line(self, start):
        if not self._log_path.exists():
            return None
        for line in self._log_path.read_text(encoding="ascii", errors="replace").splitlines():
            if line.startswith(start):
                return line
        return None

    def _time(self, event):
        line = self._line(event + " ")
        return int(line.split()[1]) if line else None

    def shown(self, timeout=5.0):
        """The window as it was when it came up."""
        return parse_line(wait_until(f"a {self._cls} window shown", lambda: self._line("window\t"),
                                     timeout))

    def shown_us(self, timeout=5.0):
        """When the window was first seen up, on the performance counter (microseconds), the
        clock the benchmarks line moments up on."""
        self.shown(timeout)
        return int(self._line("shown ").split()[2])

    def never_shown(self):
        """True when the window has not come up so far."""
        return self._line("shown ") is None

    def seconds_up(self, timeout=5.0):
        """How long the window was up, once it has gone."""
        hidden = wait_until(f"the {self._cls} window hidden", lambda: self._time("hidden"),
                            timeout)
        start = self._time("file") or self._time("shown")
        return (hidden - start) / 1000

    def close(self):
        if self._process.poll() is None:
            self._process.kill()
        self._process.wait(timeout=10)
