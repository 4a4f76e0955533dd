"""The tray icon in Wine's taskbar and the program's popup menu, driven with the mouse."""

from .waits import STARTUP_SECONDS, Failure, expect, wait_until
from .xserver import darkest_level, wait_for_drawing

MENU_CLASS = "#32768"
TRAY_CLASS = "Shell_TrayWnd"
SEPARATOR = "-"
UNDO = "直前の保存を元に戻す(&U)"
OPEN_FOLDER = "最後に保存したフォルダを開く(&O)"
START_WITH_WINDOWS = "Windows 起動時に開始(&S)"
TRAY_MENU = ("保存先フォルダ登録(&M)...", "ドロップウィンドウサイズ", "保存モード",
             "プロパティ(&P)...", "バージョン情報(&V)...", SEPARATOR, UNDO, OPEN_FOLDER,
             START_WITH_WINDOWS, SEPARATOR, "終了(&E)")
SUBMENUS = {
    "ドロップウィンドウサイズ": ("小さい", "普通", "大きい"),
    "保存モード": ("上書き", "別名保存", "ファイル名入力"),
}
# Wine draws a popup menu as a 3-pixel frame around items of one height, and each separator
# about half as high as an item (9 pixels against 17 at 96 DPI).
MENU_MARGIN = 3
# Clicks land near an item's left end, away from the icon's tooltip at the right.
CLICK_INSET = 24
# An item's text is black when it can be chosen and grey (with a light emboss) when not.
DARK_TEXT = 0.25
# Top left of the desktop: nothing of the program's is shown there while a test runs.
EMPTY_DESKTOP_POINT = (8, 8)
# A menu opens or closes within a tick as a rule; the deadline leaves room for a machine whose
# cores are shared, where the harness once waited more than 10 s to see one close.
MENU_SECONDS = 30.0


def separator_height(item_height):
    return (item_height + 1) // 2


def item_rect(menu, index, items):
    """The rectangle of items[index] in a menu drawn with items, SEPARATOR among them."""
    left, top, right, bottom = menu.rect
    inner = bottom - top - 2 * MENU_MARGIN
    separators = items.count(SEPARATOR)
    rows = len(items) - separators
    height = next((h for h in range(1, inner + 1)
                   if rows * h + separators * separator_height(h) == inner), None)
    expect(height is not None,
           f"a menu of {rows} items and {separators} separators cannot be {inner} pixels high")
    item_top = top + MENU_MARGIN + sum(
        separator_height(height) if item == SEPARATOR else height for item in items[:index])
    return left + MENU_MARGIN, item_top, right - MENU_MARGIN, item_top + height


def taskbar_windows(probe):
    """The windows that Wine's taskbar shows a button for: each button's id is its window."""
    bars = [w for w in probe.windows() if w.cls == TRAY_CLASS]
    return {button.control_id for bar in bars for button in probe.children(bar)
            if button.cls == "Button" and button.visible and button.control_id}


