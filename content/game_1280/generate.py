"""Draws the game package's pictures: the stage's signs, score bar, launcher and tips
(tools/content/game_stage.py), then the pools' pictures (tools/content/game_pools.py)."""

import game_stage

try:
    import game_pools
except ModuleNotFoundError as missing:
    # The pools' generator lands on its own; until then the package holds the stage only.
    if missing.name != "game_pools":
        raise
    game_pools = None


def generate(out, source, tools):
    game_stage.generate_1280(out, tools)
    if game_pools is not None:
        game_pools.generate(out, source, tools, "game_1280")
