"""The texts table: one text per line, "id<TAB>value", optionally "id<TAB>value<TAB>conditions"
where conditions are the package description's attributes (includeForTargetClasses="COMPUTER").
A value writes a line break as \\n. Lines starting with # and empty lines are skipped. The
first variant of an id whose conditions match wins, so put specific variants first."""

from xml.sax.saxutils import quoteattr


class TextsError(Exception):
    pass


def read(path):
    rows = []
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            parts = line.split("\t")
            if len(parts) not in (2, 3) or not parts[0]:
                raise TextsError(f"{path}:{number}: expected id<TAB>value[<TAB>conditions]")
            rows.append((parts[0], parts[1].replace("\\n", "\n"), parts[2] if len(parts) == 3 else ""))
    return rows


def ids(path):
    return {row[0] for row in read(path)}


def package_xml(rows, package_id="texts"):
    lines = [f'<Package id="{package_id}">']
    for text_id, value, conditions in rows:
        escaped = quoteattr(value, {"\n": "&#10;"})
        extra = f" {conditions}" if conditions else ""
        lines.append(f'  <Text id="{text_id}" value={escaped}{extra}/>')
    lines.append("</Package>")
    return "\n".join(lines) + "\n"
