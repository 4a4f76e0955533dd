"""Polling with a deadline: the only way the harness waits for the program."""

import time


# How long a Wine program may take to start and show its first window or line: seconds on a
# quiet machine, many more while other work shares its cores. A deadline for what must happen.
STARTUP_SECONDS = 60.0


class Failure(AssertionError):
    """A check on the program did not hold."""


def wait_until(what, check, timeout=10.0, interval=0.1):
    """Calls check() until it returns something true and returns that; fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        result = check()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise Failure(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


def expect_alive(process, what):
    """Fails at once when a program the harness is waiting on has ended: the wait could only
    time out."""
    code = process.poll()
    if code is not None:
        raise Failure(f"{what} ended unexpectedly with exit code {code}")


def wait_for_start(what, program, process, check):
    """Waits for a program's first sign of life, check(); fails at once when the program has
    ended without giving it."""

    def started():
        # Asked before the check, so that a sign given just before the end still counts.
        ended = process.poll() is not None
        found = check()
        if not found and ended:
            expect_alive(process, program)
        return found

    return wait_until(what, started, STARTUP_SECONDS)


def expect(condition, message):
    if not condition:
        raise Failure(message)


def expect_steady(what, check, seconds, interval=0.1):
    """Fails as soon as check() is false within the next `seconds`: for things that must not
    happen, watched for long enough that they would have."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not check():
            raise Failure(what)
        time.sleep(interval)
