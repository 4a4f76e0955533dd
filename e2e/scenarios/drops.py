"""Real drops on the drop window during a drag: a native XDND source drops files on a folder
panel while the button is held over a browser, and the copy lands by the save mode."""

import os
import random
import wave
from dataclasses import dataclass, field

from harness import probe, settings_file
from harness.browser import Browser
from harness.cases import ANY_WINDOWS, case, table
from harness.debug_watch import DebugWatch, counter_us
from harness.dialog import Dialog
from harness.scenarios_support import answer, settled_bytes
from harness.tray import Tray
from harness.message_box import MessageBox
from harness.waits import expect, expect_steady, wait_until
from harness.window_watch import WindowWatch
from harness.xdnd import drop_files
from scenarios.drag_watcher import HIDDEN_WITHIN, RIGHT_EDGE_X, shown_drop_window, start_drag

SMALL_PANEL = 17
NOTICE_OFFSET = 24
# The notice closes by itself at the eighth 50 ms tick after the save, about 0.4 s. Another
# program is told late that it has gone, the later the busier the machine (docs/testing.md), so
# the deadline only catches a notice that does not go by itself; the count of ticks is the native
# tests' business.
NOTICE_GONE_WITHIN = 5.0
# Long enough for a drop to have been handled and its notice or box to have come up.
QUIET_SECONDS = 1.5

THREE_FOLDERS = [("一", "C:\\保存\\一"), ("二", "C:\\保存\\二"), ("三", "C:\\保存\\三")]
SECOND_ROW = 1
MODE_LABEL_ROW = 3


def settings(save_mode, sound=""):
    return settings_file.image(save_mode=save_mode, size=0, lists=[THREE_FOLDERS], sound=sound)


def linux_path(session, windows_path):
    """Where a path of the prefix ("C:\\..." or another drive) lies on this machine."""
    drive, *names = windows_path.split("\\")
    return (session.wine.prefix / "dosdevices" / drive.lower()).resolve().joinpath(*names)


def content(name):
    return random.Random(name).randbytes(48 * 1024)


class Drag:
    """The registered folders made (all, or the first `made`), the program started, and a drag
    from the browser taken to the right edge, where the drop window is up."""

    def __init__(self, session, made=len(THREE_FOLDERS), folders=THREE_FOLDERS, app=None):
        self.session = session
        self.folders = [linux_path(session, path) for _, path in folders]
        for folder in self.folders[:made]:
            folder.mkdir(parents=True, exist_ok=True)
        if app:
            # The program runs already: a browser's drag begins.
            self.app = app
            self.browser = Browser(session, session.work_dir / "browser.log")
            self.browser.press_on_page()
        else:
            self.app, self.browser = start_drag(session)
        self.bring_up()

    def bring_up(self):
        """Takes the drag to the right edge, where the drop window comes up."""
        self.session.input.move(RIGHT_EDGE_X, 300)
        self.window = shown_drop_window(self.app)

    def again(self):
        """After a release, starts the next drag on the page and brings the window up."""
        self.browser.press_on_page()
        self.bring_up()

    def source(self, name):
        """A file to drag, in a folder of its own."""
        path = linux_path(self.session, "C:\\ブラウザ") / name
        path.parent.mkdir(exist_ok=True)
        path.write_bytes(content(name))
        return path

    def point(self, row):
        return self.window.rect[0] + 40, self.window.rect[1] + row * SMALL_PANEL + SMALL_PANEL // 2

    def drop(self, row, sources):
        point = self.point(row)
        self.session.input.move(*point)
        drop_files(self.session.screen, point, sources)
        return point

    def contents(self, index):
        folder = self.folders[index]
        return {p.name: p.read_bytes() for p in folder.iterdir()} if folder.exists() else {}

    def release(self):
        self.session.input.button_up()
        self.app.wait_no_window("TForm1", timeout=HIDDEN_WITHIN)


