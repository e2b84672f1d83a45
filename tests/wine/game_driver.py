#!/usr/bin/env python3
"""Plays the real Windows game under Wine on an X server of its own, with clicks and keys injected
through XTEST (xdotool), and checks each screen by a few sample points of a screenshot.

The run uses a Wine prefix of its own in the build folder (a copy of the shared one), so that the
player-data file starts absent and no other program shares the wineserver, takes the foreground or
sees the profile. Screenshots are saved as PNG files in the output folder, with the program's log.

First start: the loader's splash and title with the busy ring, the name sign of the menu, a new
profile typed in, the map, the level chooser and its next page, the high-score list; then the game
stage (game_play.py): level 1 won, started again and lost, zen mode started, paused and left; the
quit pop-up whose yes ends the program with exit code 0. Second start: the menu opens on the start face
of the stored profile, whose name the high-score list shows and whose result for level 1 the
chooser shows and the player-data file holds.

The program's sound is captured: OpenAL's "wave" back-end writes what it mixes into a WAV file of
each start in the output folder, at the pace of the clock. The driver notes where the file stands
when a stay begins and ends, and checks the seconds in between: on the main menu and in a level in
play something is heard in at least 9 of every 10 seconds, and while the pause sign rests its music
is heard over the level's. The loudness of every second is saved beside the screenshots
("<start>_loudness.txt").

The X server's own screenshot is taken: the engine's screenshot control answers only requests of
the game's logic, which nothing outside the program can make. With --probe the program is the game
built with the probe (probe_app.cpp): every screenshot is then the engine's, asked for through a
file in the probe's folder, and the run goes from the loader to the menu's start face and quits
there, reporting the time to the first menu frame and the menu's frame rate as the probe counted
them.

Usage: game_driver.py [--probe] --tools TOOLS_DIR --prefix PREFIX_DIR --out OUTPUT_DIR GAME_EXE"""
import argparse
import array
import fcntl
import math
import os
import queue
import re
import shutil
import subprocess
import sys
import threading
import time

from PIL import Image, ImageGrab

from game_play import GamePlay
from screen_points import AnyIn, Changed, Not, Point

WIDTH, HEIGHT = 1280, 800
# A first start on a busy machine copies the prefix, starts Wine's services and reads every
# package; later steps wait on animations of a second or two.
START_TIMEOUT = 300.0
STEP_TIMEOUT = 90.0
POLL = 0.25
ENGINE_SHOT_TIMEOUT = 20.0
PROFILE_NAME = "Tester"
PLAYER_DATA = os.path.join("Plovendra", "SkarvelPlayerData.vorn")


def fail(message):
    print("FAIL: " + message, flush=True)
    raise SystemExit(1)


def say(message):
    print(message, flush=True)


# Other Wine tests may use the shared prefix while it is copied: the browser cache comes and goes,
# and the wine server rewrites the registry through files of its own. What vanishes is skipped.
SKIPPED_IN_PREFIX = ("INetCache",)


def copy_if_there(source, destination):
    try:
        shutil.copy2(source, destination)
    except FileNotFoundError:
        pass


def copy_prefix(source, destination):
    # Links (the drive letters) stay links.
    shutil.copytree(source, destination, symlinks=True, ignore=shutil.ignore_patterns(*SKIPPED_IN_PREFIX),
                    copy_function=copy_if_there)


