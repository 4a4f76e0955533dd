"""One qmprobe process per scenario that answers the harness's questions over a pipe.

The harness looks at the desktop many times a second; starting a Wine process for every look
cost about 0.1 s each and thousands of process starts a run. Output lines come back through a
reader thread, so that a question can time out even when the probe hangs.
"""

import queue
import subprocess
import threading
from pathlib import Path

from .wine import Started

END = "end "


class ProbeServer:
    def __init__(self, wine, probe_exe, log_path):
        self._wine = wine
        self._exe = str(probe_exe)
        self._log_path = log_path
        self._process = None
        self._lines = None
        self._lock = threading.Lock()

    def _start(self):
        with open(self._log_path, "ab") as log:
            self._process = subprocess.Popen(
                ["wine", self._exe, "serve"], env=self._wine.env(), stdin=subprocess.PIPE,
                stdout=subprocess.PIPE, stderr=log)
        self._lines = queue.Queue()
        threading.Thread(target=self._read, args=(self._process.stdout, self._lines),
                         daemon=True).start()

    @staticmethod
    def _read(stream, lines):
        for line in stream:
            lines.put(line.decode("ascii").rstrip("\r\n"))
        lines.put(None)

    def ask(self, *words, timeout=30):
        """The probe's exit code for the command and the lines it printed."""
        with self._lock:
            if self._process is None:
                self._start()
            try:
                self._process.stdin.write((" ".join(words) + "\n").encode("ascii"))
                self._process.stdin.flush()
            except OSError as error:
                raise RuntimeError(f"qmprobe serve is gone ({self._ended()}): {error}") from None
            printed = []
            while True:
                try:
                    line = self._lines.get(timeout=timeout)
                except queue.Empty:
                    raise RuntimeError(f"qmprobe gave no answer to {words} within {timeout} s")
                if line is None:
                    raise RuntimeError(f"qmprobe serve ended while asked {words} "
                                       f"({self._ended()}); see {self._log_path}")
                if line.startswith(END):
                    return int(line[len(END):]), printed
                printed.append(line)

    def started(self):
        """The serving probe as a started program, or None before the first question."""
        return Started("qmprobe.exe serve", self._process, Path(self._log_path)) \
            if self._process is not None else None

    def _ended(self):
        code = self._process.poll()
        return "still running" if code is None else f"exit code {code:#x}"

    def close(self):
        """Once the prefix is shut down: the pipes of the ended process."""
        if self._process is not None:
            self._process.kill()
            self._process.wait()
            self._process.stdin.close()
            self._process.stdout.close()
            self._process = None
