#!/usr/bin/env python3
"""Drives the window input probe with X input (XTEST through xdotool) and checks what reached
its input sinks: clicks on the client's edges, wheel notches, a held key, the menu key, relative
motion, Alt+Enter to full screen and back, and Alt+F4 ending the program with exit code 0.

With "entry" first it runs the program entry with its test application instead: the window, the
clear colour of the first frames, the app's quit, Alt+Enter to full screen and back, Alt+F4 from
outside, a start that fails and a package load that fails while the program runs.

Usage: window_input_driver.py WINE_RUN PROBE_EXE  (needs DISPLAY)
       window_input_driver.py entry WINE_RUN ENTRY_EXE"""
import os
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
    def __init__(self, wine_run, exe, environment=None, errors=subprocess.DEVNULL):
        self.process = subprocess.Popen([wine_run, exe], stdout=subprocess.PIPE, stderr=errors, text=True,
                                        env=environment)
        running.append(self.process)
        self.lines = queue.Queue()
        self.seen = []
        self.start = 0
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.strip())
        self.lines.put(None)

    def finish(self):
        """Waits for the program's end; its exit code, with every line it wrote in self.seen."""
        try:
            code = self.process.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            fail("program did not end; last lines: %s" % self.seen[-10:])
        while True:
            line = self.lines.get(timeout=TIMEOUT)
            if line is None:
                return code
            self.seen.append(line)

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
                line = self.lines.get(timeout=0.1)
            except queue.Empty:
                continue
            if line is None:
                fail("program ended without %s; last lines: %s" % (what, self.seen[-10:]))
            self.seen.append(line)


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


def start_entry(wine_run, exe, mode):
    environment = dict(os.environ)
    environment.pop("VORN_ENTRY_MODE", None)
    if mode:
        environment["VORN_ENTRY_MODE"] = mode
    # Standard error too, where the log lines go.
    return Probe(wine_run, exe, environment, subprocess.STDOUT)


def check_entry_window(program):
    program.wait_for(r"window 1280 800 1280 1024 Vorn Entry Test", "1280x800 client on the 1280x1024 screen",
                     START_TIMEOUT)
    clear = program.wait_for(r"clear (\d+) (\d+) (\d+) (\d+)", "screenshot")
    pixel = [int(v) for v in clear.groups()]
    if any(abs(a - b) > 1 for a, b in zip(pixel, (51, 102, 153, 255))):
        fail("clear colour %s, not 51 102 153 255" % pixel)


def check_entry_end(program, expected_code, what):
    code = program.finish()
    if code != expected_code:
        fail("%s: exit code %d, not %d" % (what, code, expected_code))
    leaks = [line for line in program.seen if "Memory leak" in line]
    if leaks:
        fail("%s: %s" % (what, leaks))


def check_entry_shutdown(program, what):
    """The app is stopped by the engine after frames and steps ran, and destroyed only after the
    window is gone."""
    stopped = program.wait_for(r"deinitapp steps (\d+) frames (\d+)", "stop of the app")
    if int(stopped.group(1)) == 0 or int(stopped.group(2)) == 0:
        fail("%s: %s" % (what, stopped.group(0)))
    program.wait_for(r"window gone", "window destroyed before the app")
    program.wait_for(r"app destroyed", "app destroyed")


def entry_main(wine_run, exe):
    # The app quits by itself once it saw its first frames.
    program = start_entry(wine_run, exe, "")
    check_entry_window(program)
    check_entry_shutdown(program, "app's quit")
    check_entry_end(program, 0, "app's quit")

    # The app runs until Alt+F4 closes its window; Alt+Enter goes full screen and back through
    # the configuration on the way.
    program = start_entry(wine_run, exe, "stay")
    check_entry_window(program)
    window = find_window("Vorn Entry Test")
    xdotool("windowraise", window)
    xdotool("windowfocus", "--sync", window)
    for width, height in ((1280, 1024), (1280, 800)):
        program.mark()
        xdotool("key", "alt+Return")
        program.wait_for(r"window %d %d 1280 1024 Vorn Entry Test" % (width, height),
                         "client %dx%d after Alt+Enter" % (width, height))
    xdotool("key", "alt+F4")
    check_entry_shutdown(program, "Alt+F4")
    check_entry_end(program, 0, "Alt+F4")

    # A start-up package that does not exist fails the engine's start.
    program = start_entry(wine_run, exe, "fail")
    program.wait_for(r"app destroyed", "app destroyed after the failed start", START_TIMEOUT)
    check_entry_end(program, 255, "failed start")

    # A package that fails to load while the program runs ends it the orderly way, as a failure.
    program = start_entry(wine_run, exe, "loadfail")
    check_entry_window(program)
    check_entry_shutdown(program, "failed load")
    check_entry_end(program, 255, "failed load")
    print("4 passed, 0 failed")


if __name__ == "__main__":
    if len(sys.argv) > 1 and sys.argv[1] == "entry":
        entry_main(sys.argv[2], sys.argv[3])
    else:
        main()
