#!/usr/bin/env python3
"""A 12-megapixel WebP dragged as a virtual file and saved as PNG and as JPEG: the program's
conversion timed by its own moments, against Debian's dwebp decoding the same file natively in
the same run, and the program's working set during and after it against the minimal program.

- The picture: ImageMagick's plasma, enlarged and given a little noise so that it compresses
  like a photograph, written by cwebp as a lossy WebP (quality 80), as sites serve pictures.
- dwebp, natively: to PNG (decode, encode and write), and to PAM (decode and write, the decode
  alone as near as a file allows), wall time of the whole command; dwebp's own decode timer too.
  ImageMagick's WebP to JPEG (quality 90, one thread) stands beside the JPEG conversion: dwebp
  writes no JPEG.
- The program: converting > decoded > converted, written by the converter as they happen
  (Win32DropMoments) and read by qmprobe debugwatch; one program per format, dropped on again
  and again, the first conversion of a run (libraries loaded on it) apart from the rest.
- Memory: VmHWM and VmRSS of the Wine process (/proc/PID/status). Wine's own
  GetProcessMemoryInfo for another process asks its server, which reads these same two lines
  (PeakWorkingSetSize, WorkingSetSize), so they are the working set a Windows tool would show;
  the watcher benchmark reads them the same way. The resident memory is also sampled every 5 ms,
  for its largest value between converting and converted.

It prints figures and judges nothing.
"""

import argparse
import re
import shutil
import statistics
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent))

import procfs  # noqa: E402
from figures import table  # noqa: E402
from idle import DROP_TARGET_STEP, MINIMAL, MINIMAL_CLASS, MINIMAL_EXE, SETTLE_S  # noqa: E402
from resident_samples import ResidentSamples  # noqa: E402
from running import Program, Running  # noqa: E402
from tick_gaps import WATCHER_TICK_MS, gaps_across, wait_tick_after, wait_ticking  # noqa: E402
from harness.debug_watch import DebugWatch  # noqa: E402
from harness.session import Session  # noqa: E402
from harness.waits import wait_until  # noqa: E402
from harness.wine import create_prefix  # noqa: E402
from scenarios.save_formats import AS_IS, JPEG, PNG, settings  # noqa: E402
from scenarios.virtual_drops import VirtualDrag, expect_dropped  # noqa: E402

WIDTH, HEIGHT = 4000, 3000
QUICK_WIDTH, QUICK_HEIGHT = 1600, 1200
WEBP_QUALITY = "80"
JPEG_QUALITY = "90"
SIGNATURES = {PNG: b"\x89PNG\r\n\x1a\n", JPEG: b"\xff\xd8\xff"}
# How a whole file of the format ends: its last chunk, its end-of-image marker.
ENDINGS = {PNG: b"IEND\xaeB`\x82", JPEG: b"\xff\xd9"}
FORMAT_NAMES = {AS_IS: "as it is", PNG: "PNG", JPEG: "JPEG"}
GOAL = 1.5
# Today the picture is converted inside Drop, and a PNG of 12 megapixels takes seconds there.
CONVERSION_ALLOWANCE_MS = 120000
# After the last drop: the notice gone and the save's buffers let go.
AFTER_S = 3.0


def run(*command):
    subprocess.run(command, check=True, capture_output=True)


def make_webp(folder, width, height):
    folder.mkdir(parents=True, exist_ok=True)
    picture = folder / "picture.ppm"
    webp = folder / "photo.webp"
    run("convert", "-size", f"{width // 4}x{height // 4}", "-seed", "7", "plasma:", "-resize",
        f"{width}x{height}!", "-attenuate", "0.3", "+noise", "Gaussian", str(picture))
    run("cwebp", "-quiet", "-q", WEBP_QUALITY, str(picture), "-o", str(webp))
    picture.unlink()
    return webp


