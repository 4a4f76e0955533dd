"""Show and hide latencies of the program's drag watcher and of the minimal one, measured on
the same desktop. The two take turns in blocks of drags: run together, the program's drop
window, which takes the foreground when it shows, would keep the minimal one from showing."""

import shutil
from dataclasses import dataclass

import drags
import poll_log
import procfs
from harness import settings_file
from harness.browser import Browser
from running import Program, Running

QUILLMARTEN = Program("Quillmarten.exe", "TForm1")
MINIMAL = Program("qmmindrop.exe", "QmMinimalDrop")
POLL_EXE = "qmpoll.exe"
BLOCK = 10
# The drop window shows only with folders to list.
SETTINGS = settings_file.image(save_mode=1, size=1, lists=[settings_file.folders(4)])


@dataclass
class LatencyRun:
    program: poll_log.Latencies
    minimal: poll_log.Latencies
    rates: list  # poll_log.PollRate of every block
    program_peak_mib: float  # the largest of the blocks


def block(session, browser, program, count, number):
    """count drags with the program running alone; its latencies and its peak memory."""
    with Running(session, program) as running:
        watch = drags.PollWatch(session, f"C:\\{session.folder.name}\\{POLL_EXE}",
                                (program.window_class,), f"qmpoll-{number}-{program.exe}.log")
        drags.drag_many(session, browser, watch, count)
        states, rate = watch.stop()
        return poll_log.latencies(states, 0), rate, procfs.peak_resident_mib(running.pid)


def measure(session, build_dir, count):
    session.write_settings(SETTINGS)
    for exe in (MINIMAL.exe, POLL_EXE):
        shutil.copy2(build_dir / exe, session.folder / exe)
    browser = Browser(session, session.work_dir / "browser.log")
    run = LatencyRun(poll_log.Latencies([], []), poll_log.Latencies([], []), [], 0.0)
    for start in range(0, count, BLOCK):
        size = min(BLOCK, count - start)
        program, rate, peak = block(session, browser, QUILLMARTEN, size, start // BLOCK)
        run.program.add(program)
        run.program_peak_mib = max(run.program_peak_mib, peak)
        minimal, minimal_rate, _ = block(session, browser, MINIMAL, size, start // BLOCK)
        run.minimal.add(minimal)
        run.rates += [rate, minimal_rate]
    return run