def expect_notice(drag, watch, point):
    notice = watch.shown()
    expect(notice.rect[:2] == (point[0], point[1] + NOTICE_OFFSET),
           f"the notice is at {notice.rect[:2]}, expected 24 pixels below the pointer {point}")
    return notice


class NoticeWatch:
    """The saved notice seen from inside the desktop, beside the program's own moments of the
    drop; given a sound file (its Linux path), also when the program first reads it."""

    def __init__(self, session, sound=None):
        self.sound = sound
        self._unread = sound.stat().st_atime_ns if sound else None
        self.moments = DebugWatch(session, session.work_dir / "debug-watch.out")
        self.window = WindowWatch(session, "TForm4", session.work_dir / "notice-watch.log")

    def shown(self):
        return self.window.shown()

    def never_shown(self):
        return self.window.never_shown()

    def sound_read_us(self):
        """When the sound file was first read, on the moments' clock: the file system's note of
        the read itself, not when anyone looked."""
        read = wait_until("the sound file read", lambda: (
            self.sound.stat().st_atime_ns if self.sound.stat().st_atime_ns != self._unread
            else None), timeout=10)
        return counter_us(read)

    def close(self):
        self.window.close()
        self.moments.close()


def expect_notice_gone(watch):
    """The notice as the design fixes it: shown after the copy, gone by itself while the button
    is still held, and the sound, when there is one, played after it. Its moments are the
    program's own; another program is told late that the notice has gone, so the sound's read
    can only be held against the notice's showing."""
    moments = watch.moments.wait_for("noticed")
    names = [moment.name for moment in moments]
    shown = names.index("noticed")
    expect("copied" in names[:shown] and "copying" not in names[shown:],
           f"the notice was shown before the copy was done: {names}")
    noticed = moments[shown].us
    hidden = watch.window.hidden_us()
    seconds = (hidden - noticed) / 1e6
    print(f"      the saved notice was seen gone {seconds:.3f} s after the program showed it "
          f"(seen up for {(hidden - watch.window.shown_us()) / 1e6:.3f} s)")
    expect(seconds < NOTICE_GONE_WITHIN,
           f"the notice was still up {seconds:.3f} s after it was shown")
    if watch.sound:
        read = watch.sound_read_us()
        print(f"      the sound file was read {(read - noticed) / 1e6:.3f} s after the notice "
              f"was shown")
        expect(read > noticed, "the sound file was read before the notice was shown")


@case("drop.road_of_one_drag", settings=settings(1), locales=ANY_WINDOWS)
def road_of_one_drag(session):
    drag = Drag(session)
    source = drag.source("photo.jpg")
    watch = NoticeWatch(session)
    point = drag.point(SECOND_ROW)
    session.input.move(*point)
    session.screenshot_around(drag.window.rect, "drop-window-during-drop")
    try:
        drop_files(session.screen, point, [source])
        expect_notice(drag, watch, point)
        expect(drag.contents(1) == {"photo.jpg": content("photo.jpg")},
               f"the second folder holds {sorted(drag.contents(1))}, not a copy of photo.jpg")
        expect(source.read_bytes() == content("photo.jpg"), "the dropped file changed")
        expect(not drag.contents(0) and not drag.contents(2), "another folder got a file")
        expect_notice_gone(watch)
    finally:
        watch.close()
    drag.release()


@dataclass(frozen=True)
class Save:
    name: str
    settings: bytes
    dropped: tuple
    saved_as: str
    existing: dict = field(default_factory=dict)


SAVES = [
    Save("overwrite_replaces_without_a_question", settings(0), ("photo.jpg",), "photo.jpg",
         {"photo.jpg": b"old"}),
    Save("numbered_after_photo_and_photo0", settings(1), ("photo.jpg",), "photo1.jpg",
         {"photo.jpg": b"old", "photo0.jpg": b"old0"}),
    Save("file_name_mode_saves_a_free_name_directly", settings(2), ("photo.jpg",), "photo.jpg"),
    Save("bracket_clean_up", settings(1), ("image[1].png",), "image.png"),
    # Each of these four ends in the byte of "\".
    Save("japanese_name_with_backslash_trail_bytes", settings(1), ("表ソ十能.jpg",),
         "表ソ十能.jpg"),
    Save("three_files_save_the_first", settings(1), ("a.jpg", "b.jpg", "c.jpg"), "a.jpg"),
    # Names code page 932 cannot spell keep them, on the numbered road too.
    Save("korean_name_numbered", settings(1), ("한국어.png",), "한국어0.png",
         {"한국어.png": b"old"}),
    Save("accent_and_emoji_overwrite", settings(0), ("café😀.png",), "café😀.png",
         {"café😀.png": b"old"}),
]


