"""Each dialog opened from the tray, photographed for the README, with no taskbar button."""

from harness import settings_file
from harness.cases import case
from harness.dialog import TOOLTIP_CLASS, Dialog
from harness.scenarios_support import expect_no_taskbar_button
from harness.tray import Tray
from harness.waits import wait_until

PREPARED = settings_file.image(last_list=2, lists=[settings_file.folders(4, n) for n in (1, 2, 3)],
                               sound="C:\\音\\保存.wav")


@case("dialogs_as_the_user_sees_them", settings=PREPARED)
def dialogs_as_the_user_sees_them(session):
    app = session.start_app()
    tray = Tray(session, app)

    tray.choose("保存先フォルダ登録(&M)...")
    editor = Dialog(session, app, "TForm2")
    session.screenshot("folder-editor")
    expect_no_taskbar_button(session, app)
    editor.click("参照...")
    chooser = Dialog(session, app, "#32770", title="ディレクトリの選択")
    session.screenshot("folder-chooser")
    expect_no_taskbar_button(session, app)
    chooser.click("キャンセル")
    app.wait_no_window("#32770")
    editor.click("キャンセル")
    app.wait_no_window("TForm2")

    tray.choose("プロパティ(&P)...")
    properties = Dialog(session, app, "TForm5")
    session.screenshot("properties")
    expect_no_taskbar_button(session, app)
    # The hint of the button under the pointer comes up after a moment.
    session.input.move(*properties.button("参照...").centre)
    wait_until("the browse button's hint", lambda: app.find(TOOLTIP_CLASS, visible=True),
               timeout=10)
    properties.click("キャンセル")
    app.wait_no_window("TForm5")

    tray.choose("バージョン情報(&V)...")
    Dialog(session, app, "TForm3")
    session.screenshot("about")
    expect_no_taskbar_button(session, app)
