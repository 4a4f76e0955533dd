#!/usr/bin/env python3
"""Benchmarks of saving a drop, run under Wine with the program's own drop handling (qmbench).
They print figures and never pass or fail on a time:
- a direct save of a large file against cp of the same file on the same disk, in the same run;
- a numbered save with 999 numbered copies present: the time beyond the copy itself.
"""

import argparse
import os
import shutil
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
        """Milliseconds from the drop of the file on that folder to the saved notice."""
        image = settings_file.image(save_mode=mode, lists=[[("保存先", windows_folder)]])
        (self.folder / "Quillmarten.dat").write_bytes(image)
        result = self.wine.run(["C:\\qmbench\\qmbench.exe", str(mode), windows_file],
                               timeout=600)
        return float(result.stdout.decode("ascii").strip())

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
    for run in range(1, repeat + 1):
        target = bench.fresh_folder("C:\\dest")
        started = time.monotonic()
        subprocess.run(["cp", str(bench.linux(source)), str(target / "big.bin")], check=True)
        cp_ms = (time.monotonic() - started) * 1000
        bench.fresh_folder("C:\\dest")
        save_ms = bench.save(0, source, "C:\\dest")
        print(f"bench: direct save of {size_mb} MB, run {run}: {save_ms:.0f} ms, cp {cp_ms:.0f} ms,"
              f" speed {cp_ms / save_ms:.2f} of cp's (goal >= 0.9)", flush=True)
    shutil.rmtree(bench.linux("C:\\dest"))


def numbered_beyond_the_copy(bench, repeat):
    source = "C:\\src\\photo.jpg"
    write_random(bench.linux(source), 200 * 1024)
    taken = bench.fresh_folder("C:\\taken")
    for name in ["photo.jpg"] + [f"photo{n}.jpg" for n in range(999)]:
        (taken / name).write_bytes(b"taken")
    for run in range(1, repeat + 1):
        bench.fresh_folder("C:\\free")
        single_ms = bench.save(1, source, "C:\\free")
        numbered_ms = bench.save(1, source, "C:\\taken")
        (taken / "photo999.jpg").unlink()
        print(f"bench: numbered save with 999 numbered copies present, run {run}: "
              f"{numbered_ms:.1f} ms, a single copy {single_ms:.1f} ms, beyond the copy "
              f"{numbered_ms - single_ms:.1f} ms (goal <= 50)", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--bench", type=Path, default=ROOT / "build/windows/qmbench.exe")
    parser.add_argument("--out", type=Path, default=ROOT / "build/bench")
    parser.add_argument("--size-mb", type=int, default=256)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--quick", action="store_true",
                        help="one run of each with a 16 MB file, to see that it still runs")
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
