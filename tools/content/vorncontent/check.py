"""Checks of a generated package folder, run before the serialiser: every file the description
names exists, images are textures the engine can upload, atlases stay inside their pictures,
graphs name only texts that the texts table has and resources their own package has. Every
failure names the file."""

import os
import re
import xml.etree.ElementTree as ET

from PIL import Image


class ContentError(Exception):
    pass


def _power_of_two(value):
    return value > 0 and value & (value - 1) == 0


def check_image(path):
    try:
        with Image.open(path) as image:
            image.verify()
        with Image.open(path) as image:
            image.load()
            width, height = image.size
            if image.format == "PNG":
                if image.info.get("interlace"):
                    raise ContentError(f"{path}: interlaced PNG")
            elif image.format == "JPEG":
                if image.mode != "RGB":
                    raise ContentError(f"{path}: JPEG must have three components, has mode {image.mode}")
            else:
                raise ContentError(f"{path}: {image.format} is not a PNG or JPEG picture")
    except ContentError:
        raise
    except Exception as error:  # PIL raises many kinds for broken files
        raise ContentError(f"{path}: bad image ({error})") from None
    if not (_power_of_two(width) and _power_of_two(height)):
        raise ContentError(f"{path}: {width} x {height} is not a power-of-two size")


def _parse(path):
    try:
        return ET.parse(path).getroot()
    except ET.ParseError as error:
        raise ContentError(f"{path}: XML does not read ({error})") from None


def check_atlas(path):
    root = _parse(path)
    if root.tag != "Atlas":
        raise ContentError(f"{path}: not an Atlas document")
    for number, rect in enumerate(root, 1):
        for name in ("texCoordU1", "texCoordV1", "texCoordU2", "texCoordV2"):
            value = rect.get(name)
            if value is None:
                continue
            if not 0.0 <= float(value) <= 1.0:
                raise ContentError(f"{path}: rectangle {number} has {name}={value}, outside its image")
        for first, size in (("texCoordU1", "texCoordWidth"), ("texCoordV1", "texCoordHeight")):
            if rect.get(first) is not None and rect.get(size) is not None:
                if float(rect.get(first)) + float(rect.get(size)) > 1.0 + 1e-6:
                    raise ContentError(f"{path}: rectangle {number} reaches outside its image")


TEXT_REFERENCE = re.compile(r'textResourceId="([^"]*)"')
RESOURCE_REFERENCE = re.compile(r'(\w+ResourceId\w*|graphResourceId)="([^":]+):([^"]+)"')


def check_graph(path, package_id, resource_ids, text_ids):
    with open(path, encoding="utf-8") as source:
        text = source.read()
    _parse(path)
    for match in TEXT_REFERENCE.finditer(text):
        full = match.group(1)
        if not full.startswith("texts:") or full[len("texts:"):] not in text_ids:
            raise ContentError(f"{path}: unknown text id '{full}'")
    for match in RESOURCE_REFERENCE.finditer(text):
        attribute, package, resource = match.groups()
        if attribute == "textResourceId":
            continue
        if package == package_id and resource not in resource_ids:
            raise ContentError(f"{path}: {attribute} names '{package}:{resource}', which the package does not have")


def check_package(folder, text_ids):
    """Checks the package folder; returns the list of files the description names."""
    description = os.path.join(folder, "package.xml")
    if not os.path.isfile(description):
        raise ContentError(f"{description}: missing")
    root = _parse(description)
    if root.tag != "Package" or not root.get("id"):
        raise ContentError(f"{description}: not a Package description with an id")
    package_id = root.get("id")
    resources = {}
    for element in root:
        if element.tag == "Resource":
            name = element.get("fileName")
            if not name or not element.get("id"):
                raise ContentError(f"{description}: Resource without id or fileName")
            path = os.path.join(folder, name)
            if not os.path.isfile(path):
                raise ContentError(f"{path}: missing (named by {description})")
            resources.setdefault(element.get("id"), path)
        elif element.tag == "Text":
            if element.get("id") is None or element.get("value") is None:
                raise ContentError(f"{description}: Text without id or value")
        elif element.tag == "Instance":
            graph = element.get("graphResourceId")
            if graph not in resources:
                raise ContentError(f"{description}: Instance of unknown graph '{graph}'")
        else:
            raise ContentError(f"{description}: unknown element <{element.tag}>")
    for path in resources.values():
        lower = path.lower()
        if lower.endswith((".png", ".jpg", ".jpeg")):
            check_image(path)
        elif lower.endswith(".xml"):
            head = open(path, encoding="utf-8").read(200)
            if "<Atlas" in head:
                check_atlas(path)
            elif "<Graph" in head:
                check_graph(path, package_id, set(resources), text_ids)
    return sorted(set(os.path.relpath(p, folder) for p in resources.values()))
