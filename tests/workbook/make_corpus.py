#!/usr/bin/python3
"""Writes the workbooks of the oracle test into a folder.

    make_corpus.py <root of the source tree> <folder>

<folder>/tsv/      the tables of the source tree (examples, golden cases,
                   check cases) that are UTF-8 text, one file per table,
                   for LibreOffice to save as .xlsx and .ods; their origin
                   is listed in <folder>/tsv/SOURCES
<folder>/twists/   one workbook per twist of twists.py, written by openpyxl,
                   for LibreOffice to re-write as .ods and .xlsx
<folder>/books/    workbooks written here: by openpyxl (a second writer of
                   .xlsx), and by hand, part by part, for what no writer at
                   hand produces (phonetic runs, inline strings, the Strict
                   namespace, sheets found only through the relationships,
                   ODS repeats, covered cells and annotations)
"""

import datetime
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import zipfile
from xml.sax.saxutils import escape

import openpyxl
from openpyxl.styles import Font


def collect_tables(root, out):
    """Copies every table that is valid UTF-8 text under a short name."""
    os.makedirs(out, exist_ok=True)
    sources = []
    for folder, pattern in (("examples", None), ("tests/golden", None), ("tests/check", "table.tsv")):
        base = os.path.join(root, folder)
        for dirpath, _, files in sorted(os.walk(base)):
            for name in sorted(files):
                if not name.endswith(".tsv") or (pattern and name != pattern):
                    continue
                path = os.path.join(dirpath, name)
                data = open(path, "rb").read()
                try:
                    text = data.decode("utf-8")
                except UnicodeDecodeError:
                    continue
                if "\0" in text:
                    continue
                sources.append(os.path.relpath(path, root))
    with open(os.path.join(out, "SOURCES"), "w") as listing:
        for number, source in enumerate(sources, 1):
            # The stem becomes the sheet name: short, and the same in both formats.
            stem = "t%02d" % number
            with open(os.path.join(root, source), "rb") as src, open(os.path.join(out, stem + ".tsv"), "wb") as dst:
                dst.write(src.read())
            listing.write("%s\t%s\n" % (stem, source))
    return len(sources)


# ---------------------------------------------------------------------------
# openpyxl: inline strings, several sheets, a merge, a title row with a date,
# a double quote and a tab. openpyxl writes every string as an inline string
# and no rich text, so a second pass turns marked strings into shared
# strings and rich-text runs in the package it wrote.

SHARED = "@shared:"
RICH = "@rich:"  # a shared string of runs split at "|"
INLINE_RICH = "@irich:"  # an inline string of runs
PHONETIC = "@phon:"  # a shared string "text|reading": the reading as a phonetic run
EMPTY = "@empty"  # an empty shared string, as pasting the values of ="" leaves


def openpyxl_book(path):
    book = openpyxl.Workbook()
    lamp = book.active
    lamp.title = "Lamp"
    lamp.append(["Lamp controller", datetime.date(2024, 3, 14), 'say "hi"', "a\tb", SHARED + "x_x000D_y"])
    lamp.append([])
    lamp.append([SHARED + "START", None, SHARED + "PUSH", "TICK", SHARED + "DIM"])
    lamp.append([SHARED + "OFF", 0, "1/LampOn", SHARED + "-/-", RICH + "2|/LampDim"])
    lamp.append(["ON", 1, SHARED + "0/LampOff", SHARED + "-", INLINE_RICH + "2/|Lamp|Dim"])
    lamp.append([SHARED + "DIM", 2, SHARED + "0/LampOff", RICH + "-|/|Blink", "2 /  Lamp_x0044_im"])
    lamp["A1"].font = Font(bold=True)

    notes = book.create_sheet("Notes")
    notes.append(["no table here", 3, 2.5, True, False])
    notes.append(["  two  spaces  ", SHARED + "shared text", "line\nbreak", "cr_x000D_lf"])
    notes.append(["=1+1 as text", SHARED + "_x005F_x0041_", 1e20, -0.0001])
    notes["A4"] = "=2*3"  # a formula without a cached result
    notes.merge_cells("B5:C6")
    notes["B5"] = "merged"
    notes["A7"] = datetime.datetime(2024, 3, 14, 12, 30)
    notes["B7"] = 0.5
    notes["B7"].number_format = "0%"
    notes["C7"] = SHARED + "cr_x000D_lf"

    book.create_sheet("Empty")

    merged = book.create_sheet("Merged")
    merged.append(["START", "", "GO", "STOP"])
    merged.append(["IDLE", 0, "1/Start", "-"])
    merged.append(["BUSY", 1, "-", "0/Stop"])
    merged.merge_cells("C2:D2")

    leftkey = book.create_sheet("KeyRight")
    leftkey.append(["title", "", "", ""])
    leftkey.append([datetime.date(2024, 1, 2), 'q"uote', "START", "", "A"])
    leftkey.append(["=NOW()", 1.25, "S0", 0, "1"])
    leftkey.append([None, None, "S1", 1, "0/Act"])
    leftkey["B3"].number_format = "0.00"

    book.save(path)
    rewrite_marked_strings(path)


