#!/usr/bin/env python3
"""Build the game's language tables in data/ from their UTF-8 sources in data-src/.

The game reads its tables as UTF-16LE text with a byte-order mark, fields cut
at ';' and lines ended by CR LF. Those files are awkward to edit and to diff,
so we keep readable UTF-8 sources under data-src/ and generate data/ from them:

    python3 tools/text-to-utf16.py           # rewrite data/ from data-src/
    python3 tools/text-to-utf16.py --check   # exit 1 when data/ is out of date

Source files (UTF-8, any line ending):
- Lines starting with "//" and blank lines are for the reader and are dropped.
- The first remaining line of a table is its heading; the generated file gets
  the heading of the game's column layout instead (the reader skips row 1, and
  the byte-order mark sits harmlessly in that row).
- Only the English text is written once per row; the generator copies it into
  every language column, so a player on another language code sees English
  rather than empty panels.

Per table (source columns -> game columns):
- language/gui_vocabular.csv  n;key;text        -> n;key;eng;rus;ger   then "*"
  (n must count 0, 1, 2, ... as the game numbers its GUI texts by row)
- language/places.csv         row;col;text      -> -;row;col;rus;eng;ger;jap;fra;esp
- language/comic.csv          level;page;image;text
                              -> level;page;rus;eng;ger;jap;fra;esp;image
- language/tasks.csv          level;pinX;pinY;lotRow;lotCol;kind;text
                              -> the six numbers;rus;ger;eng;jap;fra;esp
- language/css.csv, logos/list.csv: copied field for field.
- language/<code>/credits.txt: copied line for line (the "[CREDITS]" key file).

The table reader cuts at every ';' and drops empty fields, so a field can hold
no ';' and must not be empty (the columns after it would shift); quotes at the
ends of a field are stripped. The checks below refuse such text.
"""

import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCE = ROOT / "data-src"
TARGET = ROOT / "data"

GUI_ENTRIES = 156          # size of the game's GUI text table
GUI_TEXT_UNITS = 1023      # one entry holds 1024 units with its terminator
CREDITS_UNITS = 4095       # the credits text buffer
CREDITS_LINES = 256
CREDITS_LINE_UNITS = 255


class SourceError(Exception):
    pass


def utf16_units(text):
    return len(text.encode("utf-16-le")) // 2


def check_field(where, field, is_text=False):
    if field == "":
        raise SourceError(f"{where}: empty field (the reader would shift the columns after it)")
    if field != field.strip():
        raise SourceError(f"{where}: field has spaces at its ends: {field!r}")
    if field.startswith('"') or field.endswith('"'):
        raise SourceError(f"{where}: the reader strips quotes at the ends of a field")
    if is_text and "%" in field:
        raise SourceError(f"{where}: '%' in a text (some texts go through printf formats)")


def check_int(where, field):
    check_field(where, field)
    try:
        return int(field)
    except ValueError:
        raise SourceError(f"{where}: {field!r} is not a whole number") from None


def read_rows(path):
    """The heading and the data rows of a source table, split at ';'."""
    rows = []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("//"):
            continue
        rows.append((f"{path.relative_to(ROOT)}:{number}", line.split(";")))
    if not rows:
        raise SourceError(f"{path}: no heading row")
    return rows[1:]


def expect_columns(where, fields, count, text_may_be_missing=False):
    if len(fields) == count or (text_may_be_missing and len(fields) == count - 1):
        return
    raise SourceError(f"{where}: {len(fields)} fields, expected {count} (';' inside a text?)")


def build_gui(path):
    lines = ["n;key;eng;rus;ger"]
    rows = read_rows(path)
    for index, (where, fields) in enumerate(rows):
        expect_columns(where, fields, 3, text_may_be_missing=True)
        if check_int(where, fields[0]) != index:
            raise SourceError(f"{where}: row number {fields[0]}, expected {index}")
        check_field(where, fields[1])
        out = fields[:2]
        if len(fields) == 3 and fields[2] != "":
            check_field(where, fields[2], is_text=True)
            if utf16_units(fields[2]) > GUI_TEXT_UNITS:
                raise SourceError(f"{where}: text longer than a GUI entry")
            out += [fields[2]] * 3
        lines.append(";".join(out))
    if len(rows) != GUI_ENTRIES:
        raise SourceError(f"{path}: {len(rows)} rows, the GUI text table has {GUI_ENTRIES}")
    lines.append("*")
    return lines


