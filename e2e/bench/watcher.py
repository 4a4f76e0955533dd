#!/usr/bin/env python3
"""The drag watcher's benchmark: show and hide latencies over real X drags, idle CPU and peak
memory, each against a minimal program of the same design measured in the same run.

It prints figures and judges nothing: the goals are printed beside them for the reader.
"""

import argparse
import sys
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent))

import idle  # noqa: E402
import latency  # noqa: E402
import report  # noqa: E402
from harness.session import Session  # noqa: E402
from harness.wine import create_prefix  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", type=Path, default=HERE.parents[1] / "build" / "windows",
                        help="folder holding Quillmarten.exe, qmprobe.exe and the bench programs")
    parser.add_argument("--out", type=Path, default=HERE.parents[1] / "build" / "bench",
                        help="folder for the prefix, logs and mappings")
    parser.add_argument("--drags", type=int, default=30)
    parser.add_argument("--idle-seconds", type=float, default=120.0,
                        help="idle CPU time measured, over all rounds")
    parser.add_argument("--idle-rounds", type=int, default=4)
    parser.add_argument("--quick", action="store_true",
                        help="two drags each, one round of a few idle seconds, to see that it "
                        "still runs")
    args = parser.parse_args()
    if args.quick:
        args.drags, args.idle_seconds, args.idle_rounds = 2, 4.0, 1
    out = args.out.resolve()
    started = time.monotonic()
    base_prefix = create_prefix(out / "prefix-base", out / "prefix.log")

    def session(name):
        return Session(name, base_prefix, args.build / "Quillmarten.exe",
                       args.build / "qmprobe.exe", out / name, out / "artefacts")

    with session("latency") as drags:
        latencies = latency.measure(drags, args.build, args.drags)
    print(report.latencies(latencies), flush=True)
    with session("idle") as quiet:
        idle_run = idle.measure(quiet, args.build, args.idle_seconds, args.idle_rounds)
    print()
    print(report.idle(idle_run, latencies.program_peak_mib))
    print(f"\nbench: whole run {time.monotonic() - started:.0f} s; logs in {out}")


if __name__ == "__main__":
    main()