class SoundCapture:
    """The WAV file that OpenAL's wave back-end writes for one start: 16-bit mono at 44.1 kHz,
    growing at the pace of the clock while the program runs."""

    RATE = 44100
    # A second counts as heard above this level (dB below full scale); the silent mix is 0.
    HEARD_DB = -50.0

    def __init__(self, out, label):
        self.path = os.path.join(out, label + ".wav")
        self.config = os.path.join(out, label + "_alsoft.ini")
        self.loudness_path = os.path.join(out, label + "_loudness.txt")
        for path in (self.path, self.loudness_path):
            if os.path.exists(path):
                os.remove(path)
        with open(self.config, "w") as config:
            config.write("[general]\ndrivers=wave\nchannels=mono\nsample-type=int16\nfrequency=%d\n"
                         "[wave]\nfile=%s\n" % (self.RATE, windows_path(self.path)))
        self.lines = []

    def environment(self):
        return {"ALSOFT_CONF": windows_path(self.config)}

    def data_offset(self):
        """Where the samples begin: after the "data" chunk's header."""
        with open(self.path, "rb") as wave:
            head = wave.read(4096)
        if head[:4] != b"RIFF" or head[8:12] != b"WAVE":
            raise OSError("%s is no WAV file" % self.path)
        at = 12
        while at + 8 <= len(head):
            tag, size = head[at:at + 4], int.from_bytes(head[at + 4:at + 8], "little")
            if tag == b"data":
                return at + 8
            at += 8 + size + (size & 1)
        raise OSError("%s has no data chunk" % self.path)

    def mark(self):
        """The number of samples written so far."""
        try:
            return max(0, (os.path.getsize(self.path) - self.data_offset()) // 2)
        except OSError:
            return 0

    def seconds(self, start, end):
        """The loudness of each whole second from sample start to sample end, in dB below full
        scale (None for silence)."""
        offset = self.data_offset()
        levels = []
        with open(self.path, "rb") as wave:
            for first in range(start, end - self.RATE + 1, self.RATE):
                wave.seek(offset + first * 2)
                samples = array.array("h")
                samples.frombytes(wave.read(self.RATE * 2))
                if sys.byteorder != "little":
                    samples.byteswap()
                power = sum(v * v for v in samples) / max(1, len(samples))
                levels.append(10.0 * math.log10(power / 32768.0 ** 2) if power > 0 else None)
        return levels

    def tone_power(self, start, end, frequencies):
        """The mean power at the frequencies (Goertzel, one-second blocks) from start to end."""
        offset = self.data_offset()
        total, blocks = 0.0, 0
        with open(self.path, "rb") as wave:
            for first in range(start, end - self.RATE + 1, self.RATE):
                wave.seek(offset + first * 2)
                samples = array.array("h")
                samples.frombytes(wave.read(self.RATE * 2))
                for frequency in frequencies:
                    coefficient = 2.0 * math.cos(2.0 * math.pi * frequency / self.RATE)
                    s1 = s2 = 0.0
                    for v in samples:
                        s1, s2 = v + coefficient * s1 - s2, s1
                    total += (s1 * s1 + s2 * s2 - coefficient * s1 * s2) / len(samples) ** 2
                blocks += 1
        return total / max(1, blocks)

    def record(self, name, start, end):
        """Saves the stay's loudness per second and returns it."""
        levels = self.seconds(start, end)
        self.lines.append("%s: %s" % (name, " ".join("%.1f" % v if v is not None else "silent" for v in levels)))
        with open(self.loudness_path, "w") as out:
            out.write("# dB below full scale of each second, by stay\n" + "\n".join(self.lines) + "\n")
        return levels


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def heard_seconds(levels):
    return [v is not None and v > SoundCapture.HEARD_DB for v in levels]


class Timeout(Exception):
    pass


class XServer:
    def __init__(self, out):
        read_end, write_end = os.pipe()
        self.log = open(os.path.join(out, "xvfb.log"), "w")
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % (WIDTH, HEIGHT), "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=self.log, stderr=subprocess.STDOUT)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            fail("Xvfb did not start (see xvfb.log)")
        self.display = ":" + number.decode()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class Game:
    """One start of the program; its log lines are kept in self.lines and in a file."""

    def __init__(self, exe, environment, log_path):
        self.started = time.monotonic()
        self.log = open(log_path, "w")
        self.process = subprocess.Popen(["wine", exe], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                                        errors="replace", env=environment)
        self.lines = []
        self.queue = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.log.write(line)
            self.log.flush()
            self.lines.append(line.rstrip("\n"))
        self.queue.put(None)

    def alive(self):
        return self.process.poll() is None

    def wait_end(self, timeout):
        try:
            code = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            fail("the program did not end; last lines: %s" % self.lines[-10:])
        try:
            self.queue.get(timeout=10)
        except queue.Empty:
            pass
        return code

    def last_lines(self):
        return [line for line in self.lines if ":err:" not in line][-10:]


class Driver(GamePlay):
    def __init__(self, arguments):
        self.arguments = arguments
        self.out = arguments.out
        self.shots = 0
        self.requests = 0
        self.game = None
        self.server = None
        self.measures = []
        self.capture = None
        # Faults seen that the run reports without failing.
        self.notes = []
        self.Timeout = Timeout
        self.say = say
        self.fail_run = fail

    # ----------------------------------------------------------------------------------------
    # Wine prefix

    def shared_prefix(self):
        script = 'source "%s/common.sh" && printf "%%s\\n%%s\\n%%s\\n" "$VORN_WINEPREFIX" "$VORN_CACHE" "$VORN_WINE_STAMP"'
        lines = subprocess.run(["bash", "-c", script % self.arguments.tools], check=True, capture_output=True,
                               text=True).stdout.splitlines()
        return lines[0], lines[1], lines[2]

    def prepare_prefix(self):
        source, cache, stamp_name = self.shared_prefix()
        source_stamp = os.path.join(source, stamp_name)
        if not os.path.isfile(source_stamp):
            fail("no Wine prefix in %s: run tools/setup" % source)
        prefix = self.arguments.prefix
        lock = None
        # tools/test holds the prefix lock for its whole run and marks its programs; elsewhere a
        # shared lock keeps tools/setup from remaking the prefix while it is copied.
        if not os.environ.get("VORN_WINE_RUN"):
            lock = open(os.path.join(cache, "wine.lock"), "a")
            fcntl.flock(lock, fcntl.LOCK_SH)
        try:
            wanted = open(source_stamp).read()
            have = None
            try:
                have = open(os.path.join(prefix, stamp_name)).read()
            except OSError:
                pass
            if have != wanted:
                say("copying the Wine prefix %s to %s" % (source, prefix))
                self.stop_wine(prefix)
                shutil.rmtree(prefix, ignore_errors=True)
                partial = prefix + ".partial"
                shutil.rmtree(partial, ignore_errors=True)
                copy_prefix(source, partial)
                # Without a window manager nobody offers Wine the focus: it takes the X input
                # focus as activation instead.
                environment = dict(os.environ)
                environment.update({"WINEPREFIX": partial, "WINEDEBUG": "-all", "DISPLAY": ""})
                subprocess.run(["wine", "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "UseTakeFocus",
                                "/t", "REG_SZ", "/d", "N", "/f"], env=environment, check=True, capture_output=True,
                               timeout=START_TIMEOUT)
                subprocess.run(["wineserver", "-w"], env=environment, timeout=START_TIMEOUT)
                os.rename(partial, prefix)
        finally:
            if lock is not None:
                lock.close()
        return prefix

    def environment(self):
        environment = dict(os.environ)
        if self.arguments.probe:
            environment["VORN_PROBE_DIR"] = "Z:" + self.probe_folder().replace("/", "\\")
        environment.update({
            "WINEPREFIX": self.prefix,
            # Error lines, and the presentation rate of the Direct3D swap chain.
            "WINEDEBUG": "-all,err+all,trace+fps",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "DISPLAY": self.server.display,
        })
        environment.pop("ALSOFT_DRIVERS", None)
        if self.capture is not None:
            environment.update(self.capture.environment())
        else:
            # No sound card on the test machines: the audio library plays into its silent device.
            environment["ALSOFT_DRIVERS"] = "null"
        environment.pop("WINESERVER", None)
        return environment

    def stop_wine(self, prefix):
        if os.path.isdir(prefix):
            environment = dict(os.environ)
            environment["WINEPREFIX"] = prefix
            subprocess.run(["wineserver", "-k"], env=environment, capture_output=True, timeout=60)

    def player_data_files(self):
        users = os.path.join(self.prefix, "drive_c", "users")
        found = []
        for user in os.listdir(users):
            path = os.path.join(users, user, "AppData", "Roaming", PLAYER_DATA)
            if os.path.exists(path):
                found.append(path)
        return found

    # ----------------------------------------------------------------------------------------
    # Screen and input

    def grab(self):
        if self.arguments.probe:
            return self.engine_grab()
        image = ImageGrab.grab(xdisplay=self.server.display)
        return image.convert("RGB")

    def probe_folder(self):
        return os.path.join(self.out, "probe")

    def engine_grab(self):
        """A picture through the engine's screenshot control: the probe takes the request at its
        next logic step and writes the picture once the frame after it is drawn."""
        self.requests += 1
        name = "shot%d" % self.requests
        folder = self.probe_folder()
        path = os.path.join(folder, name + ".png")
        with open(os.path.join(folder, "request.part"), "w") as request:
            request.write(name)
        os.replace(os.path.join(folder, "request.part"), os.path.join(folder, "request.txt"))
        deadline = time.monotonic() + ENGINE_SHOT_TIMEOUT
        while not os.path.exists(path):
            if time.monotonic() >= deadline or (self.game is not None and not self.game.alive()):
                raise OSError("no picture from the engine's screenshot control")
            time.sleep(0.05)
        with Image.open(path) as image:
            picture = image.convert("RGB")
        os.remove(path)
        if picture.size != (WIDTH, HEIGHT):
            fail("the engine's screenshot is %dx%d" % picture.size)
        return picture

    def probe_lines(self, word):
        try:
            with open(os.path.join(self.probe_folder(), "probe.txt")) as probe:
                lines = probe.read().splitlines()
        except OSError:
            return []
        return [line.split()[1:] for line in lines if line.split()[:1] == [word]]

    def save(self, image, name):
        self.shots += 1
        path = os.path.join(self.out, "%02d_%s.png" % (self.shots, name))
        image.save(path)
        return path

    def wait_screen(self, name, checks, timeout=STEP_TIMEOUT, quiet=False):
        """Polls screenshots until every check holds; saves the matching one and returns the time
        it was taken. Fails when the program ends or the time runs out."""
        deadline = time.monotonic() + timeout
        image = None
        while True:
            if self.game is not None and not self.game.alive():
                if image is not None:
                    self.save(image, name + "_ended")
                fail("%s: the program ended with exit code %s; last lines: %s" %
                     (name, self.game.process.returncode, self.game.last_lines()))
            taken = time.monotonic()
            try:
                image = self.grab()
            except OSError:
                image = None
            if image is not None and all(check.matches(image) for check in checks):
                say("%s: %s" % (name, self.save(image, name)))
                return taken, image
            if time.monotonic() >= deadline:
                if quiet:
                    raise Timeout()
                details = "; ".join(check.describe(image) for check in checks if not check.matches(image)) \
                    if image is not None else "no screenshot"
                path = self.save(image, name + "_timeout") if image is not None else "none"
                fail("%s: not shown within %d s: %s (last screenshot %s)" % (name, timeout, details, path))
            time.sleep(POLL)

    def xdotool(self, *arguments):
        environment = dict(os.environ)
        environment["DISPLAY"] = self.server.display
        result = subprocess.run(["xdotool"] + [str(a) for a in arguments], capture_output=True, text=True,
                                env=environment, timeout=60)
        if result.returncode != 0:
            fail("xdotool %s: %s" % (" ".join(str(a) for a in arguments), result.stderr.strip()))
        return result.stdout.strip()

    def click(self, position):
        """A press and release held long enough that a logic step sees both; the pointer then
        leaves for the screen's edge, where its picture covers no sample point."""
        self.xdotool("mousemove", position[0], position[1])
        self.xdotool("mousedown", 1)
        time.sleep(0.15)
        self.xdotool("mouseup", 1)
        # A button counts a release over it only: the pointer stays until a step has seen it.
        time.sleep(0.5)
        self.xdotool("mousemove", WIDTH - 1, HEIGHT // 2)

    def shows(self, checks):
        try:
            image = self.grab()
        except OSError:
            return False
        return all(check.matches(image) for check in checks)

    def click_until(self, position, name, checks, source):
        """Clicks and waits for the screen it leads to. A busy machine may let the program miss a
        click (or a button ignores it while its face still moves in): while the screen still is
        the one clicked on, the click is made again."""
        deadline = time.monotonic() + STEP_TIMEOUT
        while True:
            self.click(position)
            try:
                return self.wait_screen(name, checks, min(15.0, max(1.0, deadline - time.monotonic())), quiet=True)
            except Timeout:
                pass
            if time.monotonic() >= deadline:
                return self.wait_screen(name, checks, 1.0)
            if not self.shows(source):
                return self.wait_screen(name, checks, max(1.0, deadline - time.monotonic()))
            say("%s: clicking again" % name)

    def key(self, name):
        self.xdotool("keydown", name)
        time.sleep(0.15)
        self.xdotool("keyup", name)

    # ----------------------------------------------------------------------------------------
    # The program

    def start(self, label):
        self.capture = None if self.arguments.probe else SoundCapture(self.out, label)
        self.game = Game(self.arguments.exe, self.environment(), os.path.join(self.out, "%s.log" % label))

    def stay(self, name, seconds):
        """Waits the seconds on the screen shown and returns the captured samples' range."""
        start = self.capture.mark()
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if not self.game.alive():
                fail("%s: the program ended with exit code %s" % (name, self.game.process.returncode))
            time.sleep(POLL)
        return start, self.capture.mark()

    def check_heard(self, name, seconds):
        """A stay of the seconds in which something is heard in at least 9 of every 10."""
        start, end = self.stay(name, seconds)
        levels = self.capture.record(name, start, end)
        heard = heard_seconds(levels)
        say("%s: %d of %d seconds heard" % (name, sum(heard), len(heard)))
        if len(levels) < seconds - 2:
            fail("%s: only %d seconds of sound captured in %d s (%s)" % (name, len(levels), seconds, self.capture.path))
        for first in range(0, len(heard) - 9, 10):
            if sum(heard[first:first + 10]) < 9:
                fail("%s: silent in seconds %d to %d: %s (%s)" % (name, first, first + 10, heard[first:first + 10],
                                                                 self.capture.loudness_path))
        return start, end

    def window(self):
        environment = dict(os.environ)
        environment["DISPLAY"] = self.server.display
        deadline = time.monotonic() + START_TIMEOUT
        while time.monotonic() < deadline:
            if not self.game.alive():
                fail("the program ended with exit code %s before its window showed; last lines: %s" %
                     (self.game.process.returncode, self.game.last_lines()))
            result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "Plovendra"], capture_output=True,
                                    text=True, env=environment)
            if result.returncode == 0 and result.stdout.split():
                return result.stdout.split()[0]
            time.sleep(POLL)
        fail("no window named Plovendra")

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window)
        geometry = self.xdotool("getwindowgeometry", window)
        match = re.search(r"Position: (-?\d+),(-?\d+).*Geometry: (\d+)x(\d+)", geometry.replace("\n", " "))
        if not match or tuple(int(v) for v in match.groups()) != (0, 0, WIDTH, HEIGHT):
            say("window geometry: %s" % geometry.replace("\n", " "))

    def frame_rates(self, since):
        rates = []
        for line in self.game.lines[since:]:
            match = re.search(r"@ approx ([0-9.]+)fps", line)
            if match:
                rates.append(float(match.group(1)))
        return rates

    def quit_by_popup(self, label):
        """The quit pop-up from the start face, then its yes; the program ends with exit code 0."""
        self.click_until(QUIT_BUTTON, label + "_quit_popup", POPUP, START_FACE)
        # Its buttons take clicks once it has opened; a missed click is made again.
        deadline = time.monotonic() + STEP_TIMEOUT
        while self.game.alive() and time.monotonic() < deadline:
            time.sleep(1.5)
            for position in POPUP_YES:
                if self.game.alive():
                    self.click(position)
            try:
                self.game.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        if self.game.alive():
            self.save(self.grab(), label + "_still_running")
        code = self.game.wait_end(STEP_TIMEOUT)
        if code != 0:
            fail("%s: exit code %d after the quit pop-up's yes; last lines: %s" % (label, code, self.game.last_lines()))
        say("%s: the quit pop-up's yes ended the program with exit code 0" % label)

    def activate(self):
        """Without a window manager Wine activates the window only on a click in it; an inactive
        window pauses the game and gets no keys."""
        window = self.window()
        self.focus(window)
        self.click(EMPTY_SKY)

    def close_online_question(self, name):
        """The start face; on a first start the question about online scores comes first and is
        closed with its cancel button."""
        deadline = time.monotonic() + STEP_TIMEOUT
        while time.monotonic() < deadline:
            image = self.grab()
            if all(check.matches(image) for check in START_FACE):
                return self.wait_screen(name, START_FACE)
            if all(check.matches(image) for check in POPUP):
                self.save(image, name + "_online_question")
                return self.click_until(POPUP_CANCEL, name, START_FACE, POPUP)
            if not self.game.alive():
                break
            time.sleep(POLL)
        return self.wait_screen(name, START_FACE, 1.0)

    def loader_to_name_sign(self):
        """The loader's splash, its title and ring, then the menu's name sign; returns the time
        the name sign was seen."""
        self.wait_screen("loader_splash", SPLASH, START_TIMEOUT)
        self.wait_screen("loader_title_and_ring", LOADER)
        menu_time, _ = self.wait_screen("menu_name_sign", NAME_SIGN, START_TIMEOUT)
        return menu_time

    def measure_rates(self, rates, unit):
        if rates:
            self.measures.append("main menu: %.1f frames per second (mean of %d %s, lowest %.1f)" %
                                 (sum(rates) / len(rates), len(rates), unit, min(rates)))

    def new_profile(self):
        """Types the profile's name into the name sign and goes on to the start face."""
        for letter in PROFILE_NAME:
            self.xdotool("type", letter)
            time.sleep(0.1)
        time.sleep(1.0)
        self.wait_screen("menu_name_typed", NAME_SIGN)
        self.key("Return")
        self.close_online_question("menu_start_face")

    def first_start(self):
        self.start("first_start")
        menu_time = self.loader_to_name_sign()
        self.measures.append("cold start to the first menu screenshot: %.1f s" % (menu_time - self.game.started))
        self.activate()

        # The menu's frame rate while nothing else happens.
        mark = len(self.game.lines)
        time.sleep(5.0)
        self.measure_rates(self.frame_rates(mark), "samples")
        self.new_profile()
        # The title music plays on for as long as the menu shows.
        self.check_heard("main_menu_sound", 30)

        self.click_until(PLAY_BUTTON, "map", MAP, START_FACE)
        _, before = self.click_until(MAP_BUTTON, "level_chooser", CHOOSER, MAP)
        page = before.crop(CHOOSER_TILE)
        self.click(CHOOSER_RIGHT)
        # The page turns: its tiles go, and come back with other numbers.
        self.wait_screen("level_chooser_turning", CHOOSER + [Changed(page, CHOOSER_TILE)])
        self.wait_screen("level_chooser_next_page", CHOOSER + [CHOOSER_LAST_TILE])

        self.click_until(CHOOSER_BACK, "map_again", MAP, CHOOSER)
        self.click_until(MAP_BACK, "menu_again", START_FACE, MAP)
        self.click_until(HIGHSCORES_BUTTON, "highscore_list", SCORE_LIST + CURRENT_PROFILE_ROW, START_FACE)
        self.click_until(LIST_BACK, "menu_after_list", START_FACE, SCORE_LIST)
        self.play_first_start(SCREENS)
        self.quit_by_popup("first_start")

        files = self.player_data_files()
        if not files:
            fail("no player-data file %s in the prefix's roaming folder" % PLAYER_DATA)
        say("player data: %s (%d bytes)" % (files[0], os.path.getsize(files[0])))
        if PROFILE_NAME.encode() not in open(files[0], "rb").read():
            fail("the player-data file does not hold the name %s" % PROFILE_NAME)
        self.check_stored_result("first_start")

    def probe_start(self):
        """The loader and the menu in engine screenshots, and what the probe measured."""
        self.start("probe_start")
        self.loader_to_name_sign()
        self.activate()
        seconds = len(self.probe_lines("fps"))
        time.sleep(5.0)
        menu = self.probe_lines("menu")
        if not menu:
            fail("the probe saw no frame of the menu stage")
        self.measures.append("program start to the first frame of the menu stage: %s s (frame %s)" %
                             (menu[0][0], menu[0][1]))
        self.measure_rates([float(line[0]) for line in self.probe_lines("fps")[seconds:]], "seconds")
        self.new_profile()
        self.quit_by_popup("probe_start")

    def second_start(self):
        """The stored profile: the menu opens on its start face, its high-score list names it and
        the chooser shows level 1's stars."""
        self.start("second_start")
        self.wait_screen("second_start_menu", START_FACE, START_TIMEOUT)
        self.activate()
        self.click_until(HIGHSCORES_BUTTON, "second_start_highscore_list", SCORE_LIST + CURRENT_PROFILE_ROW,
                         START_FACE)
        self.click_until(LIST_BACK, "second_start_menu_again", START_FACE, SCORE_LIST)
        self.check_chooser_star("second_start", SCREENS)
        self.quit_by_popup("second_start")
        self.check_stored_result("second_start")

    def run(self):
        os.makedirs(self.out, exist_ok=True)
        for name in os.listdir(self.out):
            if name.endswith(".png") or name.endswith(".log"):
                os.remove(os.path.join(self.out, name))
        self.prefix = self.prepare_prefix()
        self.stop_wine(self.prefix)
        for path in self.player_data_files():
            os.remove(path)
        self.server = XServer(self.out)
        if self.arguments.probe:
            shutil.rmtree(self.probe_folder(), ignore_errors=True)
            os.makedirs(self.probe_folder())
        try:
            if self.arguments.probe:
                self.probe_start()
            else:
                self.first_start()
                self.second_start()
        finally:
            if self.game is not None and self.game.alive():
                self.game.process.kill()
            self.stop_wine(self.prefix)
            self.server.stop()
        for line in self.measures:
            say("measured: " + line)
        for line in self.notes:
            say("noted: " + line)
        say("screenshots in %s" % self.out)
        print("1 passed, 0 failed")


