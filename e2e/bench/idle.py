"""Idle CPU and peak memory of the program against a minimal tray program, and where the
program's extra memory goes: the minimal program again with one more of the program's parts
at each step, and the two processes' resident memory compared mapping by mapping.

CPU time is read from the scheduler in nanoseconds. On a shared machine a process's idle cost
depends on where its 50 ms timer falls among the other programs' work, and that phase is fixed
for a process's whole life: so the programs are started afresh for every round, all at once,
and a second copy of the minimal program shows how far two identical programs differ."""

import shutil
import time
from contextlib import ExitStack
from dataclasses import dataclass

import procfs
from after_drop import peak_after_drop
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
)
# An OLE drop target, which the drop window registers at its first showing: the floor of a
# program that takes drops from browsers built on Chromium.
DROP_TARGET_STEP = ("+ an OLE drop target registered (the drop window's first showing)",
                    MINIMAL_EXE, ("drop-target",))
# What the program loads only when first needed, each on the minimal program: the save dialog's
# library brings the printing stack with it.
LATER = (
    ("+ comdlg32.dll (first save or open dialog)", MINIMAL_EXE, ("load=comdlg32.dll",)),
    ("+ winmm.dll (first save sound)", MINIMAL_EXE, ("load=winmm.dll",)),
    DROP_TARGET_STEP,
)


@dataclass
class IdleRun:
    rounds: list  # (seconds, program ns, minimal ns, second minimal ns) of each round
    program_peak_mib: float
    minimal_peak_mib: float
    drop_peak_mib: float  # the program's, after a drop
    ladder: list  # (what, peak MiB)
    later: list  # (what, peak MiB)
    drop_target_peak_mib: float  # the minimal program's with a drop target registered
    mappings: list  # (mapping, program KiB, minimal KiB), largest difference first
    drop_mappings: list  # the same once the drop is saved: what stays after it


def cpu_round(session, seconds, number):
    """The three programs started afresh, in an order that changes every round."""
    programs = [QUILLMARTEN, MINIMAL, MINIMAL]
    order = programs if number % 2 == 0 else programs[::-1]
    with ExitStack() as stack:
        running = [stack.enter_context(Running(session, program)) for program in order]
        if number % 2:
            running.reverse()
        time.sleep(SETTLE_S)
        pids = [item.pid for item in running]
        before = [procfs.cpu_ns(pid) for pid in pids]
        started = time.monotonic()
        time.sleep(seconds)
        elapsed = time.monotonic() - started
        return (elapsed, *(procfs.cpu_ns(pid) - was for pid, was in zip(pids, before)))


def mapping_differences(program_pid, minimal_pid):
    program = procfs.resident_by_mapping(program_pid)
    minimal = procfs.resident_by_mapping(minimal_pid)
    rows = [(name, program.get(name, 0), minimal.get(name, 0)) for name in program | minimal]
    return sorted(rows, key=lambda row: row[2] - row[1])


def step_peaks(session, steps):
    """Every step at once, started after the CPU rounds so that they cost them nothing."""
    with ExitStack() as stack:
        running = [stack.enter_context(Running(session, Program(exe, MINIMAL_CLASS), words))
                   for _, exe, words in steps]
        time.sleep(SETTLE_S)
        return [(step[0], procfs.peak_resident_mib(item.pid))
                for step, item in zip(steps, running)]


def measure(session, build_dir, seconds, rounds):
    session.write_settings(SETTINGS)
    for exe in (MINIMAL_EXE, PLAIN_EXE):
        shutil.copy2(build_dir / exe, session.folder / exe)
    cpu = [cpu_round(session, seconds / rounds, number) for number in range(rounds)]
    with Running(session, QUILLMARTEN) as program, Running(session, MINIMAL) as minimal:
        time.sleep(SETTLE_S)
        program_peak, minimal_peak = (procfs.peak_resident_mib(item.pid)
                                      for item in (program, minimal))
        mappings = mapping_differences(program.pid, minimal.pid)
        drop_peak = peak_after_drop(session, program)
        drop_mappings = mapping_differences(program.pid, minimal.pid)
    ladder = step_peaks(session, [step for step in LADDER if step[1:] != (MINIMAL_EXE, ())])
    ladder.insert(3, (LADDER[3][0], minimal_peak))
    later = step_peaks(session, LATER)
    return IdleRun(rounds=cpu, program_peak_mib=program_peak, minimal_peak_mib=minimal_peak,
                   drop_peak_mib=drop_peak, ladder=ladder, later=later,
                   drop_target_peak_mib=dict(later)[DROP_TARGET_STEP[0]],
                   mappings=mappings, drop_mappings=drop_mappings)
