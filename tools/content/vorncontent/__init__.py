"""Helpers that the package generators share: drawing, atlas packing, fonts, sounds, checks."""

from . import atlas, check, draw, font, sound, texts  # noqa: F401