def runs_xml(runs):
    return "".join('<r><rPr><b val="%d"/><sz val="11"/></rPr><t xml:space="preserve">%s</t></r>' % (n % 2, run)
                   for n, run in enumerate(runs))


def rewrite_marked_strings(path):
    with zipfile.ZipFile(path) as package:
        parts = {name: package.read(name) for name in package.namelist()}
    shared = []

    def rewrite(match):
        ref, style, text = match.groups()
        if text.startswith(INLINE_RICH):
            return '<c r="%s"%s t="inlineStr"><is>%s</is></c>' % (ref, style, runs_xml(text[len(INLINE_RICH):].split("|")))
        if text.startswith(SHARED):
            shared.append('<si><t xml:space="preserve">%s</t></si>' % text[len(SHARED):])
        elif text == EMPTY:
            shared.append("<si><t/></si>")
        elif text.startswith(PHONETIC):
            body, reading = text[len(PHONETIC):].split("|")
            shared.append('<si><t>%s</t><rPh sb="0" eb="%d"><t>%s</t></rPh><phoneticPr fontId="0"/></si>'
                          % (body, len(body), reading))
        elif text.startswith(RICH):
            shared.append("<si>%s</si>" % runs_xml(text[len(RICH):].split("|")))
        else:
            return match.group(0)
        return '<c r="%s"%s t="s"><v>%d</v></c>' % (ref, style, len(shared) - 1)

    if not any(SHARED in data.decode("utf-8", "replace") or EMPTY in data.decode("utf-8", "replace")
               or RICH in data.decode("utf-8", "replace") or PHONETIC in data.decode("utf-8", "replace")
               for name, data in parts.items() if name.startswith("xl/worksheets/sheet")):
        return
    for name in sorted(parts):
        if name.startswith("xl/worksheets/sheet"):
            sheet = parts[name].decode("utf-8")
            sheet = re.sub(r'<c r="([A-Z]+[0-9]+)"((?: s="[0-9]+")?) t="inlineStr"><is><t>([^<]*)</t></is></c>',
                           rewrite, sheet)
            parts[name] = sheet.encode("utf-8")
    parts["xl/sharedStrings.xml"] = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<sst xmlns='
                                     '"http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="%d" '
                                     'uniqueCount="%d">%s</sst>' % (len(shared), len(shared), "".join(shared))
                                     ).encode("utf-8")
    types = parts["[Content_Types].xml"].decode("utf-8")
    parts["[Content_Types].xml"] = types.replace(
        "</Types>", '<Override PartName="/xl/sharedStrings.xml" ContentType="application/'
        'vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/></Types>').encode("utf-8")
    rels = parts["xl/_rels/workbook.xml.rels"].decode("utf-8")
    parts["xl/_rels/workbook.xml.rels"] = rels.replace(
        "</Relationships>", '<Relationship Id="rIdShared" Type="http://schemas.openxmlformats.org/'
        'officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>'
    ).encode("utf-8")
    write_zip(path, parts)


def write_zip(path, parts, first=None):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as package:
        if first:
            package.writestr(zipfile.ZipInfo(first), parts[first], zipfile.ZIP_STORED)
        for name, data in parts.items():
            if name != first:
                package.writestr(name, data)


# ---------------------------------------------------------------------------
# .xlsx by hand: the package's parts written out, so that what a writer at
# hand never produces is in the corpus.