def timed_ms(*command):
    """Wall milliseconds of a command, and what it printed on stderr."""
    started = time.perf_counter()
    done = subprocess.run(command, check=True, capture_output=True, text=True)
    return (time.perf_counter() - started) * 1000, done.stderr


@dataclass
class Native:
    to_png: list = field(default_factory=list)
    to_pam: list = field(default_factory=list)
    decode_timer: list = field(default_factory=list)  # dwebp -v: "Time to decode picture"
    to_jpeg: list = field(default_factory=list)  # ImageMagick, one thread


def native_run(webp, folder, figures):
    """One run of each native command, the outputs written beside the WebP and removed."""
    png, pam, jpeg = (folder / f"native.{suffix}" for suffix in ("png", "pam", "jpg"))
    figures.to_png.append(timed_ms("dwebp", str(webp), "-o", str(png))[0])
    ms, said = timed_ms("dwebp", "-v", str(webp), "-pam", "-o", str(pam))
    figures.to_pam.append(ms)
    figures.decode_timer.append(float(re.search(r"decode picture: ([0-9.]+)s", said)[1]) * 1000)
    figures.to_jpeg.append(timed_ms("convert", "-limit", "thread", "1", str(webp), "-quality",
                                    JPEG_QUALITY, str(jpeg))[0])
    for output in (png, pam, jpeg):
        output.unlink()


@dataclass
class Drop:
    decode: float  # converting > decoded, ms
    encode: float  # decoded > converted: encoded and parked
    convert: float  # converting > converted
    reached_to_copied: float
    longest_gap: float  # between two ticks of the watcher, from reached to copied
    largest_resident: float  # MiB sampled during the conversion


@dataclass
class FormatRun:
    save_format: int
    drops: list = field(default_factory=list)
    idle_peak: float = 0.0  # VmHWM before the first drop
    first_peak: float = 0.0  # VmHWM once the first drop is saved
    last_peak: float = 0.0  # and once every drop is
    after: float = 0.0  # VmRSS AFTER_S after the last drop
    minimal_peaks: dict = field(default_factory=dict)  # label: VmHWM, measured in the session


def moments_since(debug, count, name):
    """The drop's moments after the first `count`, once one of them is `name`."""
    return wait_until(f"the program's moment {name!r}", lambda: (
        lambda new: new if any(m.name == name for m in new) else None)(
            debug.moments()[count:]), timeout=60)


def one_drop(session, drag, debug, samples, data, number):
    log_dir = session.work_dir / f"drop-{number}"
    log_dir.mkdir()
    before = len(debug.moments())
    _, result = drag.drag(drag.virtual_file("photo.webp", data), log_dir=log_dir,
                          drop_ms=CONVERSION_ALLOWANCE_MS)
    expect_dropped(result)
    moments = moments_since(debug, before, "copied")
    at = {}
    for moment in moments:
        at.setdefault(moment.name, moment.us)
    ticks = wait_tick_after(debug, at["copied"])
    gaps = gaps_across(ticks, at["reached"], at["copied"])
    drag.app.wait_no_window("TForm4", timeout=10)

    def ms(first, second):
        return (at[second] - at[first]) / 1000 if first in at and second in at else 0.0

    resident = samples.largest_between(at.get("converting", 0), at.get("converted", 0))
    return Drop(ms("converting", "decoded"), ms("decoded", "converted"),
                ms("converting", "converted"), ms("reached", "copied"),
                max(gap.ms for gap in gaps), resident or 0.0)


def expect_saved(drag, save_format, drops):
    saved = sorted(drag.folders[1].iterdir())
    if len(saved) != drops:
        raise RuntimeError(f"{len(saved)} files saved for {drops} drops: "
                           f"{[path.name for path in saved]}")
    signature = SIGNATURES.get(save_format, b"RIFF")
    for path in saved:
        data = path.read_bytes()
        if not data.startswith(signature):
            raise RuntimeError(f"{path.name} is not saved as {FORMAT_NAMES[save_format]}")
        if not data.endswith(ENDINGS.get(save_format, b"")):
            raise RuntimeError(f"{path.name} does not end as a whole {FORMAT_NAMES[save_format]}")


