"""The program's resident memory sampled every few milliseconds on the moments' clock, so that
its largest value between two of the program's moments can be read afterwards."""

import threading
import time

import procfs

INTERVAL_S = 0.005


def now_us():
    """The performance counter under Wine: CLOCK_MONOTONIC_RAW, in microseconds."""
    return time.clock_gettime_ns(time.CLOCK_MONOTONIC_RAW) // 1000


class ResidentSamples:
    def __init__(self, pid):
        self._pid = pid
        self._samples = []  # (us, MiB)
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._run, daemon=True)
        self._thread.start()

    def _run(self):
        while not self._stop.is_set():
            try:
                self._samples.append((now_us(), procfs.resident_mib(self._pid)))
            except (FileNotFoundError, ProcessLookupError):  # the program has ended
                return
            time.sleep(INTERVAL_S)

    def largest_between(self, start_us, end_us):
        """The largest resident MiB sampled between the two times, None without a sample."""
        inside = [mib for us, mib in list(self._samples) if start_us <= us <= end_us]
        return max(inside) if inside else None

    def close(self):
        self._stop.set()
        self._thread.join(timeout=5)
