"""How long the window's thread went without a tick of its 50 ms timer while a drop was saved,
from the program's own tick moments (Win32DropMoments, read by qmprobe debugwatch)."""

from dataclasses import dataclass

from harness.waits import wait_until

WATCHER_TICK_MS = 50


@dataclass(frozen=True)
class Gap:
    ms: float
    start_us: int  # the tick before it
    end_us: int  # the tick after it


def gaps_across(ticks, start_us, end_us):
    """The gaps between the ticks that span start..end: from the last tick before the start to
    the first one after the end, so that a thread held the whole time shows one gap as long."""
    before = [tick for tick in ticks if tick <= start_us][-1:]
    inside = [tick for tick in ticks if start_us < tick < end_us]
    after = [tick for tick in ticks if tick >= end_us][:1]
    spanning = before + inside + after
    return [Gap((later - earlier) / 1000, earlier, later)
            for earlier, later in zip(spanning, spanning[1:])]


def wait_tick_after(debug, us, timeout=30):
    """The watcher's ticks, once one has come at or after `us`."""
    return wait_until("a tick of the watcher after the save", lambda: (
        lambda ticks: ticks if ticks and ticks[-1] >= us else None)(
            debug.ticks(WATCHER_TICK_MS)), timeout=timeout)


def wait_ticking(debug, timeout=30):
    """Once the program writes its ticks: it looks for a debug monitor once a second."""
    wait_until("the watcher's ticks on the debug output",
               lambda: len(debug.ticks(WATCHER_TICK_MS)) >= 2, timeout=timeout)


def held_across(gap, moments):
    """The names of the drop's moments that came inside a gap: what held the thread."""
    return [moment.name for moment in moments if gap.start_us < moment.us < gap.end_us]