# Screens, each by a few points that only it shows, and the places the driver clicks; positions
# and colours read from screenshots of the game at 1280 x 800.
SKY = Point(640, 3, (64, 156, 255))
SPLASH = [Point(640, 400, (255, 214, 10), 20), Point(100, 100, (22, 35, 71))]
LOADER = [Point(640, 400, (209, 123, 4), 20), AnyIn((1180, 700, 1280, 800), (230, 200, 20), 40)]
NAME_SIGN = [SKY, Point(400, 420, (220, 213, 195)), Point(600, 510, (72, 163, 29))]
START_FACE = [SKY, Point(660, 350, (69, 159, 26)), Point(1000, 555, (185, 185, 188), 20)]
# The pop-up's shade darkens the screen around its night-blue panel.
POPUP = [Point(640, 3, (42, 103, 169)), Point(640, 480, (28, 39, 68))]
MAP = [Point(640, 20, (38, 110, 190)), Point(1200, 420, (38, 110, 190)), Point(30, 500, (38, 110, 190))]
CHOOSER = [Point(110, 240, (244, 198, 107), 15), Point(110, 560, (219, 160, 44), 15),
           Point(640, 30, (38, 110, 190))]
CHOOSER_TILE = (170, 100, 320, 220)
CHOOSER_LAST_TILE = Point(1030, 160, (230, 230, 240))
SCORE_LIST = [SKY, Point(500, 260, (246, 177, 82)), Point(640, 480, (49, 115, 225), 20)]
# The one profile's row under "TOTAL SCORE", highlighted as the current profile's: its name and
# its score in white, the score no longer in the score text's own yellow.
ROW_NAME, ROW_SCORE = (560, 422, 690, 446), (1000, 422, 1050, 446)
CURRENT_PROFILE_ROW = [AnyIn(ROW_NAME, (255, 255, 255), 8), AnyIn(ROW_SCORE, (255, 255, 255), 8),
                       Not(AnyIn(ROW_SCORE, (255, 217, 26), 40))]
EMPTY_SKY = (100, 300)
PLAY_BUTTON = (785, 327)
QUIT_BUTTON = (1035, 551)
HIGHSCORES_BUTTON = (535, 551)
LIST_BACK = (406, 656)
MAP_BUTTON = (213, 400)
MAP_BACK = (140, 97)
CHOOSER_RIGHT = (1215, 420)
CHOOSER_BACK = (1180, 80)
# The yes button where the pop-up places it (x -160, y -110).
POPUP_YES = ((480, 510),)
POPUP_CANCEL = (980, 230)


# The menu's screens and places, for the game stage's steps.
SCREENS = sys.modules[__name__]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--probe", action="store_true")
    parser.add_argument("--tools", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("exe")
    arguments = parser.parse_args()
    for name in ("tools", "prefix", "out", "exe"):
        setattr(arguments, name, os.path.abspath(getattr(arguments, name)))
    Driver(arguments).run()


if __name__ == "__main__":
    main()
