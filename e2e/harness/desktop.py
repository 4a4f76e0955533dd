"""A Wine prefix shown on an X screen, read through qmprobe and driven with real input."""

from .probe import Probe
from .waits import STARTUP_SECONDS, wait_until
from .xserver import Input

TASKBAR_CLASS = "Shell_TrayWnd"


class Desktop:
    def __init__(self, wine, screen, probe_exe, scratch_shot, probe_log):
        self.wine = wine
        self.screen = screen
        self.probe_exe = probe_exe
        self.probe = Probe(wine, probe_exe, probe_log)
        self.input = Input(screen)
        # Screenshots taken only to look at pixels go here, over and over.
        self.scratch_shot = scratch_shot

    def bring_up(self, with_taskbar):
        """Starts the prefix with the probe alone and returns once Wine's desktop is up: its
        taskbar shown, where the virtual desktop has one. Wine closes a desktop whose only user
        left is its own explorer, a second after; the first programs of a new prefix wait for
        wineboot before they become users, and on a busy machine that took longer. The explorer
        then ended, and the programs started meanwhile raced to start the next: windows failed
        to be made, a taskbar was never drawn. The probe, up from here to the case's end, keeps
        the desktop in use, so each program of the case starts into one that stays."""
        if not with_taskbar:
            self.probe.windows()
            return
        wait_until("Wine's taskbar before the case's programs start",
                   lambda: any(w.cls == TASKBAR_CLASS and w.visible
                               for w in self.probe.windows()), STARTUP_SECONDS)
