"""Writes the generated graphs of the game screen (tools/content/game_stage.py), then the
pools' templates (tools/content/game_pools.py)."""

import game_pools
import game_stage


def generate(out, source, tools):
    game_stage.generate_common(out, tools)
    game_pools.generate(out, source, tools, "game_common")
