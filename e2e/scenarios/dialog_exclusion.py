"""While the folder-list editor or the properties dialog is open, the tray commands that would
conflict with it cannot be chosen; the about dialog, starting with Windows and exit always can."""

from harness import settings_file
from harness.cases import case
from harness.dialog import Dialog
from harness.scenarios_support import expect_no_taskbar_button
from harness.tray import START_WITH_WINDOWS, Tray
from harness.waits import STARTUP_SECONDS, Failure, expect, wait_until

EDITOR, SIZE, MODE = "保存先フォルダ登録(&M)...", "ドロップウィンドウサイズ", "保存モード"
PROPERTIES, ABOUT, EXIT = "プロパティ(&P)...", "バージョン情報(&V)...", "終了(&E)"
PREPARED = settings_file.image(lists=[settings_file.folders(2)])


def browser_windows(session):
    return [w for w in session.probe.windows() if w.cls == "IEFrame" and w.visible]


def about_in_front(session, app):
    about = app.find("TForm3", visible=True)
    return about is not None and session.probe.foreground_hwnd() == about.hwnd


def expect_available(tray, expected):
    shown = tray.available_items()
    expect(shown == expected, f"the tray menu offers {shown}, expected {expected}")


@case("open_dialogs_hold_back_conflicting_tray_commands", settings=PREPARED)
def open_dialogs_hold_back_conflicting_tray_commands(session):
    app = session.start_app()
    tray = Tray(session, app)
    before = session.settings_path.read_bytes()

    tray.choose(EDITOR)
    Dialog(session, app, "TForm2")
    expect_available(tray, [EDITOR, ABOUT, START_WITH_WINDOWS, EXIT])
    session.screenshot("tray-menu-with-editor-open")
    # Clicks on the greyed entries do nothing; the about command after them works.
    tray.click_items(SIZE, PROPERTIES, ABOUT)
    about = Dialog(session, app, "TForm3")
    expect(not app.find("TForm5", visible=True), "the properties opened beside the editor")

    # A second time: still the one about window, in front. The menu made the program's hidden
    # owner the foreground window; a click before the command has brought the dialog back to
    # the front can be lost in that change, as a person's could.
    tray.choose(ABOUT)
    wait_until("the about dialog in front", lambda: about_in_front(session, app))
    shown = [w for w in app.windows() if w.cls == "TForm3" and w.visible]
    expect(len(shown) == 1, f"{len(shown)} about windows are shown")
    # The support page opens in Wine's browser, in front; the about dialog stays open under it.
    for opened in (1, 2):
        about.click("サポートページ")
        try:
            wait_until(f"browser window {opened}",
                       lambda: len(browser_windows(session)) == opened,
                       timeout=STARTUP_SECONDS)
        except Failure as failure:
            hidden = [w for w in session.probe.windows() if w.cls == "IEFrame" and not w.visible]
            raise Failure(f"{failure}; hidden browser windows: {len(hidden)}") from None
        expect(app.find("TForm3", visible=True), "the support command closed the about dialog")
        tray.choose(ABOUT)
        wait_until("the about dialog in front", lambda: about_in_front(session, app))
    expect_no_taskbar_button(session, app)
    about.click("閉じる")
    app.wait_no_window("TForm3")
    # The editor's command only brings it to the front, over the browser.
    tray.choose(EDITOR)
    editor = Dialog(session, app, "TForm2")
    wait_until("the editor in front", lambda: session.probe.foreground_hwnd() == editor.window.hwnd)
    editor.click("キャンセル")
    app.wait_no_window("TForm2")

    tray.choose(PROPERTIES)
    Dialog(session, app, "TForm5")
    expect_available(tray, [PROPERTIES, ABOUT, START_WITH_WINDOWS, EXIT])
    tray.click_items(EDITOR, MODE, EXIT)
    code = app.wait_exit(timeout=15)
    expect(code == 0, f"exit with the properties open ended with code {code}")
    expect(session.settings_path.read_bytes() == before, "the settings file changed")