def minimal_peaks(session, build):
    """The minimal program, and the same with an OLE drop target, idle: their peaks."""
    shutil.copy2(build / MINIMAL_EXE, session.folder / MINIMAL_EXE)
    label, exe, words = DROP_TARGET_STEP
    with Running(session, MINIMAL) as minimal, \
            Running(session, Program(exe, MINIMAL_CLASS), words) as target:
        time.sleep(SETTLE_S)
        return {"the minimal program": procfs.peak_resident_mib(minimal.pid),
                "with an OLE drop target": procfs.peak_resident_mib(target.pid)}


def format_run(session, build, save_format, data, drops, with_minimal):
    found = FormatRun(save_format)
    session.write_settings(settings(save_format))
    if with_minimal:
        found.minimal_peaks = minimal_peaks(session, build)
    drag = VirtualDrag(session)
    pid = drag.app.process_id
    debug = DebugWatch(session, session.work_dir / "debug-watch.out", seconds=3600)
    samples = ResidentSamples(pid)
    try:
        wait_ticking(debug)
        time.sleep(SETTLE_S)
        found.idle_peak = procfs.peak_resident_mib(pid)
        for number in range(drops):
            found.drops.append(one_drop(session, drag, debug, samples, data, number))
            if number == 0:
                found.first_peak = procfs.peak_resident_mib(pid)
            print(f"bench: {FORMAT_NAMES[save_format]}, drop {number + 1}: {found.drops[-1]}",
                  flush=True)
        found.last_peak = procfs.peak_resident_mib(pid)
        time.sleep(AFTER_S)
        found.after = procfs.resident_mib(pid)
    finally:
        samples.close()
        debug.close()
    expect_saved(drag, save_format, drops)
    return found


def figure(values):
    if not values:
        return "-"
    median = statistics.median(values)
    if len(values) == 1:
        return f"{median:.0f}"
    return f"{median:.0f} ({min(values):.0f}-{max(values):.0f})"


def ratio(value, floor):
    return f"{value / floor:.2f}x" if floor else "-"


