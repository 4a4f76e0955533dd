#!/usr/bin/env python3
"""Benchmarks of saving a drop, run under Wine with the program's own drop handling (qmbench).
They print figures and never pass or fail on a time:
- a direct save of a large file against cp of the same file on the same disk, in the same run,
  against a native copy that reads and writes as the program does, and against the system's
  CopyFile and the program's copy alone; in wall time and, steadier on a busy machine, CPU
  time; the time the save spends beyond its copy; and a save over an old copy against cp over
  it and against cp beside it, then moved over it;
- a numbered save with 999 numbered copies present: the time beyond the copy itself.
Every side of a comparison starts its clock from the same state of the disk and its cache.
"""

import argparse
import math
import os
import queue
import resource
import shutil
import statistics
import subprocess
import sys
import threading
import time
from pathlib import Path

from harness import settings_file
from harness.wine import Wine, create_prefix
from harness.xserver import VirtualScreen

ROOT = Path(__file__).resolve().parent.parent
CHUNK = 8 * 1024 * 1024
TIMEOUT_S = 600


class Bench:
    def __init__(self, wine, drive_c, exe, out):
        self.wine = wine
        self.drive_c = drive_c
        self.folder = drive_c / "qmbench"
        self.folder.mkdir()
        self.log = out / "qmbench.log"
        shutil.copy2(exe, self.folder / "qmbench.exe")

    def linux(self, windows_path):
        return self.drive_c.joinpath(*windows_path.split("\\")[1:])

    def save(self, mode, windows_file, windows_folder, prepare):
        """Milliseconds from the drop of the file on that folder to the saved notice, wall and
        CPU, then the same two for the copies made inside the save."""
        image = settings_file.image(save_mode=mode, lists=[[("保存先", windows_folder)]])
        (self.folder / "Quillmarten.dat").write_bytes(image)
        return self._timed(prepare, str(mode), windows_file)

    def copy(self, how, windows_from, windows_to, prepare):
        """Milliseconds the same copy takes alone, wall and CPU: by the system's CopyFile
        ("copyfile") or the program's own copy ("copywhole")."""
        return self._timed(prepare, how, windows_from, windows_to)

    def _timed(self, prepare, *args):
        """Starts qmbench and waits until it is ready, runs prepare(), then lets it start its
        clock: Wine's start stays out of the state the copy begins from."""
        with open(self.log, "ab") as log:
            process = subprocess.Popen(["wine", "C:\\qmbench\\qmbench.exe", *args],
                                       env=self.wine.env(), stdin=subprocess.PIPE,
                                       stdout=subprocess.PIPE, stderr=log)
        lines = queue.Queue()
        # A thread reads, so that a qmbench that hangs fails the wait instead of the benchmark.
        threading.Thread(target=read_lines, args=(process.stdout, lines), daemon=True).start()
        try:
            expect_line(lines, "ready", args)
            prepare()
            process.stdin.write(b"go\n")
            process.stdin.flush()
            figures = expect_line(lines, None, args)
            process.wait(timeout=TIMEOUT_S)
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()
        if process.returncode != 0:
            raise RuntimeError(f"qmbench {args} ended with {process.returncode}, see {self.log}")
        return [float(figure) for figure in figures.split()]

    def fresh_folder(self, windows_path):
        path = self.linux(windows_path)
        shutil.rmtree(path, ignore_errors=True)
        path.mkdir(parents=True)
        # Each copy starts with nothing waiting to be written, whatever ran before it.
        os.sync()
        return path


def read_lines(stream, lines):
    for line in stream:
        lines.put(line.decode("ascii").strip())
    lines.put(None)


def expect_line(lines, wanted, args):
    """The next line qmbench prints (that exact line when `wanted` is given)."""
    try:
        line = lines.get(timeout=TIMEOUT_S)
    except queue.Empty:
        raise RuntimeError(f"qmbench {args} printed nothing in {TIMEOUT_S} s") from None
    if line is None:
        raise RuntimeError(f"qmbench {args} ended early")
    if wanted is not None and line != wanted:
        raise RuntimeError(f"qmbench {args} printed {line!r}, not {wanted!r}")
    return line


