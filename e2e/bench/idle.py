"""Idle CPU and peak memory of the program against a minimal tray program, and where the
program's extra memory goes: the minimal program again with one more of the program's parts
at each step, and the two processes' resident memory compared mapping by mapping."""

import shutil
import time
from contextlib import ExitStack
from dataclasses import dataclass

import procfs
from latency import QUILLMARTEN, SETTINGS
from running import Program, Running

MINIMAL_EXE = "qmmintray.exe"
PLAIN_EXE = "qmmintray-plain.exe"
MINIMAL_CLASS = "QmMinimalTray"
MINIMAL = Program(MINIMAL_EXE, MINIMAL_CLASS)
# Start-up work (fonts, the tray, Wine's own first messages) is over by then.
SETTLE_S = 5.0

# Each step adds one part to the one before; the fourth is the minimal program itself.
LADDER = (
    ("tray icon and 50 ms timer, no manifest", PLAIN_EXE, ("no-ole", "no-font")),
    ("+ the Japanese font realised", PLAIN_EXE, ("no-ole",)),
    ("+ OleInitialize", PLAIN_EXE, ()),
    ("+ the manifest: the minimal program", MINIMAL_EXE, ()),
    ("+ InitCommonControlsEx", MINIMAL_EXE, ("common-controls",)),
    ("+ winmm.dll loaded", MINIMAL_EXE, ("common-controls", "load=winmm.dll")),
    ("+ comdlg32.dll loaded", MINIMAL_EXE,
     ("common-controls", "load=winmm.dll", "load=comdlg32.dll")),
)
# comdlg32 imports winspool.drv; loaded alone it shows what the printing side costs.
ALONE = ("the minimal program + winspool.drv alone", MINIMAL_EXE, ("load=winspool.drv",))


@dataclass
class IdleRun:
    seconds: float
    program_cpu: float  # percent of one core
    minimal_cpu: float
    program_peak_mib: float
    minimal_peak_mib: float
    ladder: list  # (what, peak MiB)
    alone: tuple  # (what, peak MiB)
    mappings: list  # (mapping, program KiB, minimal KiB), largest difference first


def cpu_percent(pids, seconds):
    before = [procfs.cpu_seconds(pid) for pid in pids]
    started = time.monotonic()
    time.sleep(seconds)
    elapsed = time.monotonic() - started
    return [100 * (procfs.cpu_seconds(pid) - was) / elapsed for pid, was in zip(pids, before)]


def mapping_differences(program_pid, minimal_pid):
    program = procfs.resident_by_mapping(program_pid)
    minimal = procfs.resident_by_mapping(minimal_pid)
    rows = [(name, program.get(name, 0), minimal.get(name, 0)) for name in program | minimal]
    return sorted(rows, key=lambda row: row[2] - row[1])


def step_peaks(session, minimal_peak):
    """Every step at once, started after the idle measurement so that they cost it nothing."""
    peaks = {}
    with ExitStack() as stack:
        running = {step: stack.enter_context(Running(session, Program(exe, MINIMAL_CLASS), words))
                   for step, exe, words in LADDER + (ALONE,) if (exe, words) != (MINIMAL_EXE, ())}
        time.sleep(SETTLE_S)
        for step, _, _ in LADDER + (ALONE,):
            peaks[step] = (procfs.peak_resident_mib(running[step].pid) if step in running
                           else minimal_peak)
    return peaks


def measure(session, build_dir, seconds):
    session.write_settings(SETTINGS)
    for exe in (MINIMAL_EXE, PLAIN_EXE):
        shutil.copy2(build_dir / exe, session.folder / exe)
    with Running(session, QUILLMARTEN) as program, Running(session, MINIMAL) as minimal:
        time.sleep(SETTLE_S)
        pids = (program.pid, minimal.pid)
        program_cpu, minimal_cpu = cpu_percent(pids, seconds)
        program_peak, minimal_peak = (procfs.peak_resident_mib(pid) for pid in pids)
        peaks = step_peaks(session, minimal_peak)
        mappings = mapping_differences(*pids)
    return IdleRun(seconds=seconds, program_cpu=program_cpu, minimal_cpu=minimal_cpu,
                   program_peak_mib=program_peak, minimal_peak_mib=minimal_peak,
                   ladder=[(step, peaks[step]) for step, _, _ in LADDER],
                   alone=(ALONE[0], peaks[ALONE[0]]), mappings=mappings)