def save_by_mode(session, row):
    drag = Drag(session)
    for name, data in row.existing.items():
        (drag.folders[1] / name).write_bytes(data)
    sources = [drag.source(name) for name in row.dropped]
    watch = NoticeWatch(session)
    try:
        point = drag.drop(SECOND_ROW, sources)
        expect_notice(drag, watch, point)
        expected = {**row.existing, row.saved_as: content(row.dropped[0])}
        expect(drag.contents(1) == expected,
               f"the second folder holds {sorted(drag.contents(1))}, expected {sorted(expected)} "
               f"with {row.saved_as} a copy of {row.dropped[0]}")
        expect(app_has_no_box(drag), "a box came up for a save that worked")
        expect_notice_gone(watch)
    finally:
        watch.close()
    drag.release()


def app_has_no_box(drag):
    return drag.app.find("#32770", visible=True) is None


table("drop.save", SAVES, save_by_mode)


@case("drop.on_the_mode_label_saves_and_shows_nothing", settings=settings(0))
def on_the_mode_label(session):
    drag = Drag(session)
    watch = NoticeWatch(session)
    try:
        drag.drop(MODE_LABEL_ROW, [drag.source("photo.jpg")])
        expect_steady("a box came up", lambda: app_has_no_box(drag), QUIET_SECONDS)
        expect(watch.never_shown(), "the saved notice came up")
    finally:
        watch.close()
    expect(not any(drag.contents(i) for i in range(3)), "a folder got a file")
    drag.release()


@case("drop.missing_folder_says_so_and_keeps_the_window", settings=settings(0))
def missing_folder(session):
    drag = Drag(session, made=2)
    drag.drop(2, [drag.source("photo.jpg")])
    box = MessageBox(session, drag.app, "Quillmarten", timeout=10)
    expected = session.probe.system_message(3).rstrip(" \r\n.")
    texts = [text for text in box.texts() if text]
    expect(texts == [expected], f"the box says {texts}, expected {[expected]}")
    expect(box.shows_icon(), "the box shows no icon")
    expect(box.buttons() == ["OK"], f"the box has the buttons {box.buttons()}")
    session.screenshot("missing-folder-box")
    # Let go: the window stays while the box is open.
    session.input.button_up()
    expect_steady("the drop window went while the box was open",
                  lambda: drag.app.find("TForm1", visible=True), 0.5)
    box.click("OK")
    drag.app.wait_no_window("TForm1", timeout=HIDDEN_WITHIN)
    expect(not drag.folders[2].exists(), "the missing folder was made")
    expect(not drag.contents(0) and not drag.contents(1), "a folder got a file")


def expect_system_box(session, drag, code):
    """The box naming the system's error, answered after the release, and no box after it; the
    drop window stays until the box is answered."""
    box = MessageBox(session, drag.app, "Quillmarten", timeout=10)
    expected = session.probe.system_message(code).rstrip(" \r\n.")
    texts = [text for text in box.texts() if text]
    expect(texts == [expected], f"the box says {texts}, expected {[expected]} (error {code})")
    session.screenshot(f"error-{code}-box")
    session.input.button_up()
    box.click("OK")
    drag.app.wait_no_window("#32770", title="Quillmarten")
    expect_steady("a second box came up", lambda: drag.app.find("#32770", visible=True) is None,
                  QUIET_SECONDS)
    drag.app.wait_no_window("TForm1", timeout=HIDDEN_WITHIN)


