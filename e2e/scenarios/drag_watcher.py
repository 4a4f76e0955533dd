"""The drop window during a drag: shown over a browser when a switch fires, placed by the
trigger, following Tab and the digit keys, and hidden after the release."""

from harness import probe, settings_file
from harness.browser import FIREFOX_TITLE, Browser
from harness.cases import case
from harness.waits import STARTUP_SECONDS, expect, expect_steady, wait_until

RIGHT_EDGE_X = 1279
WINDOW_WIDTH = 114
HALF_PANEL = 56
PANEL_HEIGHTS = (17, 25, 33)
# Long enough for ten ticks of the program's 50 ms timer.
TEN_TICKS = 0.5
# The window goes a tick or two after the release; the deadline leaves room for a busy machine.
HIDDEN_WITHIN = 5.0

# Three lists of four, two and three folders at the normal size.
LIST_SIZES = (4, 2, 3)
THREE_LISTS = settings_file.image(
    save_mode=1, size=1, last_list=2,
    lists=[settings_file.folders(count, n + 1) for n, count in enumerate(LIST_SIZES)])


def window_height(folders, size=1, tabs=True):
    return folders * PANEL_HEIGHTS[size] + 14 + (21 if tabs else 0)


def shown_drop_window(app, timeout=5.0):
    return app.wait_window("TForm1", visible=True, timeout=timeout)


def start_drag(session, title=FIREFOX_TITLE, program=None, place=None):
    """Starts the program and a browser (run as `program`, where `place` says), and presses the
    button on the page."""
    app = session.start_app()
    app.wait_window("TForm1", visible=False, timeout=STARTUP_SECONDS)
    browser = Browser(session, session.work_dir / "browser.log", title, program, place)
    browser.press_on_page()
    return app, browser


def list_shown(session, drop):
    """The folder list the window shows, told by the first folder's name ("保存先N-1")."""
    captions = {child.title for child in session.probe.children(drop) if child.visible}
    shown = [n for n in range(1, 6) if f"保存先{n}-1" in captions]
    return shown[0] if len(shown) == 1 else None


def expect_list(session, app, number):
    def showing():
        drop = shown_drop_window(app)
        return drop if list_shown(session, drop) == number and drop.client == (
            WINDOW_WIDTH, window_height(LIST_SIZES[number - 1])) else None

    return wait_until(f"list {number} in the drop window", showing, timeout=5)


@case("drag.right_edge_shows_release_hides", settings=THREE_LISTS)
def right_edge_shows_release_hides(session):
    app, _ = start_drag(session)
    session.input.move(RIGHT_EDGE_X, 400)
    drop = shown_drop_window(app)
    height = window_height(LIST_SIZES[0])
    expect(drop.rect == (1280 - WINDOW_WIDTH, 400, 1280, 400 + height),
           f"the drop window is at {drop.rect}, expected its top at the pointer and its right "
           "side on the screen's")
    expect(drop.exstyle & probe.WS_EX_TOPMOST, "the drop window is not topmost")
    session.screenshot_around(drop.rect, "right-edge")
    session.input.button_up()
    app.wait_no_window("TForm1", timeout=HIDDEN_WITHIN)


@case("drag.lower_case_title_never_shows", settings=THREE_LISTS)
def lower_case_title_never_shows(session):
    app, _ = start_drag(session, "画像 - mozilla firefox")
    session.input.move(RIGHT_EDGE_X, 400)
    expect_steady("the drop window came up over a lower-case browser name",
                  lambda: app.find("TForm1", visible=True) is None, TEN_TICKS * 2)
    session.input.button_up()


# 300 bytes: the browser's name ends long after the 99 bytes the title test reads.
LONG_CHROME_TITLE = "長いページの題名" * 17 + "この画像です" + " - Google Chrome"
assert len(LONG_CHROME_TITLE.encode("cp932")) == 300


@case("drag.long_title_known_by_its_program", settings=THREE_LISTS)
def long_title_known_by_its_program(session):
    app, _ = start_drag(session, LONG_CHROME_TITLE, program="chrome.exe")
    session.input.move(RIGHT_EDGE_X, 400)
    shown_drop_window(app)
    session.input.button_up()
    app.wait_no_window("TForm1", timeout=HIDDEN_WITHIN)


