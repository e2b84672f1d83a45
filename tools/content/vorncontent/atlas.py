"""Packs pictures into one power-of-two sheet and writes the sheet's XML atlas.

Rectangles keep the order the pictures were given in (the code selects pictures by index),
while the packing itself places the tallest first. Scene coordinates of a rectangle are the
picture's size in pixels (1 unit = 1 pixel at 1280 x 800), centred on the node unless a
picture names its own anchor.
"""

from dataclasses import dataclass, field
from xml.sax.saxutils import quoteattr

from PIL import Image


@dataclass
class Picture:
    name: str
    image: Image.Image
    # Point of the picture (in its pixels, from the top-left) that sits on the node's origin;
    # None centres it.
    anchor: tuple = None


@dataclass
class Placed:
    picture: Picture
    x: int
    y: int


@dataclass
class Sheet:
    image: Image.Image
    placed: list = field(default_factory=list)

    def rectangles(self):
        """(u1, v1, u2, v2, x1, y1, x2, y2) per picture, in the order given to pack()."""
        width, height = self.image.size
        rows = []
        for item in self.placed:
            w, h = item.picture.image.size
            ax, ay = item.picture.anchor if item.picture.anchor is not None else (w / 2, h / 2)
            rows.append((item.x / width, item.y / height, (item.x + w) / width, (item.y + h) / height,
                         -ax, ay, w - ax, ay - h))
        return rows

    def atlas_xml(self):
        lines = ["<Atlas>"]
        for item, (u1, v1, u2, v2, x1, y1, x2, y2) in zip(self.placed, self.rectangles()):
            lines.append(
                f'  <!-- {item.picture.name} -->\n'
                f'  <Rectangle texCoordU1="{u1:.6f}" texCoordV1="{v1:.6f}" texCoordU2="{u2:.6f}" '
                f'texCoordV2="{v2:.6f}" coordX1="{x1:g}" coordY1="{y1:g}" coordX2="{x2:g}" coordY2="{y2:g}"/>')
        lines.append("</Atlas>")
        return "\n".join(lines) + "\n"

    def save(self, png_path, xml_path=None):
        self.image.save(png_path, optimize=False)
        if xml_path is not None:
            with open(xml_path, "w", encoding="utf-8") as out:
                out.write(self.atlas_xml())


def _shelf_pack(sizes, width, padding):
    """Positions for (w, h) sizes on shelves of the given width, tallest first; None when one
    does not fit the width. Returns the positions and the height used."""
    order = sorted(range(len(sizes)), key=lambda i: (-sizes[i][1], -sizes[i][0], i))
    positions = [None] * len(sizes)
    x = y = shelf = 0
    for i in order:
        w, h = sizes[i]
        if w + 2 * padding > width:
            return None, 0
        if x + w + 2 * padding > width:
            y += shelf
            x = shelf = 0
        positions[i] = (x + padding, y + padding)
        x += w + 2 * padding
        shelf = max(shelf, h + 2 * padding)
    return positions, y + shelf


def _power_of_two(value):
    size = 1
    while size < value:
        size *= 2
    return size


def pack(pictures, padding=1, max_size=2048, background=(0, 0, 0, 0)):
    """One sheet holding every picture, as small as the power-of-two sizes allow."""
    if not pictures:
        raise ValueError("atlas has no pictures")
    sizes = [p.image.size for p in pictures]
    area = sum((w + 2 * padding) * (h + 2 * padding) for w, h in sizes)
    best = None
    width = _power_of_two(max(w for w, _ in sizes) + 2 * padding)
    while width <= max_size:
        positions, used = _shelf_pack(sizes, width, padding)
        if positions is not None:
            height = _power_of_two(used)
            key = (width * height, max(width, height))
            if height <= max_size and (best is None or key < best[3]):
                best = (width, height, positions, key)
        if width * width >= 4 * area and best is not None:
            break
        width *= 2
    if best is None:
        raise ValueError(f"atlas does not fit {max_size} x {max_size}")
    width, height, positions, _ = best
    sheet = Image.new("RGBA", (width, height), background)
    placed = []
    for picture, (x, y) in zip(pictures, positions):
        sheet.paste(picture.image.convert("RGBA"), (x, y))
        placed.append(Placed(picture, x, y))
    return Sheet(sheet, placed)


def single(image, name="picture", anchor=None):
    """A one-rectangle atlas over a whole power-of-two image (for planes that show one picture)."""
    w, h = image.size
    if _power_of_two(w) != w or _power_of_two(h) != h:
        raise ValueError(f"{name}: {w} x {h} is not a power-of-two size")
    return Sheet(image.convert("RGBA"), [Placed(Picture(name, image, anchor), 0, 0)])


def quote(value):
    return quoteattr(str(value))
