"""Checks of a screenshot for the Wine driver: sample points and boxes at client pixels, with the
colour wanted and how far each channel may be off."""


class Point:
    def __init__(self, x, y, colour, tolerance=12):
        self.x, self.y, self.colour, self.tolerance = x, y, colour, tolerance

    def matches(self, image):
        actual = image.getpixel((self.x, self.y))[:3]
        return all(abs(a - b) <= self.tolerance for a, b in zip(actual, self.colour))

    def describe(self, image):
        return "(%d,%d) %s, wanted %s" % (self.x, self.y, image.getpixel((self.x, self.y))[:3], self.colour)


class AnyIn:
    """Some pixel of a box has the colour: for a picture that moves or turns inside the box."""

    def __init__(self, box, colour, tolerance=30):
        self.box, self.colour, self.tolerance = box, colour, tolerance

    def matches(self, image):
        region = image.crop(self.box)
        for pixel in region.getdata():
            if all(abs(a - b) <= self.tolerance for a, b in zip(pixel[:3], self.colour)):
                return True
        return False

    def describe(self, image):
        return "no pixel of %s in box %s" % (self.colour, self.box)


class Not:
    """The check does not hold: a sign or prompt has gone."""

    def __init__(self, check):
        self.check = check

    def matches(self, image):
        return not self.check.matches(image)

    def describe(self, image):
        return "still shown: %s" % (self.check.__class__.__name__,)


class Changed:
    """A box of the screen differs from the same box of an earlier screenshot."""

    def __init__(self, before, box):
        self.before, self.box = before, box

    def matches(self, image):
        return list(image.crop(self.box).getdata()) != list(self.before.getdata())

    def describe(self, image):
        return "box %s unchanged" % (self.box,)
