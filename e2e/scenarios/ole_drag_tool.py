"""The OLE drag tool against its own test target: what a browser built on Chromium offers
arrives whole, a URL alone is refused, and the source is still alive after its drop."""

import random
import zlib
from dataclasses import dataclass
from typing import Callable

from harness.cases import case, table
from harness.ole_drag import EDGE_TITLE, FileDrop, OleDragSource, UrlOnly, VirtualFile, \
    stage_file
from harness.test_drop_target import TEST_TARGET_CLASS, TestDropTarget
from harness.waits import expect, wait_until

DROPEFFECT_NONE, DROPEFFECT_COPY = 0, 1
FD_FILESIZE = 0x40
VIRTUAL_FILE_FORMATS = "FileGroupDescriptorW,FileContents,UniformResourceLocatorW"
# Above the test target, so that the tool has to wait for it and move on to it.
EDGE = (1279, 100)
OFFSET = 40


def image_bytes(size, seed):
    return random.Random(seed).randbytes(size)


def utf16_hex(text):
    return text.encode("utf-16-le").hex()


@dataclass(frozen=True)
class Row:
    name: str
    make_offer: Callable  # session -> (offer, bytes the target should read or None)
    formats: str
    effect: int
    settings: bytes = None


def virtual_file(name, size, medium, lying_size=None):
    def make(session):
        data = image_bytes(size, seed=name)
        path = stage_file(session, "contents.bin", data)
        return VirtualFile(name, path, medium, lying_size), data

    return make


def file_drop(session):
    data = image_bytes(4096, seed="hdrop")
    return FileDrop(stage_file(session, "dropped.jpg", data)), data


ROWS = (
    Row("virtual_file_hglobal", virtual_file("写真[1].jpg", 300_000, "hglobal"),
        VIRTUAL_FILE_FORMATS, DROPEFFECT_COPY),
    Row("virtual_file_istream_20mb", virtual_file("한국어.png", 20 * 1024 * 1024, "istream"),
        VIRTUAL_FILE_FORMATS, DROPEFFECT_COPY),
    Row("virtual_file_wrong_size", virtual_file("photo.jpg", 5000, "hglobal", lying_size=1234),
        VIRTUAL_FILE_FORMATS, DROPEFFECT_COPY),
    Row("url_only", lambda session: (UrlOnly(), None),
        "UniformResourceLocatorW,UniformResourceLocator", DROPEFFECT_NONE),
    Row("hdrop", file_drop, "CF_HDROP", DROPEFFECT_COPY),
)


def expect_virtual_file(target, offer, data):
    descriptor = target.log.first("descriptor")
    expect(descriptor is not None, "the target got no file descriptor")
    expect(descriptor["name"] == utf16_hex(offer.name),
           f"the descriptor names {descriptor['name']}, expected {utf16_hex(offer.name)}")
    size = len(data) if offer.size is None else offer.size
    expect(int(descriptor["size"]) == size and int(descriptor["flags"], 16) & FD_FILESIZE,
           f"the descriptor says {descriptor.fields}, expected size {size} with FD_FILESIZE")
    contents = target.log.first("contents")
    expect(contents is not None, "the target got no contents")
    expected = {"medium": offer.medium, "bytes": str(len(data)),
                "crc32": f"{zlib.crc32(data):08x}"}
    expect(contents.fields == expected, f"the target read {contents.fields}, expected {expected}")


def expect_file_drop(target, offer):
    dropped = target.log.first("hdrop")
    expect(dropped is not None, "the target got no CF_HDROP")
    expect(dropped.fields == {"count": "1", "path": utf16_hex(offer.path)},
           f"the target got {dropped.fields}, expected one file {offer.path}")


