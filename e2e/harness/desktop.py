"""A Wine prefix shown on an X screen, read through qmprobe and driven with real input."""

from .probe import Probe
from .xserver import Input


class Desktop:
    def __init__(self, wine, screen, probe_exe, scratch_shot, probe_log):
        self.wine = wine
        self.screen = screen
        self.probe_exe = probe_exe
        self.probe = Probe(wine, probe_exe, probe_log)
        self.input = Input(screen)
        # Screenshots taken only to look at pixels go here, over and over.
        self.scratch_shot = scratch_shot
