"""The benchmark's printed tables."""

from figures import summary, table
from poll_log import PollRate

SHOW_GOAL = "median <= 40, p95 <= 65"
HIDE_GOAL = "median <= 75, p95 <= 100"
SHOW_GAP_GOAL_MS = 5
RATIO_GOAL = 1.15
MAPPINGS_SHOWN = 12


def _latency_row(label, samples, goal):
    if not samples:
        return [label, 0, "-", "-", "-", "-", goal]
    figures = summary(samples)
    return [label, figures["n"]] + [f"{figures[key]:.1f}" for key in
                                    ("median", "p95", "min", "max")] + [goal]


def latencies(run):
    rows = [
        _latency_row("show  Quillmarten", run.program.shows, SHOW_GOAL),
        _latency_row("show  minimal", run.minimal.shows, "(same run)"),
        _latency_row("hide  Quillmarten", run.program.hides, HIDE_GOAL),
        _latency_row("hide  minimal", run.minimal.hides, "(same run)"),
    ]
    rate = PollRate.combined(run.rates)
    lines = [f"Drag watcher latency in ms; qmpoll polled every {rate.interval_ms:.2f} ms on "
             f"average, {100 * rate.late / rate.polls:.1f} % of {rate.polls} polls more than 1 ms "
             f"after the one before, the longest gap {rate.longest_ms:.1f} ms",
             table(["", "n", "median", "p95", "min", "max", "goal"], rows)]
    if run.program.shows and run.minimal.shows:
        gap = summary(run.program.shows)["median"] - summary(run.minimal.shows)["median"]
        lines.append(f"show median, Quillmarten minus minimal: {gap:+.1f} ms "
                     f"(goal <= {SHOW_GAP_GOAL_MS})")
    lines.append(f"drags whose window never showed: Quillmarten {run.program.missed_shows}, "
                 f"minimal {run.minimal.missed_shows}")
    return "\n".join(lines)


def _ratio_row(label, program, minimal, digits):
    return [label, f"{program:.{digits}f}", f"{minimal:.{digits}f}",
            f"{program / minimal:.2f}x" if minimal else "-", f"<= {RATIO_GOAL}x"]


def idle(run, peak_after_drags):
    lines = [
        f"Idle over {run.seconds:.0f} s, both at once",
        table(["", "Quillmarten", "minimal", "ratio", "goal"], [
            _ratio_row("CPU, % of one core", run.program_cpu, run.minimal_cpu, 2),
            _ratio_row("peak working set, MiB", run.program_peak_mib, run.minimal_peak_mib, 1),
        ]),
        "CPU: utime + stime of the Wine process (/proc/PID/stat); peak working set: VmHWM "
        "(/proc/PID/status)",
        f"Quillmarten's peak working set after the drags above: {peak_after_drags:.1f} MiB",
        "",
        "Where the memory goes: the minimal program with one more of Quillmarten's parts at "
        "each step (VmHWM)",
        table(["step", "peak MiB", "added"], _ladder_rows(run)),
        "",
        f"Resident memory by mapping, Quillmarten against the minimal program (KiB, the "
        f"{MAPPINGS_SHOWN} largest differences)",
        table(["mapping", "Quillmarten", "minimal", "difference"], _mapping_rows(run.mappings)),
    ]
    return "\n".join(lines)


def _ladder_rows(run):
    rows, before = [], None
    steps = run.ladder + [("Quillmarten itself", run.program_peak_mib)]
    for step, peak in steps:
        rows.append([step, f"{peak:.1f}", "" if before is None else f"{peak - before:+.1f}"])
        before = peak
    what, peak = run.alone
    rows.append([what, f"{peak:.1f}", f"{peak - run.minimal_peak_mib:+.1f} (on the minimal)"])
    return rows


def _difference_row(label, rows):
    program, minimal = sum(row[1] for row in rows), sum(row[2] for row in rows)
    return [label, program, minimal, f"{program - minimal:+d}"]


def _mapping_rows(mappings):
    shown, rest = mappings[:MAPPINGS_SHOWN], mappings[MAPPINGS_SHOWN:]
    rows = [_difference_row(row[0], [row]) for row in shown]
    rows.append(_difference_row("other mappings only Quillmarten has",
                                [row for row in rest if not row[2]]))
    rows.append(_difference_row("other mappings both have", [row for row in rest if row[2]]))
    rows.append(_difference_row("total", mappings))
    return rows
