#!/usr/bin/python3
"""Checks of the content build: a package with a hole fails with a message naming the file,
and the same sources give the same bytes."""

import contextlib
import io
import os
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import build  # noqa: E402
from vorncontent import atlas, font  # noqa: E402
from PIL import Image  # noqa: E402

GRAPH = '<Graph><Namespace id="n"><DisplayText id="t" fontResourceId="app:font_text" textResourceId="texts:{text}"/>' \
        '</Namespace></Graph>'
ATLAS = '<Atlas><Rectangle texCoordU1="0" texCoordV1="0" texCoordU2="{u2}" texCoordV2="1"/></Atlas>'


class BadInput(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.source = os.path.join(self.folder.name, "pkg")
        os.makedirs(self.source)
        self.texts = os.path.join(self.folder.name, "texts.tsv")
        with open(self.texts, "w") as table:
            table.write("known\tKNOWN\n")

    def tearDown(self):
        self.folder.cleanup()

    def write(self, name, data):
        with open(os.path.join(self.source, name), "wb" if isinstance(data, bytes) else "w") as out:
            out.write(data)

    def package(self, image_size=(64, 32), u2="1", text="known", image_bytes=None, drop=None):
        resources = {"img": "img.png", "atlas": "atlas.xml", "graph": "graph.xml"}
        description = '<Package id="p">' + "".join(
            f'<Resource id="{i}" fileName="{f}"/>' for i, f in resources.items()) + \
            '<Instance graphResourceId="graph" parentNodeId=""/></Package>'
        self.write("package.xml", description)
        if image_bytes is not None:
            self.write("img.png", image_bytes)
        else:
            Image.new("RGBA", image_size).save(os.path.join(self.source, "img.png"))
        self.write("atlas.xml", ATLAS.format(u2=u2))
        self.write("graph.xml", GRAPH.format(text=text))
        if drop:
            os.remove(os.path.join(self.source, drop))

    def build_error(self):
        out = os.path.join(self.folder.name, "out")
        with contextlib.redirect_stderr(io.StringIO()):
            try:
                build.build(self.source, out, self.texts)
            except build.check.ContentError as error:
                return str(error)
        return None

    def test_a_complete_package_builds(self):
        self.package()
        self.assertIsNone(self.build_error())

    def test_each_hole_fails_naming_the_file(self):
        cases = [
            ("missing file", dict(drop="atlas.xml"), "atlas.xml", "missing"),
            ("not a picture", dict(image_bytes=b"not a png"), "img.png", "bad image"),
            ("size not a power of two", dict(image_size=(60, 32)), "img.png", "power-of-two"),
            ("rectangle outside its image", dict(u2="1.5"), "atlas.xml", "outside"),
            ("unknown text", dict(text="nope"), "graph.xml", "texts:nope"),
        ]
        for name, options, file_name, words in cases:
            with self.subTest(name):
                self.setUp()
                self.package(**options)
                error = self.build_error()
                self.assertIsNotNone(error)
                self.assertIn(file_name, error)
                self.assertIn(words, error)


class Output(unittest.TestCase):
    def test_atlas_keeps_the_order_given_and_fits_power_of_two(self):
        pictures = [atlas.Picture(f"p{i}", Image.new("RGBA", (10 + 7 * i, 5 + 3 * i), (i, 0, 0, 255)))
                    for i in range(9)]
        sheet = atlas.pack(pictures)
        w, h = sheet.image.size
        self.assertEqual((w & (w - 1), h & (h - 1)), (0, 0))
        for picture, (u1, v1, u2, v2, x1, y1, x2, y2) in zip(pictures, sheet.rectangles()):
            pw, ph = picture.image.size
            self.assertAlmostEqual((u2 - u1) * w, pw)
            self.assertAlmostEqual((v2 - v1) * h, ph)
            self.assertEqual((x2 - x1, y1 - y2), (pw, ph))
            # The picture's own pixels are where its rectangle says.
            self.assertEqual(sheet.image.getpixel((round(u1 * w), round(v1 * h)))[0], int(picture.name[1:]))

    def test_font_is_byte_identical_and_covers_latin(self):
        first = font.rasterise(16, characters=list("AÄb1 "))
        second = font.rasterise(16, characters=list("AÄb1 "))
        self.assertEqual(first.data, second.data)
        self.assertEqual(first.missing, [])
        # HEAD: "0.01" and 11 values; GLPH: four glyphs (the space takes none).
        self.assertEqual(first.data[:4] + first.data[8:12], b"VORNFONT")
        glyphs = first.data.index(b"GLPH")
        self.assertEqual(int.from_bytes(first.data[glyphs + 8:glyphs + 12], "little"), 4)


if __name__ == "__main__":
    unittest.main()
