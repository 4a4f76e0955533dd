"""Saves that can be trusted and taken back: an overwrite sends the old file to the Recycle Bin,
which under Wine is the desktop's trash, and the tray's undo takes the latest save back."""

import urllib.parse
from pathlib import Path

from harness.cases import case
from harness.tray import UNDO, Tray
from harness.waits import expect, wait_until
from scenarios.drops import SECOND_ROW, Drag, app_has_no_box, content, settings


def trashed(session):
    """What the trash holds, as {name in the trash: (bytes, the path its .trashinfo names)}."""
    files, info = session.wine.trash / "files", session.wine.trash / "info"
    found = {}
    for item in (files.iterdir() if files.exists() else []):
        record = info / f"{item.name}.trashinfo"
        origin = None
        if record.exists():
            for line in record.read_text(encoding="utf-8").splitlines():
                if line.startswith("Path="):
                    origin = Path(urllib.parse.unquote(line[5:], encoding="utf-8")).resolve()
        found[item.name] = (item.read_bytes(), origin)
    return found


def save(drag, name, expected):
    """Drops `name` on the second folder and waits until it holds `expected`."""
    drag.drop(SECOND_ROW, [drag.source(name)])
    wait_until(f"{sorted(expected)} in the second folder", lambda: drag.contents(1) == expected,
               timeout=15)
    expect(app_has_no_box(drag), "a box came up for a save that worked")
    drag.release()


def undo(session, drag):
    Tray(session, drag.app).choose(UNDO)


@case("take_back.overwrite_leaves_the_old_file_in_the_trash", settings=settings(0))
def overwrite_to_trash(session):
    drag = Drag(session)
    target = drag.folders[1] / "photo.jpg"
    target.write_bytes(b"old")
    save(drag, "photo.jpg", {"photo.jpg": content("photo.jpg")})
    found = trashed(session)
    expect(found == {"photo.jpg": (b"old", target.resolve())},
           f"the trash holds {found}, not the old photo.jpg from {target}")


@case("take_back.undo_after_an_overwrite_brings_the_old_file_back", settings=settings(0))
def undo_overwrite(session):
    drag = Drag(session)
    (drag.folders[1] / "photo.jpg").write_bytes(b"old")
    save(drag, "photo.jpg", {"photo.jpg": content("photo.jpg")})
    undo(session, drag)
    wait_until("the old photo.jpg back", lambda: drag.contents(1) == {"photo.jpg": b"old"},
               timeout=10)
    # The trash names an item after a taken name as it likes; what it holds is what counts.
    found = [(data, origin) for data, origin in trashed(session).values()]
    expect(found == [(content("photo.jpg"), (drag.folders[1] / "photo.jpg").resolve())],
           f"the trash holds {len(found)} items, not the new photo.jpg alone")
    expect(app_has_no_box(drag), "a box came up for an undo that worked")


@case("take_back.undo_after_a_numbered_save_removes_it", settings=settings(1))
def undo_numbered(session):
    drag = Drag(session)
    (drag.folders[1] / "photo.jpg").write_bytes(b"old")
    save(drag, "photo.jpg", {"photo.jpg": b"old", "photo0.jpg": content("photo.jpg")})
    undo(session, drag)
    wait_until("photo0.jpg gone", lambda: drag.contents(1) == {"photo.jpg": b"old"}, timeout=10)
    found = {name: data for name, (data, _) in trashed(session).items()}
    expect(found == {"photo0.jpg": content("photo.jpg")},
           f"the trash holds {sorted(found)}, not photo0.jpg")
