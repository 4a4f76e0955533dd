"""The scenario registry: each case names its prepared settings file (or none), its steps and,
when it is not Windows' own 96, the screen density of its prefix."""

from dataclasses import dataclass
from typing import Callable, Optional

from .xserver import ONE_MONITOR

CASES = []


@dataclass(frozen=True)
class Case:
    name: str
    steps: Callable
    settings: Optional[bytes]
    monitors: tuple = ONE_MONITOR
    dpi: Optional[int] = None


def case(name, settings=None, monitors=ONE_MONITOR, dpi=None):
    """Registers a function of the session as a scenario."""

    def register(steps):
        CASES.append(Case(name, steps, settings, monitors, dpi))
        return steps

    return register


def table(prefix, rows, steps):
    """Registers one case per row; a row has .name and .settings and is passed to steps."""
    for row in rows:
        CASES.append(Case(f"{prefix}.{row.name}",
                          lambda session, row=row: steps(session, row), row.settings))
