#!/usr/bin/python3
"""Builds one package of the game's data from its sources.

How a package's sources are laid out: content/<package name>/ holds
  package.xml   the package description (id, Resource, Text and Instance records); every file
                it names is either a source file beside it or one that generate.py writes;
  *.xml         graphs ("<Graph>"), animations and hand-written atlases ("<Atlas>");
  generate.py   optional: defines generate(out, source, tools) and draws the package's images,
                atlases, fonts and sounds into the out folder (tools is the vorncontent module);
  anything else the description names (pictures, sounds) as it is.
Generated files go only into the build folder, never into content/. Generators use fixed seeds
and write no dates, so the same sources always give the same bytes.

The steps: copy the sources into the out folder, run generate.py, check the result (every
named file exists, images are power-of-two PNG or JPEG pictures, atlas rectangles lie inside
their pictures, graphs name only known texts and resources), then, with --serialiser, write the
native package. Any failure names the file and ends with exit code 1.

  build.py --source content/app_1280 --out build/content/xml/app_1280.vornres \
           --texts content/texts/texts.tsv [--serialiser vorn_serialise --native app_1280.vornpkg]
"""

import argparse
import importlib.util
import os
import shutil
import subprocess
import sys

# Nothing is written into the source tree, compiled modules included.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import vorncontent  # noqa: E402
from vorncontent import atlas, check, draw, font, sound, texts  # noqa: E402,F401

SKIPPED = {"generate.py", "__pycache__"}


def run_generator(source, out):
    script = os.path.join(source, "generate.py")
    if not os.path.isfile(script):
        return
    name = "generate_" + os.path.basename(os.path.normpath(source)).replace(".", "_")
    spec = importlib.util.spec_from_file_location(name, script)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    module.generate(out, source, vorncontent)


def build(source, out, texts_table, serialiser=None, native=None):
    if not os.path.isdir(source):
        raise check.ContentError(f"{source}: no such package source folder")
    if os.path.isdir(out):
        shutil.rmtree(out)
    os.makedirs(out)
    for entry in sorted(os.listdir(source)):
        if entry in SKIPPED or entry.startswith("."):
            continue
        path = os.path.join(source, entry)
        if os.path.isdir(path):
            shutil.copytree(path, os.path.join(out, entry))
        else:
            shutil.copyfile(path, os.path.join(out, entry))
    run_generator(source, out)
    text_ids = texts.ids(texts_table) if texts_table else set()
    files = check.check_package(out, text_ids)
    if serialiser:
        os.makedirs(os.path.dirname(os.path.abspath(native)), exist_ok=True)
        result = subprocess.run([serialiser, out, native])
        if result.returncode != 0:
            if os.path.exists(native):
                os.remove(native)
            raise check.ContentError(f"{source}: the serialiser refused the package (see the lines above)")
    return files


def main():
    parser = argparse.ArgumentParser(description="Builds one package of the game's data.")
    parser.add_argument("--source", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--texts", help="the texts table that graphs' textResourceId must name")
    parser.add_argument("--serialiser")
    parser.add_argument("--native")
    parser.add_argument("--stamp", help="written last, for the build's dependency tracking")
    args = parser.parse_args()
    if bool(args.serialiser) != bool(args.native):
        parser.error("--serialiser and --native go together")
    try:
        build(args.source, args.out, args.texts, args.serialiser, args.native)
    except (check.ContentError, texts.TextsError, ValueError, OSError) as error:
        print(f"content: error: {error}", file=sys.stderr)
        return 1
    if args.stamp:
        with open(args.stamp, "w") as stamp:
            stamp.write("built\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
