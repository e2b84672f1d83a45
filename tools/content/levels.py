#!/usr/bin/python3
"""Designs the game's 102 levels and writes them as a chunk list for the level writer
(tools/content/serialise, vorn_levels), which frames them into the level file.

The zen level comes first, then 101 campaign levels in ten chapters of ten and a finale. The
difficulty grows with the level: more courses, longer and faster chains, more colours, fly-ins
from level 5 on, weapons from level 5, flying obstacles from level 15 and rocks from level 40;
each chapter's tenth level is a notch harder. Clouds and snow follow the scenery. Levels 1 and
10 are the tutorials and are laid out by hand: level 1's ring sits around the launcher with one
pair of each colour the tutorial hands out, at the angles its four hints point to.

Every chain is built so that the level can be won: every colour on a course is a colour the
launcher brings, a list never holds more than 64 animals, a chain leaves more than a third of
its course free, all chains with their 20 spare animals each stay far within the animal
pool, and no bee's lane runs into the launcher. Star times come from the number of animals and
the chain speed.

The chunk list is text: one chunk a line, its tag, a space and its payload in hex. Nothing
random is left to the run: every draw comes from a generator seeded by the level number.

  levels.py --out levels.chunks
"""

import argparse
import math
import os
import random
import struct
import sys

VERSION = b"1.09"
NUMBER_OF_CAMPAIGN_LEVELS = 101

COLOURS = [6, 7, 8, 9, 10, 11, 12, 13]
KEY, LOCK, JOKER = 0, 1, 5
ANIMAL_POOL = 200
LIST_LIMIT = 64
ANIMAL_SPACING = 68.0  # two animal radii: neighbours touch
ASSET_PICTURES = 12
ASSET_LIMIT = 250
LAUNCH_SPEED = 1300.0
# A bee that comes within 60 units of the launcher plus its own hit reach of 66 ends the level;
# a bee's lane keeps that far from the launcher with an animal's radius to spare.
BEE_LANES = (-250.0, 250.0)
BEE_CLEARANCE = 60.0 + 66.0 + ANIMAL_SPACING / 2

# Chapter sceneries; the finale is on ice. Index by chapter (level - 1) // 10.
CHAPTER_BACKGROUNDS = ["bg_grass", "bg_autumn", "bg_beach", "bg_ice", "bg_grass", "bg_autumn", "bg_beach",
                       "bg_ice", "bg_grass", "bg_autumn", "bg_ice"]
# Weapon kinds in the order levels introduce them (the timetable takes kinds 0-7).
WEAPON_ORDER = [4, 0, 1, 5, 2, 6, 3, 7]


def f32(value):
    return struct.pack("<f", value)


def u32(value):
    return struct.pack("<I", value & 0xFFFFFFFF)


def i32(value):
    return struct.pack("<i", value)


def optional(value=None, integer=False):
    if value is None:
        return bytes(8)
    return bytes([1, 0, 0, 0]) + (u32(value) if integer else f32(value))


def circumference(a, b):
    return math.pi * (3 * (a + b) - math.sqrt((3 * a + b) * (a + 3 * b)))


class Course:
    def __init__(self, centre, a, b, chain, start=-math.pi / 2, speed=20.0, rotation=0.0, spin=0.0, trigger=0):
        self.centre = centre
        self.a, self.b = a, b
        self.chain = chain  # kinds, rear first, end pieces included
        self.start = start  # path position of the rear animal
        self.speed = speed
        self.rotation = rotation
        self.spin = spin
        self.trigger = trigger

    def payload(self):
        header = (u32(self.trigger) + f32(400.0) + u32(3) + f32(950.0) + f32(950.0) + u32(1000) +
                  f32(self.rotation) + f32(0.0) + i32(0) +
                  # A course started by another must not start with the level through its
                  # second trigger (0 = at the level start).
                  u32(self.trigger) + struct.pack("<HH", 1, 1) + u32(1) + u32(1))
        if len(self.chain) > LIST_LIMIT:
            raise ValueError("animal list longer than 64")
        animals = f32(self.start) + u32(len(self.chain))
        for kind in self.chain:
            animals += u32(kind) + bytes(4)
        animals += bytes(8 * (LIST_LIMIT - len(self.chain)))
        piece = (f32(0.0) + optional(self.centre[0]) + optional(self.centre[1]) + optional(self.a) +
                 optional(self.b) + optional(self.spin) + optional(self.speed) + optional())
        return header + animals + piece


