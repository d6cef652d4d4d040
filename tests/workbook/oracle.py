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
    "hand_kana.xlsx!Kana", "hand_door.ods!Door", "hand_door.ods!Loose"}
MUST_REFUSE = {"hand_%s.xlsx!%s" % (book, name): "C2" for book in ("kinds", "strict")
               for name in ("Fmt", "Date", "Err", "NoCache", "Quote", "Tab", "CR")}
MUST_REFUSE["hand_door.ods!Fmt"] = "C2"
# A logical value in the table: TRUE in English, WAHR in German.
MUST_REFUSE.update({"hand_%s.xlsx!Kinds" % book: "D6" for book in ("kinds", "strict")})

STAMP = re.compile(rb"[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}")
# What each twist's table sheet must give, on every writer: written (the
# same bytes, or but for cells a warning names), or refused at a cell. The
# formulas that openpyxl saves without their result are refused from its
# workbook and written from LibreOffice's, which calculated them.
TWIST_REFUSED = {"state_numbers_decimals": "B3", "column_style_decimals": "B2", "row_and_column_style": "B4",
                 "offset_in_table": "B3", "indirect_in_table": "E2", "volatile_through_cell": "H1",
                 "volatile_through_name": "B5", "volatile_on_other_sheet": "B5"}
TWIST_UNCALCULATED = {"state_numbers_by_row": "B2", "state_numbers_by_row_at_c5": "D6",
                      "state_numbers_chained": "B3", "action_by_formula": "C2", "state_name_by_formula": "A5",
                      "plain_name": "B2", "empty_string_formula_far": "J30", "empty_string_formula_in_table": "E4"}


def twist_expectation(name, writer):
    """None (written) or the cell a twist's table must be refused at."""
    twist = re.sub(r"^x[0-9]+_|(_ods\.ods|_xlsx\.xlsx|\.xlsx)$", "", name)
    if twist in TWIST_REFUSED:
        return TWIST_REFUSED[twist]
    if writer == WRITERS[0]:
        return TWIST_UNCALCULATED.get(twist)
    return None


CELL = re.compile(r"!\$?([A-Z]{1,3})\$?([0-9]+)\b")


def soffice(profile, args, log, locale=None):
    command = ["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--norestore"] + args
    start = time.time()
    env = dict(os.environ)
    if locale:
        # LibreOffice with a fresh profile takes its language from these.
        env.update(LANG=locale, LC_ALL=locale)
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=600, env=env)
    output = result.stdout.decode("utf-8", "replace")
    with open(log, "a") as file:
        file.write("$ %s\n%s\n" % (" ".join(command), output))
    if result.returncode != 0:
        sys.exit("soffice failed (status %d), see %s" % (result.returncode, log))
    print("soffice %s%s: %d files in %.0f s" % (args[0], " (%s)" % locale if locale else "",
                                                len([a for a in args if a.startswith("/")]), time.time() - start),
          flush=True)
    return output


def soffice_batches(profile, args, files, log, locale=None, size=150):
    """soffice with args on files, a batch at a time: one call stops short,
    without a word, when it is given a few hundred files."""
    return "".join(soffice(profile, args + files[at:at + size], log, locale) for at in range(0, len(files), size))


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


