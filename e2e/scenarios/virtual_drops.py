"""Drops from browsers built on Chromium: an image dragged through OLE as a virtual file, with
the browser's drag loop left free while the program saves it."""

import os
import random
import signal
import threading

from harness.cases import ANY_WINDOWS, case
from harness.ole_drag import (EDGE_TITLE, STAGING_FOLDER, FileDrop, OleDragSource, UrlOnly,
                              VirtualFile, stage_file)
from harness.waits import STARTUP_SECONDS, Failure, expect, expect_steady, wait_until
from scenarios.drops import (MODE_LABEL_ROW, QUIET_SECONDS, SECOND_ROW, SMALL_PANEL,
                             THREE_FOLDERS, app_has_no_box, linux_path, settings)

DROPEFFECT_NONE, DROPEFFECT_COPY = 0, 1


def image(name, size=64 * 1024):
    return random.Random(name).randbytes(size)


class VirtualDrag:
    """The registered folders made and the program started, waiting for a browser's drag."""

    def __init__(self, session, folders=THREE_FOLDERS):
        self.session = session
        self.folders = [linux_path(session, path) for _, path in folders]
        for folder in self.folders:
            folder.mkdir(parents=True)
        self.app = session.start_app()
        self.app.wait_window("TForm1", visible=False, timeout=STARTUP_SECONDS)

    def drag(self, offer, row=SECOND_ROW, log_dir=None, **options):
        """Drags `offer` from a browser window onto the panel in `row`; returns the source, once
        its drag has ended, and its result event. Each drag of a case needs a log_dir of its own."""
        source = OleDragSource(self.session, log_dir or self.session.work_dir, offer,
                               offset=row * SMALL_PANEL + SMALL_PANEL // 2, **options)
        return source, source.drag(timeout=30)

    def virtual_file(self, name, data, medium="hglobal", announced=True):
        return VirtualFile(name, stage_file(self.session, "contents.bin", data), medium,
                           announced=announced)

    def contents(self, index):
        return {p.name: p.read_bytes() for p in self.folders[index].iterdir()}

    def wait_saved(self, index, expected):
        try:
            wait_until(f"{sorted(expected)} in folder {index + 1}",
                       lambda: self.contents(index) == expected, timeout=15)
        except Failure:
            found = {name: len(data) for name, data in self.contents(index).items()}
            raise Failure(f"folder {index + 1} holds {found}, not {sorted(expected)}") from None


def expect_dropped(result):
    expect(result.name == "result" and result["outcome"] == "drop"
           and int(result["effect"]) == DROPEFFECT_COPY, f"the drag ended with {result}")


@case("ole.chrome_virtual_file_is_cleaned_and_saved", settings=settings(1), locales=ANY_WINDOWS)
def chrome_virtual_file(session):
    drag = VirtualDrag(session)
    data = image("写真")
    _, result = drag.drag(drag.virtual_file("写真[1].jpg", data))
    expect_dropped(result)
    drag.wait_saved(SECOND_ROW, {"写真.jpg": data})
    drag.app.wait_no_window("TForm1", timeout=5)


@case("ole.device_names_are_saved_as_real_files", settings=settings(1))
def device_names(session):
    # Opened as they are, "nul.jpg" is the NUL device: a "save" with its notice and no file.
    drag = VirtualDrag(session)
    saved = {}
    for name, kept in (("nul.jpg", "_nul.jpg"), ("CON.png", "_CON.png")):
        data = image(name)
        log_dir = session.work_dir / kept
        log_dir.mkdir()
        _, result = drag.drag(drag.virtual_file(name, data), log_dir=log_dir)
        expect_dropped(result)
        saved[kept] = data
        drag.wait_saved(SECOND_ROW, saved)
        drag.app.wait_no_window("TForm1", timeout=5)


@case("ole.name_outside_code_page_932_keeps_its_unicode_name", settings=settings(1))
def korean_name(session):
    drag = VirtualDrag(session)
    data = image("한국어", 1024 * 1024)
    _, result = drag.drag(drag.virtual_file("한국어[1].png", data, medium="istream"))
    expect_dropped(result)
    drag.wait_saved(SECOND_ROW, {"한국어.png": data})


@case("ole.edge_title_brings_the_drop_window_up", settings=settings(0))
def edge_title(session):
    drag = VirtualDrag(session)
    data = image("edge")
    # The tool lets go only once it has seen the drop window come up at the edge.
    _, result = drag.drag(drag.virtual_file("edge.png", data), title=EDGE_TITLE)
    expect_dropped(result)
    drag.wait_saved(SECOND_ROW, {"edge.png": data})


@case("ole.url_only_saves_and_shows_nothing", settings=settings(0))
def url_only(session):
    drag = VirtualDrag(session)
    _, result = drag.drag(UrlOnly())
    expect(int(result["effect"]) == DROPEFFECT_NONE, f"the URL was taken: {result}")
    expect_steady("something was saved or said for a URL alone",
                  lambda: app_has_no_box(drag) and not any(drag.contents(i) for i in range(3)),
                  QUIET_SECONDS)


@case("ole.drop_on_the_mode_label_saves_nothing", settings=settings(0))
def on_the_mode_label(session):
    drag = VirtualDrag(session)
    _, result = drag.drag(drag.virtual_file("photo.jpg", image("label")), row=MODE_LABEL_ROW)
    expect(result.name == "result", f"the drag ended with {result}")
    expect_steady("a drop on the mode label saved or said something",
                  lambda: app_has_no_box(drag) and not any(drag.contents(i) for i in range(3)),
                  QUIET_SECONDS)


@case("ole.save_dialog_leaves_the_browser_free", settings=settings(2))
def save_dialog_leaves_the_browser_free(session):
    drag = VirtualDrag(session)
    (drag.folders[SECOND_ROW] / "photo.jpg").write_bytes(b"old")
    source, result = drag.drag(drag.virtual_file("photo.jpg", image("dialog")), stay=True)
    # The drag is over while the dialog is still to come: Drop did not wait for it.
    expect_dropped(result)
    dialog = drag.app.wait_window("#32770", title="名前を付けて保存", timeout=10)
    expect(source.answers(), "the browser stopped answering while the save dialog was open")
    expect(drag.app.find("TForm1", visible=True), "the drop window went while the dialog was open")
    session.screenshot("virtual-file-save-dialog")
    session.input.key("Escape")
    drag.app.wait_no_window("#32770", timeout=10)
    expect(dialog is not None and drag.contents(SECOND_ROW) == {"photo.jpg": b"old"},
           "a cancelled dialog changed the folder")
    drag.app.wait_no_window("TForm1", timeout=5)
    source.close()


@case("ole.offered_file_is_kept_until_the_save_dialog_is_done", settings=settings(2))
def offered_file_kept_through_the_dialog(session):
    # A browser may delete the file it offered as soon as its data is let go: the program holds
    # the data until the save is done, not only until its dialog's loop runs.
    drag = VirtualDrag(session)
    (drag.folders[SECOND_ROW] / "photo.jpg").write_bytes(b"old")
    data = image("offered")
    offered = session.wine.prefix / "drive_c" / STAGING_FOLDER / "photo.jpg"
    source, result = drag.drag(FileDrop(stage_file(session, "photo.jpg", data)), stay=True,
                               delete_on_release=True)
    expect_dropped(result)
    dialog = drag.app.wait_window("#32770", title="名前を付けて保存", timeout=10)
    expect_steady("the offered file was deleted while the save dialog was open",
                  offered.exists, QUIET_SECONDS)
    # The proposed name is taken: the dialog asks before replacing it.
    session.input.key("Return")
    wait_until("the question before replacing",
               lambda: any(w.cls == "#32770" and w.visible and w.hwnd != dialog.hwnd
                           for w in drag.app.windows()), timeout=10)
    session.input.key("Return")
    drag.wait_saved(SECOND_ROW, {"photo.jpg": data})
    expect(app_has_no_box(drag), "the save said something")
    wait_until("the offered file let go after the save", lambda: not offered.exists(), timeout=10)
    drag.app.wait_no_window("TForm1", timeout=5)
    source.close()


def own_files(folder):
    """The files of the program's own (its prefix) in a folder."""
    return sorted(p.name for p in folder.iterdir() if p.name.startswith("~qm~"))


def temporary_folders(session):
    users = session.wine.prefix / "drive_c" / "users"
    return [p for p in users.glob("*/AppData/Local/Temp") if p.is_dir()] + \
        [p for p in users.glob("*/Temp") if p.is_dir()]


@case("ole.killed_during_a_large_save_leaves_nothing_after_a_restart", settings=settings(0))
def killed_during_a_large_save(session):
    drag = VirtualDrag(session)
    (drag.folders[SECOND_ROW] / "photo.jpg").write_bytes(b"old")
    before = drag.contents(SECOND_ROW)
    temps = temporary_folders(session)
    expect(temps, "the prefix has no temporary folder")
    data = image("large", 96 * 1024 * 1024)
    offer = drag.virtual_file("photo.jpg", data, medium="istream")
    ended = {}
    dragging = threading.Thread(target=lambda: ended.update(result=drag.drag(offer)),
                                daemon=True)
    dragging.start()

    def under_way():
        parked = [t / name for t in temps for name in own_files(t)]
        beside = own_files(drag.folders[SECOND_ROW])
        big = [p for p in parked if p.exists() and p.stat().st_size > 4 * 1024 * 1024]
        return big or beside

    try:
        wait_until("the save under way, its bytes parked", under_way, timeout=60)
    except Failure:
        dragging.join(timeout=5)
        box = "" if app_has_no_box(drag) else ", a box up"
        raise Failure(f"no save under way: the drag ended with {ended.get('result')}{box}, the "
                      f"folder holds {sorted(drag.contents(SECOND_ROW))}") from None
    os.kill(drag.app.process_id, signal.SIGKILL)
    drag.app.wait_exit(timeout=10)
    dragging.join(timeout=30)
    left = {str(t): own_files(t) for t in temps}
    print(f"      left by the killed run: {left}, beside: {own_files(drag.folders[SECOND_ROW])}")

    app = session.start_app()
    app.wait_window("TForm1", visible=False, timeout=STARTUP_SECONDS)
    wait_until("the program's leftovers cleared",
               lambda: not any(own_files(t) for t in temps)
               and drag.contents(SECOND_ROW) == before, timeout=20)
    expect(not any(drag.contents(i) for i in (0, 2)), "another folder got a file")
