#!/usr/bin/env python3
"""Runs the end-to-end scenarios against a built Quillmarten.exe under Wine in Xvfb.

Each scenario gets a copy of one prefix made for this run, its own X screen and a fresh
program folder. The last line is "e2e: N passed, N failed"; the exit code is 1 when any failed.
"""

import argparse
import importlib
import pkgutil
import shutil
import signal
import sys
import time
import traceback
from pathlib import Path

from harness.cases import CASES
from harness.session import Session
from harness.waits import Failure
from harness.wine import create_prefix, with_dpi

HERE = Path(__file__).resolve().parent


def load_scenarios():
    import scenarios

    for module in pkgutil.iter_modules(scenarios.__path__):
        importlib.import_module(f"scenarios.{module.name}")


def run_case(case, args, base_prefixes, artefacts):
    work_dir = args.out / "cases" / case.name
    base_prefix = base_prefixes[case.dpi]
    with Session(case.name, base_prefix, args.exe, args.probe, work_dir, artefacts,
                 case.monitors, case.locale) as session:
        if case.settings is not None:
            session.write_settings(case.settings)
        try:
            case.steps(session)
        except BaseException as error:
            # Taken first: the screenshot asks the X server, which may be what failed.
            for line in session.diagnosis():
                error.add_note(line)
            try:
                session.screenshot("failure")
            except Exception as shot_error:
                error.add_note(f"no screenshot: {shot_error!r}")
            raise


def end_on_terminate(signum, _frame):
    """A run stopped from outside (the test command's time limit) still undoes each scenario's
    mounts and ends its Wine processes on the way out."""
    raise SystemExit(128 + signum)


def main():
    signal.signal(signal.SIGTERM, end_on_terminate)
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", type=Path, required=True, help="Quillmarten.exe to test")
    parser.add_argument("--probe", type=Path, required=True, help="qmprobe.exe")
    parser.add_argument("--out", type=Path, required=True, help="folder for prefixes and logs")
    parser.add_argument("--only", default="",
                        help="run the cases whose name contains this (or one of several, "
                             "separated by commas)")
    parser.add_argument("--repeat", type=int, default=1, help="run every case this many times")
    args = parser.parse_args()
    args.out = args.out.resolve()
    args.out.mkdir(parents=True, exist_ok=True)
    artefacts = args.out / "artefacts"
    shutil.rmtree(artefacts, ignore_errors=True)

    load_scenarios()
    wanted = args.only.split(",")
    selected = [case for case in CASES if any(part in case.name for part in wanted)]

    started = time.monotonic()
    base_prefix = create_prefix(args.out / "prefix-base", args.out / "prefix.log")
    # Cases on denser screens start from a copy with that density.
    base_prefixes = {None: base_prefix}
    for dpi in sorted({case.dpi for case in selected if case.dpi is not None}):
        base_prefixes[dpi] = with_dpi(base_prefix, args.out / f"prefix-base-{dpi}dpi", dpi)
    print(f"e2e: Wine prefixes made in {time.monotonic() - started:.1f} s", flush=True)

    passed = failed = 0
    for _ in range(args.repeat):
        for case in selected:
            case_started = time.monotonic()
            problem = details = None
            notes = []
            try:
                run_case(case, args, base_prefixes, artefacts)
            except Failure as failure:
                problem, notes = str(failure), getattr(failure, "__notes__", [])
            except Exception as error:
                problem, details = f"error: {error!r}", traceback.format_exc()
            seconds = time.monotonic() - case_started
            if problem is None:
                passed += 1
                print(f"PASS  {case.name}  ({seconds:.1f} s)", flush=True)
            else:
                failed += 1
                print(f"FAIL  {case.name}  ({seconds:.1f} s): {problem}", flush=True)
                for note in notes:
                    print(f"      {note}", flush=True)
                if details:
                    print(details, flush=True)

    print(f"e2e: screenshots and logs in {artefacts} and {args.out / 'cases'}")
    print(f"e2e: whole run {time.monotonic() - started:.1f} s")
    print(f"e2e: {passed} passed, {failed} failed")
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