TRANSITIONAL = {
    "main": "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
    "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "rel": "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
}
STRICT = {
    "main": "http://purl.oclc.org/ooxml/spreadsheetml/main",
    "r": "http://purl.oclc.org/ooxml/officeDocument/relationships",
    "rel": "http://purl.oclc.org/ooxml/officeDocument/relationships",
}


def column_name(number):
    name = ""
    while number:
        number, rest = divmod(number - 1, 26)
        name = chr(65 + rest) + name
    return name


def split_ref(ref):
    match = re.match(r"([A-Z]+)([0-9]+)$", ref)
    return match.group(1), int(match.group(2))


def sheet_xml(ns, cells, extra="", rows_attr=None, cols=""):
    rows = {}
    for ref, xml in cells:
        rows.setdefault(split_ref(ref)[1], []).append(xml)
    body = "".join('<row r="%d"%s>%s</row>' % (r, (rows_attr or {}).get(r, ""), "".join(rows[r]))
                   for r in sorted(rows))
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            '<worksheet xmlns="%s" xmlns:r="%s">%s<sheetData>%s</sheetData>%s</worksheet>'
            % (ns["main"], ns["r"], cols, body, extra))


def s(ref, index, style=0):
    return ref, '<c r="%s" s="%d" t="s"><v>%d</v></c>' % (ref, style, index)


def inl(ref, text):
    return ref, '<c r="%s" t="inlineStr"><is><t xml:space="preserve">%s</t></is></c>' % (ref, escape(text))


def num(ref, value, style=0):
    return ref, '<c r="%s" s="%d"><v>%s</v></c>' % (ref, style, value)


def boolean(ref, value):
    return ref, '<c r="%s" t="b"><v>%d</v></c>' % (ref, value)


def error(ref, value):
    return ref, '<c r="%s" t="e"><v>%s</v></c>' % (ref, value)


def formula(ref, text, cached=None, kind=None):
    attr = ' t="%s"' % kind if kind else ""
    value = "<v>%s</v>" % escape(cached) if cached is not None else ""
    return ref, '<c r="%s"%s><f>%s</f>%s</c>' % (ref, attr, escape(text), value)