class Tray:
    def __init__(self, desktop, app):
        self._desktop = desktop
        self._app = app

    def taskbar(self):
        return wait_until("Wine's taskbar",
                          lambda: next((w for w in self._desktop.probe.windows()
                                        if w.cls == TRAY_CLASS and w.visible), None),
                          STARTUP_SECONDS)

    def icon_rect(self, bar=None):
        """The first icon of the tray: the square at the right end of the taskbar."""
        left, top, right, bottom = (bar or self.taskbar()).rect
        return right - (bottom - top), top, right, bottom

    def wait_icon(self, timeout=STARTUP_SECONDS):
        # Wine may report its taskbar long before the virtual desktop shows on the X screen: once
        # a run's screen stayed black for 15 s after the taskbar window was up.
        bar = self.taskbar()
        rect = self.icon_rect(bar)
        try:
            wait_for_drawing(self._desktop.screen, self._desktop.scratch_shot, rect,
                             "the tray icon", timeout)
        except Failure as failure:
            # A taskbar that is never drawn: its thread may be stuck, or there may be two.
            probe = self._desktop.probe
            bars = [w.hwnd for w in probe.windows() if w.cls == TRAY_CLASS]
            failure.add_note(f"Wine's taskbar {bar.hwnd:x} at {bar.rect} of process {bar.pid} "
                             f"answers a message: {probe.answers(bar.hwnd)}; taskbars now: "
                             f"{', '.join(f'{hwnd:x}' for hwnd in bars) or 'none'}")
            raise
        return rect

    def open_menu(self):
        left, top, right, bottom = self.wait_icon()
        self._desktop.input.click((left + right) // 2, (top + bottom) // 2, button=3)
        return self._wait_menu(lambda menu: True, "the tray menu")

    def menus(self):
        return [w for w in self._app.windows() if w.cls == MENU_CLASS and w.visible]

    def _wait_menu(self, wanted, what, timeout=MENU_SECONDS):
        """A visible menu that `wanted` accepts, once it has its size: on a busy machine a menu
        can be seen visible before it is laid out."""
        def laid_out():
            self._app.expect_running()
            return next((menu for menu in self.menus() if wanted(menu)
                         and menu.rect[3] - menu.rect[1] > 2 * MENU_MARGIN), None)

        return wait_until(what, laid_out, timeout)

    def choose(self, *path, when_open=None):
        """Opens the tray menu and clicks the items of path, e.g. ("保存モード", "上書き").

        when_open runs once the menu holding the last item is open, before the last click.
        """
        menu = self.open_menu()
        items = TRAY_MENU
        for position, caption in enumerate(path):
            expect(caption and caption in items, f"{caption!r} is not among {items}")
            if position == len(path) - 1 and when_open:
                when_open()
            rect = item_rect(menu, items.index(caption), items)
            self._desktop.input.click(rect[0] + CLICK_INSET, (rect[1] + rect[3]) // 2)
            if caption in SUBMENUS:
                menu = self._wait_submenu(menu, rect)
                items = SUBMENUS[caption]
        wait_until("the tray menu to close", lambda: not self.menus(), MENU_SECONDS)

    def available_items(self):
        """Opens the menu and names the items drawn in black: Wine greys the text of an item
        that cannot be chosen. The menu stays open."""
        menu = self.open_menu()
        wait_for_drawing(self._desktop.screen, self._desktop.scratch_shot, menu.rect, "the menu")
        shown = []
        for index, caption in enumerate(TRAY_MENU):
            if caption == SEPARATOR:
                continue
            left, top, right, bottom = item_rect(menu, index, TRAY_MENU)
            level = darkest_level(self._desktop.screen, self._desktop.scratch_shot,
                                  left + CLICK_INSET, top, right - left - CLICK_INSET,
                                  bottom - top)
            if level < DARK_TEXT:
                shown.append(caption)
        return shown

    def click_items(self, *captions):
        """With the menu open, clicks its items one after the other, as a person trying them."""
        menu = self._wait_menu(lambda menu: True, "the tray menu")
        for caption in captions:
            rect = item_rect(menu, TRAY_MENU.index(caption), TRAY_MENU)
            self._desktop.input.click(rect[0] + CLICK_INSET, (rect[1] + rect[3]) // 2)
        wait_until("the tray menu to close", lambda: not self.menus(), MENU_SECONDS)

    def _wait_submenu(self, parent, item):
        submenu = self._wait_menu(lambda menu: menu.hwnd != parent.hwnd, "the submenu")
        # Wine aligns a submenu's first item with the item that opened it.
        if abs(submenu.rect[1] + MENU_MARGIN - item[1]) > MENU_MARGIN:
            raise Failure(f"the submenu at {submenu.rect} does not belong to the item at {item}")
        return submenu

    def close_menu(self):
        """Clicks the empty desktop, as a person dismisses a menu: keys go to the foreground
        window, which need not be the menu's."""
        self._desktop.input.click(*EMPTY_DESKTOP_POINT)
        wait_until("the tray menu to close", lambda: not self.menus(), MENU_SECONDS)