ERROR_SHARING_VIOLATION = 32


@case("drop.file_on_its_own_folder_stays_untouched", settings=settings(0))
def file_on_its_own_folder(session):
    # Overwrite mode would replace the dropped file with a copy of itself; the system's copy
    # refuses that as a file in use, and the file keeps its bytes and its identity.
    drag = Drag(session)
    source = drag.folders[SECOND_ROW] / "photo.jpg"
    source.write_bytes(content("photo.jpg"))
    before = source.stat()
    drag.drop(SECOND_ROW, [source])
    expect_system_box(session, drag, ERROR_SHARING_VIOLATION)
    after = source.stat()
    expect((after.st_ino, after.st_mtime_ns) == (before.st_ino, before.st_mtime_ns),
           "the dropped file was replaced")
    expect(drag.contents(SECOND_ROW) == {"photo.jpg": content("photo.jpg")},
           f"the folder holds {sorted(drag.contents(SECOND_ROW))}")


# The standard save dialog's controls.
FILE_NAME_BOX, FILE_TYPE_LIST, READ_ONLY_BOX = 0x47C, 0x470, 0x410
JPEG_ENTRY = (1, "JPEG(*.jpg;*.jpeg;*.jpe)")


def descendants(probe, window):
    for child in probe.children(window):
        yield child
        yield from descendants(probe, child)


def other_dialog(app, dialog):
    for window in app.windows():
        if window.cls == "#32770" and window.visible and window.hwnd != dialog.hwnd:
            return window
    return None


@case("drop.file_name_dialog_for_a_taken_name", settings=settings(2))
def file_name_dialog(session):
    drag = Drag(session)
    (drag.folders[1] / "photo.jpg").write_bytes(b"old")
    drag.drop(SECOND_ROW, [drag.source("photo.jpg")])
    dialog = drag.app.wait_window("#32770", title="名前を付けて保存", timeout=10)
    # Let go while the dialog is open: the drop window stays until the drop is done.
    session.input.button_up()
    foreground = session.probe.foreground()
    expect(foreground is not None and foreground.hwnd == dialog.hwnd,
           "the dialog is not the foreground window")
    expect(dialog.exstyle & probe.WS_EX_TOPMOST, "the dialog is not topmost")
    expect(dialog.style & probe.WS_THICKFRAME, "the dialog cannot be resized")
    controls = {child.control_id: child for child in session.probe.children(dialog)}
    expect(not controls[READ_ONLY_BOX].visible, "the dialog shows its read-only check box")
    expect(session.probe.combo_selection(controls[FILE_TYPE_LIST]) == JPEG_ENTRY,
           "the JPEG entry is not preselected")
    name_boxes = [c for c in descendants(session.probe, controls[FILE_NAME_BOX]) if c.cls == "Edit"]
    proposed = [session.probe.text(box) for box in name_boxes]
    expect(proposed == ["photo.jpg"], f"the dialog proposes {proposed}")
    expect(drag.app.find("TForm1", visible=True), "the drop window went while the dialog was open")
    session.screenshot("file-name-dialog")

    watch = NoticeWatch(session)
    try:
        # The proposed name in the proposed folder is taken: the dialog asks first.
        session.input.key("Return")
        question = wait_until("the question before replacing",
                              lambda: other_dialog(drag.app, dialog), timeout=10)
        session.screenshot("replace-question")
        session.input.key("Return")
        wait_until("the question answered", lambda: other_dialog(drag.app, dialog) is None)
        expect(question.owner == dialog.hwnd, "the question does not belong to the dialog")
        watch.shown()
        expect(drag.contents(1) == {"photo.jpg": content("photo.jpg")},
               "photo.jpg in the second folder was not replaced by the dropped file")
        expect_notice_gone(watch)
    finally:
        watch.close()
    drag.app.wait_no_window("TForm1", timeout=HIDDEN_WITHIN)


SOUND = "C:\\音\\保存.wav"


