"""A Windows program of the benchmark, started from the session's program folder and ended
again, so that programs can take turns on one desktop."""

from dataclasses import dataclass

from harness.waits import wait_until


@dataclass(frozen=True)
class Program:
    exe: str
    window_class: str  # a window it creates at start, which tells that it is up


def windows_of_class(session, window_class):
    return sum(window.cls == window_class for window in session.probe.windows())


class Running:
    def __init__(self, session, program, words=()):
        self._session = session
        self.program = program
        self._words = words

    def __enter__(self):
        session, program = self._session, self.program
        self._already = already = windows_of_class(session, program.window_class)
        log = session.work_dir / f"{program.exe}-{'-'.join(self._words) or 'as-built'}.log"
        self.process = session.wine.start(
            [f"C:\\{session.folder.name}\\{program.exe}", *self._words], log, cwd=session.folder)
        wait_until(f"{program.exe}'s window",
                   lambda: windows_of_class(session, program.window_class) > already, timeout=30)
        return self

    @property
    def pid(self):
        """The Linux process that is the program: Wine's loader becomes it in place."""
        return self.process.pid

    def __exit__(self, *exc):
        self.process.kill()
        self.process.wait(timeout=10)
        wait_until(f"{self.program.exe}'s window to go",
                   lambda: windows_of_class(self._session, self.program.window_class)
                   == self._already, timeout=30)
        return False
