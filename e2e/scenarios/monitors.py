"""Two monitors, the second shorter and to the right of the primary: the side they share is no
edge, and the drop window comes up on the monitor whose free side the pointer reached."""

from harness.cases import case
from harness.waits import expect, expect_steady
from harness.xserver import TWO_MONITORS
from scenarios.drag_watcher import (HIDDEN_WITHIN, LIST_SIZES, TEN_TICKS, THREE_LISTS,
                                    WINDOW_WIDTH, shown_drop_window, start_drag, window_height)

PRIMARY = (0, 0, 1280, 1024)
SECOND = (1280, 0, 2304, 768)
# Most of the second monitor, so the press lands on the page in that monitor's middle.
BROWSER_ON_SECOND = (1292, 20, 2292, 748)


def no_drop_window(app):
    return lambda: app.find("TForm1", visible=True) is None


@case("monitors.second_monitor_right_edge", settings=THREE_LISTS, monitors=TWO_MONITORS)
def second_monitor_right_edge(session):
    monitors = session.probe.monitors()
    expect(monitors == [PRIMARY, SECOND], f"Wine shows the monitors {monitors}")
    app, browser = start_drag(session, place=BROWSER_ON_SECOND)
    expect(browser.inside == (1792, 384), f"the press was at {browser.inside}")
    expect_steady("the drop window came up in the middle of the second monitor",
                  no_drop_window(app), TEN_TICKS * 2)
    # On either side of the border the monitors share, the pointer is at no edge.
    for x in (SECOND[0], PRIMARY[2] - 1):
        session.input.move(x, 300)
        expect_steady(f"the drop window came up at x={x}, on the shared border",
                      no_drop_window(app), TEN_TICKS)
    session.input.move(SECOND[2] - 1, 700)
    drop = shown_drop_window(app)
    height = window_height(LIST_SIZES[0])
    # At the pointer's height, lifted just enough to stay on the second monitor.
    expected = (SECOND[2] - WINDOW_WIDTH, SECOND[3] - height, SECOND[2], SECOND[3])
    expect(drop.rect == expected, f"the drop window is at {drop.rect}, expected {expected}")
    session.screenshot_around(SECOND, "second-monitor", margin=0)
    session.input.button_up()
    app.wait_no_window("TForm1", timeout=HIDDEN_WITHIN)
