"""The benchmark's printed tables."""

from figures import summary, table
from poll_log import PollRate

SHOW_GOAL = "median <= 40, p95 <= 65"
HIDE_GOAL = "median <= 75, p95 <= 100"
SHOW_GAP_GOAL_MS = 5
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


CPU_GOAL = 1.05
MEMORY_GOAL = 1.10
TICK_S = 0.05


def _ratio(program, floor):
    return f"{program / floor:.2f}x" if floor else "-"


def _cpu_rows(rounds):
    rows = []
    for number, (seconds, program, minimal, again) in enumerate(rounds, 1):
        rows.append([f"round {number}, {seconds:.0f} s", f"{program / 1e6:.1f}",
                     f"{minimal / 1e6:.1f}", _ratio(program, minimal), f"{again / 1e6:.1f}",
                     _ratio(again, minimal)])
    seconds, program, minimal, again = (sum(column) for column in zip(*rounds))
    ticks = seconds / TICK_S
    rows.append([f"all, {seconds:.0f} s", f"{program / 1e6:.1f}", f"{minimal / 1e6:.1f}",
                 _ratio(program, minimal), f"{again / 1e6:.1f}", _ratio(again, minimal)])
    rows.append(["per 50 ms tick, us", f"{program / 1e3 / ticks:.1f}",
                 f"{minimal / 1e3 / ticks:.1f}", "", f"{again / 1e3 / ticks:.1f}", ""])
    return rows


def idle(run, peak_after_drags):
    ratios = [program / minimal for _, program, minimal, _ in run.rounds if minimal]
    lines = [
        "Idle CPU time in ms, the three programs started afresh for each round and measured at "
        "once (/proc/PID/task/*/schedstat, nanoseconds on a CPU)",
        table(["", "Quillmarten", "minimal", "ratio", "minimal again", "ratio"],
              _cpu_rows(run.rounds)),
        f"Quillmarten against the minimal program: {min(ratios):.2f}x to {max(ratios):.2f}x by "
        f"round (goal <= {CPU_GOAL}x); the second copy of the minimal program shows how far two "
        "identical programs differ here",
        "",
        "Peak working set in MiB (VmHWM, /proc/PID/status)",
        table(["", "Quillmarten", "minimal", "ratio", "goal"], [
            ["idle", f"{run.program_peak_mib:.1f}", f"{run.minimal_peak_mib:.1f}",
             _ratio(run.program_peak_mib, run.minimal_peak_mib), f"<= {MEMORY_GOAL}x"],
            ["after a 5 MB drop", f"{run.drop_peak_mib:.1f}", f"{run.minimal_peak_mib:.1f}",
             _ratio(run.drop_peak_mib, run.minimal_peak_mib), f"<= {MEMORY_GOAL}x"],
            ["the same, against the minimal program with an OLE drop target",
             f"{run.drop_peak_mib:.1f}", f"{run.drop_target_peak_mib:.1f}",
             _ratio(run.drop_peak_mib, run.drop_target_peak_mib), ""],
            ["after the drags above", f"{peak_after_drags:.1f}", f"{run.minimal_peak_mib:.1f}",
             _ratio(peak_after_drags, run.minimal_peak_mib), ""],
        ]),
        "",
        "Where the memory goes: the minimal program with one more of Quillmarten's parts at "
        "each step (VmHWM)",
        table(["step", "peak MiB", "added"], _ladder_rows(run)),
        "",
        f"Resident memory by mapping, idle Quillmarten against the minimal program (KiB, the "
        f"{MAPPINGS_SHOWN} largest differences)",
        table(["mapping", "Quillmarten", "minimal", "difference"], _mapping_rows(run.mappings)),
        "",
        "The same after the 5 MB drop: what stays resident once the copy is saved and the "
        "notice gone (a peak during the copy shows only in the working set above)",
        table(["mapping", "Quillmarten", "minimal", "difference"],
              _mapping_rows(run.drop_mappings)),
    ]
    return "\n".join(lines)


def _ladder_rows(run):
    rows, before = [], None
    for step, peak in run.ladder + [("Quillmarten itself", run.program_peak_mib)]:
        rows.append([step, f"{peak:.1f}", "" if before is None else f"{peak - before:+.1f}"])
        before = peak
    for step, peak in run.later:
        rows.append([step, f"{peak:.1f}", f"{peak - run.minimal_peak_mib:+.1f} (on the minimal)"])
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
