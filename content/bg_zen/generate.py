"""Draws the zen scenery and writes its graph (tools/content/backgrounds.py)."""

import backgrounds


def generate(out, source, tools):
    backgrounds.zen(out)
