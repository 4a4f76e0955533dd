"""The event lines qmprobe's drag tools print ("event t=MS key=value ..."), read while they run."""

from dataclasses import dataclass

from .waits import Failure, wait_until


@dataclass(frozen=True)
class Event:
    name: str
    ms: int
    fields: dict
    us: int  # on the performance counter, the clock the benchmarks line moments up on

    def __getitem__(self, key):
        return self.fields[key]


def parse_event(line):
    name, *pairs = line.split(" ")
    fields = dict(pair.split("=", 1) for pair in pairs if pair)
    return Event(name, int(fields.pop("t")), fields, int(fields.pop("us")))


class EventLog:
    def __init__(self, path, process):
        self._path = path
        self._process = process

    def events(self):
        """Every complete line so far; a line still being written waits for the next look."""
        if not self._path.exists():
            return []
        text = self._path.read_text(encoding="ascii")
        return [parse_event(line) for line in text.split("\n")[:-1] if line]

    def named(self, name):
        return [event for event in self.events() if event.name == name]

    def first(self, name):
        found = self.named(name)
        return found[0] if found else None

    def wait_for(self, names, timeout):
        """The first event of one of the names (a name or a tuple); the tool's end stops the
        wait early."""
        names = (names,) if isinstance(names, str) else names

        def check():
            # Asked before reading, so that a line printed just before the end is still seen.
            ended = self._process.poll() is not None
            found = [event for event in self.events() if event.name in names]
            if found:
                return found[0]
            if ended:
                raise Failure(f"{self._path.name} ended with exit code "
                              f"{self._process.returncode} before printing {names}: "
                              f"{self.events()}")
            return None

        return wait_until(f"{names} in {self._path.name}", check, timeout, interval=0.05)