def report(native, runs, width, height, webp_bytes):
    png, pam = statistics.median(native.to_png), statistics.median(native.to_pam)
    jpeg = statistics.median(native.to_jpeg)
    lines = [
        f"A {width}x{height} lossy WebP (cwebp -q {WEBP_QUALITY}, {webp_bytes / 1e6:.2f} MB) "
        "dropped as a virtual file",
        "",
        f"Native, ms, median (range) of {len(native.to_png)} runs",
        table(["", "ms"], [
            ["dwebp to PNG (wall)", figure(native.to_png)],
            ["dwebp to PAM (wall): the decode alone", figure(native.to_pam)],
            ["dwebp's own decode timer", figure(native.decode_timer)],
            ["ImageMagick WebP to JPEG q90, one thread (wall)", figure(native.to_jpeg)],
        ]),
        "",
        "The program's conversion, ms, from its own moments (first: the first conversion of the "
        "run; then: the median (range) of the rest); goal: at most "
        f"{GOAL}x dwebp's time",
    ]
    rows = []
    for found in runs:
        if found.save_format == AS_IS:
            continue
        floor = png if found.save_format == PNG else jpeg
        for label, drops in (("first", found.drops[:1]), ("then", found.drops[1:])):
            if not drops:
                continue
            convert = statistics.median(drop.convert for drop in drops)
            decode = statistics.median(drop.decode for drop in drops)
            rows.append([f"{FORMAT_NAMES[found.save_format]}, {label}",
                         figure([drop.decode for drop in drops]),
                         figure([drop.encode for drop in drops]),
                         figure([drop.convert for drop in drops]),
                         ratio(convert, png), ratio(decode, pam),
                         ratio(convert, floor) if found.save_format == JPEG else ""])
    lines.append(table(["", "decode", "encode+park", "conversion", "/ dwebp PNG",
                        "decode / dwebp PAM", "/ ImageMagick JPEG"], rows))
    lines += ["", "The whole drop, ms: reached > copied, and the longest gap between two ticks "
              f"of the {WATCHER_TICK_MS} ms watcher in it"]
    lines.append(table(["", "reached>copied", "longest tick gap"], [
        [FORMAT_NAMES[found.save_format], figure([d.reached_to_copied for d in found.drops]),
         figure([d.longest_gap for d in found.drops])] for found in runs]))
    lines += ["", "Working set, MiB (VmHWM peak, VmRSS now; /proc/PID/status)"]
    minimal = next((found.minimal_peaks for found in runs if found.minimal_peaks), {})
    floor = minimal.get("the minimal program", 0.0)
    rows = [[f"{label}, idle (peak)", f"{peak:.1f}", ""] for label, peak in minimal.items()]
    for found in runs:
        name = FORMAT_NAMES[found.save_format]
        during = max((drop.largest_resident for drop in found.drops), default=0.0)
        rows += [
            [f"Quillmarten ({name}), idle (peak)", f"{found.idle_peak:.1f}",
             ratio(found.idle_peak, floor)],
            ["  peak once the first drop is saved", f"{found.first_peak:.1f}",
             ratio(found.first_peak, floor)],
            [f"  peak after {len(found.drops)} drops", f"{found.last_peak:.1f}",
             ratio(found.last_peak, floor)],
        ]
        if found.save_format != AS_IS:
            rows.append(["  largest resident sampled during a conversion", f"{during:.1f}",
                         ratio(during, floor)])
        rows.append([f"  resident {AFTER_S:.0f} s after the last drop", f"{found.after:.1f}",
                     ratio(found.after, floor)])
    lines.append(table(["", "MiB", "/ minimal"], rows))
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    root = HERE.parents[1]
    parser.add_argument("--build", type=Path, default=root / "build" / "windows")
    parser.add_argument("--out", type=Path, default=root / "build" / "bench-conversions")
    parser.add_argument("--runs", type=int, default=5, help="drops per format, native runs")
    parser.add_argument("--quick", action="store_true",
                        help=f"a {QUICK_WIDTH}x{QUICK_HEIGHT} picture, one drop as PNG and one as "
                        "JPEG, to see that it still runs")
    args = parser.parse_args()
    width, height = (QUICK_WIDTH, QUICK_HEIGHT) if args.quick else (WIDTH, HEIGHT)
    runs = 1 if args.quick else args.runs
    out = args.out.resolve()
    started = time.monotonic()
    webp = make_webp(out / "picture", width, height)
    data = webp.read_bytes()
    base_prefix = create_prefix(out / "prefix-base", out / "prefix.log")
    native = Native()
    found = []
    # The native runs between the program's, so that a busy minute weighs on both.
    # The same drop kept as it is shows what the conversion adds; the smoke goes without it.
    formats = (PNG, JPEG) if args.quick else (AS_IS, PNG, JPEG)
    for number, save_format in enumerate(formats):
        native_run(webp, webp.parent, native)
        name = f"format-{save_format}"
        with Session(name, base_prefix, args.build / "Quillmarten.exe",
                     args.build / "qmprobe.exe", out / name, out / "artefacts") as session:
            found.append(format_run(session, args.build, save_format, data, runs,
                                    with_minimal=number == 0))
    for _ in range(runs - 1):
        native_run(webp, webp.parent, native)
    print()
    print(report(native, found, width, height, len(data)))
    print(f"\nbench: whole run {time.monotonic() - started:.0f} s; logs in {out}")


if __name__ == "__main__":
    main()
