#!/usr/bin/env python3
"""Benchmarks of saving a drop, run under Wine with the program's own drop handling (qmbench).
They print figures and never pass or fail on a time:
- a direct save of a large file against cp of the same file on the same disk, in the same run,
  and against the system's CopyFile; in wall time and, steadier on a busy machine, CPU time;
- a numbered save with 999 numbered copies present: the time beyond the copy itself.
"""

import argparse
import math
import os
import resource
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

from harness import settings_file
from harness.wine import Wine, create_prefix
from harness.xserver import VirtualScreen

ROOT = Path(__file__).resolve().parent.parent
CHUNK = 8 * 1024 * 1024


class Bench:
    def __init__(self, wine, drive_c, exe):
        self.wine = wine
        self.drive_c = drive_c
        self.folder = drive_c / "qmbench"
        self.folder.mkdir()
        shutil.copy2(exe, self.folder / "qmbench.exe")

    def linux(self, windows_path):
        return self.drive_c.joinpath(*windows_path.split("\\")[1:])

    def save(self, mode, windows_file, windows_folder):
        """Milliseconds from the drop of the file on that folder to the saved notice, wall and
        CPU."""
        image = settings_file.image(save_mode=mode, lists=[[("保存先", windows_folder)]])
        (self.folder / "Quillmarten.dat").write_bytes(image)
        return self._timed(str(mode), windows_file)

    def copy(self, how, windows_from, windows_to):
        """Milliseconds the same copy takes alone, wall and CPU: by the system's CopyFile
        ("copyfile") or the program's own copy ("copywhole")."""
        return self._timed(how, windows_from, windows_to)

    def _timed(self, *args):
        # Each copy starts with nothing waiting to be written, whatever ran before it.
        os.sync()
        result = self.wine.run(["C:\\qmbench\\qmbench.exe", *args], timeout=600)
        wall, cpu = result.stdout.decode("ascii").split()
        return float(wall), float(cpu)

    def fresh_folder(self, windows_path):
        path = self.linux(windows_path)
        shutil.rmtree(path, ignore_errors=True)
        path.mkdir(parents=True)
        return path


def write_random(path, size):
    with open(path, "wb") as out:
        for _ in range(size // CHUNK):
            out.write(os.urandom(CHUNK))
        out.write(os.urandom(size % CHUNK))


def direct_against_cp(bench, size_mb, repeat):
    source = "C:\\src\\big.bin"
    write_random(bench.linux(source), size_mb * 1024 * 1024)
    ratios = {"save": ([], []), "copyWhole": ([], []), "CopyFile": ([], [])}

    def cp():
        target = bench.fresh_folder("C:\\dest")
        os.sync()
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        started = time.monotonic()
        subprocess.run(["cp", str(bench.linux(source)), str(target / "big.bin")], check=True)
        wall = (time.monotonic() - started) * 1000
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu = (after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime) * 1000
        return wall, cpu

    def copy(how):
        bench.fresh_folder("C:\\dest")
        return bench.copy(how, source, "C:\\dest\\big.bin")

    def save():
        bench.fresh_folder("C:\\dest")
        return bench.save(0, source, "C:\\dest")

    for run in range(1, repeat + 1):
        # Every other run the other way round, so that neither always follows the other.
        order = [("cp", cp), ("CopyFile", lambda: copy("copyfile")),
                 ("copyWhole", lambda: copy("copywhole")), ("save", save)]
        timed = dict((name, measure()) for name, measure in order[::1 if run % 2 else -1])
        for name, (wall, cpu) in timed.items():
            if name != "cp":
                ratios[name][0].append(timed["cp"][0] / wall)
                # A short copy can take less CPU than the clock's step: no figure, not a crash.
                ratios[name][1].append(timed["cp"][1] / cpu if cpu else math.nan)
        print(f"bench: copy of {size_mb} MB, run {run}, ms wall/CPU: " + ", ".join(
            f"{name} {wall:.0f}/{cpu:.0f}" for name, (wall, cpu) in timed.items()), flush=True)
    for name, (wall, cpu) in ratios.items():
        print(f"bench: {'direct save' if name == 'save' else name} of {size_mb} MB, speed "
              f"against cp's, median of {repeat} (range): wall {statistics.median(wall):.2f} "
              f"({min(wall):.2f}-{max(wall):.2f}), CPU {statistics.median(cpu):.2f} "
              f"({min(cpu):.2f}-{max(cpu):.2f})" + (" (goal >= 0.9)" if name == "save" else ""),
              flush=True)
    shutil.rmtree(bench.linux("C:\\dest"))


def numbered_beyond_the_copy(bench, repeat):
    source = "C:\\src\\photo.jpg"
    write_random(bench.linux(source), 200 * 1024)
    taken = bench.fresh_folder("C:\\taken")
    for name in ["photo.jpg"] + [f"photo{n}.jpg" for n in range(999)]:
        (taken / name).write_bytes(b"taken")
    for run in range(1, repeat + 1):
        bench.fresh_folder("C:\\free")
        single_ms = bench.save(1, source, "C:\\free")[0]
        numbered_ms = bench.save(1, source, "C:\\taken")[0]
        (taken / "photo999.jpg").unlink()
        print(f"bench: numbered save with 999 numbered copies present, run {run}: "
              f"{numbered_ms:.1f} ms, a single copy {single_ms:.1f} ms, beyond the copy "
              f"{numbered_ms - single_ms:.1f} ms (goal <= 50)", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--bench", type=Path, default=ROOT / "build/windows/qmbench.exe")
    parser.add_argument("--out", type=Path, default=ROOT / "build/bench")
    parser.add_argument("--size-mb", type=int, default=256)
    parser.add_argument("--repeat", type=int, default=5)
    parser.add_argument("--quick", action="store_true",
                        help="one run of each with a 16 MB file: the figures show it still runs")
    args = parser.parse_args()
    if args.quick:
        args.size_mb, args.repeat = 16, 1
    out = args.out.resolve()
    shutil.rmtree(out, ignore_errors=True)
    out.mkdir(parents=True)
    prefix = create_prefix(out / "prefix", out / "prefix.log")
    screen = VirtualScreen(out / "xvfb.log")
    wine = Wine(prefix, screen.display)
    try:
        bench = Bench(wine, prefix / "drive_c", args.bench)
        bench.linux("C:\\src").mkdir()
        direct_against_cp(bench, args.size_mb, args.repeat)
        numbered_beyond_the_copy(bench, args.repeat)
    finally:
        wine.shut_down()
        screen.stop()
        shutil.rmtree(out / "prefix", ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