class Level:
    def __init__(self, number):
        self.number = number
        self.zen = number == 0
        self.launcher = (0.0, -40.0)
        self.star_times = (0.0, 0.0, 0.0, 0.0)
        self.kind_weights = [0] * 9
        self.flyins = None  # (interval, mode)
        self.flight_speed = (500.0, 600.0)
        self.weapons = None  # (places, entries, cycle, cycles)
        self.carrots = []
        self.courses = []
        self.background = "bg_grass"
        self.variant = 0
        self.assets = []
        self.weather = []
        self.obstacles = []

    def chunks(self):
        out = []
        launcher_x, launcher_y = self.launcher
        out.append(("LEVL", VERSION + bytes(256) + u32(1 if self.zen else 0) + f32(launcher_x) + f32(launcher_y) +
                    f32(0.0) + f32(LAUNCH_SPEED)))
        out.append(("LPRO", b"".join(f32(t) for t in self.star_times)))
        out.append(("PSTA", u32(0) + bytes(400)))
        if self.weapons:
            places, entries, cycle, cycles = self.weapons
            payload = f32(8.0) + f32(cycle) + i32(cycles) + u32(len(places)) + u32(len(entries))
            payload += b"".join(u32(w) + f32(x) + f32(y) for w, x, y in places)
            payload += b"".join(u32(k) + f32(lo) + f32(hi) for k, lo, hi in entries)
            out.append(("WEAP", payload))
        if self.carrots:
            payload = f32(8.0) + u32(len(self.carrots))
            payload += b"".join(u32(1) + f32(x) + f32(y) + f32(r) + f32(1.0) for x, y, r in self.carrots)
            out.append(("CART", payload))
        payload = b"".join(u32(w) for w in self.kind_weights) + bytes(44)
        payload += i32(-1) + i32(0) + f32(self.flight_speed[0]) + f32(self.flight_speed[1])
        if self.flyins:
            interval, mode = self.flyins
            # One key at the start; the tracks run for a minute and repeat.
            payload += f32(60.0) + i32(-1) + u32(1)
            payload += f32(0.0) + optional(interval) + optional(mode, True) + optional(0, True) + optional()
        else:
            payload += f32(0.0) + i32(0) + u32(0)
        out.append(("ANIM", payload))
        for course in self.courses:
            out.append(("CORS", course.payload()))
        name = self.background.encode("ascii")
        payload = name + bytes(60 - len(name)) + u32(self.variant) + u32(len(self.assets))
        payload += b"".join(u32(p) + f32(x) + f32(y) + i32(d) + f32(r) + f32(s) + f32(s)
                            for p, x, y, d, r, s in self.assets)
        out.append(("ASET", payload))
        if self.weather:
            payload = u32(len(self.weather))
            for kind, start, end, value, preset, count, low, high, intensity in self.weather:
                payload += (bytes([kind, 0, 0, 0]) + f32(start) + f32(end) + i32(value) + u32(preset) + u32(count) +
                            f32(low) + f32(high) + u32(intensity))
            out.append(("CLOD", payload))
        if self.obstacles:
            payload = u32(len(self.obstacles))
            for delay, kind, x, y, angle, speed, life in self.obstacles:
                payload += f32(delay) + u32(kind) + f32(x) + f32(y) + f32(angle) + f32(speed) + i32(life)
            out.append(("OBST", payload))
        return out


def random_chain(rng, colours, length):
    """Colour animals between a key and a lock, in runs of one or two, so nothing matches at
    the start."""
    chain = []
    while len(chain) < length:
        choices = [c for c in colours if not chain or c != chain[-1]]
        colour = rng.choice(choices)
        run = min(rng.choice((1, 2, 2)), length - len(chain))
        chain.extend([colour] * run)
    return [KEY] + chain + [LOCK]


# Course layouts by number of courses: (centre, radius a, radius b), and the launcher. Every
# ellipse stays inside the 1280 x 800 view with an animal's radius to spare.
LAYOUTS = {
    1: ([((0.0, -40.0), 420.0, 300.0)], (0.0, -40.0)),
    2: ([((-330.0, -40.0), 220.0, 290.0), ((330.0, -40.0), 220.0, 290.0)], (0.0, -60.0)),
    3: ([((-400.0, -80.0), 190.0, 250.0), ((400.0, -80.0), 190.0, 250.0), ((0.0, 200.0), 190.0, 95.0)],
        (0.0, -120.0)),
    4: ([((-330.0, 170.0), 230.0, 130.0), ((330.0, 170.0), 230.0, 130.0), ((-330.0, -210.0), 230.0, 130.0),
         ((330.0, -210.0), 230.0, 130.0)], (0.0, -20.0)),
}


def place_assets(rng, level, count):
    assets = []
    for _ in range(count):
        picture = rng.randrange(ASSET_PICTURES)
        x = rng.uniform(-620.0, 620.0)
        y = rng.uniform(-380.0, 360.0)
        # Lower on the screen is nearer, so drawn above what lies behind it; all of it under the
        # rocks (5000) and the launcher base (6000) of the frame buffer.
        depth = int(2000 - y * 2.5) + rng.randrange(200)
        depth = max(100, min(4500, depth))
        assets.append((picture, round(x), round(y), depth, rng.uniform(-0.15, 0.15), rng.uniform(0.8, 1.2)))
    return assets


