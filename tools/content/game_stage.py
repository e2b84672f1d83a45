"""Pictures of the game screen: signs, score bar, launcher, tutorial and tips.

Scene positions are pixels at 1280 x 800 with the origin in the screen's centre and y up.
"""

import os

from vorncontent import atlas, draw

STAGE_PICTURES = [
    ("panel", lambda: draw.panel(200, 100, fill="blue")),
]


def generate_1280(out, tools):
    atlas.pack([atlas.Picture(n, make()) for n, make in STAGE_PICTURES]).save(
        os.path.join(out, "stage.png"), os.path.join(out, "stage_atlas.xml"))


def generate_common(out, tools):
    pass
