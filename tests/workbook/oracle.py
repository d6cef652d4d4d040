#!/usr/bin/python3
"""LibreOffice against pelk-table export, sheet by sheet.

    oracle.py <root of the source tree> <pelk-table> <work folder>

Builds the corpus (make_corpus.py) in the work folder, has LibreOffice save
the tables there as .xlsx and .ods, has LibreOffice export every sheet of
every workbook as tab-separated text (UTF-8, '"' as text delimiter, cell
contents as shown), and runs `pelk-table export BOOK --sheet NAME` on the
same sheet. A sheet passes when

  - pelk-table gives the same bytes, or
  - it gives the same bytes but for cells it wrote empty with a warning
    naming them (cells outside the table that pelk cannot take), or
  - it refuses the sheet with an error naming a cell, and leaves no file.

Prints one line per sheet and "N passed, N failed"; exits 1 on a failure.
"""

import os
import re
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_corpus  # noqa: E402

# The CSV filter's options, token by token: field separator (9, a tab),
# text delimiter (34, '"'), character set (76, UTF-8), first line (1), cell
# formats (none), language (0, the default), quote all text cells (false),
# detect special numbers (true; import only), save cell contents as shown
# (true), export formulas (false), remove spaces (false; import only), and
# the sheet: -1 writes every sheet to <book>-<sheet>.csv.
EXPORT_FILTER = "Text - txt - csv (StarCalc):9,34,76,1,,0,false,true,true,false,false,-1"
# The same separator and delimiter to read the tables in: numbers are
# recognised as Calc does on opening a text file, special numbers (dates)
# are not.
IMPORT_FILTER = "Text - txt - csv (StarCalc):9,34,76,1,,0,false,false"

# Sheets that hold a table every cell of which LibreOffice shows as it is
# stored (or that hold no table at all), which export must write; and sheets
# with one cell that the table cannot take, which it must refuse at that
# cell. The tables of the examples and golden cases (t01 to t14) must be
# written too.
MUST_WRITE = {"openpyxl_lamp.xlsx!" + name for name in ("Lamp", "Notes", "Empty", "Merged", "KeyRight")} | {
    "hand_kana.xlsx!Kana", "hand_door.ods!Door", "hand_door.ods!Loose", "hand_kinds.xlsx!Kinds",
    "hand_strict.xlsx!Kinds"}
MUST_REFUSE = {"hand_%s.xlsx!%s" % (book, name): "C2" for book in ("kinds", "strict")
               for name in ("Fmt", "Date", "Err", "NoCache", "Quote", "Tab", "CR")}
MUST_REFUSE["hand_door.ods!Fmt"] = "C2"

CELL = re.compile(r"!\$?([A-Z]{1,3})\$?([0-9]+)\b")


def soffice(profile, args, log):
    command = ["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--norestore"] + args
    start = time.time()
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=600)
    output = result.stdout.decode("utf-8", "replace")
    with open(log, "a") as file:
        file.write("$ %s\n%s\n" % (" ".join(command), output))
    if result.returncode != 0:
        sys.exit("soffice failed (status %d), see %s" % (result.returncode, log))
    print("soffice %s: %d files in %.0f s" % (args[0], len(args) - 3, time.time() - start), flush=True)
    return output


def parse(data):
    """Splits LibreOffice's text into rows of fields: a field that begins with
    '"' runs to the next '"' not doubled, and may hold tabs and line ends."""
    rows, fields, i, n = [], [], 0, len(data)
    while i < n:
        if data[i] == '"':
            j, value = i + 1, []
            while True:
                k = data.find('"', j)
                if k < 0:
                    raise ValueError("unterminated quote")
                value.append(data[j:k])
                if k + 1 < n and data[k + 1] == '"':
                    value.append('"')
                    j = k + 2
                    continue
                i = k + 1
                break
            field = "".join(value)
        else:
            j = i
            while j < n and data[j] not in "\t\n":
                j += 1
            field, i = data[i:j], j
        fields.append(field)
        if i < n and data[i] == "\t":
            i += 1
            if i == n:
                fields.append("")
        elif i < n and data[i] == "\n":
            rows.append(fields)
            fields = []
            i += 1
        elif i < n:
            raise ValueError("text after a closing quote")
    if fields:
        rows.append(fields)
    return rows


def serialise(rows, final_line_end):
    def field(text):
        if any(c in text for c in '\t\n\r"'):
            return '"%s"' % text.replace('"', '""')
        return text

    text = "\n".join("\t".join(field(f) for f in fields) for fields in rows)
    return text + "\n" if rows and final_line_end else text


def column_number(letters):
    number = 0
    for letter in letters:
        number = number * 26 + ord(letter) - 64
    return number


