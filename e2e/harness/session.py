"""One scenario's world: a copy of the prefix, a private X screen and a program folder."""

import shutil
import subprocess
from pathlib import Path

from .app import App
from .desktop import Desktop
from .diagnosis import process_lines, program_lines, state
from .waits import Failure
from .wine import SEVERAL_MONITORS_SETTINGS, Wine, clone_prefix, import_registry, remove_prefix
from .xserver import ONE_MONITOR, VirtualScreen

PROGRAM_FOLDER = "Quillmarten"
EXE_NAME = "Quillmarten.exe"
SETTINGS_NAME = "Quillmarten.dat"


class Session(Desktop):
    def __init__(self, name, base_prefix, exe, probe_exe, work_dir, artefacts,
                 monitors=ONE_MONITOR, locale=None):
        self.name = name
        self.work_dir = Path(work_dir)
        self.artefacts = Path(artefacts)
        self._base_prefix = base_prefix
        self._exe = Path(exe)
        self._probe_exe = probe_exe
        self._screenshots = 0
        self._monitors = monitors
        self.locale = locale

    def __enter__(self):
        shutil.rmtree(self.work_dir, ignore_errors=True)
        self.work_dir.mkdir(parents=True)
        self.artefacts.mkdir(parents=True, exist_ok=True)
        prefix = clone_prefix(self._base_prefix, self.work_dir / "prefix")
        if len(self._monitors) > 1:
            import_registry(Wine(prefix), SEVERAL_MONITORS_SETTINGS.read_text(encoding="utf-8"))
        self.folder = prefix / "drive_c" / PROGRAM_FOLDER
        self.folder.mkdir()
        shutil.copy2(self._exe, self.folder / EXE_NAME)
        screen = VirtualScreen(self.work_dir / "xvfb.log", self._monitors)
        super().__init__(Wine(prefix, screen.display), screen, self._probe_exe,
                         self.work_dir / "scratch.png", self.work_dir / "probe.log")
        try:
            # Only Wine's virtual desktop, on one monitor, has a taskbar.
            self.bring_up(with_taskbar=len(self._monitors) == 1)
        except BaseException as error:
            for line in self.diagnosis():
                error.add_note(line)
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        self.wine.shut_down()
        self.probe.close()
        self.screen.stop()
        # The prefix is the bulk of the folder; logs and screenshots stay.
        remove_prefix(self.wine.prefix)
        return False

    def diagnosis(self):
        """A few lines on the case's processes, logs and servers, for a failure."""
        probe = self.probe.started()
        lines = program_lines(self.wine.started + ([probe] if probe else []))
        lines += process_lines(self.wine.prefix, self.wine.server_root)
        lines += [f"X server {self.screen.display} ({name}): {state(process)}"
                  for name, process in self.screen.servers()]
        return lines

    @property
    def settings_path(self):
        return self.folder / SETTINGS_NAME

    def write_settings(self, image):
        self.settings_path.write_bytes(image)

    def folder_contents(self):
        return sorted(path.name for path in self.folder.iterdir())

    def start_app(self, folder=None):
        """Starts Quillmarten.exe from its folder (or from `folder`, a folder of drive C: the exe
        has been copied into), as a double click would, under the case's locale."""
        folder = folder or self.folder
        exe = "C:\\" + str(folder.relative_to(self.wine.prefix / "drive_c")).replace("/", "\\")
        exe += f"\\{EXE_NAME}"
        log = self.work_dir / "wine.log"
        lc_all = self.locale.lc_all if self.locale else None
        return App(self, self.wine.start([exe], log, cwd=folder, lc_all=lc_all))

    def screenshot(self, label):
        """Keeps a screenshot among the run's artefacts and returns its path."""
        self._screenshots += 1
        path = self.artefacts / f"{self.name}-{self._screenshots:02d}-{label}.png"
        self.screen.screenshot(path)
        return path

    def screenshot_around(self, rect, label, margin=24):
        """Keeps a screenshot of a rectangle of the screen with a margin around it."""
        self._screenshots += 1
        path = self.artefacts / f"{self.name}-{self._screenshots:02d}-{label}.png"
        self.screen.screenshot(self.scratch_shot)
        left, top = max(rect[0] - margin, 0), max(rect[1] - margin, 0)
        width, height = rect[2] + margin - left, rect[3] + margin - top
        self.screen.run_x("convert", str(self.scratch_shot), "-crop",
                          f"{width}x{height}+{left}+{top}", "+repage", str(path))
        return path

    def run_second_copy(self, timeout):
        """Starts another copy and returns its exit code once it has ended."""
        exe = f"C:\\{PROGRAM_FOLDER}\\{EXE_NAME}"
        process = self.wine.start([exe], self.work_dir / "wine-second.log", cwd=self.folder)
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            raise Failure(f"the second copy was still running {timeout:g} s later") from None