def bee_lane(launcher_y, draw):
    """The height of a bee's lane from a draw across all lanes: a draw inside the launcher's band
    is moved, keeping its place in the band, into the lanes clear of it (no further draw, so the
    bees after it keep theirs)."""
    low, high = launcher_y - BEE_CLEARANCE, launcher_y + BEE_CLEARANCE
    if not low < draw < high:
        return draw
    below = max(0.0, low - BEE_LANES[0])
    above = max(0.0, BEE_LANES[1] - high)
    place = (draw - low) / (high - low) * (below + above)
    return BEE_LANES[0] + place if place < below else high + (place - below)


def star_times(animals, speed):
    """Seconds for three, two and one star and the time limit, from the chain lengths and speed."""
    base = 20.0 + animals * 1.6 * (1.0 + speed / 120.0)
    three = round(base / 5.0) * 5.0
    return (three, round(three * 1.4 / 5.0) * 5.0, round(three * 1.9 / 5.0) * 5.0,
            round(three * 3.0 / 10.0) * 10.0)


def set_kind_weights(level, colours, joker=0):
    level.kind_weights = [0] * 9
    level.kind_weights[JOKER - 5] = joker
    for colour in colours:
        level.kind_weights[colour - 5] = 1


def tutorial_level_1():
    level = Level(1)
    level.launcher = (0.0, -30.0)
    # A ring of radius 315 around the launcher: the key at -30 degrees and one animal every 12
    # degrees. Each removal closes the gap from both sides, which brings the next pair into the
    # sector the next hint points at (13s, then 10s, then 6s, then 11s).
    chain = [KEY, 6, 6, 10, 10, 13, 13, 11, 11, LOCK]
    level.courses = [Course(level.launcher, 315.0, 315.0, chain, start=math.radians(-30.0), speed=0.0)]
    set_kind_weights(level, [6, 10, 11, 13])
    level.star_times = (20.0, 30.0, 45.0, 90.0)
    return level


