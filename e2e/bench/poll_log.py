"""Reads what qmpoll saw and turns it into show and hide latencies."""

from dataclasses import dataclass


@dataclass(frozen=True)
class Seen:
    ms: float
    at_edge: bool
    held: bool
    visible: tuple  # one flag per watched window class, in qmpoll's order

    @property
    def armed(self):
        """What makes a watcher show its window: the button held with the pointer at the edge."""
        return self.at_edge and self.held


@dataclass(frozen=True)
class PollRate:
    polls: int
    ms: float
    late: int  # polls that came more than a millisecond after the one before
    longest_ms: float

    @property
    def interval_ms(self):
        return self.ms / self.polls

    @staticmethod
    def combined(rates):
        return PollRate(sum(r.polls for r in rates), sum(r.ms for r in rates),
                        sum(r.late for r in rates), max(r.longest_ms for r in rates))


def parse(text):
    """The complete lines of a log that may still be growing: the states seen, and the poll
    count once qmpoll has ended."""
    states, rate = [], None
    for line in text.splitlines(keepends=True):
        if not line.endswith("\n"):
            break
        fields = line.split()
        if fields[0] == "polls":
            rate = PollRate(int(fields[1]), float(fields[2]), int(fields[3]), float(fields[4]))
            continue
        ms, _, _, at_edge, held, *visible = fields
        states.append(Seen(float(ms), at_edge == "1", held == "1",
                           tuple(flag == "1" for flag in visible)))
    return states, rate


def _wait(states, start, reached, gave_up):
    """Milliseconds from states[start] to the first state that is reached, or None when one
    that gave up comes first: a drag that ended before its window showed is no sample."""
    for state in states[start:]:
        if reached(state):
            return state.ms - states[start].ms
        if gave_up(state):
            return None
    return None


@dataclass
class Latencies:
    shows: list
    hides: list
    missed_shows: int = 0

    def add(self, other):
        self.shows += other.shows
        self.hides += other.hides
        self.missed_shows += other.missed_shows


def latencies(states, window):
    """From the first poll that is armed to the first that sees the window visible (show), and
    from the first that sees the button up while it is visible to the first that sees it hidden
    (hide), in milliseconds."""
    found = Latencies([], [])
    for i in range(1, len(states)):
        before, now = states[i - 1], states[i]
        if now.armed and not before.armed and not now.visible[window]:
            shown = _wait(states, i, lambda s: s.visible[window], lambda s: not s.armed)
            if shown is None:
                found.missed_shows += 1
            else:
                found.shows.append(shown)
        if before.held and not now.held and now.visible[window]:
            hidden = _wait(states, i, lambda s: not s.visible[window], lambda s: s.held)
            if hidden is not None:
                found.hides.append(hidden)
    return found
