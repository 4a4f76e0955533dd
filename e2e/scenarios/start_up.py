"""Start-up: one copy at a time, and the first start without a settings file."""

import shutil

from harness import settings_file
from harness.cases import ANY_WINDOWS, case
from harness.message_box import MessageBox
from harness.tray import Tray
from harness.waits import STARTUP_SECONDS, expect, expect_steady, wait_until

MISSING_FILE_TEXT = "設定ファイルが見つかりません。\n初期値で起動します。"


@case("second_start_exits_with_1", settings=settings_file.image(lists=[settings_file.folders(2)]))
def second_start_exits_with_1(session):
    app = session.start_app()
    tray = Tray(session, app)
    tray.wait_icon()

    code = session.run_second_copy(timeout=STARTUP_SECONDS)

    expect(code == 1, f"the second copy ended with exit code {code}, expected 1")
    expect(app.running(), "the first copy ended when the second started")
    # The first copy still answers its tray icon.
    tray.open_menu()
    tray.close_menu()


@case("missing_settings_file_shows_message_and_writes_nothing", locales=ANY_WINDOWS)
def missing_settings_file(session):
    app = session.start_app()

    box = MessageBox(session, app, "Quillmarten")
    session.screenshot("start-up-message")
    expect(MISSING_FILE_TEXT in box.texts(), f"the message box says {box.texts()}")
    expect(box.buttons() == ["OK"], f"the message box has the buttons {box.buttons()}")
    expect(not box.shows_icon(), "the simple message box shows an icon")

    box.click("OK")

    app.wait_no_window("#32770")
    tray = Tray(session, app)
    # The menu opening proves the program went on past the message.
    tray.open_menu()
    tray.close_menu()
    expect(app.running(), "the program ended after the message")
    contents = session.folder_contents()
    expect(contents == ["Quillmarten.exe"], f"the program folder holds {contents}")


@case("program_in_a_folder_932_cannot_spell_reads_and_writes_its_settings_beside_itself")
def program_in_a_folder_932_cannot_spell(session):
    # A user's folder such as C:\\Users\\김 or C:\\Users\\René.
    folder = session.folder.parent / "김 René"
    folder.mkdir()
    shutil.copy2(session.folder / "Quillmarten.exe", folder / "Quillmarten.exe")
    prepared = settings_file.image(save_mode=1, size=0, lists=[settings_file.folders(2)])
    (folder / "Quillmarten.dat").write_bytes(prepared)
    app = session.start_app(folder)
    tray = Tray(session, app)
    tray.wait_icon()
    expect_steady("a box came up at start: the settings file was not found",
                  lambda: app.find("#32770", visible=True) is None, 1.0)

    tray.choose("保存モード", "上書き")
    expected = settings_file.image(save_mode=0, size=0, lists=[settings_file.folders(2)])
    wait_until("the settings file beside the program to take the new mode",
               lambda: (folder / "Quillmarten.dat").read_bytes() == expected)
    contents = sorted(path.name for path in folder.iterdir())
    expect(contents == ["Quillmarten.dat", "Quillmarten.exe"], f"the program's folder holds {contents}")