def write_wave(path, seconds=0.2, rate=8000):
    """A short silent sound, its last access dated before its last change, so that the file
    system notes the first read even with relatime."""
    path.parent.mkdir(parents=True, exist_ok=True)
    with wave.open(str(path), "wb") as sound:
        sound.setnchannels(1)
        sound.setsampwidth(1)
        sound.setframerate(rate)
        sound.writeframes(bytes([128]) * int(seconds * rate))
    written = path.stat().st_mtime_ns
    os.utime(path, ns=(written - 10**10, written))


@case("drop.save_sound_after_the_notice", settings=settings(1, sound=SOUND))
def save_sound(session):
    # Wine has no audio device here: the sound cannot be heard, only its file be seen read, and
    # the program be seen to go on after playing it.
    write_wave(linux_path(session, SOUND))
    drag = Drag(session)
    watch = NoticeWatch(session, sound=linux_path(session, SOUND))
    try:
        drag.drop(SECOND_ROW, [drag.source("photo.jpg")])
        watch.shown()
        expect_notice_gone(watch)
    finally:
        watch.close()
    drag.app.expect_running()
    expect(drag.contents(1) == {"photo.jpg": content("photo.jpg")}, "the copy is missing")
    # The ticks go on after the sound: the release still hides the window.
    drag.release()


# A folder named in Korean and accented Latin letters, which code page 932 cannot spell.
BEYOND_CP932 = ("사진 café", "C:\\사진 café")
NAMES_FILE = "Quillmarten.names.txt"


def expect_spelt_beside(session, name, path):
    """The settings file holds what 932 makes of the slot; the names file spells it out for
    exactly those bytes."""
    image = settled_bytes(session)
    slot = image[settings_file.LISTS_OFFSET:settings_file.LISTS_OFFSET + settings_file.SLOT_SIZE]
    name_bytes = slot[:settings_file.NAME_SIZE].split(b"\0")[0]
    path_bytes = slot[settings_file.NAME_SIZE:].split(b"\0")[0]
    print(f"      the settings file holds {name_bytes!r} and {path_bytes!r} for {name!r}")
    lines = (session.folder / NAMES_FILE).read_text(encoding="utf-8").splitlines()
    spelt = ["1", "1", name_bytes.hex(), path_bytes.hex(), name, path.replace("\\", "\\\\")]
    expect(lines == ["Quillmarten names 1", "\t".join(spelt)],
           f"the names file reads {lines} beside the slot {name_bytes!r} {path_bytes!r}")


@case("drop.into_a_folder_932_cannot_spell_also_after_a_restart",
      settings=settings_file.image(save_mode=1, size=0))
def into_a_folder_932_cannot_spell(session):
    name, path = BEYOND_CP932
    app = session.start_app()
    tray = Tray(session, app)
    tray.choose("保存先フォルダ登録(&M)...")
    editor = Dialog(session, app, "TForm2")
    name_box, path_box = editor.edits()
    editor.type_into(name_box, name)
    editor.type_into(path_box, path)
    editor.click("登　録")
    wait_until("the folder in the editor's list",
               lambda: editor.items(editor.list_box()) == [name])
    editor.click("確　定")
    answer(MessageBox(session, app, "確定完了"), "はい")
    app.wait_no_window("TForm2")
    expect_spelt_beside(session, name, path)

    for started, dropped in ((app, "a.jpg"), (None, "b.jpg")):
        drag = Drag(session, made=1, folders=[BEYOND_CP932], app=started)
        panels = [c for c in session.probe.children(drag.window) if c.visible]
        captions = [session.probe.text(c) for c in panels]
        expect(name in captions, f"the drop window's panels read {captions}")
        before = drag.contents(0)
        drag.drop(0, [drag.source(dropped)])
        wait_until(f"{dropped} in {path}",
                   lambda: drag.contents(0) == {**before, dropped: content(dropped)}, timeout=10)
        drag.release()
        if started:
            # The program ends and starts again from its two files.
            tray.choose("終了(&E)")
            app.wait_exit(timeout=15)
            drag.browser.close()
