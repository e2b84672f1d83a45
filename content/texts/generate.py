"""The texts package: every "texts:<id>" text, written from the one table texts.tsv."""

import os


def generate(out, source, tools):
    rows = tools.texts.read(os.path.join(source, "texts.tsv"))
    unconditional = set()
    for text_id, _value, conditions in rows:
        if not conditions:
            if text_id in unconditional:
                raise tools.texts.TextsError(f"{source}/texts.tsv: '{text_id}' has two unconditional values")
            unconditional.add(text_id)
    with open(os.path.join(out, "package.xml"), "w", encoding="utf-8") as description:
        description.write(tools.texts.package_xml(rows))
    os.remove(os.path.join(out, "texts.tsv"))