def write_random(path, size):
    with open(path, "wb") as out:
        for _ in range(size // CHUNK):
            out.write(os.urandom(CHUNK))
        out.write(os.urandom(size % CHUNK))


# cp copies inside the kernel (copy_file_range), one pass over the bytes. No call a Windows
# program has reaches that under Wine: every copy it makes reads the bytes in and writes them
# out. dd with the program's chunk size is that same two-pass copy made natively, the floor
# for a copy that passes through the program.
TWO_PASS_CHUNK = "128K"

# The pairs compared: the side, the floor's side, how the line names the side and the floor.
PAIRS = [
    ("save", "cp", "direct save", "cp's"),
    ("save", "dd", "direct save", "a native read-and-write copy's (dd)"),
    ("dd", "cp", "native read-and-write copy (dd)", "cp's"),
    ("copyWhole", "cp", "copyWhole", "cp's"),
    ("CopyFile", "cp", "CopyFile", "cp's"),
    ("save over", "cp over", "direct save over an old copy", "cp's over it"),
    # The save keeps the old copy until the new one is whole, and so does this floor.
    ("save over", "cp beside", "direct save over an old copy", "cp's beside it, moved over it"),
]


def direct_against_cp(bench, size_mb, repeat):
    source = "C:\\src\\big.bin"
    target = "C:\\dest\\big.bin"
    write_random(bench.linux(source), size_mb * 1024 * 1024)
    ratios = {(side, floor): ([], []) for side, floor, _, _ in PAIRS}
    beyond = ([], [])

    # Every side of a pair starts from the same state, with nothing waiting to be written: the
    # last side's copy just removed, or an old copy in place to be replaced. Freed memory is
    # cheap to fill again only for a while (on a virtual machine the host takes it back), so
    # Wine's start must not come between the removal and the copy.
    def fresh():
        bench.fresh_folder("C:\\dest")

    def old():
        if not bench.linux(target).exists():
            shutil.copyfile(bench.linux(source), bench.linux(target))
        os.sync()

    def native(command, prepare):
        prepare()
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        started = time.monotonic()
        subprocess.run(command, check=True)
        wall = (time.monotonic() - started) * 1000
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu = (after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime) * 1000
        return wall, cpu

    def cp(prepare):
        return native(["cp", str(bench.linux(source)), str(bench.linux(target))], prepare)

    def cp_beside():
        beside = bench.linux("C:\\dest\\beside.bin")
        return native(["sh", "-c", 'cp "$1" "$2" && mv "$2" "$3"', "cp beside",
                       str(bench.linux(source)), str(beside), str(bench.linux(target))], old)

    def dd():
        return native(["dd", f"if={bench.linux(source)}", f"of={bench.linux(target)}",
                       f"bs={TWO_PASS_CHUNK}", "status=none"], fresh)

    def save():
        wall, cpu, copy_wall, copy_cpu = bench.save(0, source, "C:\\dest", fresh)
        beyond[0].append(wall - copy_wall)
        beyond[1].append(cpu - copy_cpu)
        return wall, cpu

    # So that the first side too has a copy to remove.
    cp(fresh)
    for run in range(1, repeat + 1):
        # Every other run the other way round, so that neither always follows the other.
        order = [("cp", lambda: cp(fresh)), ("dd", dd),
                 ("CopyFile", lambda: bench.copy("copyfile", source, target, fresh)),
                 ("copyWhole", lambda: bench.copy("copywhole", source, target, fresh)),
                 ("save", save), ("cp over", lambda: cp(old)), ("cp beside", cp_beside),
                 ("save over", lambda: bench.save(0, source, "C:\\dest", old)[:2])]
        timed = dict((name, measure()) for name, measure in order[::1 if run % 2 else -1])
        for (side, floor), (walls, cpus) in ratios.items():
            (wall, cpu), (floor_wall, floor_cpu) = timed[side], timed[floor]
            walls.append(floor_wall / wall)
            # A short copy can take less CPU than the clock's step: no figure, not a crash.
            cpus.append(floor_cpu / cpu if cpu else math.nan)
        print(f"bench: copy of {size_mb} MB, run {run}, ms wall/CPU: " + ", ".join(
            f"{name} {wall:.0f}/{cpu:.0f}" for name, (wall, cpu) in timed.items()) +
            f" (the save beyond its copy {beyond[0][-1]:.0f}/{beyond[1][-1]:.0f})", flush=True)
    for side, floor, label, floor_words in PAIRS:
        wall, cpu = ratios[(side, floor)]
        goal = " (goal >= 0.9)" if (side, floor) == ("save", "cp") else ""
        print(f"bench: {label} of {size_mb} MB, speed against {floor_words}, median of {repeat} "
              f"(range): wall {statistics.median(wall):.2f} "
              f"({min(wall):.2f}-{max(wall):.2f}), CPU {statistics.median(cpu):.2f} "
              f"({min(cpu):.2f}-{max(cpu):.2f}){goal}", flush=True)
    print(f"bench: direct save of {size_mb} MB beyond its copy (the name, the notice), ms, "
          f"median of {repeat} (range): wall {statistics.median(beyond[0]):.1f} "
          f"({min(beyond[0]):.1f} to {max(beyond[0]):.1f}), CPU {statistics.median(beyond[1]):.1f} "
          f"({min(beyond[1]):.1f} to {max(beyond[1]):.1f})", flush=True)
    shutil.rmtree(bench.linux("C:\\dest"))


def numbered_beyond_the_copy(bench, repeat):
    source = "C:\\src\\photo.jpg"
    write_random(bench.linux(source), 200 * 1024)
    taken = bench.fresh_folder("C:\\taken")
    for name in ["photo.jpg"] + [f"photo{n}.jpg" for n in range(999)]:
        (taken / name).write_bytes(b"taken")

    # The last run's copy went to the one free number: free it again.
    def last_number_free():
        (taken / "photo999.jpg").unlink(missing_ok=True)
        os.sync()

    for run in range(1, repeat + 1):
        wall, _, copy_wall, _ = bench.save(1, source, "C:\\taken", last_number_free)
        print(f"bench: numbered save with 999 numbered copies present, run {run}: "
              f"{wall:.1f} ms, its copy {copy_wall:.1f} ms, beyond the copy "
              f"{wall - copy_wall:.1f} ms (goal <= 50)", flush=True)


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
        bench = Bench(wine, prefix / "drive_c", args.bench, out)
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
