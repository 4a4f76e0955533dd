#!/usr/bin/env python3
"""Drops timed from the release to the saved notice and split into their parts, and weighed:
a 5 MB file dropped from an X program (XDND) and through OLE (CF_HDROP), and a 5 MB and a
100 MB image dragged as a virtual file, its contents handed over as an HGLOBAL or an IStream.

The moments line up on one clock, the performance counter, which under Wine is the system's
CLOCK_MONOTONIC_RAW:
- release: the drag tool lets go (qmprobe oledrag), or qmxdnd sends XdndDrop;
- reached, taken, copying, copied, noticed: written by the program to the debug output as they
  happen (Win32DropMoments), read by qmprobe debugwatch;
- mapped: the notice's window mapped on the X screen, which is when the user can see it, told
  by qmxmapped;
- seen: the saved notice seen up by qmprobe watch, polling from inside the desktop: under Wine
  another Windows program is told a window is up a good while after it is on the screen.

It prints figures and judges nothing.
"""

import argparse
import os
import random
import statistics
import subprocess
import sys
from dataclasses import dataclass
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent))

from procfs import peak_resident_mib  # noqa: E402
from harness import settings_file  # noqa: E402
from harness.ole_drag import FileDrop, OleDragSource, VirtualFile, stage_file  # noqa: E402
from harness.debug_watch import DebugWatch  # noqa: E402
from harness.session import Session  # noqa: E402
from harness.waits import wait_until  # noqa: E402
from harness.window_watch import WindowWatch  # noqa: E402
from harness.wine import create_prefix  # noqa: E402
from harness.xdnd import QMXDND  # noqa: E402
from scenarios.drag_watcher import RIGHT_EDGE_X, shown_drop_window, start_drag  # noqa: E402

QMXMAPPED = QMXDND.parent / "qmxmapped"
MB = 1024 * 1024
FOLDER = "C:\\保存\\一"
PANEL = 17
TIMEOUT = 600
ATTEMPTS = 3
MOMENTS = ("reached", "taken", "copying", "copied", "noticed")


@dataclass(frozen=True)
class Row:
    label: str
    size: int
    road: str  # "xdnd", "hdrop", or the virtual file's medium: "hglobal", "istream"


ROWS = (Row("XDND file, 5 MB", 5 * MB, "xdnd"),
        Row("OLE CF_HDROP file, 5 MB", 5 * MB, "hdrop"),
        Row("virtual 5 MB, HGLOBAL", 5 * MB, "hglobal"),
        Row("virtual 5 MB, IStream", 5 * MB, "istream"),
        Row("virtual 100 MB, HGLOBAL", 100 * MB, "hglobal"),
        Row("virtual 100 MB, IStream", 100 * MB, "istream"))


class MissedDrop(Exception):
    pass