def expect_taken_as_scripted(source, target, row):
    """The tool went to the edge, found the target, let go where it was asked to, and the
    target saw what the offer holds and answered with the effect the row expects."""
    rect = source.log.first("target")
    over = source.log.first("over")
    expect(rect is not None and over is not None, "the tool never reached the target")
    centre_x = (int(rect["left"]) + int(rect["right"])) // 2
    expect((int(over["x"]), int(over["y"])) == (centre_x, int(rect["top"]) + OFFSET),
           f"the tool let go at {over.fields}, not at the target's {rect.fields} + {OFFSET}")
    entered = target.log.first("enter")
    expect(entered is not None and entered["formats"] == row.formats,
           f"the target was offered {entered and entered['formats']}, expected {row.formats}")
    answered = target.log.first("enter-effect")
    expect(answered is not None and int(answered["effect"]) == row.effect,
           f"the target answered DragEnter with {answered and answered.fields}, "
           f"expected {row.effect}")


def drag_onto_test_target(session, row):
    target = TestDropTarget(session, session.work_dir)
    offer, data = row.make_offer(session)
    source = OleDragSource(session, session.work_dir, offer, target_class=TEST_TARGET_CLASS,
                           edge=EDGE, offset=OFFSET)
    result = source.drag()
    expect(source.wait_exit() == 0, f"the tool failed: {source.log.events()}")
    expect_taken_as_scripted(source, target, row)
    expect(source.log.first("source-release") is not None,
           "the source never saw the button go up")
    expect(int(result["effect"]) == row.effect,
           f"DoDragDrop ended with {result.fields}, expected effect {row.effect}")
    if row.effect == DROPEFFECT_NONE:
        expect(not any(target.log.named(name) for name in ("descriptor", "contents", "hdrop")),
               f"a refused drag was read: {target.log.events()}")
        return
    dropped = target.log.first("drop")
    expect(dropped is not None and (dropped["x"], dropped["y"]) == (
        source.log.first("over")["x"], source.log.first("over")["y"]),
           f"the drop came at {dropped and dropped.fields}, not where the tool let go")
    if isinstance(offer, VirtualFile):
        expect_virtual_file(target, offer, data)
    else:
        expect_file_drop(target, offer)


table("ole.drag_tool", ROWS, drag_onto_test_target)


@case("ole.drag_tool.source_answers_after_its_drop")
def source_answers_after_its_drop(session):
    TestDropTarget(session, session.work_dir)
    path = stage_file(session, "contents.bin", image_bytes(1000, seed="stay"))
    source = OleDragSource(session, session.work_dir, VirtualFile("写真[1].jpg", path),
                           target_class=TEST_TARGET_CLASS, edge=EDGE, offset=OFFSET, stay=True)
    result = source.drag()
    expect(result["outcome"] == "drop", f"DoDragDrop ended with {result.fields}")
    source.log.wait_for("staying", timeout=5)
    expect(source.answers(), "the source window stopped answering after its drop")
    source.close()
    expect(source.wait_exit() == 0, f"the tool failed: {source.log.events()}")
    expect(not session.probe.answers(source.hwnd), "a closed window still answers")


@case("ole.drag_tool.missing_target_times_out")
def missing_target_times_out(session):
    path = stage_file(session, "contents.bin", image_bytes(1000, seed="alone"))
    source = OleDragSource(session, session.work_dir, VirtualFile("photo.jpg", path),
                           target_class="QmNoSuchWindow", edge=EDGE)
    result = source.drag()
    expect(result["outcome"] == "cancel", f"DoDragDrop ended with {result.fields}")
    timed_out = source.log.first("timeout")
    expect(timed_out is not None and timed_out["what"] == "target-window",
           f"the tool did not report the missing window: {source.log.events()}")
    expect(source.wait_exit() == 1, "the tool ended well without its target")


@case("ole.drag_tool.unicode_title_reads_as_code_page_932")
def unicode_title_reads_as_code_page_932(session):
    source = OleDragSource(session, session.work_dir, UrlOnly(), title=EDGE_TITLE)
    window = wait_until("the drag source's window", lambda: next(
        (w for w in session.probe.windows() if w.hwnd == source.hwnd), None), timeout=10)
    # GetWindowTextA renders U+200B, which code page 932 lacks, as "?".
    expected = "写真 - Microsoft? Edge".encode("cp932")
    expect(window.title_bytes == expected, f"the title reads {window.title_bytes!r}")
    source.close()
    expect(source.wait_exit() == 0, f"the tool failed: {source.log.events()}")
