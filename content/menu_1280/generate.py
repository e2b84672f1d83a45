"""Draws the menu package's pictures: the menu background, the atlas of signs and buttons,
the map and the sign font (tools/content/menus_pictures.py)."""

import os

import menus_pictures


def generate(out, source, tools):
    menus_pictures.menu_background().save(os.path.join(out, "menu_background.png"), optimize=False)
    sheet = menus_pictures.pack(menus_pictures.MENU_PICTURES)
    sheet.save(os.path.join(out, "menu.png"), os.path.join(out, "menu_atlas.xml"))
    # The online list's opt-out line asks to tap, or on a computer to click.
    for name, file_name in (("opt_out_click", "opt_out_atlas_computer.xml"), ("opt_out_tap", "opt_out_atlas.xml")):
        with open(os.path.join(out, file_name), "w", encoding="utf-8") as description:
            description.write(menus_pictures.one_picture(sheet, name).atlas_xml())
    menus_pictures.map_picture().save(os.path.join(out, "map.png"), optimize=False)
    menus_pictures.sign_font().save(os.path.join(out, "font_sign.png"), os.path.join(out, "font_sign.font"))
