"""The game stage for the Wine driver: level 1 played to a win by clicks at the tutorial's hints,
then started again and lost, zen mode started and left through the pause sign, and the stored
result read back from the chooser and the player-data file. The level's music is heard while it
is played, and the pause sign's music while the sign rests.

Level 1 is the tutorial: each hint loads a colour of its own and takes only a click at its own
target, so the win needs no seed and no reading of colours. Its ring stands still, but when the
level's time limit (90 s) runs out the ring collapses and the level is lost: waiting loses it.

World to screen at 1280 x 800: (x + 640, 400 - y); the camera shows the world's origin at the
screen's centre, one unit a pixel."""
import struct
import time

from screen_points import AnyIn, Not, Point

YELLOW = (255, 214, 10)
# The orange pause button at the left of the score bar: every screen of the game stage.
BAR = [Point(30, 28, (212, 138, 38), 25)]
# "CLICK TO START" under the level-start sign (its height follows the level's description).
START_PROMPT = AnyIn((440, 600, 840, 670), YELLOW, 50)
FINISHED_TITLE = AnyIn((380, 160, 900, 215), YELLOW, 30)
# The lower half of the level-start sign, left of its text: inside zen's ring, where no animal
# passes (yellow lions on its moving ring do pass through the prompt's and the title's boxes).
SIGN_PANEL = Point(400, 470, (40, 105, 214), 20)
LEVEL_START = BAR + [START_PROMPT, SIGN_PANEL]
PLAYING = BAR + [Not(SIGN_PANEL)]
FINISHED = BAR + [FINISHED_TITLE, Point(880, 612, (122, 192, 88), 25)]
# A star of the finished sign turned gold; the time bonus and the total counted up past four
# digits (the white letters reach left into these boxes).
SIGN_STAR = AnyIn((500, 330, 780, 470), YELLOW, 40)
WHITE = (255, 255, 255)
SIGN_BONUS = AnyIn((780, 392, 830, 418), WHITE, 10)
SIGN_TOTAL = AnyIn((760, 440, 820, 480), WHITE, 10)
# The failed sign: its salmon title and the skull.
FAILED = BAR + [AnyIn((420, 170, 860, 220), (255, 140, 120), 30), Point(640, 330, (255, 247, 225), 20)]
# The pause sign: its yellow title and the green resume button.
PAUSE = BAR + [AnyIn((520, 160, 760, 215), YELLOW, 30), Point(640, 400, (70, 160, 27), 25)]
# The chooser's first tile with the first of its three stars gold: a result stored for level 1.
CHOOSER_STAR = Point(201, 206, YELLOW, 30)

PLAY_NOW = (1100, 612)
CHOOSER_TILE_1 = (244, 160)
START_CLICK = (640, 720)
PAUSE_BUTTON = (30, 28)
PAUSE_MAP = (790, 507)
FINISHED_REPLAY = (640, 612)
FAILED_MAP = (490, 607)
ZEN_BUTTON = (595, 437)

# The world target of each hint of level 1; its arrow ends there and points at it from the left.
TUTORIAL_TARGETS = [(260, 200), (300, 120), (320, 50), (290, 160)]
# Notes of the pause music's tune (F5, G5, A5) that the zen level's music does not play, in Hz.
PAUSE_TUNE = (698.46, 783.99, 880.0)
# The level's time limit is 90 s; a busy machine runs the game slower than the clock.
LOSS_TIMEOUT = 400.0
SIGN_TIMEOUT = 30.0
LEVEL = 1
PLAYER_LEVEL_TAG = b"PLLD"


def screen(world):
    return (640 + world[0], 400 - world[1])


def hint(step):
    x, y = screen(TUTORIAL_TARGETS[step])
    return AnyIn((x - 110, y - 12, x - 20, y + 12), YELLOW, 30)


def read_level_record(path, level):
    """(score, stars) of a level's record in a player-data file, or None: a chunk "PLLD" (the tag
    in either byte order, then its size) whose payload is the level, its time, score and stars."""
    data = open(path, "rb").read()
    for tag in (PLAYER_LEVEL_TAG, PLAYER_LEVEL_TAG[::-1]):
        at = data.find(tag)
        while at >= 0:
            payload = data[at + 8:at + 24]
            if len(payload) == 16:
                number, _, score, stars = struct.unpack("<IfII", payload)
                if number == level:
                    return score, stars
            at = data.find(tag, at + 1)
    return None


