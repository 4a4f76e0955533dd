"""Start-up: one copy at a time, and the first start without a settings file."""

from harness import settings_file
from harness.cases import ANY_WINDOWS, case
from harness.message_box import MessageBox
from harness.tray import Tray
from harness.waits import STARTUP_SECONDS, expect

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
