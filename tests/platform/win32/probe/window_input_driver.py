#!/usr/bin/env python3
"""Drives the window input probe with X input (XTEST through xdotool) and checks what reached
its input sinks: clicks on the client's edges, wheel notches, a held key, the menu key, relative
motion, Alt+Enter to full screen and back, and Alt+F4 ending the program with exit code 0.

Usage: window_input_driver.py WINE_RUN PROBE_EXE  (needs DISPLAY)."""
import queue
import re
import subprocess
import sys
import threading
import time

TIMEOUT = 30.0
# A first Wine start on a slow machine takes longer than any later step.
START_TIMEOUT = 120.0


class Probe:
    def __init__(self, wine_run, exe):
        self.process = subprocess.Popen([wine_run, exe], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        text=True)
        running.append(self.process)
        self.lines = queue.Queue()
        self.seen = []
        self.start = 0
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.strip())

    def mark(self):
        """Later waits look only at lines from here on."""
        self.start = len(self.seen)

    def wait_for(self, pattern, what, timeout=TIMEOUT):
        """The first line since the mark that matches, in whatever order the lines of one step
        arrive; fails after TIMEOUT seconds without one."""
        expression = re.compile(pattern)
        deadline = time.monotonic() + timeout
        checked = self.start
        while True:
            for index in range(checked, len(self.seen)):
                match = expression.fullmatch(self.seen[index])
                if match:
                    return match
            checked = len(self.seen)
            if time.monotonic() >= deadline:
                fail("no %s (pattern %r); last lines: %s" % (what, pattern, self.seen[-10:]))
            try:
                self.seen.append(self.lines.get(timeout=0.1))
            except queue.Empty:
                pass


# The probe's process, for the clean-up.
running = []


def fail(message):
    print("FAIL: " + message)
    # A probe left behind would take the input of the next run.
    for process in running:
        if process.poll() is None:
            process.kill()
            process.wait()
    sys.exit(1)


def xdotool(*arguments):
    return subprocess.run(["xdotool"] + [str(a) for a in arguments], check=True, capture_output=True,
                          text=True, timeout=TIMEOUT).stdout.strip()


def find_window(name):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        result = subprocess.run(["xdotool", "search", "--name", name], capture_output=True, text=True)
        if result.returncode == 0 and result.stdout.strip():
            return result.stdout.split()[0]
        time.sleep(0.2)
    fail("no window named " + name)


def focus(window, probe, centre):
    """Gives the window the keyboard again with a click on its client, as a person would: other
    Wine programs sharing the Wine server may have taken the foreground meanwhile."""
    xdotool("windowraise", window)
    xdotool("windowfocus", "--sync", window)
    xdotool("mousemove", *centre)
    probe.mark()
    xdotool("click", 1)
    probe.wait_for(r"pointer 2 0 .*", "release of the focusing click")


def alt_enter(probe, window, centre):
    """Alt held as a person holds it, until the program has seen it, then Enter."""
    focus(window, probe, centre)
    probe.mark()
    xdotool("keydown", "alt")
    probe.wait_for(r"rawkey 1 56", "press of Alt")
    # A tap of Enter may fall between two frames' polls; the window's message carries it.
    xdotool("key", "Return")
    xdotool("keyup", "alt")
    probe.wait_for(r"rawkey 2 56", "release of Alt")


def main():
    probe = Probe(sys.argv[1], sys.argv[2])
    client = probe.wait_for(r"client (-?\d+) (-?\d+) (\d+) (\d+) (\d+) (\d+)", "client size", START_TIMEOUT)
    left, top, width, height, screen_width, screen_height = (int(v) for v in client.groups())
    if (width, height) != (1280, 800) or (screen_width, screen_height) != (1280, 1024):
        fail("client %dx%d on %dx%d" % (width, height, screen_width, screen_height))
    window = find_window("Vorn Input Probe")
    centre = (left + width // 2, top + height // 2)
    xdotool("windowfocus", "--sync", window)

    # Clicks on the client's corners: x from -1 (left) to 1, y from 1 (top) to -1.
    for x, y, fx, fy in ((0, 0, "-1.0000", "1.0000"), (width - 1, height - 1, "1.0000", "-1.0000")):
        probe.mark()
        xdotool("mousemove", left + x, top + y)
        xdotool("click", 1)
        probe.wait_for(r"pointer 1 0 %s %s" % (fx, fy), "press at %d,%d" % (x, y))
        probe.wait_for(r"pointer 2 0 %s %s" % (fx, fy), "release at %d,%d" % (x, y))

    # A wheel notch each way.
    xdotool("mousemove", left + width // 2, top + height // 2)
    probe.mark()
    xdotool("click", 4)
    probe.wait_for(r"rawmouse 2 0 1", "wheel up")
    probe.mark()
    xdotool("click", 5)
    probe.wait_for(r"rawmouse 2 0 -1", "wheel down")

    # Motion right and down: positive x, negative y.
    probe.mark()
    xdotool("mousemove_relative", "--", 30, 20)
    probe.wait_for(r"rawmouse 1 [1-9]\d* -[1-9]\d*", "motion right and down")

    # A held letter: one press and one release of its scan code (A is 0x1E); the menu key 0x59.
    focus(window, probe, centre)
    probe.mark()
    xdotool("keydown", "a")
    probe.wait_for(r"text a", "the character a")
    probe.wait_for(r"rawkey 1 30", "press of A")
    xdotool("keyup", "a")
    probe.wait_for(r"rawkey 2 30", "release of A")
    # Alt+Enter covers the monitor, and again gives the window back.
    alt_enter(probe, window, centre)
    probe.wait_for(r"fullscreen 1 0 0 %d %d" % (screen_width, screen_height), "full screen")
    alt_enter(probe, window, centre)
    probe.wait_for(r"fullscreen 0 .*", "windowed")
    probe.wait_for(r"client (-?\d+) (-?\d+) 1280 800 .*", "windowed client size")

    # The menu key, held until seen: a press and release between two frames gives nothing.
    focus(window, probe, centre)
    probe.mark()
    xdotool("keydown", "Menu")
    probe.wait_for(r"rawkey 1 89", "press of the menu key")
    xdotool("keyup", "Menu")
    probe.wait_for(r"rawkey 2 89", "release of the menu key")

    focus(window, probe, centre)
    probe.mark()
    xdotool("key", "alt+F4")
    probe.wait_for(r"quit", "quit after Alt+F4")
    try:
        code = probe.process.wait(timeout=TIMEOUT)
    except subprocess.TimeoutExpired:
        probe.process.kill()
        fail("probe did not end")
    if code != 0:
        fail("exit code %d" % code)
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
