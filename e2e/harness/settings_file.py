"""Builds Quillmarten.dat images for scenarios, field by field, and reads their header."""

import struct

FILE_SIZE = 17796
HEADER_SIZE = 16
LISTS, SLOTS = 5, 12
NAME_SIZE, PATH_SIZE = 32, 260
SLOT_SIZE = NAME_SIZE + PATH_SIZE
LISTS_OFFSET = HEADER_SIZE
SOUND_OFFSET = LISTS_OFFSET + LISTS * SLOTS * SLOT_SIZE
SOUND_SIZE = 260
assert SOUND_OFFSET == 17536 and SOUND_OFFSET + SOUND_SIZE == FILE_SIZE


def _field(text, size):
    data = text.encode("cp932")
    assert len(data) < size, f"{text!r} does not fit in {size} bytes"
    return data.ljust(size, b"\0")


def header(save_mode, size, switch_flags=0, last_list=0, reserved=bytes(10)):
    assert len(reserved) == 10
    return struct.pack("<hhBB", save_mode, size, switch_flags, last_list) + reserved


def image(save_mode=1, size=0, switch_flags=0, last_list=0, lists=(), sound="",
          reserved=bytes(10)):
    """lists: up to five lists of (display name, folder path) pairs, slot 1 first."""
    assert len(lists) <= LISTS
    data = bytearray(header(save_mode, size, switch_flags, last_list, reserved))
    for index in range(LISTS):
        slots = lists[index] if index < len(lists) else ()
        assert len(slots) <= SLOTS
        for slot in range(SLOTS):
            name, path = slots[slot] if slot < len(slots) else ("", "")
            data += _field(name, NAME_SIZE) + _field(path, PATH_SIZE)
    data += _field(sound, SOUND_SIZE)
    assert len(data) == FILE_SIZE
    return bytes(data)


def folders(count, list_number=1):
    """count distinct folder slots with Japanese names, as the folder-list editor stores them."""
    return [(f"保存先{list_number}-{n}", f"C:\\保存\\{list_number}\\{n}")
            for n in range(1, count + 1)]
