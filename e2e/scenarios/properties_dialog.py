"""The properties dialog driven with the mouse: its flag byte, its refusal and its Cancel."""

from harness import settings_file
from harness.cases import ANY_WINDOWS, case
from harness.dialog import Dialog
from harness.message_box import MessageBox
from harness.scenarios_support import expect_no_taskbar_button, settled_bytes
from harness.tray import Tray
from harness.waits import expect, wait_until

PROPERTIES = "プロパティ(&P)..."
PREPARED = settings_file.image(save_mode=2, size=1, switch_flags=0x00,
                               lists=[settings_file.folders(3)], sound="C:\\音\\保存.wav")
TOP, L_GESTURE = "上", "LISTの L字  　[↑↓→←]"
SWITCHES = ("上", "下", "左", "右", "Ctrl", "F12", L_GESTURE, "左回りに四角[↓→↑←]")
GESTURE_WARNING = (" このバージョンでは、ファイルをドラッグしたかの判定を\n"
                   " 行っていないので予期しないときにフォルダリストが出て\n"
                   " しまうかも知れません。\n"
                   " うっとうしいときは、またチェックをはずしてください。")


def with_flags(image, flags):
    return image[:4] + bytes([flags]) + image[5:]


def toggle(dialog, caption):
    before = dialog.checked(caption)
    dialog.click(caption)
    wait_until(f"{caption!r} to change", lambda: dialog.checked(caption) != before, timeout=5)


@case("properties_store_the_flag_byte_and_refuse_all_off", settings=PREPARED,
      locales=ANY_WINDOWS)
def properties_store_the_flag_byte_and_refuse_all_off(session):
    app = session.start_app()
    tray = Tray(session, app)
    tray.choose(PROPERTIES)
    dialog = Dialog(session, app, "TForm5")

    toggle(dialog, TOP)
    toggle(dialog, L_GESTURE)
    warning = MessageBox(session, app, "注意")
    expect(GESTURE_WARNING in warning.texts(), f"the warning says {warning.texts()}")
    expect_no_taskbar_button(session, app)
    session.screenshot("gesture-warning")
    warning.click("OK")
    app.wait_no_window("#32770")
    dialog.click("OK")
    app.wait_no_window("TForm5")
    expect(settled_bytes(session) == with_flags(PREPARED, 0x28),
           "OK did not write exactly the flag byte 0x28")

    # Filled from the settings: the gesture tick comes back without a warning.
    tray.choose(PROPERTIES)
    dialog = Dialog(session, app, "TForm5")
    expect(not app.find("#32770", visible=True), "opening the dialog showed a box")
    ticked = [caption for caption in SWITCHES if dialog.checked(caption)]
    expect(TOP not in ticked and L_GESTURE in ticked, f"the dialog opened with {ticked} ticked")
    stored = session.settings_path.stat().st_mtime_ns
    for caption in ticked:
        toggle(dialog, caption)
    dialog.click("OK")
    refusal = MessageBox(session, app, "エラー！")
    expect("すべての出現スイッチを無効にすることはできません" in refusal.texts(),
           f"the refusal says {refusal.texts()}")
    refusal.click("OK")
    app.wait_no_window("#32770")
    expect(app.find("TForm5", visible=True), "the dialog closed after the refusal")

    dialog.click("キャンセル")
    app.wait_no_window("TForm5")
    # The menu opening again shows the program has handled Cancel.
    tray.open_menu()
    tray.close_menu()
    expect(session.settings_path.stat().st_mtime_ns == stored, "the refusal or Cancel wrote")
    expect(settled_bytes(session) == with_flags(PREPARED, 0x28), "the file changed")


SAVE_FORMATS = ("そのまま", "PNG に変換", "JPEG に変換 (品質 90)")


def with_save_format(image, save_format):
    return image[:6] + bytes([save_format]) + image[7:]


@case("properties_store_the_save_format_in_byte_6", settings=PREPARED)
def properties_store_the_save_format_in_byte_6(session):
    app = session.start_app()
    tray = Tray(session, app)
    tray.choose(PROPERTIES)
    dialog = Dialog(session, app, "TForm5")
    chosen = [caption for caption in SAVE_FORMATS if dialog.checked(caption)]
    expect(chosen == ["そのまま"], f"the dialog opened with {chosen} chosen")
    session.screenshot_around(dialog.window.rect, "properties-save-format")

    dialog.click("PNG に変換")
    wait_until("PNG to be chosen", lambda: dialog.checked("PNG に変換"), timeout=5)
    dialog.click("OK")
    app.wait_no_window("TForm5")
    expect(settled_bytes(session) == with_save_format(PREPARED, 1),
           "OK did not write exactly the save format 1 in byte 6")

    # Filled from the settings; Cancel keeps what is stored.
    tray.choose(PROPERTIES)
    dialog = Dialog(session, app, "TForm5")
    chosen = [caption for caption in SAVE_FORMATS if dialog.checked(caption)]
    expect(chosen == ["PNG に変換"], f"the dialog opened again with {chosen} chosen")
    dialog.click("JPEG に変換 (品質 90)")
    wait_until("JPEG to be chosen", lambda: dialog.checked("JPEG に変換 (品質 90)"), timeout=5)
    dialog.click("キャンセル")
    app.wait_no_window("TForm5")
    tray.open_menu()
    tray.close_menu()
    expect(settled_bytes(session) == with_save_format(PREPARED, 1), "Cancel wrote the file")
