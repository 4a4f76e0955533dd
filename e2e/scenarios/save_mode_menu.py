"""Choosing a save mode or a size in the tray menu rewrites the settings file, once."""

from dataclasses import dataclass
from typing import Optional

from harness import settings_file
from harness.cases import table
from harness.message_box import MessageBox
from harness.tray import Tray
from harness.waits import expect, wait_until

PREPARED = settings_file.image(
    save_mode=1, size=2, switch_flags=0x30, last_list=4,
    lists=[settings_file.folders(12, n) for n in range(1, 6)],
    sound="C:\\音\\保存.wav", reserved=bytes(range(1, 11)))

KEPT_FORMAT = bytes([1]) + bytes(9)


def replace_header(image, header):
    return header + image[settings_file.HEADER_SIZE:]


@dataclass(frozen=True)
class Choice:
    name: str
    settings: Optional[bytes]
    path: tuple
    expected: bytes


CHOICES = [
    # No file yet: the editor's lists are empty, so the new file holds only the header.
    Choice("overwrite_without_file", None, ("保存モード", "上書き"),
           settings_file.image(save_mode=0, size=0)),
    # Folder lists, sound path and save format (byte 6, here 1) come back unchanged; the nine
    # reserved bytes are written as zero.
    Choice("enter_file_name", PREPARED, ("保存モード", "ファイル名入力"),
           replace_header(PREPARED, settings_file.header(2, 2, 0x30, 4, KEPT_FORMAT))),
    Choice("normal_size", PREPARED, ("ドロップウィンドウサイズ", "普通"),
           replace_header(PREPARED, settings_file.header(1, 1, 0x30, 4, KEPT_FORMAT))),
]


def file_state(session):
    path = session.settings_path
    if not path.exists():
        return None
    stat = path.stat()
    return stat.st_ino, stat.st_mtime_ns, path.read_bytes()


def settled_file_state(session):
    """The file once two looks in a row agree, so a write in progress is not judged."""
    last = [None]

    def settled():
        state = file_state(session)
        unchanged = state == last[0]
        last[0] = state
        return unchanged and state

    return wait_until("the settings file to settle", settled, timeout=5)


def choose_and_check(session, choice):
    app = session.start_app()
    if choice.settings is None:
        MessageBox(session, app, "Quillmarten").click("OK")
    tray = Tray(session, app)
    before = file_state(session)

    tray.choose(*choice.path, when_open=lambda: session.screenshot("tray-menu"))

    wait_until("the settings file to be rewritten", lambda: file_state(session) != before)
    written = settled_file_state(session)
    data = written[2]
    expect(len(data) == settings_file.FILE_SIZE, f"the settings file has {len(data)} bytes")
    expect(data[:16] == choice.expected[:16],
           f"the file starts {data[:16].hex(' ')}, expected {choice.expected[:16].hex(' ')}")
    expect(data == choice.expected, "the folder lists or the sound path changed on the way")

    # The item now carries the check mark: choosing it again must not touch the file.
    tray.choose(*choice.path)
    # Once the menu opens again the program has handled the earlier click.
    tray.open_menu()
    tray.close_menu()
    expect(file_state(session) == written, "choosing the checked item again rewrote the file")
    contents = session.folder_contents()
    expect(contents == ["Quillmarten.dat", "Quillmarten.exe"],
           f"the program folder holds {contents}")


table("tray_choice_saves", CHOICES, choose_and_check)
