"""Draws the scenery "bg_grass" and writes its graphs (tools/content/backgrounds.py)."""

import backgrounds


def generate(out, source, tools):
    backgrounds.campaign(out, "bg_grass")
