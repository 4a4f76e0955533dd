#!/usr/bin/env python3
"""Checks the release zip: one folder holding Quillmarten.exe and readme.txt, the readme in
code page 932 with CRLF line ends and naming what a user needs. Prints "package: ok" or the
problems and exits non-zero."""

import sys
import zipfile
from pathlib import Path

FOLDER = "Quillmarten-2.3-win64/"
EXPECTED = {FOLDER + "Quillmarten.exe", FOLDER + "readme.txt"}
# What the readme must speak of: start, settings file, the tray menu, the three save modes, the
# appearance switches, uninstalling.
TOPICS = ("Quillmarten.exe", "Quillmarten.dat", "保存先フォルダ登録(&M)...", "上書き", "別名保存",
          "ファイル名入力", "出現スイッチ", "アンインストール", "フォルダごと削除")


def problems(path):
    with zipfile.ZipFile(path) as archive:
        names = {info.filename for info in archive.infolist() if not info.is_dir()}
        if names != EXPECTED:
            yield f"the zip holds {sorted(names)}, expected {sorted(EXPECTED)}"
            return
        exe = archive.read(FOLDER + "Quillmarten.exe")
        readme = archive.read(FOLDER + "readme.txt")
    if exe[:2] != b"MZ":
        yield "Quillmarten.exe is not a Windows program"
    if readme.count(b"\n") != readme.count(b"\r\n") or not readme.endswith(b"\r\n"):
        yield "readme.txt does not end every line with CRLF"
    try:
        text = readme.decode("cp932")
    except UnicodeDecodeError as error:
        yield f"readme.txt is not code page 932: {error}"
        return
    for topic in TOPICS:
        if topic not in text:
            yield f"readme.txt does not mention {topic!r}"


def main():
    path = Path(sys.argv[1] if len(sys.argv) > 1 else "build/windows/Quillmarten-2.3-win64.zip")
    if not path.exists():
        print(f"package: {path} is missing")
        return 1
    found = list(problems(path))
    for problem in found:
        print(f"package: {problem}")
    if not found:
        print(f"package: ok ({path})")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
