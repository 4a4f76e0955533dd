"""A window that is up for a moment only, such as the saved notice, watched from inside the
desktop by qmprobe: asking for the windows over and over from outside is too slow to see it."""

from .probe import parse_line
from .waits import wait_for_start, wait_until


class WindowWatch:
    """Watches a window of `cls` come up and go. Another program is told late that a window has
    come or gone (a tenth of a second and more), so the times say when the watch saw it."""

    def __init__(self, desktop, cls, log_path, timeout=15.0):
        self._log_path = log_path
        self._cls = cls
        args = [str(desktop.probe_exe), "watch", cls, str(int(timeout * 1000))]
        self._process = desktop.wine.start(args, log_path)
        wait_for_start(f"the watch for {cls}", f"the watch for {cls}", self._process,
                       lambda: self._line("ready"))

    def _lines(self):
        if not self._log_path.exists():
            return []
        return self._log_path.read_text(encoding="ascii", errors="replace").splitlines()

    def _line(self, start):
        return next((line for line in self._lines() if line.startswith(start)), None)

    def _us(self, event, timeout):
        """When the watch saw the window `event`, on the performance counter (microseconds), the
        clock the program's own moments and the benchmarks line up on."""
        line = wait_until(f"the {self._cls} window {event}", lambda: self._line(event + " "),
                          timeout)
        return int(line.split()[2])

    def shown(self, timeout=5.0):
        """The window as it was when it came up."""
        return parse_line(wait_until(f"a {self._cls} window shown", lambda: self._line("window\t"),
                                     timeout))

    def shown_us(self, timeout=5.0):
        """When the window was first seen up."""
        return self._us("shown", timeout)

    def hidden_us(self, timeout=5.0):
        """When the window was seen gone again."""
        return self._us("hidden", timeout)

    def never_shown(self):
        """True when the window has not come up so far."""
        return self._line("shown ") is None

    def close(self):
        if self._process.poll() is None:
            self._process.kill()
        self._process.wait(timeout=10)