def judge(book, sheet, expected, pelk_table, scratch):
    """One sheet: returns (passed, line)."""
    out = os.path.join(scratch, "export.tsv")
    if os.path.exists(out):
        os.remove(out)
    result = subprocess.run([pelk_table, "export", book, "--sheet", sheet, "-o", out],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
    stderr = result.stderr.decode("utf-8", "replace")
    lines = [line for line in stderr.splitlines() if line.strip()]
    if result.returncode != 0:
        errors = [line for line in lines if ": error: " in line and CELL.search(line)]
        if result.returncode == 1 and errors:
            if os.path.exists(out):
                return False, "refused, but left %s behind: %s" % (out, errors[0])
            return True, "refused: " + errors[0]
        return False, "status %d without naming a cell: %s" % (result.returncode, " | ".join(lines) or "(silent)")
    got = open(out, "rb").read()
    if got == expected:
        extra = " (%d warnings)" % len(lines) if lines else ""
        return True, "same bytes, %d lines%s" % (expected.count(b"\n"), extra)
    # Cells named by a warning may be empty where LibreOffice writes text.
    try:
        want_rows = parse(expected.decode("utf-8"))
        got_rows = parse(got.decode("utf-8"))
    except (UnicodeDecodeError, ValueError) as problem:
        return False, "differs, and cannot be compared cell by cell: %s" % problem
    final = expected.endswith(b"\n")
    if serialise(want_rows, final).encode("utf-8") != expected:
        return False, "differs (LibreOffice's text does not read back as written: compare by hand)"
    warned = set()
    for line in lines:
        if "warning" in line:
            for letters, number in CELL.findall(line):
                warned.add((int(number) - 1, column_number(letters) - 1))
    blanked = []
    for r, c in sorted(warned):
        if r < len(want_rows) and c < len(want_rows[r]) and r < len(got_rows) and c < len(got_rows[r]) \
                and got_rows[r][c] == "" and want_rows[r][c] != "":
            want_rows[r][c] = ""
            blanked.append(make_corpus.column_name(c + 1) + str(r + 1))
    if serialise(want_rows, final).encode("utf-8") == got:
        return True, "same bytes but for %d cells written empty with a warning: %s" % (
            len(blanked), " ".join(blanked))
    for r in range(max(len(want_rows), len(got_rows))):
        want = want_rows[r] if r < len(want_rows) else None
        have = got_rows[r] if r < len(got_rows) else None
        if want != have:
            cells = []
            for c in range(max(len(want or []), len(have or []))):
                w = want[c] if want and c < len(want) else None
                h = have[c] if have and c < len(have) else None
                if w != h:
                    cells.append("%s%d: LibreOffice %r, pelk-table %r" % (make_corpus.column_name(c + 1), r + 1, w, h))
            return False, "SILENT DIFFERENCE at " + "; ".join(cells[:4])
    return False, "SILENT DIFFERENCE in the line ends or quoting: %r vs %r" % (expected[-40:], got[-40:])


def main():
    root, pelk_table, work = sys.argv[1], os.path.abspath(sys.argv[2]), os.path.abspath(sys.argv[3])
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    corpus = os.path.join(work, "corpus")
    subprocess.run([sys.executable, os.path.join(HERE, "make_corpus.py"), root, corpus], check=True)
    profile = os.path.join(os.path.dirname(work), "workbook-oracle-profile")
    log = os.path.join(work, "soffice.log")
    tsv = os.path.join(corpus, "tsv")
    books = os.path.join(corpus, "books")
    tables = sorted(os.path.join(tsv, name) for name in os.listdir(tsv) if name.endswith(".tsv"))
    origin = dict(line.rstrip("\n").split("\t") for line in open(os.path.join(tsv, "SOURCES")))

    # LibreOffice saves the tables as .xlsx and as .ods (into folders of
    # their own: the export names its files after the book without extension).
    for kind, filter_name in (("xlsx", "Calc MS Excel 2007 XML"), ("ods", "calc8")):
        out = os.path.join(work, "saved-" + kind)
        soffice(profile, ["--convert-to", kind + ":" + filter_name, "--infilter=" + IMPORT_FILTER,
                          "--outdir", out] + tables, log)
        for name in sorted(os.listdir(out)):
            stem = os.path.splitext(name)[0]
            os.rename(os.path.join(out, name), os.path.join(books, "%s_%s.%s" % (stem, kind, kind)))

    all_books = sorted(os.path.join(books, name) for name in os.listdir(books))
    exported = os.path.join(work, "libreoffice")
    output = soffice(profile, ["--convert-to", "csv:" + EXPORT_FILTER, "--outdir", exported] + all_books, log)

    # "convert <book> ..." then one "Writing sheet <name> -> <file>" per sheet.
    sheets, book = [], None
    for line in output.splitlines():
        match = re.match(r"convert (.*?) (?:->|using) ", line)
        if match:
            book = match.group(1)
            continue
        match = re.match(r"Writing sheet (.*) -> (.*)$", line)
        if match and book:
            sheets.append((book, match.group(1), match.group(2)))
    converted = {book for book, _, _ in sheets}
    scratch = os.path.join(work, "scratch")
    os.makedirs(scratch)
    passed = failed = 0
    for missing in sorted(set(all_books) - converted):
        print("FAIL %s: LibreOffice wrote no sheet of it" % os.path.basename(missing))
        failed += 1
    for book, sheet, csv in sheets:
        name = os.path.basename(book)
        stem = name.split("_")[0]
        note = " (%s)" % origin[stem] if stem in origin else ""
        if not os.path.exists(csv):
            ok, line = False, "LibreOffice did not write %s" % csv
        else:
            ok, line = judge(book, sheet, open(csv, "rb").read(), pelk_table, scratch)
        key = "%s!%s" % (name, sheet)
        must_write = key in MUST_WRITE or re.match(r"t(0[1-9]|1[0-4])_", name)
        if ok and line.startswith("refused") and must_write:
            ok, line = False, "refused a sheet that it can write: " + line
        if ok and key in MUST_REFUSE and not (line.startswith("refused") and
                                              re.search(r"!\$?%s\b" % MUST_REFUSE[key], line)):
            ok, line = False, "should refuse the sheet at %s: %s" % (MUST_REFUSE[key], line)
        print("%s %s!%s%s: %s" % ("ok  " if ok else "FAIL", name, sheet, note, line), flush=True)
        passed += ok
        failed += not ok
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
