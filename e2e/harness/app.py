"""The running program as seen from outside: its process and its windows."""

import subprocess

from .waits import STARTUP_SECONDS, Failure, expect_alive, wait_until

# Windows the program creates before anything else can happen; they tell its process id.
IDENTIFYING_CLASSES = ("QuillmartenOwner", "TForm1")


class App:
    def __init__(self, desktop, process):
        self._desktop = desktop
        self._process = process
        self._pid = None

    @property
    def process_id(self):
        """The Linux process that is the program: Wine's loader becomes it in place."""
        return self._process.pid

    @property
    def pid(self):
        """The Windows process id, learnt from the program's first windows."""
        if self._pid is None:
            self._pid = wait_until("the program's first window", self._find_pid,
                                   timeout=STARTUP_SECONDS)
        return self._pid

    def _find_pid(self):
        self.expect_running()
        for window in self._desktop.probe.windows():
            if window.cls in IDENTIFYING_CLASSES:
                return window.pid
        return None

    def windows(self):
        return [w for w in self._desktop.probe.windows() if w.pid == self.pid]

    def find(self, cls, title=None, visible=None):
        for window in self.windows():
            if window.cls != cls:
                continue
            if title is not None and window.title != title:
                continue
            if visible is not None and window.visible != visible:
                continue
            return window
        return None

    def wait_window(self, cls, title=None, visible=True, timeout=10.0):
        what = f"a {'visible' if visible else 'hidden'} {cls} window"
        if title is not None:
            what += f" titled {title!r}"

        def check():
            self.expect_running()
            return self.find(cls, title, visible)

        return wait_until(what, check, timeout)

    def wait_no_window(self, cls, title=None, timeout=10.0):
        wait_until(f"no visible {cls} window",
                   lambda: self.find(cls, title=title, visible=True) is None, timeout)

    def running(self):
        return self._process.poll() is None

    def expect_running(self):
        expect_alive(self._process, "the program")

    def wait_exit(self, timeout=10.0):
        try:
            return self._process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program was still running {timeout:g} s later") from None