class GamePlay:
    """Steps of the game stage, mixed into the driver (which gives click_until, wait_screen, the
    menu's screens and the player-data files)."""

    def open_chooser(self, label, screens):
        self.click_until(screens.PLAY_BUTTON, label + "_map", screens.MAP, screens.START_FACE)
        return self.click_until(PLAY_NOW, label + "_chooser", screens.CHOOSER, screens.MAP)

    def win_level_1(self, screens):
        """The chooser's first tile, the level-start sign, then each hint's target in turn until the
        finished sign shows."""
        self.open_chooser("level_1", screens)
        self.click_until(CHOOSER_TILE_1, "level_1_start_sign", LEVEL_START, screens.CHOOSER)
        self.click_until(START_CLICK, "level_1_hint_1", BAR + [hint(0)], LEVEL_START)
        for step in range(len(TUTORIAL_TARGETS)):
            last = step + 1 == len(TUTORIAL_TARGETS)
            following = FINISHED if last else BAR + [hint(step + 1)]
            name = "level_1_won" if last else "level_1_hint_%d" % (step + 2)
            # A click the program missed leaves the hint: it is made again.
            self.click_until(screen(TUTORIAL_TARGETS[step]), name, following, BAR + [hint(step)])
        # The sign shows the time bonus of the stars earned and counts the total up.
        self.wait_screen("level_1_won_bonus_and_total", FINISHED + [SIGN_BONUS, SIGN_TOTAL], SIGN_TIMEOUT)
        # Its three stars lie on one another, so the third alone shows: gold only for three stars.
        if not self.shows([SIGN_STAR]):
            self.save(self.grab(), "level_1_won_no_gold_star")
            self.notes.append("the finished sign of level 1 shows no gold star")

    def lose_level_1(self):
        """The finished sign's replay; the level-start sign; then nothing until the time limit
        collapses the ring and the failed sign shows."""
        self.click_until(FINISHED_REPLAY, "level_1_again_start_sign", LEVEL_START, FINISHED)
        self.click_until(START_CLICK, "level_1_again_playing", BAR + [hint(0)], LEVEL_START)
        started = time.monotonic()
        mark = len(self.game.lines)
        # The level's music plays on while the level is played (here: left unshot).
        self.check_heard("level_1_sound", 30)
        self.wait_screen("level_1_failed", FAILED, LOSS_TIMEOUT)
        self.measures.append("level 1 lost by its time limit %.0f s after the start" % (time.monotonic() - started))
        rates = self.frame_rates(mark)
        if rates:
            self.measures.append("level 1 in play: %.1f frames per second (mean of %d samples, lowest %.1f)" %
                                 (sum(rates) / len(rates), len(rates), min(rates)))

    def back_to_menu_from_failed(self, screens):
        self.click_until(FAILED_MAP, "level_1_failed_map", screens.MAP, FAILED)
        self.click_until(screens.MAP_BACK, "menu_after_levels", screens.START_FACE, screens.MAP)

    def zen_and_leave(self, screens):
        self.click_until(ZEN_BUTTON, "zen_start_sign", LEVEL_START, screens.START_FACE)
        self.click_until(START_CLICK, "zen_playing", PLAYING, LEVEL_START)
        playing = self.stay("zen_sound", 10)
        self.capture.record("zen_sound", *playing)
        self.click_until(PAUSE_BUTTON, "zen_pause_sign", PAUSE, PLAYING)
        # The pause music comes in with the sign and plays on while it rests.
        paused = self.check_heard("zen_pause_sound", 20)
        before = self.capture.tone_power(playing[0], playing[1], PAUSE_TUNE)
        during = self.capture.tone_power(paused[0], paused[1], PAUSE_TUNE)
        ratio = during / before if before > 0 else float("inf")
        self.measures.append("pause music's tune while paused: %.1f times its power in zen play" % ratio)
        if ratio < 3.0:
            self.fail_run("the pause sign's music is not heard over the level's (%.1f times the power of its "
                          "notes in play)" % ratio)
        self.click_until(PAUSE_MAP, "menu_after_zen", screens.START_FACE, PAUSE)

    def play_first_start(self, screens):
        self.win_level_1(screens)
        self.lose_level_1()
        self.back_to_menu_from_failed(screens)
        self.zen_and_leave(screens)

    def check_stored_result(self, label):
        """The player-data file holds level 1's record with a score and at least one star."""
        files = self.player_data_files()
        if not files:
            self.fail_run("%s: no player-data file" % label)
        record = read_level_record(files[0], LEVEL)
        if record is None or record[0] == 0 or record[1] == 0:
            self.fail_run("%s: the player-data file holds no score for level %d (record %s)" % (label, LEVEL, record))
        say_score = "%s: level %d stored with score %d and %d stars" % (label, LEVEL, record[0], record[1])
        self.say(say_score)
        return record

    def check_chooser_star(self, label, screens):
        """The chooser shows the stored stars on level 1's tile; back to the menu."""
        self.open_chooser(label, screens)
        self.wait_screen(label + "_chooser_level_1_star", screens.CHOOSER + [CHOOSER_STAR])
        self.click_until(screens.CHOOSER_BACK, label + "_map_again", screens.MAP, screens.CHOOSER)
        self.click_until(screens.MAP_BACK, label + "_menu_again", screens.START_FACE, screens.MAP)
