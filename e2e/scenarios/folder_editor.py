"""The folder-list editor driven with the mouse and keyboard: folders registered with the folder
chooser and by typing, a list created and deleted, each step checked in the settings file."""

from harness import settings_file
from harness.cases import ANY_WINDOWS, case
from harness.dialog import WS_DISABLED, Dialog
from harness.message_box import MessageBox
from harness.scenarios_support import answer, expect_no_taskbar_button, settled_bytes
from harness.tray import Tray
from harness.waits import expect, wait_until

EDITOR = "保存先フォルダ登録(&M)..."
NEW_FOLDER = "C:\\Quillmarten\\shots\\new"
TYPED = ("写真", "C:\\写真")
EMPTY_LIST_ONE = settings_file.image(save_mode=1, size=0)
# Twelve folders take 12 x 17 pixels, the mode label 14; a second list adds the 21-pixel strip.
TWO_FOLDERS_HEIGHT = 2 * 17 + 14
STRIP_HEIGHT = 21


def drop_window_height(app):
    return app.find("TForm1").client[1]


def register(editor, name, path):
    name_box, path_box = editor.edits()
    editor.type_into(name_box, name)
    editor.type_into(path_box, path)
    before = editor.items(editor.list_box())
    editor.click("登　録")
    wait_until(f"{name!r} in the list", lambda: editor.items(editor.list_box()) == before + [name])


def choose_new_folder(session, app, editor):
    editor.click("参照...")
    chooser = Dialog(session, app, "#32770", title="ディレクトリの選択")
    name_box = chooser.edits()[0]
    expect(chooser.text(name_box) == "C:\\", f"the chooser starts at {chooser.text(name_box)!r}")
    # Into the program's folder through the folder list, then a new folder named relative to it.
    folders = chooser.list_box()
    entries = chooser.items(folders)
    expect("[Quillmarten]" in entries, f"C:\\ shows the folders {entries}")
    session.input.double_click(*session.probe.item_centre(folders, entries.index("[Quillmarten]")))
    wait_until("the chooser to show the program's folder",
               lambda: chooser.text(name_box).lower() == "c:\\quillmarten")
    chooser.type_into(name_box, "shots\\new")
    session.screenshot("folder-chooser")
    expect_no_taskbar_button(session, app)

    chooser.click("OK")
    question = MessageBox(session, app, "確認")
    expect("指定されたディレクトリが存在しません。作成しますか？" in question.texts(),
           f"the chooser asks {question.texts()}")
    answer(question, "いいえ")
    app.wait_no_window("#32770", title="確認")
    expect(app.find("#32770", title="ディレクトリの選択", visible=True),
           "No closed the folder chooser")
    expect(not (session.folder / "shots").exists(), "No made the folder all the same")

    chooser.click("OK")
    answer(MessageBox(session, app, "確認"), "はい")
    app.wait_no_window("#32770")
    # The folder list may spell the program's folder in lower case; Windows paths ignore case.
    chosen = wait_until("the chosen folder in the path box",
                        lambda: chosen_folder(editor))
    expect((session.folder / "shots" / "new").is_dir(), "the new folder was not made")
    return chosen


def chosen_folder(editor):
    name, path = (editor.text(box) for box in editor.edits())
    return path if name == "new" and path.lower() == NEW_FOLDER.lower() else None


@case("folder_editor_registers_creates_and_deletes_lists", settings=EMPTY_LIST_ONE,
      locales=ANY_WINDOWS)
def folder_editor_registers_creates_and_deletes_lists(session):
    app = session.start_app()
    tray = Tray(session, app)
    tray.choose(EDITOR)
    editor = Dialog(session, app, "TForm2")

    new_folder = choose_new_folder(session, app, editor)
    register(editor, "new", new_folder)
    register(editor, *TYPED)
    session.screenshot("folder-editor")

    editor.click("確　定")
    answer(MessageBox(session, app, "確定完了"), "はい")
    app.wait_no_window("TForm2")
    one_list = settings_file.image(lists=[[("new", new_folder), TYPED]])
    expect(settled_bytes(session) == one_list, "the file does not hold the two folders in slots 1, 2")
    wait_until("the drop window to offer two folders",
               lambda: drop_window_height(app) == TWO_FOLDERS_HEIGHT)

    # A second list: confirmed on tab "2", the editor kept open, then deleted again.
    tray.choose(EDITOR)
    editor = Dialog(session, app, "TForm2")
    editor.click("2")
    wait_until("list 2 to be shown", lambda: editor.items(editor.list_box()) == [])
    register(editor, "two", "C:\\two")
    editor.click("確　定")
    answer(MessageBox(session, app, "確定完了"), "いいえ")
    two_lists = settings_file.image(last_list=1,
                                    lists=[[("new", new_folder), TYPED], [("two", "C:\\two")]])
    wait_until("the file to hold list 2", lambda: settled_bytes(session) == two_lists)
    wait_until("tab 3 to become available",
               lambda: not editor.button("3").style & WS_DISABLED)
    expect(drop_window_height(app) == TWO_FOLDERS_HEIGHT + STRIP_HEIGHT,
           f"the drop window is {drop_window_height(app)} pixels high with two lists")

    editor.click("リスト削除")
    answer(MessageBox(session, app, "フォルダリスト削除完了"), "はい")
    app.wait_no_window("TForm2")
    wait_until("the file to lose list 2", lambda: settled_bytes(session) == one_list)
    wait_until("the drop window to lose its tabs",
               lambda: drop_window_height(app) == TWO_FOLDERS_HEIGHT)
