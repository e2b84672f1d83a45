"""Draws the menu package's pictures: the menu background, the atlas of signs and buttons,
the map and the sign font (tools/content/menus_pictures.py)."""

import os

import menus_pictures


def generate(out, source, tools):
    menus_pictures.menu_background().save(os.path.join(out, "menu_background.png"), optimize=False)
    menus_pictures.pack(menus_pictures.MENU_PICTURES).save(os.path.join(out, "menu.png"),
                                                           os.path.join(out, "menu_atlas.xml"))
    menus_pictures.map_picture().save(os.path.join(out, "map.png"), optimize=False)
    menus_pictures.sign_font().save(os.path.join(out, "font_sign.png"), os.path.join(out, "font_sign.font"))