def campaign_level(number):
    rng = random.Random(number * 7919)
    level = Level(number)
    chapter, place = (number - 1) // 10, (number - 1) % 10
    tenth = place == 9
    difficulty = min(1.0, (number - 1) / 100.0 + (0.08 if tenth else 0.0))

    courses = 1 + (number >= 8) + (number >= 30) + (number >= 60)
    if tenth and number >= 20:
        courses += 1
    courses = min(4, courses)
    layout, level.launcher = LAYOUTS[courses]

    colour_count = min(8, 4 + int(round(4 * difficulty)))
    palette = rng.sample(COLOURS, colour_count)
    speed = 15.0 + 45.0 * difficulty
    fill = 0.32 + 0.25 * difficulty
    total = 0
    for index, (centre, a, b) in enumerate(layout):
        length = max(5, int(fill * circumference(a, b) / ANIMAL_SPACING))
        length = min(length, LIST_LIMIT - 2)
        chain = random_chain(rng, palette, length)
        spin = 0.0
        if number >= 25 and rng.random() < 0.4:
            spin = rng.choice((-1, 1)) * (0.03 + 0.07 * difficulty)
        # From level 40 the last course waits for the first to be cleared.
        trigger = 1 if (number >= 40 and courses > 1 and index == len(layout) - 1) else 0
        direction = rng.choice((-1.0, 1.0)) if number > 3 else 1.0
        level.courses.append(Course(centre, a, b, chain, start=rng.uniform(0.0, 2 * math.pi),
                                    speed=direction * speed, spin=spin, trigger=trigger))
        total += len(chain)
    set_kind_weights(level, palette, joker=1 if number >= 60 else 0)

    if number >= 5:
        level.flyins = (round(11.0 - 6.0 * difficulty, 2), 1)
        level.flight_speed = (400.0 + 200.0 * difficulty, 500.0 + 300.0 * difficulty)
    if number >= 5:
        kinds = WEAPON_ORDER[:min(len(WEAPON_ORDER), 1 + (number - 5) // 8)]
        lx, ly = level.launcher
        places = [(rng.choice((1, 2, 3)), lx + x, ly + y) for x, y in ((-180.0, 100.0), (200.0, 120.0),
                                                                       (-260.0, -160.0), (260.0, -170.0))]
        entries = [(kind, 14.0, 24.0) for kind in kinds]
        level.weapons = (places, entries, 30.0, -1)
        level.carrots = [(lx - 120.0, ly - 200.0, 0.0), (lx + 120.0, ly + 220.0, 0.0)]

    background = CHAPTER_BACKGROUNDS[chapter]
    level.background = background
    level.variant = (number - 1) % 8
    level.assets = place_assets(rng, level, 24 + int(36 * difficulty))
    if background == "bg_ice":
        level.weather.append((1, 0.0, 30.0, -1, 0, 0, 0.0, 0.0, min(3, 1 + int(difficulty * 3))))
    elif number >= 12:
        level.weather.append((0, 0.0, 600.0, -1, chapter % 5, 10 + int(20 * difficulty), 40.0, 60.0, 0))

    if number >= 15:
        bee = 1 if background == "bg_ice" else 2
        for k in range(1 + int(2 * difficulty)):
            side = rng.choice((-1.0, 1.0))
            lane = bee_lane(level.launcher[1], rng.uniform(*BEE_LANES))
            level.obstacles.append((5.0 + 12.0 * k, bee, side * 560.0, lane,
                                    0.0 if side < 0 else math.pi, 50.0 + 30.0 * difficulty, 8 + int(12 * difficulty)))
    if number >= 40:
        for k in range(1 + int(2 * difficulty)):
            corner = ((-600.0, 300.0), (600.0, 300.0), (-600.0, -330.0))[k]
            level.obstacles.append((0.0, 3 + k % 2, corner[0], corner[1], 0.0, 0.0, 0))

    level.star_times = star_times(total, speed)
    return level


def tutorial_level_10():
    level = campaign_level(10)
    # The hambone must be on the board while the tutorial waits for it: a timetable of kind 2
    # with a running cycle, and a place where the hint points (launcher + (-180, 100)).
    lx, ly = level.launcher
    places, entries, _, _ = level.weapons
    places[0] = (3, lx - 180.0, ly + 100.0)
    entries = [(2, 1.0, 1.0)] + [e for e in entries if e[0] != 2]
    level.weapons = (places, entries, 20.0, -1)
    return level


def zen_level():
    level = Level(0)
    level.launcher = (0.0, -40.0)
    rng = random.Random(0)
    palette = COLOURS[:6]
    centre, a, b = LAYOUTS[1][0][0]
    level.courses = [Course(centre, a, b, random_chain(rng, palette, 18), speed=30.0)]
    set_kind_weights(level, palette)
    level.background = "bg_zen"
    level.flyins = (8.0, 1)
    return level


def all_levels():
    levels = [zen_level(), tutorial_level_1()]
    for number in range(2, NUMBER_OF_CAMPAIGN_LEVELS + 1):
        levels.append(tutorial_level_10() if number == 10 else campaign_level(number))
    for level in levels:
        check(level)
    return levels


def check(level):
    """The rules that keep a level winnable and inside the pools."""
    where = f"level {level.number}"
    brought = {5 + i for i, w in enumerate(level.kind_weights) if w > 0}
    needed = 0
    for course in level.courses:
        colours = set(course.chain) - {KEY, LOCK}
        if not colours <= brought:
            raise ValueError(f"{where}: the launcher never brings {sorted(colours - brought)}")
        if len(course.chain) > LIST_LIMIT:
            raise ValueError(f"{where}: a chain of {len(course.chain)} animals")
        if len(course.chain) * ANIMAL_SPACING > 0.7 * circumference(course.a, course.b):
            raise ValueError(f"{where}: a chain too long for its course")
        needed += len(course.chain) + 20
    if needed > ANIMAL_POOL * 3 // 4:
        raise ValueError(f"{where}: {needed} animals needed at the start")
    if len(level.assets) > ASSET_LIMIT:
        raise ValueError(f"{where}: {len(level.assets)} assets")
    if not level.zen and not (0 < level.star_times[0] < level.star_times[1] < level.star_times[2] <
                              level.star_times[3]):
        raise ValueError(f"{where}: star times {level.star_times} are not ascending")
    flying = [o for o in level.obstacles if o[1] < 3]
    lx, ly = level.launcher
    for _, _, x, y, angle, _, _ in flying:
        # A bee flies a straight line; one that passes the launcher too near ends the level unshot.
        if abs((lx - x) * math.sin(angle) - (ly - y) * math.cos(angle)) < BEE_CLEARANCE:
            raise ValueError(f"{where}: a bee's lane at ({x:.0f}, {y:.0f}) runs into the launcher")
    if len(flying) > 20 or len(level.obstacles) - len(flying) > 10:
        raise ValueError(f"{where}: more obstacles than the pools hold")


def chunk_lines(levels):
    lines = []
    for level in levels:
        for tag, payload in level.chunks():
            if len(payload) % 4:
                raise ValueError(f"level {level.number}: {tag} payload of {len(payload)} bytes")
            lines.append(f"{tag} {payload.hex()}")
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    try:
        text = chunk_lines(all_levels())
    except ValueError as error:
        print(f"levels: error: {error}", file=sys.stderr)
        return 1
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    with open(args.out, "w", encoding="ascii", newline="\n") as out:
        out.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
