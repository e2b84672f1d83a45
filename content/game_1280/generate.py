"""Draws the game package's pictures: the stage's signs, score bar, launcher and tips
(tools/content/game_stage.py), then the pools' pictures (tools/content/game_pools.py)."""

import game_pools
import game_stage


def generate(out, source, tools):
    game_stage.generate_1280(out, tools)
    game_pools.generate(out, source, tools, "game_1280")
