#!/usr/bin/env python3
"""Checks the release zip: one folder holding Quillmarten.exe and readme.txt, the readme in
code page 932 with CRLF line ends, with the user's sections and naming what a user needs.
Prints "package: ok" or the problems and exits non-zero."""

import sys
import zipfile
from pathlib import Path

FOLDER = "Quillmarten-2.3-win64/"
EXPECTED = {FOLDER + "Quillmarten.exe", FOLDER + "readme.txt"}
# What a newcomer needs before anything else, within the first screen of a text editor: how the
# window is brought up and what to do when it does not come.
FIRST_SCREEN_LINES = 25
FIRST_SCREEN = ("【すぐに使うには】", "【一覧が出ないときは】")
# The user's sections, in this order, as in the README.
SECTIONS = ("■ 入手と起動", "■ 使い方", "■ 困ったとき", "■ アンインストール")
# What the sections must speak of: starting, the settings file, the tray menu, registering, the
# three ways the window comes, the keys during a drag, the three save modes, the notice and the
# sound, a browser run as administrator, the hidden tray icon, removing the folder.
TOPICS = ("Quillmarten.exe", "Quillmarten.dat", "設定ファイルが見つかりません。",
          "保存先フォルダ登録(&M)...", "確　定", "出現スイッチ", "画面端", "Ctrl", "F12",
          "マウスジェスチャ", "Tab", "Shift", "上書き", "別名保存", "ファイル名入力", "保存しました",
          "画像保存音", "管理者", "^", "フォルダごと削除")


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
    yield from missing_sections(text)
    for topic in TOPICS:
        if topic not in text:
            yield f"readme.txt does not mention {topic!r}"


def missing_sections(text):
    lines = text.splitlines()
    for heading in FIRST_SCREEN:
        if heading not in lines[:FIRST_SCREEN_LINES]:
            yield f"readme.txt does not have {heading!r} in its first {FIRST_SCREEN_LINES} lines"
    found = [lines.index(heading) if heading in lines else -1 for heading in SECTIONS]
    for heading, at in zip(SECTIONS, found):
        if at < 0:
            yield f"readme.txt has no section {heading!r}"
    if -1 not in found and found != sorted(found):
        yield f"readme.txt has its sections out of order: expected {SECTIONS}"


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