def build_places(path):
    lines = ["-;row;column;rus;eng;ger;jap;fra;esp"]
    seen = set()
    for where, fields in read_rows(path):
        expect_columns(where, fields, 3)
        cell = (check_int(where, fields[0]), check_int(where, fields[1]))
        if cell in seen:
            raise SourceError(f"{where}: second name for lot {cell}")
        seen.add(cell)
        check_field(where, fields[2], is_text=True)
        lines.append(";".join(["-", fields[0], fields[1]] + [fields[2]] * 6))
    return lines


def build_comic(path):
    lines = ["level;page;rus;eng;ger;jap;fra;esp;image"]
    for where, fields in read_rows(path):
        expect_columns(where, fields, 4)
        check_int(where, fields[0])
        check_int(where, fields[1])
        check_field(where, fields[2])
        check_field(where, fields[3], is_text=True)
        lines.append(";".join(fields[:2] + [fields[3]] * 6 + [fields[2]]))
    return lines


def build_tasks(path):
    lines = ["level;pinx;piny;lotrow;lotcol;kind;rus;ger;eng;jap;fra;esp"]
    rows = read_rows(path)
    for position, (where, fields) in enumerate(rows, 1):
        expect_columns(where, fields, 7)
        numbers = [check_int(where, f) for f in fields[:6]]
        # The world map compares the furthest level with a row's position, so
        # row n must be level n.
        if numbers[0] != position:
            raise SourceError(f"{where}: level {numbers[0]} in row {position}")
        check_field(where, fields[6], is_text=True)
        lines.append(";".join(fields[:6] + [fields[6]] * 6))
    if len(rows) != 31:
        raise SourceError(f"{path}: {len(rows)} levels, expected 31")
    return lines


def build_plain(heading, columns):
    def build(path):
        lines = [heading]
        for where, fields in read_rows(path):
            expect_columns(where, fields, columns)
            for field in fields:
                check_field(where, field)
            lines.append(";".join(fields))
        return lines
    return build


def build_credits(path):
    lines = path.read_text(encoding="utf-8").splitlines()
    if not lines or lines[0] != "[CREDITS]":
        raise SourceError(f"{path}: the first line must be [CREDITS]")
    body = lines[1:]
    if not body or body[-1] != "#":
        raise SourceError(f"{path}: the credits end with a line holding only '#'")
    credit_lines = body[:-1]
    if any("#" in line for line in credit_lines):
        raise SourceError(f"{path}: '#' ends the credits early")
    if len(credit_lines) + 1 > CREDITS_LINES:
        raise SourceError(f"{path}: more than {CREDITS_LINES - 1} credit lines")
    for line in credit_lines:
        if utf16_units(line) > CREDITS_LINE_UNITS:
            raise SourceError(f"{path}: credit line longer than {CREDITS_LINE_UNITS}: {line!r}")
    if sum(utf16_units(line) + 2 for line in credit_lines) + 1 > CREDITS_UNITS:
        raise SourceError(f"{path}: credits longer than {CREDITS_UNITS} characters")
    return lines


BUILDERS = {
    "gui_vocabular.csv": build_gui,
    "places.csv": build_places,
    "comic.csv": build_comic,
    "tasks.csv": build_tasks,
    "css.csv": build_plain("red;green;blue;style", 4),
    "list.csv": build_plain("logo;fadein;hold;fadeout", 4),
    "credits.txt": build_credits,
}


def encode(lines):
    return "\ufeff".encode("utf-16-le") + "".join(l + "\r\n" for l in lines).encode("utf-16-le")


def main(argv):
    check_only = argv[1:] == ["--check"]
    if argv[1:] and not check_only:
        print(__doc__)
        return 2
    stale = []
    for source in sorted(SOURCE.rglob("*")):
        builder = BUILDERS.get(source.name)
        if not source.is_file() or builder is None:
            continue
        target = TARGET / source.relative_to(SOURCE)
        try:
            data = encode(builder(source))
        except SourceError as error:
            print(f"error: {error}", file=sys.stderr)
            return 1
        if target.exists() and target.read_bytes() == data:
            continue
        stale.append(target.relative_to(ROOT))
        if not check_only:
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
    for path in stale:
        print(f"{'out of date' if check_only else 'wrote'}: {path}")
    return 1 if check_only and stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
