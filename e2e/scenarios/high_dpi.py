"""A screen of 144 dots per inch (the 150 % setting): the drop window, its panels and the saved
notice grow by half, and a drop still lands on the panel drawn under the pointer."""

from harness.cases import case
from harness.waits import expect, wait_until
from harness.xdnd import drop_files
from scenarios.drops import SECOND_ROW, THREE_FOLDERS, Drag, NoticeWatch, content, settings

DPI = 144
# The 96-DPI lengths at 144 DPI, rounded as Windows rounds.
WINDOW_WIDTH = 171  # 114
SMALL_PANEL = 26  # 17
NOTICE_SIZE = (110, 24)  # 73 x 16
NOTICE_OFFSET = 36  # 24


def folder_panels(session, window):
    """The visible folder panels, top to bottom, told by their captions."""
    names = {name for name, _ in THREE_FOLDERS}
    panels = [child for child in session.probe.children(window)
              if child.visible and child.title in names]
    return sorted(panels, key=lambda panel: panel.rect[1])


@case("dpi.drop_window_at_150_percent", settings=settings(1), dpi=DPI)
def drop_window_at_150_percent(session):
    drag = Drag(session)
    window = drag.window
    expect(window.client[0] == WINDOW_WIDTH,
           f"the drop window's client area is {window.client[0]} wide, not {WINDOW_WIDTH}")
    panels = folder_panels(session, window)
    heights = [panel.height for panel in panels]
    expect(heights == [SMALL_PANEL] * 3, f"the folder panels are {heights} high")
    print(f"      at {DPI} DPI the drop window is {window.client[0]} x {window.client[1]}, "
          f"its panels {heights[0]} high")

    second = panels[SECOND_ROW]
    # Low in the second panel: a row computed at 96 DPI would be the third.
    point = (second.centre[0], second.rect[3] - 2)
    session.input.move(*point)
    session.screenshot_around(window.rect, "drop-window-150-percent")
    source = drag.source("photo.jpg")
    watch = NoticeWatch(session)
    try:
        drop_files(session.screen, point, [source])
        notice = watch.shown()
        expect(notice.rect[:2] == (point[0], point[1] + NOTICE_OFFSET),
               f"the notice is at {notice.rect[:2]}, expected {NOTICE_OFFSET} pixels below the "
               f"pointer {point}")
        expect((notice.width, notice.height) == NOTICE_SIZE,
               f"the notice is {notice.width} x {notice.height}, not {NOTICE_SIZE}")
        wait_until("the copy in the second folder",
                   lambda: drag.contents(1) == {"photo.jpg": content("photo.jpg")}, timeout=5)
        expect(not drag.contents(0) and not drag.contents(2), "another folder got a file")
    finally:
        watch.close()
    drag.release()