STYLES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="%s"><numFmts count="1"><numFmt numFmtId="164" formatCode="0.00"/></numFmts>
<fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts>
<fills count="1"><fill><patternFill patternType="none"/></fill></fills>
<borders count="1"><border/></borders>
<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>
<cellXfs count="4"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>
<xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>
<xf numFmtId="14" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>
<xf numFmtId="49" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/></cellXfs>
</styleSheet>"""


def hand_xlsx(path, sheets, shared, strict=False):
    """sheets: (name, part name, sheet xml); the parts are listed in the
    relationships in the reverse order of the sheets, so only the
    relationships tell which part a sheet is."""
    ns = STRICT if strict else TRANSITIONAL
    rel_base = ("http://purl.oclc.org/ooxml/officeDocument/relationships/" if strict else
                "http://schemas.openxmlformats.org/officeDocument/2006/relationships/")
    types = ['<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>',
             '<Default Extension="xml" ContentType="application/xml"/>',
             '<Override PartName="/xl/workbook.xml" ContentType="application/'
             'vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>',
             '<Override PartName="/xl/sharedStrings.xml" ContentType="application/'
             'vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>',
             '<Override PartName="/xl/styles.xml" ContentType="application/'
             'vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>']
    rels = []
    entries = []
    parts = {}
    for number, (name, part, xml) in enumerate(sheets, 1):
        rid = "rId%d" % (100 - number)
        types.append('<Override PartName="/xl/%s" ContentType="application/'
                     'vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>' % part)
        rels.insert(0, '<Relationship Id="%s" Type="%sworksheet" Target="%s"/>' % (rid, rel_base, part))
        entries.append('<sheet name="%s" sheetId="%d" r:id="%s"/>' % (escape(name), number, rid))
        parts["xl/" + part] = xml
    rels.append('<Relationship Id="rId1" Type="%ssharedStrings" Target="sharedStrings.xml"/>' % rel_base)
    rels.append('<Relationship Id="rId2" Type="%sstyles" Target="styles.xml"/>' % rel_base)
    head = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
    parts["[Content_Types].xml"] = (head + '<Types xmlns="http://schemas.openxmlformats.org/package/2006/'
                                    'content-types">%s</Types>' % "".join(types))
    parts["_rels/.rels"] = (head + '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/'
                            'relationships"><Relationship Id="rId1" Type="%sofficeDocument" '
                            'Target="xl/workbook.xml"/></Relationships>' % rel_base)
    parts["xl/_rels/workbook.xml.rels"] = (head + '<Relationships xmlns="http://schemas.openxmlformats.org/'
                                           'package/2006/relationships">%s</Relationships>' % "".join(rels))
    parts["xl/workbook.xml"] = (head + '<workbook xmlns="%s" xmlns:r="%s"%s><sheets>%s</sheets></workbook>'
                                % (ns["main"], ns["r"], ' conformance="strict"' if strict else "",
                                   "".join(entries)))
    parts["xl/sharedStrings.xml"] = (head + '<sst xmlns="%s" count="%d" uniqueCount="%d">%s</sst>'
                                     % (ns["main"], len(shared), len(shared), "".join(shared)))
    parts["xl/styles.xml"] = STYLES % ns["main"]
    write_zip(path, {name: data.encode("utf-8") for name, data in parts.items()})


def plain(text):
    return '<si><t xml:space="preserve">%s</t></si>' % escape(text)


def phonetic(runs, readings):
    """A shared string as Japanese Excel writes it: the runs of text, then
    a reading (rPh) over some of them, then phoneticPr."""
    body = "".join('<r><rPr><sz val="11"/></rPr><t>%s</t></r>' % escape(run) for run in runs)
    body += "".join('<rPh sb="%d" eb="%d"><t>%s</t></rPh>' % (start, end, escape(text))
                    for start, end, text in readings)
    return "<si>%s<phoneticPr fontId=\"1\" type=\"noConversion\"/></si>" % body


def phonetic_xlsx(path):
    ns = TRANSITIONAL
    shared = [plain("START"), plain("\u72b6\u614b"),  # 0, 1
              phonetic(["\u96fb\u6e90"], [(0, 2, "\u30c7\u30f3\u30b2\u30f3")]),  # 2: event with a reading
              phonetic(["1/", "\u70b9\u706f"], [(2, 4, "\u30c6\u30f3\u30c8\u30a6")]),  # 3
              '<si><t>0/\u6d88\u706f</t><rPh sb="2" eb="4"><t>\u30b7\u30e7\u30a6\u30c8\u30a6</t></rPh>'
              '<phoneticPr fontId="1"/></si>',  # 4: plain text with a reading
              plain("\u6d88\u706f\u4e2d"), plain("\u70b9\u706f\u4e2d"), plain("-"),  # 5, 6, 7
              phonetic(["\u30bf\u30a4\u30de"], [(0, 1, "x")])]  # 8
    cells = [s("A1", 0), s("C1", 2), s("D1", 8),
             s("A2", 5), num("B2", 0), s("C2", 3), s("D2", 7),
             s("A3", 6), num("B3", 1), s("C3", 4), s("D3", 7)]
    hand_xlsx(path, [("Kana", "worksheets/kana.xml", sheet_xml(ns, cells))], shared)


def kinds_xlsx(path, strict):
    """Values of every kind, outside the table (title rows, a column left of
    the key column) and in it, and one sheet per kind that the table cannot
    hold."""
    ns = STRICT if strict else TRANSITIONAL
    shared = [plain("START"), plain("GO"), plain("STOP"), plain("S0"), plain("S1"), plain("1/Run"),
              plain("-"), plain("0/Halt"), plain("a\tb"), plain('say "x"'), plain("cr_x000D_lf"),
              plain("text in a hidden row"), plain("_x0041_BC")]
    title = [inl("A1", "Title"), num("B1", 45365, 2), s("C1", 8), s("D1", 9), error("E1", "#REF!"),
             num("F1", "2.5", 1), formula("G1", "1/0", "#DIV/0!", "e"), s("H1", 10)]
    table = [s("B3", 0), s("D3", 1), s("E3", 2),
             num("A4", "3.25", 1), s("B4", 3), num("C4", 0), s("D4", 5), s("E4", 6),
             num("A5", 45000, 2), s("B5", 4), formula("C5", "0+1", "1"), s("D5", 12),
             formula("E5", '"0/"&"Halt"', "0/Halt", "str"),
             s("A6", 11), s("B6", 11), num("C6", 2), boolean("D6", 1), boolean("E6", 0),
             num("A7", "1E+25"), s("B7", 4), num("C7", "3"), num("D7", "-0.5"), num("E7", "0.1")]
    sheets = [("Kinds", "worksheets/data.xml",
               sheet_xml(ns, title + table, rows_attr={6: ' hidden="1"'},
                         cols='<cols><col min="3" max="3" width="0" hidden="1" customWidth="1"/></cols>'))]
    refused = [("Fmt", num("C2", "2", 1)), ("Date", num("C2", 45365, 2)), ("Err", error("C2", "#REF!")),
               ("NoCache", formula("C2", "1+1")), ("Quote", s("C2", 9)), ("Tab", s("C2", 8)),
               ("CR", s("C2", 10))]
    for name, cell in refused:
        cells = [s("A1", 0), s("C1", 1), s("A2", 3), num("B2", 0), cell]
        sheets.append((name, "worksheets/%s.xml" % name.lower(), sheet_xml(ns, cells)))
    hand_xlsx(path, sheets, shared, strict)


# ---------------------------------------------------------------------------
# .ods by hand: repeats as Calc writes them (the last row and the last
# columns repeated to the sheet's end), spaces, tabs, line breaks, several
# paragraphs, annotations and covered cells.

ODS_NS = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
          'xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" '
          'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
          'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
          'xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0" '
          'xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" '
          'xmlns:dc="http://purl.org/dc/elements/1.1/" '
          'xmlns:meta="urn:oasis:names:tc:opendocument:xmlns:meta:1.0" office:version="1.3"')


def t(paragraphs, repeat=1, span=None, annotation=None, style=None):
    attrs = ' office:value-type="string"'
    if repeat > 1:
        attrs += ' table:number-columns-repeated="%d"' % repeat
    if span:
        attrs += ' table:number-columns-spanned="%d" table:number-rows-spanned="%d"' % span
    if style:
        attrs += ' table:style-name="%s"' % style
    note = ""
    if annotation:
        note = '<office:annotation><dc:creator>rev</dc:creator><text:p>%s</text:p></office:annotation>' % annotation
    return "<table:table-cell%s>%s%s</table:table-cell>" % (
        attrs, note, "".join("<text:p>%s</text:p>" % p for p in paragraphs))


def f(value, shown, style=None, kind="float", attr="office:value"):
    st = ' table:style-name="%s"' % style if style else ""
    return ('<table:table-cell office:value-type="%s" %s="%s"%s><text:p>%s</text:p></table:table-cell>'
            % (kind, attr, value, st, shown))


def empty(repeat=1):
    return ('<table:table-cell table:number-columns-repeated="%d"/>' % repeat if repeat > 1
            else "<table:table-cell/>")


def covered(repeat=1):
    return ('<table:covered-table-cell table:number-columns-repeated="%d"/>' % repeat if repeat > 1
            else "<table:covered-table-cell/>")


def row(*cells, repeat=1, hidden=False):
    attrs = ' table:number-rows-repeated="%d"' % repeat if repeat > 1 else ""
    if hidden:
        attrs += ' table:visibility="collapse"'
    return "<table:table-row%s>%s</table:table-row>" % (attrs, "".join(cells))


def ods(path, sheets):
    styles = ('<office:automatic-styles>'
              '<number:number-style style:name="N2"><number:number number:decimal-places="2" '
              'number:min-decimal-places="2" number:min-integer-digits="1"/></number:number-style>'
              '<number:date-style style:name="D1"><number:year number:style="long"/><number:text>-</number:text>'
              '<number:month number:style="long"/><number:text>-</number:text><number:day number:style="long"/>'
              '</number:date-style>'
              '<style:style style:name="ce1" style:family="table-cell" style:data-style-name="N2"/>'
              '<style:style style:name="ce2" style:family="table-cell" style:data-style-name="D1"/>'
              '</office:automatic-styles>')
    body = "".join('<table:table table:name="%s"><table:table-column table:number-columns-repeated="1024"/>'
                   '%s</table:table>' % (name, "".join(rows)) for name, rows in sheets)
    content = ('<?xml version="1.0" encoding="UTF-8"?>\n<office:document-content %s>%s'
               '<office:body><office:spreadsheet>%s</office:spreadsheet></office:body>'
               '</office:document-content>' % (ODS_NS, styles, body))
    manifest = ('<?xml version="1.0" encoding="UTF-8"?>\n<manifest:manifest '
                'xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.3">'
                '<manifest:file-entry manifest:full-path="/" manifest:version="1.3" '
                'manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>'
                '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
                '</manifest:manifest>')
    parts = {"mimetype": b"application/vnd.oasis.opendocument.spreadsheet",
             "META-INF/manifest.xml": manifest.encode("utf-8"), "content.xml": content.encode("utf-8")}
    write_zip(path, parts, first="mimetype")


def odf_books(folder):
    tail = [row(empty(1024), repeat=1048000)]
    table = [
        row(t(["Door", "second paragraph"]), t(['a<text:tab/>b']), t(["q\"q"]), f("2024-03-14", "03/14/24",
                                                                               "ce2", "date", "office:date-value")),
        row(empty(4), repeat=2),
        row(t(["note"]), t(["START"]), empty(), t(["OPEN<text:s/>REQ"]), t(["CLOSE_REQ"], annotation="closes"),
            empty(1019)),
        row(t(["a<text:s text:c=\"3\"/>b"]), t(["CLOSED"]), f("0", "0"), t(["1/MotorOpen"]), t(["-"]),
            empty(1019)),
        row(empty(), t(["OPENED"]), f("1", "1"), t(["-/-"], span=(2, 1)), covered(), empty(1019)),
        row(t(["x"], annotation="left of the key"), t(["<text:span>HALF</text:span>OPEN"]), f("2", "2"),
            t(["0 /<text:s/>MotorClose"]), t(["2"], repeat=1), empty(1019), hidden=True),
        row(empty(), t(["SAME"]), f("3", "3"), t(["3"], repeat=2), empty(1019), repeat=3),
    ]
    loose = [
        row(t(["line<text:line-break/>break"]), t(["tab<text:tab/>in"]), t(["  lead", "two paras"]),
            f("1.5", "1.50", "ce1"), f("true", "TRUE", None, "boolean", "office:boolean-value")),
        row(empty(2), t(["after repeat"], repeat=3), repeat=4),
        row(t(["spaces<text:s text:c=\"2\"/>"]), t(["merged"], span=(2, 2)), covered(), t(["x"])),
        row(empty(), covered(2), t(["y"])),
    ]
    refused = [row(t(["START"]), empty(), t(["E"])),
               row(t(["S"]), f("0", "0"), f("1.5", "1.50", "ce1"))]
    ods(os.path.join(folder, "hand_door.ods"),
        [("Door", table + tail), ("Loose", loose + tail), ("Fmt", refused)])


def twist_books(folder):
    """One workbook per twist (twists.py), written by openpyxl: x<NN>_<twist>.xlsx."""
    import twists
    names = []
    for number, function in enumerate(twists.TWISTS, 1):
        book = openpyxl.Workbook()
        sheet = book.active
        sheet.title = "Door"
        function(book, sheet)
        path = os.path.join(folder, "x%02d_%s.xlsx" % (number, function.__name__))
        book.save(path)
        rewrite_marked_strings(path)
        names.append(path)
    return names


def main():
    root, out = sys.argv[1], sys.argv[2]
    tables = collect_tables(root, os.path.join(out, "tsv"))
    books = os.path.join(out, "books")
    os.makedirs(books, exist_ok=True)
    openpyxl_book(os.path.join(books, "openpyxl_lamp.xlsx"))
    phonetic_xlsx(os.path.join(books, "hand_kana.xlsx"))
    kinds_xlsx(os.path.join(books, "hand_kinds.xlsx"), strict=False)
    kinds_xlsx(os.path.join(books, "hand_strict.xlsx"), strict=True)
    odf_books(books)
    twisted = os.path.join(out, "twists")
    os.makedirs(twisted, exist_ok=True)
    twist_books(twisted)
    print("corpus: %d tables for LibreOffice to save, %d workbooks written here, %d twists"
          % (tables, len(os.listdir(books)), len(os.listdir(twisted))))


if __name__ == "__main__":
    main()