@case("drag.long_title_from_another_program_never_shows", settings=THREE_LISTS)
def long_title_from_another_program_never_shows(session):
    app, _ = start_drag(session, LONG_CHROME_TITLE, program="notchrome.exe")
    session.input.move(RIGHT_EDGE_X, 400)
    expect_steady("the drop window came up over a program that is no browser",
                  lambda: app.find("TForm1", visible=True) is None, TEN_TICKS * 2)
    session.input.button_up()


@case("drag.disabled_edge_shows_nothing",
      settings=settings_file.image(save_mode=1, size=1, switch_flags=0x01,
                                   lists=[settings_file.folders(3)]))
def disabled_edge_shows_nothing(session):
    app, _ = start_drag(session)
    session.input.move(RIGHT_EDGE_X, 400)
    expect_steady("the drop window came up at the right edge that is switched off",
                  lambda: app.find("TForm1", visible=True) is None, TEN_TICKS * 2)
    # The top edge is still on: the watcher was alive all along.
    session.input.move(640, 0)
    drop = shown_drop_window(app)
    expect(drop.rect[:2] == (640 - HALF_PANEL, 0), f"the drop window is at {drop.rect}")
    session.input.button_up()


@case("drag.ctrl_places_at_the_pointer", settings=THREE_LISTS)
def ctrl_places_at_the_pointer(session):
    app, _ = start_drag(session)
    session.input.move(700, 450)
    session.input.key_down("Control_L")
    try:
        drop = shown_drop_window(app)
    finally:
        session.input.key_up("Control_L")
    expect(drop.rect[:2] == (700 - HALF_PANEL, 450),
           f"the drop window is at {drop.rect[:2]}, expected (644, 450)")
    session.input.button_up()
    app.wait_no_window("TForm1", timeout=HIDDEN_WITHIN)


@case("drag.tab_and_digit_keys_switch_lists", settings=THREE_LISTS)
def tab_and_digit_keys_switch_lists(session):
    app, _ = start_drag(session)
    session.input.move(RIGHT_EDGE_X, 300)
    expect_list(session, app, 1)
    session.input.key_down("Tab")
    try:
        expect_list(session, app, 2)
        # Held for many ticks, Tab still switches only once.
        expect_steady("holding Tab switched the list again",
                      lambda: list_shown(session, shown_drop_window(app)) == 2, TEN_TICKS * 2)
    finally:
        session.input.key_up("Tab")
    session.input.key("3")
    expect_list(session, app, 3)
    session.input.key("KP_1")
    drop = expect_list(session, app, 1)
    session.screenshot_around(drop.rect, "list-1-again")
    session.input.button_up()
    app.wait_no_window("TForm1", timeout=HIDDEN_WITHIN)


FIVE_LISTS_OF = {size: settings_file.image(
    save_mode=0, size=size, last_list=4,
    lists=[settings_file.folders(4, n) for n in range(1, 6)]) for size in range(3)}
SIZE_NAMES = ("small", "normal", "large")


def each_list_looks(session, size):
    """Screenshots of every list's colour with the second panel under the pointer."""
    app, _ = start_drag(session)
    session.input.move(RIGHT_EDGE_X, 200)
    drop = shown_drop_window(app)
    height = PANEL_HEIGHTS[size]
    session.input.move(drop.rect[0] + 40, drop.rect[1] + height + height // 2)
    for number in range(1, 6):
        session.input.key(str(number))
        wait_until(f"list {number}", lambda: list_shown(session, shown_drop_window(app)) == number)
        # The panels are repainted at the next tick after the list change.
        expect_steady("the drop window went away", lambda: app.find("TForm1", visible=True),
                      0.15)
        session.screenshot_around(drop.rect, f"{SIZE_NAMES[size]}-list-{number}", margin=8)
    session.input.button_up()


for _size in range(3):
    case(f"drag.looks_{SIZE_NAMES[_size]}", settings=FIVE_LISTS_OF[_size])(
        lambda session, size=_size: each_list_looks(session, size))
