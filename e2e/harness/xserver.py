"""A private X screen per scenario: one Xvfb monitor that Wine's virtual desktop fills, or
several monitors that Wine's windows are shown on directly."""

import os
import subprocess

from .waits import wait_until

WIDTH, HEIGHT = 1280, 1024

# Monitors as (width, height, left, top), the primary first.
ONE_MONITOR = ((WIDTH, HEIGHT, 0, 0),)
# A shorter second monitor to the right of the primary.
TWO_MONITORS = ((WIDTH, HEIGHT, 0, 0), (1024, 768, WIDTH, 0))


class VirtualScreen:
    def __init__(self, log_path, monitors=ONE_MONITOR):
        self._processes = []
        self._names = []
        width = max(left + w for w, _, left, _ in monitors)
        height = max(top + h for _, h, _, top in monitors)
        self.display = self._start(["Xvfb", "-screen", "0", f"{width}x{height}x24"], log_path)
        if len(monitors) > 1:
            # Xvfb's own Xinerama puts every head at 0,0; a nested Xephyr places its screens as
            # heads side by side, each in a window of its own on the Xvfb screen.
            nested = ["Xephyr", "+xinerama"]
            for w, h, left, top in monitors:
                nested += ["-origin", f"{left},{top}", "-screen", f"{w}x{h}+{left}+{top}"]
            self.display = self._start(nested, log_path, host=self.display)

    def _start(self, command, log_path, host=None):
        """Starts an X server and returns its display once it accepts clients."""
        read_end, write_end = os.pipe()
        env = {**os.environ, "DISPLAY": host} if host else None
        with open(log_path, "ab") as log:
            # -displayfd lets the server pick a free display and tell us which once it is ready.
            process = subprocess.Popen(
                [*command, "-displayfd", str(write_end), "-nolisten", "tcp", "-noreset"],
                env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log, pass_fds=(write_end,))
        os.close(write_end)
        self._processes.append(process)
        self._names.append(command[0])
        with os.fdopen(read_end) as announced:
            number = announced.readline().strip()
        if not number:
            self.stop()
            raise RuntimeError(f"{command[0]} did not start, see {log_path}")
        return f":{number}"

    def env(self):
        return {"DISPLAY": self.display}

    def servers(self):
        """Each X server of the screen as (name, process), the outermost first."""
        return list(zip(self._names, self._processes))

    def run_x(self, *args, timeout=10):
        return subprocess.run(list(args), env={**os.environ, **self.env()}, check=True,
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=timeout)

    def screenshot(self, path):
        self.run_x("import", "-window", "root", str(path))
        return path

    def stop(self):
        for process in reversed(self._processes):
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


class Input:
    """Real X input through the XTEST extension, as a person's mouse and keyboard."""

    def __init__(self, screen):
        self._screen = screen

    def click(self, x, y, button=1):
        self._screen.run_x("xdotool", "mousemove", str(x), str(y), "click", str(button))

    def double_click(self, x, y):
        self._screen.run_x("xdotool", "mousemove", str(x), str(y), "click", "--repeat", "2", "1")

    def move(self, x, y):
        self._screen.run_x("xdotool", "mousemove", str(x), str(y))

    def key(self, *names):
        self._screen.run_x("xdotool", "key", *names)

    def button_down(self, button=1):
        self._screen.run_x("xdotool", "mousedown", str(button))

    def button_up(self, button=1):
        self._screen.run_x("xdotool", "mouseup", str(button))

    def key_down(self, *names):
        self._screen.run_x("xdotool", "keydown", *names)

    def key_up(self, *names):
        self._screen.run_x("xdotool", "keyup", *names)

    def type(self, text):
        """Types text key by key; characters without a key on the keyboard get one lent."""
        self._screen.run_x("xdotool", "type", "--delay", "40", text, timeout=30)


def distinct_colours(screen, path, left, top, width, height):
    """How many colours a rectangle of a fresh screenshot holds: 1 means nothing is drawn there."""
    screen.screenshot(path)
    result = screen.run_x("convert", str(path), "-crop", f"{width}x{height}+{left}+{top}",
                          "-format", "%k", "info:")
    return int(result.stdout.decode().strip())


def darkest_level(screen, path, left, top, width, height):
    """The lowest grey level, 0 black to 1 white, in a rectangle of a fresh screenshot."""
    screen.screenshot(path)
    result = screen.run_x("convert", str(path), "-crop", f"{width}x{height}+{left}+{top}",
                          "-colorspace", "Gray", "-format", "%[fx:minima]", "info:")
    return float(result.stdout.decode().strip())


def wait_for_drawing(screen, path, rect, what, timeout=10.0):
    left, top, right, bottom = rect
    wait_until(what, lambda: distinct_colours(screen, path, left, top, right - left,
                                               bottom - top) > 1, timeout, interval=0.2)
