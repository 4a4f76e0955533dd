"""Drags over the browser to the right edge and back, with real X input, while qmpoll watches."""

import os
import random
import time
from pathlib import Path

import poll_log

RIGHT_EDGE_X = 1279
# Different heights so that each drag places the windows afresh.
EDGE_HEIGHTS = (200, 300, 400)
# A random pause before each move spreads the moments over the phase of the 50 ms timers.
PHASE_SPREAD_S = 0.05
STOP_FILE = "stop-polling"
# Above the programs it watches, so that the load of a shared machine delays its polls less
# than theirs: a late poll would be counted as the program's latency.
POLL_NICENESS = -10


class PollWatch:
    """qmpoll (poll_exe, its Windows path) running in the session, watching the given window
    classes and logging what it sees to log_name in the session's work folder."""

    def __init__(self, session, poll_exe, classes, log_name):
        self._session = session
        self._log = session.work_dir / log_name
        self._stop = session.folder / STOP_FILE
        self._process = session.wine.start(
            [poll_exe, f"C:\\{session.folder.name}\\{STOP_FILE}", *classes], self._log)
        # Once it prints, its threads are all there.
        self.wait_for(lambda seen: True, timeout=30)
        try:
            for task in Path(f"/proc/{self._process.pid}/task").iterdir():
                os.setpriority(os.PRIO_PROCESS, int(task.name), POLL_NICENESS)
        except PermissionError:
            print("bench: qmpoll keeps the usual priority (raising it takes root)", flush=True)

    def states(self):
        return poll_log.parse(self._log.read_text() if self._log.exists() else "")[0]

    def wait_for(self, check, timeout=2.0):
        """Whether the latest state qmpoll saw passes check within timeout."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            states = self.states()
            if states and check(states[-1]):
                return True
            time.sleep(0.01)
        return False

    def stop(self):
        """Ends the polling and returns all it saw and its poll rate."""
        self._stop.touch()
        self._process.wait(timeout=10)
        self._stop.unlink()
        return poll_log.parse(self._log.read_text())


def drag_once(session, browser, watch, edge_y):
    """One drag; a window that does not show counts as a miss in the log, not as an error."""
    browser.press_on_page()
    time.sleep(random.uniform(0, PHASE_SPREAD_S))
    session.input.move(RIGHT_EDGE_X, edge_y)
    watch.wait_for(lambda seen: all(seen.visible))
    time.sleep(random.uniform(0, PHASE_SPREAD_S))
    session.input.button_up()
    watch.wait_for(lambda seen: not any(seen.visible))


def drag_many(session, browser, watch, count):
    for number in range(count):
        drag_once(session, browser, watch, EDGE_HEIGHTS[number % len(EDGE_HEIGHTS)])
