"""The scenario registry: each case names its prepared settings file (or none) and its steps."""

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


def case(name, settings=None, monitors=ONE_MONITOR):
    """Registers a function of the session as a scenario."""

    def register(steps):
        CASES.append(Case(name, steps, settings, monitors))
        return steps

    return register


def table(prefix, rows, steps):
    """Registers one case per row; a row has .name and .settings and is passed to steps."""
    for row in rows:
        CASES.append(Case(f"{prefix}.{row.name}",
                          lambda session, row=row: steps(session, row), row.settings))
