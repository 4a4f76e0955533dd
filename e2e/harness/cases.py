"""The scenario registry: each case names its prepared settings file (or none), its steps and,
when it is not Windows' own 96, the screen density of its prefix. A case may also be run with
the program alone started under another locale, which gives it another ANSI code page."""

from dataclasses import dataclass
from typing import Callable, Optional

from .xserver import ONE_MONITOR

CASES = []


@dataclass(frozen=True)
class Locale:
    """What a Windows set to another code page gives the program: Wine takes a process's ANSI
    code page from the locale it starts under (the glibc locale need not be installed)."""
    label: str
    lc_all: str


# Windows 11 with its "use Unicode UTF-8" switch on, and a Western Windows.
UTF8_WINDOWS = Locale("cp65001", "hi_IN.UTF-8")
WESTERN_WINDOWS = Locale("cp1252", "C.UTF-8")
# The Japanese Windows every scenario runs on, and the two others.
ANY_WINDOWS = (None, UTF8_WINDOWS, WESTERN_WINDOWS)


@dataclass(frozen=True)
class Case:
    name: str
    steps: Callable
    settings: Optional[bytes]
    monitors: tuple = ONE_MONITOR
    dpi: Optional[int] = None
    locale: Optional[Locale] = None


def named(name, locale):
    return name if locale is None else f"{name}@{locale.label}"


def case(name, settings=None, monitors=ONE_MONITOR, dpi=None, locales=(None,)):
    """Registers a function of the session as a scenario, once for each locale the program is
    to be started under (None: the prefix's own, code page 932)."""

    def register(steps):
        for locale in locales:
            CASES.append(Case(named(name, locale), steps, settings, monitors, dpi, locale))
        return steps

    return register


def table(prefix, rows, steps):
    """Registers one case per row; a row has .name and .settings and is passed to steps."""
    for row in rows:
        CASES.append(Case(f"{prefix}.{row.name}",
                          lambda session, row=row: steps(session, row), row.settings))
