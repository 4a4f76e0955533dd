"""Drops from browsers built on Chromium: an image dragged through OLE as a virtual file, with
the browser's drag loop left free while the program saves it."""

import random

from harness.cases import case
from harness.ole_drag import EDGE_TITLE, OleDragSource, UrlOnly, VirtualFile, stage_file
from harness.waits import STARTUP_SECONDS, Failure, expect, expect_steady, wait_until
from scenarios.drops import (MODE_LABEL_ROW, QUIET_SECONDS, SECOND_ROW, SMALL_PANEL,
                             THREE_FOLDERS, app_has_no_box, linux_path, settings)

DROPEFFECT_NONE, DROPEFFECT_COPY = 0, 1


def image(name, size=64 * 1024):
    return random.Random(name).randbytes(size)


class VirtualDrag:
    """The registered folders made and the program started, waiting for a browser's drag."""

    def __init__(self, session):
        self.session = session
        self.folders = [linux_path(session, path) for _, path in THREE_FOLDERS]
        for folder in self.folders:
            folder.mkdir(parents=True)
        self.app = session.start_app()
        self.app.wait_window("TForm1", visible=False, timeout=STARTUP_SECONDS)

    def drag(self, offer, row=SECOND_ROW, **options):
        """Drags `offer` from a browser window onto the panel in `row`; returns the source, once
        its drag has ended, and its result event."""
        source = OleDragSource(self.session, self.session.work_dir, offer,
                               offset=row * SMALL_PANEL + SMALL_PANEL // 2, **options)
        return source, source.drag(timeout=30)

    def virtual_file(self, name, data, medium="hglobal"):
        return VirtualFile(name, stage_file(self.session, "contents.bin", data), medium)

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


@case("ole.chrome_virtual_file_is_cleaned_and_saved", settings=settings(1))
def chrome_virtual_file(session):
    drag = VirtualDrag(session)
    data = image("写真")
    _, result = drag.drag(drag.virtual_file("写真[1].jpg", data))
    expect_dropped(result)
    drag.wait_saved(SECOND_ROW, {"写真.jpg": data})
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
