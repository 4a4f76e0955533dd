#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into OUT/<target>/ (one file per seed).

The settings seeds are whole settings files and their damaged forms: valid files, short files,
out-of-range headers, names and paths without a terminating zero, lone lead bytes at the end of
a field or of the file. The other targets start from a few hand-picked inputs each.
"""
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile

FILE_SIZE = 17796
HEADER = 16
NAME, PATH, SLOT = 32, 260, 292
LIST = SLOT * 12
SOUND = 16 + LIST * 5


def sjis(text):
    return text.encode("cp932")


def slot_at(lst, slot):
    return HEADER + LIST * lst + SLOT * slot


def image(mode=1, size=0, flags=0, last=0, lists=(), sound=b""):
    data = bytearray(FILE_SIZE)
    data[0:6] = struct.pack("<hhBb", mode, size, flags, last)
    for lst, slots in enumerate(lists):
        for i, (name, path) in enumerate(slots):
            at = slot_at(lst, i)
            data[at:at + len(name)] = name
            data[at + NAME:at + NAME + len(path)] = path
    data[SOUND:SOUND + len(sound)] = sound
    return bytes(data)


def settings_seeds():
    one = [(sjis("写真"), sjis("C:\\写真")), (sjis("表示ソ"), sjis("D:\\表\\ソ"))]
    full = [[(sjis("フォルダ%d" % i), sjis("C:\\f%d\\%d" % (k, i))) for i in range(12)]
            for k in range(5)]
    valid = image(2, 1, 0x30, 4, full, sjis("C:\\音\\saved.wav"))
    seeds = {
        "valid-one-list": image(1, 0, 0, 0, [one]),
        "valid-five-full-lists": valid,
        "valid-defaults": image(),
        "empty": b"",
        "one-byte": b"\x02",
        "header-only": valid[:HEADER],
        "header-cut-in-size": valid[:3],
        "first-list-cut": valid[:slot_at(0, 5) + 40],
        "one-byte-short": valid[:-1],
        "longer-than-a-file": valid + b"tail",
        "mode-out-of-range": image(3, 0, 0, 0, [one]),
        "mode-negative": image(-1, 2, 0xCF, 1, [one, one]),
        "size-out-of-range": image(0, 0x7FFF, 0, 0, [one]),
        "last-list-out-of-range": image(1, 1, 0, 5, [one]),
        "last-list-negative": image(1, 1, 0, -128, [one]),
        "reserved-not-zero": valid[:6] + b"\xff" * 10 + valid[HEADER:],
        "lists-beyond-the-last": image(0, 1, 0x01, 1, full),
    }
    unterminated = bytearray(image(0, 2, 0, 1, [one, one]))
    at = slot_at(1, 0)
    unterminated[at:at + NAME] = b"N" * NAME
    unterminated[at + NAME:at + SLOT] = b"P" * PATH
    unterminated[SOUND:] = b"S" * PATH
    seeds["fields-without-zeros"] = bytes(unterminated)
    lone = bytearray(image(1, 0, 0, 2, [one, one, one]))
    at = slot_at(2, 1)
    lone[at:at + NAME] = b"x" * (NAME - 1) + b"\x81"
    lone[at + NAME:at + SLOT] = b"y" * (PATH - 1) + b"\xe0"
    seeds["lone-lead-bytes-at-field-ends"] = bytes(lone)
    seeds["lone-lead-byte-ends-a-short-file"] = bytes(lone[:slot_at(2, 1) + 20]) + b"\x9f"
    leftovers = bytearray(valid)
    at = slot_at(0, 0)
    leftovers[at + 4] = 0  # a short name with the rest of an older one after its zero
    seeds["leftovers-after-zeros"] = bytes(leftovers)
    return seeds


def text_seeds():
    return {
        "ascii": b"\x00" + b"photo[1].jpg",
        "backslash-trail-bytes": b"\x00\x05\x02\x08\\[" + sjis("表示ソ能\\a[1].jpg"),
        "lone-lead-at-end": b"\x00\x01\x01\x03.]" + sjis("写真") + b"\x81",
        "utf8": b"\x01\x02\x02\x04/\\" + "사진[2].png".encode() + b"\xf0\x9f\x98\x80\xe3",
    }


def name_seeds():
    return {
        "browser-cache-name": b"\x00\x01\x00\x00\x00" + b"photo[12].jpeg",
        "trail-byte-brackets": b"\x00\x07\x00\x00\x00" + sjis("ソ[表].tif") + b"]",
        "no-dot": b"\x00\xe7\x03\x00\x00" + b"README[",
        "virtual-path": b"\x01\x00\x00\x00\x00" + "..\\a/b:사진.png".encode(),
        "lone-lead-at-end": b"\x00\x05\x00\x00\x00" + b"a.b[" + b"\x9f",
    }


def placement_seeds():
    def point(y, top, height, filled, trigger, px, py, ml, mt, mw, mh, w, h, hw):
        return struct.pack("<iiiHBiiiiiiiii", y, top, height, filled, trigger, px, py, ml, mt, mw,
                           mh, w, h, hw)
    return {
        "right-edge": point(230, 200, 17, 0x7, 8, 1279, 230, 0, 0, 1280, 1024, 114, 65, 56),
        "at-pointer-above": point(-5, 200, 25, 0xFFF, 2, 600, -50, 0, 0, 1280, 1024, 114, 431, 56),
        "far-outside": point(-2**31, 2**31 - 1, 33, 0x1, 12, -2**31, 2**31 - 1, 0, 0, 1920, 1080,
                             114, 89, 56),
        "second-monitor": point(300, 200, 17, 0x7, 8, 2303, 300, 1280, 0, 1024, 768, 114, 65, 56),
        "monitor-left-of-primary": point(40, 20, 25, 0x3, 1, -1900, -200, -1920, -200, 1920, 1080,
                                         114, 431, 56),
    }


def webp_seeds():
    """WebPs made by Debian's WebP tools from pictures ImageMagick draws, and headers by hand:
    an animated one, one whose extended header announces a profile and EXIF it lacks."""
    extended = b"RIFF\x30\x00\x00\x00WEBPVP8X\x0a\x00\x00\x00"
    seeds = {
        "animated-header": extended + b"\x02" + bytes(9) + b"ANIM\x06\x00\x00\x00" + bytes(6),
        "profile-and-exif-announced": extended + b"\x28" + bytes(9),
    }
    if not (shutil.which("cwebp") and shutil.which("img2webp") and shutil.which("convert")):
        return seeds
    with tempfile.TemporaryDirectory() as folder:
        folder = pathlib.Path(folder)
        first, second = folder / "first.png", folder / "second.png"
        subprocess.run(["convert", "-size", "12x9", "-seed", "3", "plasma:", "-alpha", "set",
                        "-channel", "A", "-evaluate", "set", "60%", f"PNG32:{first}"], check=True)
        subprocess.run(["convert", str(first), "-flop", f"PNG32:{second}"], check=True)
        made = {
            "lossless": ["cwebp", "-quiet", "-lossless", str(first)],
            "lossy-with-alpha": ["cwebp", "-quiet", "-q", "50", str(first)],
            "lossy-without-alpha": ["cwebp", "-quiet", "-q", "50", "-noalpha", str(first)],
            "animated": ["img2webp", "-lossy", str(first), str(second)],
        }
        for name, command in made.items():
            out = folder / f"{name}.webp"
            subprocess.run(command + ["-o", str(out)], check=True, capture_output=True)
            seeds[name] = out.read_bytes()
    return seeds


def main():
    out = pathlib.Path(sys.argv[1])
    targets = {
        "fuzz_settings_round_trip": settings_seeds(),
        "fuzz_cp932": text_seeds(),
        "fuzz_file_names": name_seeds(),
        "fuzz_drop_row_placement": placement_seeds(),
        "fuzz_webp_decode": webp_seeds(),
        # The first byte picks the tab, Confirm or Delete list, and Yes or No.
        "fuzz_folder_list_editor": {
            "%s-%02x" % (name, choice): bytes([choice]) + data
            for name, data in settings_seeds().items()
            for choice in (0x01, 0x05, 0x13, 0x10, 0x16)
        },
    }
    for target, seeds in targets.items():
        folder = out / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in seeds.items():
            (folder / ("seed-" + name)).write_bytes(data)


if __name__ == "__main__":
    main()
