"""Faults of the real file system: a read-only settings file (saved from the tray, by Confirm and
by Delete list), a folder nobody may write to, a hidden file in the way of an overwrite, a drive
that fills up and a folder deleted while the drop window is up. Each shows its box, keeps every
file as it was and leaves the program working."""

import shutil
from dataclasses import dataclass
from typing import Callable

from harness import settings_file
from harness.cases import case, table
from harness.debug_watch import DebugWatch
from harness.dialog import Dialog
from harness.file_faults import fill, small_drive, unwritable_folder
from harness.message_box import MessageBox
from harness.scenarios_support import answer
from harness.tray import Tray
from harness.waits import expect, expect_steady, wait_until
from scenarios.drops import (SECOND_ROW, THREE_FOLDERS, Drag, NoticeWatch, content,
                             expect_notice_gone, expect_system_box, settings)
from scenarios.save_mode_menu import PREPARED, file_state
from scenarios.virtual_drops import (VirtualDrag, expect_dropped, image, own_files,
                                     temporary_folders)

READ_ONLY = 0o444
# What Win32 reports for each fault a user meets here.
ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_DISK_FULL = 3, 5, 112


def expect_no_stray_files(session):
    contents = session.folder_contents()
    expect(contents == ["Quillmarten.dat", "Quillmarten.exe"],
           f"the program folder holds {contents}")


EDITOR = "保存先フォルダ登録(&M)..."


def list_names(number):
    return [name for name, _ in settings_file.folders(12, number)]


def shows_list(editor, number):
    """Waits for the editor to show the folders that list `number` has in the prepared file."""
    wait_until(f"the editor to show list {number} as the file holds it",
               lambda: editor.items(editor.list_box()) == list_names(number))


def expect_save_error(session, app, before):
    box = MessageBox(session, app, "SAVE ERROR", timeout=10)
    texts = [text for text in box.texts() if text]
    expect(texts == ["設定を保存できません"], f"the box says {texts}")
    session.screenshot("save-error-box")
    box.click("OK")
    app.wait_no_window("#32770", title="SAVE ERROR")
    expect(file_state(session) == before, "the read-only settings file was changed")
    expect(session.settings_path.stat().st_mode & 0o777 == READ_ONLY,
           "the settings file is no longer read-only")
    expect_no_stray_files(session)


def save_mode_from_the_tray(session, app, tray, before):
    tray.choose("保存モード", "上書き")
    expect_save_error(session, app, before)


def confirm(session, app, tray, before):
    tray.choose(EDITOR)
    editor = Dialog(session, app, "TForm2")
    shows_list(editor, 1)
    editor.click_at(*session.probe.item_centre(editor.list_box(), 0))
    editor.click("削　除")
    wait_until("the first folder to leave the list",
               lambda: editor.items(editor.list_box()) == list_names(1)[1:])
    editor.click("確　定")
    expect_save_error(session, app, before)
    expect_steady("the editor said the list was confirmed",
                  lambda: app.find("#32770", title="確定完了", visible=True) is None, 1.5)
    expect(app.find("TForm2", visible=True), "the editor closed")
    # The unconfirmed change is still there to be thrown away; the lists hold what the file does.
    editor.click("2")
    answer(MessageBox(session, app, "確認画面"), "OK")
    shows_list(editor, 2)
    editor.click("1")
    shows_list(editor, 1)
    editor.click("キャンセル")
    app.wait_no_window("TForm2")


def delete_list(session, app, tray, before):
    tray.choose(EDITOR)
    editor = Dialog(session, app, "TForm2")
    editor.click("2")
    shows_list(editor, 2)
    editor.click("リスト削除")
    answer(MessageBox(session, app, "フォルダリスト削除完了"), "はい")
    expect_save_error(session, app, before)
    # The list the user was told could not be deleted is there, and so are the lists after it.
    expect(app.find("TForm2", visible=True), "the editor closed")
    shows_list(editor, 2)
    editor.click("3")
    shows_list(editor, 3)
    editor.click("5")
    shows_list(editor, 5)
    editor.click("キャンセル")
    app.wait_no_window("TForm2")


@dataclass(frozen=True)
class ReadOnlySave:
    name: str
    settings: bytes
    save: Callable


READ_ONLY_SAVES = [
    ReadOnlySave("save_mode", PREPARED, save_mode_from_the_tray),
    ReadOnlySave("confirm", PREPARED, confirm),
    ReadOnlySave("delete_list", PREPARED, delete_list),
]


def read_only_settings_file(session, row):
    session.settings_path.chmod(READ_ONLY)
    app = session.start_app()
    tray = Tray(session, app)
    before = file_state(session)
    row.save(session, app, tray, before)
    # The program goes on: its menu still opens and closes.
    tray.open_menu()
    tray.close_menu()
    app.expect_running()


table("fault.read_only_settings_file_stays_as_it_was", READ_ONLY_SAVES, read_only_settings_file)


@dataclass(frozen=True)
class Denied:
    name: str
    settings: bytes


DENIED = [
    Denied("overwrite_mode", settings(0)),
    # The numbered search stops at the first error that is not a taken name.
    Denied("numbered_mode", settings(1)),
]


def unwritable_destination(session, row):
    drag = Drag(session)
    (drag.folders[SECOND_ROW] / "photo.jpg").write_bytes(b"old")
    with unwritable_folder(drag.folders[SECOND_ROW]):
        drag.drop(SECOND_ROW, [drag.source("photo.jpg")])
        expect_system_box(session, drag, ERROR_ACCESS_DENIED)
        expect(drag.contents(SECOND_ROW) == {"photo.jpg": b"old"},
               f"the folder holds {sorted(drag.contents(SECOND_ROW))} or its file changed")
    expect(not drag.contents(0) and not drag.contents(2), "another folder got a file")