def export(book, sheet, pelk_table, scratch):
    """pelk-table export of one sheet: (status, lines of standard error, the
    text written or None)."""
    out = os.path.join(scratch, "export.tsv")
    if os.path.exists(out):
        os.remove(out)
    result = subprocess.run([pelk_table, "export", book, "--sheet", sheet, "-o", out],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
    stderr = result.stderr.decode("utf-8", "replace")
    lines = [line for line in stderr.splitlines() if line.strip()]
    got = open(out, "rb").read() if os.path.exists(out) else None
    return result.returncode, lines, got


def judge(exported, expected):
    """One sheet against LibreOffice's text: (passed, kind, line); kind is
    "same", "warned", "refused", "silent" or "failed"."""
    status, lines, got = exported
    if status != 0:
        errors = [line for line in lines if ": error: " in line and CELL.search(line)]
        if status == 1 and errors:
            if got is not None:
                return False, "failed", "refused, but left a file behind: %s" % errors[0]
            return True, "refused", "refused: " + errors[0]
        return False, "failed", "status %d without naming a cell: %s" % (status, " | ".join(lines) or "(silent)")
    if got == expected:
        extra = " (%d warnings)" % len(lines) if lines else ""
        return True, "same", "same bytes, %d lines%s" % (expected.count(b"\n"), extra)
    # Cells named by a warning may be empty where LibreOffice writes text.
    try:
        want_rows = parse(expected.decode("utf-8"))
        got_rows = parse(got.decode("utf-8"))
    except (UnicodeDecodeError, ValueError) as problem:
        return False, "silent", "differs, and cannot be compared cell by cell: %s" % problem
    final = expected.endswith(b"\n")
    if serialise(want_rows, final).encode("utf-8") != expected:
        return False, "silent", "differs (LibreOffice's text does not read back as written: compare by hand)"
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
        return True, "warned", "same bytes but for %d cells written empty with a warning: %s" % (
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
            return False, "silent", "SILENT DIFFERENCE at " + "; ".join(cells[:4])
    return False, "silent", "SILENT DIFFERENCE in the line ends or quoting: %r vs %r" % (expected[-40:], got[-40:])


# The second language the exports are made in: a comma for the decimal
# point, a point for the thousands, WAHR and FALSCH for the logical values.
SECOND_LOCALE = "de_DE.UTF-8"
WRITERS = ("openpyxl", "LibreOffice .ods", "LibreOffice .xlsx")


def writer_of(name):
    """The writer of a twist workbook (x<NN>_...); None for the others."""
    if not name.startswith("x"):
        return None
    return WRITERS[1] if name.endswith("_ods.ods") else WRITERS[2] if name.endswith("_xlsx.xlsx") else WRITERS[0]


def exported_sheets(output):
    """"convert <book> ..." then one "Writing sheet <name> -> <file>" per sheet."""
    sheets, book = [], None
    for line in output.splitlines():
        match = re.match(r"convert (.*?) (?:->|using) ", line)
        if match:
            book = match.group(1)
            continue
        match = re.match(r"Writing sheet (.*) -> (.*)$", line)
        if match and book:
            sheets.append((book, match.group(1), match.group(2)))
    return sheets


def generate_c(pelk, text, scratch):
    """pelk's C of a table text: {file name: bytes}, or None when pelk refuses it."""
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(scratch)
    with open(os.path.join(scratch, "table.tsv"), "wb") as table:
        table.write(text)
    result = subprocess.run([pelk, "-nDoor", "-aC", "table.tsv"], cwd=scratch, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, timeout=60)
    if result.returncode != 0:
        return None
    # The generation stamp ("2024/03/14 12:30:00") differs from run to run.
    return {name: STAMP.sub(b"YYYY/MM/DD hh:mm:ss", open(os.path.join(scratch, name), "rb").read())
            for name in sorted(os.listdir(scratch)) if name != "table.tsv"}


def main():
    root, pelk_table, work = sys.argv[1], os.path.abspath(sys.argv[2]), os.path.abspath(sys.argv[3])
    pelk = os.path.join(os.path.dirname(pelk_table), "pelk")
    if not os.access(pelk, os.X_OK):
        sys.exit("oracle: no %s beside pelk-table to generate C with" % pelk)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    version = subprocess.run(["soffice", "--version"], stdout=subprocess.PIPE).stdout.decode().strip()
    print("oracle: %s, a fresh profile, languages en-US and %s" % (version, SECOND_LOCALE), flush=True)
    corpus = os.path.join(work, "corpus")
    subprocess.run([sys.executable, os.path.join(HERE, "make_corpus.py"), root, corpus], check=True)
    profile = os.path.join(os.path.dirname(work), "workbook-oracle-profile")
    log = os.path.join(work, "soffice.log")
    tsv = os.path.join(corpus, "tsv")
    books = os.path.join(corpus, "books")
    twisted = os.path.join(corpus, "twists")
    tables = sorted(os.path.join(tsv, name) for name in os.listdir(tsv) if name.endswith(".tsv"))
    twists = sorted(os.path.join(twisted, name) for name in os.listdir(twisted))
    origin = dict(line.rstrip("\n").split("\t") for line in open(os.path.join(tsv, "SOURCES")))

    # LibreOffice saves the tables as .xlsx and as .ods, and re-writes each
    # twist in both formats (into folders of their own: the export names
    # its files after the book without extension).
    for kind, filter_name in (("xlsx", "Calc MS Excel 2007 XML"), ("ods", "calc8")):
        out = os.path.join(work, "saved-" + kind)
        soffice_batches(profile, ["--convert-to", kind + ":" + filter_name, "--infilter=" + IMPORT_FILTER,
                                  "--outdir", out], tables, log)
        for name in sorted(os.listdir(out)):
            stem = os.path.splitext(name)[0]
            os.rename(os.path.join(out, name), os.path.join(books, "%s_%s.%s" % (stem, kind, kind)))
        out = os.path.join(work, "rewritten-" + kind)
        soffice_batches(profile, ["--convert-to", kind + ":" + filter_name, "--outdir", out], twists, log)
        for name in sorted(os.listdir(out)):
            stem = os.path.splitext(name)[0]
            os.rename(os.path.join(out, name), os.path.join(books, "%s_%s.%s" % (stem, kind, kind)))
    for path in twists:
        os.rename(path, os.path.join(books, os.path.basename(path)))

    all_books = sorted(os.path.join(books, name) for name in os.listdir(books))
    runs = []
    for locale, folder in ((None, "libreoffice"), (SECOND_LOCALE, "libreoffice-" + SECOND_LOCALE.split(".")[0])):
        run_profile = profile if not locale else profile + "-" + folder
        output = soffice_batches(run_profile, ["--convert-to", "csv:" + EXPORT_FILTER, "--outdir",
                                               os.path.join(work, folder)], all_books, log, locale)
        runs.append((locale or "en-US", exported_sheets(output)))

    scratch = os.path.join(work, "scratch")
    os.makedirs(scratch)
    passed = failed = 0
    counts = {}
    c_same = c_differ = c_refused = c_theirs_refused = 0
    exports = {}
    for locale, sheets in runs:
        converted = {book for book, _, _ in sheets}
        for missing in sorted(set(all_books) - converted):
            print("FAIL %s: LibreOffice (%s) wrote no sheet of it" % (os.path.basename(missing), locale))
            failed += 1
        for book, sheet, csv in sheets:
            name = os.path.basename(book)
            stem = name.split("_")[0]
            note = " (%s)" % origin[stem] if stem in origin else ""
            if (book, sheet) not in exports:
                exports[(book, sheet)] = export(book, sheet, pelk_table, scratch)
            exported = exports[(book, sheet)]
            if not os.path.exists(csv):
                ok, kind, line = False, "failed", "LibreOffice did not write %s" % csv
            else:
                ok, kind, line = judge(exported, open(csv, "rb").read())
            judged = kind  # what the figures count, before the expectations
            key = "%s!%s" % (name, sheet)
            must_write = key in MUST_WRITE or re.match(r"t(0[1-9]|1[0-4])_", name)
            if ok and kind == "refused" and must_write:
                ok, kind, line = False, "failed", "refused a sheet that it can write: " + line
            if ok and key in MUST_REFUSE and not (kind == "refused" and
                                                  re.search(r"!\$?%s\b" % MUST_REFUSE[key], line)):
                ok, kind, line = False, "failed", "should refuse the sheet at %s: %s" % (MUST_REFUSE[key], line)
            writer = writer_of(name)
            if writer and ok and (sheet == "Door" or b"START" in (exported[2] or b"")):
                # The needless refusals are gone; the uncertain cells are refused.
                cell = twist_expectation(name, writer)
                if cell is None and kind == "refused":
                    ok, kind, line = False, "failed", "refused a twist that it can write: " + line
                elif cell and not (kind == "refused" and re.search(r"!\$?%s\b" % cell, line)):
                    ok, kind, line = False, "failed", "should refuse the twist at %s: %s" % (cell, line)
            if writer:
                counts.setdefault((locale, writer), {}).setdefault(judged, 0)
                counts[(locale, writer)][judged] += 1
            print("%s %s!%s%s [%s]: %s" % ("ok  " if ok else "FAIL", name, sheet, note, locale, line), flush=True)
            passed += ok
            failed += not ok
            # The generated C of both texts of a table sheet, once.
            if locale == "en-US" and writer and kind in ("same", "warned") and b"START" in exported[2]:
                mine = generate_c(pelk, exported[2], os.path.join(scratch, "c-pelk-table"))
                theirs = generate_c(pelk, open(csv, "rb").read(), os.path.join(scratch, "c-libreoffice"))
                if theirs is None and mine is None:
                    c_refused += 1
                elif theirs is None:
                    # LibreOffice's text holds what pelk refuses (a quoted
                    # tab or line break), which export wrote empty.
                    c_theirs_refused += 1
                elif mine is None:
                    c_differ += 1
                    print("FAIL %s!%s: pelk takes LibreOffice's export but not pelk-table's" % (name, sheet))
                    failed += 1
                elif mine == theirs:
                    c_same += 1
                else:
                    c_differ += 1
                    print("FAIL %s!%s: pelk's C differs between pelk-table's and LibreOffice's export" % (name, sheet))
                    failed += 1
    print("twists by writer and language (same bytes / differ only in cells a warning names / refused at a "
          "cell / silent difference / other failure):")
    for (locale, writer), kinds in sorted(counts.items()):
        print("  %-6s %-18s %3d / %3d / %3d / %3d / %3d" % (
            locale.split(".")[0], writer, kinds.get("same", 0), kinds.get("warned", 0), kinds.get("refused", 0),
            kinds.get("silent", 0), kinds.get("failed", 0)))
    print("generated C of the table sheets: %d the same from both exports, %d different; pelk refuses %d from "
          "both, %d from LibreOffice's export only" % (c_same, c_differ, c_refused, c_theirs_refused))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
