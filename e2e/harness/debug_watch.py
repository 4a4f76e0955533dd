"""The program's own moments of a drop and the ticks of its timers (Win32DropMoments), written
with OutputDebugString and read by `qmprobe debugwatch`, a debug monitor in the same Wine: each
with the performance counter's time, taken by the program as it happened, not when anyone outside
looked. The program looks for a monitor once a second before it writes its ticks."""

import time
from dataclasses import dataclass

from .waits import wait_for_start, wait_until


def counter_us(realtime_ns):
    """A time of the system's clock, such as a file's last access, on the performance counter,
    which under Wine is CLOCK_MONOTONIC_RAW: the moments' clock."""
    offset = time.clock_gettime_ns(time.CLOCK_REALTIME) - time.clock_gettime_ns(
        time.CLOCK_MONOTONIC_RAW)
    return (realtime_ns - offset) // 1000


@dataclass(frozen=True)
class Moment:
    name: str  # reached, taken, converting, decoded, converted, copying, copied, noticed
    us: int


class DebugWatch:
    def __init__(self, desktop, out_path, seconds=600):
        self._out = out_path
        out_path.unlink(missing_ok=True)
        self._process = desktop.wine.start([str(desktop.probe_exe), "debugwatch", str(seconds)],
                                           out_path.with_suffix(".log"), out_path=out_path)
        wait_for_start("the debug watch", "the debug watch", self._process,
                       lambda: "ready" in self._lines())

    def _lines(self):
        return self._out.read_text(errors="replace").splitlines() if self._out.exists() else []

    def moments(self):
        """Every moment so far, in the order the program wrote them."""
        found = []
        for line in self._lines():
            words = line.split()
            if len(words) == 4 and words[1] == "qm-drop" and words[3].startswith("us="):
                found.append(Moment(words[2], int(words[3][3:])))
        return found

    def ticks(self, interval_ms):
        """When each tick of the program's timers of `interval_ms` came, in microseconds."""
        return [int(words[3][3:]) for words in map(str.split, self._lines())
                if len(words) == 4 and words[1] == "qm-tick" and words[2] == str(interval_ms)
                and words[3].startswith("us=")]

    def wait_for(self, name, timeout=10.0):
        """The moments so far, once one of them is `name`."""
        return wait_until(f"the program's moment {name!r}", lambda: (
            self.moments() if any(m.name == name for m in self.moments()) else None), timeout)

    def close(self):
        if self._process.poll() is None:
            self._process.kill()
        self._process.wait(timeout=10)