class OleRoad:
    """qmprobe oledrag drags a file or a virtual file and lets go over the first panel."""

    def __init__(self, session, row, windows_path):
        self.app = session.start_app()
        self.app.wait_window("TForm1", visible=False, timeout=20)
        offer = (FileDrop(windows_path) if row.road == "hdrop"
                 else VirtualFile("photo.jpg", windows_path, row.road))
        self._source = OleDragSource(session, session.work_dir, offer, offset=PANEL // 2)

    def drop(self):
        """Returns the release's microseconds once the drag is over."""
        result = self._source.drag(timeout=TIMEOUT)
        if result["outcome"] != "drop" or result["effect"] == "0":
            # On a loaded machine the tool's drag loop can see the release before it has
            # taken the pointer onto the window: the drop lands nowhere.
            raise MissedDrop(f"the drag ended with {result.fields}")
        return self._source.log.first("release").us


class MapWatch:
    """qmxmapped on the session's X screen: when each window was mapped, and its place."""

    def __init__(self, session):
        self._log = session.work_dir / "x-mapped.out"
        with open(self._log, "wb") as out:
            self._process = subprocess.Popen([str(QMXMAPPED), str(TIMEOUT * 3)],
                                             env={**os.environ, **session.screen.env()},
                                             stdin=subprocess.DEVNULL, stdout=out)
        wait_until("the X map watch", lambda: "ready" in self._lines(), timeout=30)

    def _lines(self):
        return self._log.read_text().splitlines() if self._log.exists() else []

    def mapped_us(self, rect):
        """When a window with this (left, top, right, bottom) was first mapped."""
        left, top, right, bottom = rect
        place = f"mapped {right - left}x{bottom - top}+{left}+{top}"
        return wait_until(f"the window at {rect} mapped", lambda: next(
            (int(line.split("us=")[1]) for line in self._lines() if line.startswith(place + " ")),
            None), timeout=10)

    def close(self):
        self._process.kill()
        self._process.wait(timeout=10)


class XdndRoad:
    """The button held on a browser's page brings the window up; qmxdnd drops on the panel."""

    def __init__(self, session, linux_path):
        self._session = session
        self._path = linux_path
        self.app, _ = start_drag(session)
        session.input.move(RIGHT_EDGE_X, 300)
        window = shown_drop_window(self.app)
        self._point = (window.rect[0] + 40, window.rect[1] + PANEL // 2)
        session.input.move(*self._point)

    def drop(self):
        try:
            result = self._session.screen.run_x(str(QMXDND), *map(str, self._point),
                                                str(self._path), timeout=TIMEOUT)
        finally:
            self._session.input.button_up()
        words = result.stdout.decode("ascii").split()
        return int(next(word for word in words if word.startswith("us="))[3:])


def wait_moments(debug):
    """Microseconds of each moment of the drop: the first of each, the last copy's end."""
    def found():
        moments = {}
        for moment in debug.moments():
            if moment.name == "copied" or moment.name not in moments:
                moments[moment.name] = moment.us
        return moments if all(name in moments for name in MOMENTS) else None

    return wait_until("the drop's moments", found, timeout=10)


def one_drop(session, row):
    """The moments of one drop in ms from the release, and the program's peak resident MiB."""
    folder = session.folder.parent.joinpath(*FOLDER.split("\\")[1:])
    folder.mkdir(parents=True, exist_ok=True)
    windows_path = stage_file(session, "image.jpg", random.Random(row.size).randbytes(row.size))
    linux_path = session.folder.parent.joinpath(*windows_path.split("\\")[1:])
    road = XdndRoad(session, linux_path) if row.road == "xdnd" else OleRoad(session, row,
                                                                            windows_path)
    debug = DebugWatch(session, session.work_dir / "debug-watch.out", seconds=TIMEOUT * 3)
    watch = WindowWatch(session, "TForm4", session.work_dir / "notice-watch.log",
                        timeout=TIMEOUT)
    maps = MapWatch(session)
    try:
        release = road.drop()
        seen = watch.shown_us(timeout=TIMEOUT)
        mapped = maps.mapped_us(watch.shown().rect)
        moments = wait_moments(debug)
    finally:
        maps.close()
        watch.close()
        debug.close()
    saved = sum(path.stat().st_size for path in folder.iterdir())
    if saved != row.size:
        raise RuntimeError(f"{row.label}: {saved} bytes saved, not {row.size}")
    moments["mapped"] = mapped
    moments["seen"] = seen
    return ({name: (us - release) / 1000 for name, us in moments.items()},
            peak_resident_mib(road.app.process_id))


@dataclass(frozen=True)
class Parts:
    system: float  # release > reached: the drop on its way to the program
    take: float  # reached > taken: a virtual file's bytes cross from the dragging program
    to_copy: float  # taken > copying: the save waits for the window's loop
    copy: float  # copying > copied
    notice: float  # copied > mapped: the notice on the screen
    seen: float  # mapped > seen: until another Windows program of the desktop is told it is up
    total: float  # release > mapped
    ours: float  # reached > mapped, beyond the copy and the bytes crossing (goal <= 15)

    @staticmethod
    def of(ms, virtual):
        take = ms["taken"] - ms["reached"]
        copy = ms["copied"] - ms["copying"]
        return Parts(ms["reached"], take, ms["copying"] - ms["taken"], copy,
                     ms["mapped"] - ms["copied"], ms["seen"] - ms["mapped"], ms["mapped"],
                     ms["mapped"] - ms["reached"] - copy - (take if virtual else 0))


COLUMNS = (("release>reached", "system"), ("reached>taken", "take"), ("taken>copying", "to_copy"),
           ("copying>copied", "copy"), ("copied>mapped", "notice"), ("ours", "ours"),
           ("release>mapped", "total"), ("mapped>seen", "seen"))


def figure(values):
    """The median, with the range when there are several."""
    median = statistics.median(values)
    if len(values) == 1:
        return f"{median:.1f}"
    return f"{median:.1f} ({min(values):.0f}-{max(values):.0f})"


def drop_in_session(build, out, base_prefix, image, row, run):
    """one_drop in a session of its own, again when the drop missed the window."""
    for attempt in range(ATTEMPTS):
        name = f"{row.road}-{row.size // MB}mb-{run}-{attempt}"
        try:
            with Session(name, base_prefix, build / "Quillmarten.exe", build / "qmprobe.exe",
                         out / name, out / "artefacts") as session:
                session.write_settings(image)
                return one_drop(session, row)
        except MissedDrop as missed:
            print(f"bench: {row.label}, run {run + 1}: {missed}; again", flush=True)
    raise RuntimeError(f"{row.label}: {ATTEMPTS} drops in a row missed the window")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    root = HERE.parents[1]
    parser.add_argument("--build", type=Path, default=root / "build" / "windows")
    parser.add_argument("--out", type=Path, default=root / "build" / "bench-virtual")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--quick", action="store_true",
                        help="one run of the 5 MB drops: the figures show it still runs")
    parser.add_argument("--only", default="", help="only the drops whose label holds this text")
    args = parser.parse_args()
    rows = [row for row in ROWS
            if (not args.quick or row.size <= 5 * MB) and args.only in row.label]
    runs = 1 if args.quick else args.runs
    out = args.out.resolve()
    base_prefix = create_prefix(out / "prefix-base", out / "prefix.log")
    image = settings_file.image(save_mode=0, size=0, lists=[[("一", FOLDER)]])
    found = {row: [] for row in rows}
    peaks = {row: [] for row in rows}
    # Run after run through every row, so that a busy minute on the machine weighs on all.
    for run in range(runs):
        for row in rows:
            ms, peak = drop_in_session(args.build, out, base_prefix, image, row, run)
            found[row].append(Parts.of(ms, row.road in ("hglobal", "istream")))
            peaks[row].append(peak)
            print(f"bench: {row.label}, run {run + 1}: " + ", ".join(
                f"{name} {value:.1f}" for name, value in ms.items()) + " ms", flush=True)
    print(f"\nmilliseconds, median (range) of {runs} runs; ours = reached>mapped beyond the copy"
          " and a virtual file's bytes crossing (goal <= 15); mapped>seen is Wine telling other"
          " programs, not the screen")
    print(f"{'drop':25}" + "".join(f"{title:>17}" for title, _ in COLUMNS) + f"{'peak MiB':>10}")
    for row in rows:
        cells = []
        for _, field in COLUMNS:
            cells.append(figure([getattr(part, field) for part in found[row]]))
        print(f"{row.label:25}" + "".join(f"{cell:>17}" for cell in cells) +
              f"{max(peaks[row]):>10.1f}", flush=True)


if __name__ == "__main__":
    main()