table("fault.destination_without_write_permission", DENIED, unwritable_destination)

def attributes(session, windows_path):
    """The attribute letters the system's attrib shows for a file."""
    out = session.wine.run(["attrib", windows_path]).stdout
    return out.split(b":\\", 1)[0].decode("ascii", "replace")


@case("fault.hidden_file_is_not_overwritten", settings=settings(0))
def hidden_target(session):
    # The system's copy refuses to replace a hidden file; so does the program, in every way.
    drag = Drag(session)
    target = drag.folders[SECOND_ROW] / "photo.jpg"
    target.write_bytes(b"old")
    windows_target = THREE_FOLDERS[SECOND_ROW][1] + "\\photo.jpg"
    session.wine.run(["attrib", "+h", windows_target])
    expect("H" in attributes(session, windows_target), "attrib could not hide the file")
    before = target.stat()
    drag.drop(SECOND_ROW, [drag.source("photo.jpg")])
    expect_system_box(session, drag, ERROR_ACCESS_DENIED)
    after = target.stat()
    expect(drag.contents(SECOND_ROW) == {"photo.jpg": b"old"},
           f"the folder holds {sorted(drag.contents(SECOND_ROW))} or its file changed")
    expect((after.st_ino, after.st_mtime_ns) == (before.st_ino, before.st_mtime_ns),
           "the hidden file was replaced by another")
    expect("H" in attributes(session, windows_target), "the file is no longer hidden")


SMALL_FOLDER = ("小", "E:\\小")
ON_SMALL_DRIVE = [THREE_FOLDERS[0], SMALL_FOLDER, THREE_FOLDERS[2]]
DRIVE_KIB = 512


@dataclass(frozen=True)
class Full:
    name: str
    settings: bytes
    existing: dict


FULL = [
    Full("numbered_mode_keeps_no_part_of_the_file",
         settings_file.image(save_mode=1, size=0, lists=[ON_SMALL_DRIVE]), {}),
    # Overwriting must not cost the old file when the new one does not fit.
    Full("overwrite_mode_keeps_the_old_file",
         settings_file.image(save_mode=0, size=0, lists=[ON_SMALL_DRIVE]), {"photo.jpg": b"old"}),
]


def full_drive(session, row):
    with small_drive(session, "E", DRIVE_KIB) as drive:
        drag = Drag(session, folders=ON_SMALL_DRIVE)
        for name, data in row.existing.items():
            (drag.folders[SECOND_ROW] / name).write_bytes(data)
        filler = fill(drive, leave_kib=16)
        source = drag.source("photo.jpg")
        drag.drop(SECOND_ROW, [source])
        expect_system_box(session, drag, ERROR_DISK_FULL)
        expect(drag.contents(SECOND_ROW) == row.existing,
               f"the full drive holds {sorted(drag.contents(SECOND_ROW))} after a failed save, "
               f"expected {sorted(row.existing)} as they were")

        # Once there is room again, the same drop saves.
        filler.unlink()
        drag.again()
        watch = NoticeWatch(session)
        try:
            drag.drop(SECOND_ROW, [source])
            watch.shown()
            expect_notice_gone(watch)
        finally:
            watch.close()
        expect(drag.contents(SECOND_ROW) == {"photo.jpg": content("photo.jpg")},
               f"the second drop left {sorted(drag.contents(SECOND_ROW))}, not photo.jpg")
        drag.release()


table("fault.full_drive", FULL, full_drive)


@case("fault.folder_deleted_while_the_window_is_up", settings=settings(1))
def folder_deleted(session):
    drag = Drag(session)
    shutil.rmtree(drag.folders[SECOND_ROW])
    drag.drop(SECOND_ROW, [drag.source("photo.jpg")])
    expect_system_box(session, drag, ERROR_PATH_NOT_FOUND)
    expect(not drag.folders[SECOND_ROW].exists(), "the deleted folder was made again")
    expect(not drag.contents(0) and not drag.contents(2), "another folder got a file")


@case("fault.unannounced_virtual_file_beyond_the_drive_is_refused",
      settings=settings_file.image(save_mode=0, size=0, lists=[ON_SMALL_DRIVE]))
def unannounced_beyond_the_drive(session):
    # A source that announces no size could send bytes without end; what the panel's drive
    # cannot hold is refused as a full disk, and nothing of it stays anywhere.
    with small_drive(session, "E", DRIVE_KIB):
        drag = VirtualDrag(session, folders=ON_SMALL_DRIVE)
        temps = temporary_folders(session)
        moments = DebugWatch(session, session.work_dir / "debug-watch.out")
        data = image("unannounced", 2 * DRIVE_KIB * 1024)
        try:
            _, result = drag.drag(drag.virtual_file("photo.jpg", data, medium="istream",
                                                    announced=False))
            expect_dropped(result)
            box = MessageBox(session, drag.app, "Quillmarten", timeout=10)
            seen = [moment.name for moment in moments.moments()]
        finally:
            moments.close()
        # Refused while the bytes came, not by a copy that ran out of room afterwards.
        expect("copying" not in seen, f"a copy began: the program's moments were {seen}")
        expected = session.probe.system_message(ERROR_DISK_FULL).rstrip(" \r\n.")
        texts = [text for text in box.texts() if text]
        expect(texts == [expected], f"the box says {texts}, expected {[expected]}")
        box.click("OK")
        expect(not drag.contents(SECOND_ROW), f"the drive holds {sorted(drag.contents(SECOND_ROW))}")
        expect(not any(own_files(t) for t in temps), "the program left its bytes in the temporary folder")
