#!/usr/bin/python3
"""Writes the small workbooks the reader's unit tests read (committed beside
this script). Run it from anywhere with Debian's python3 (python3-openpyxl)
and, for the files LibreOffice writes, soffice on the path:

    /usr/bin/python3 tests/workbook/make-fixtures.py

Most are written part by part, so that each holds exactly the XML under
test (inline strings, phonetic runs, escapes, the strict namespace, shared
formulas, repeated rows and columns); lamp.xlsx comes from openpyxl, a second
writer, and lamp.ods and lamp.xls from LibreOffice itself."""
import os
import shutil
import subprocess
import tempfile
import zipfile

import openpyxl

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))

TRANSITIONAL = {
    "main": "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
    "rel": "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
}
STRICT = {
    "main": "http://purl.oclc.org/ooxml/spreadsheetml/main",
    "rel": "http://purl.oclc.org/ooxml/officeDocument/relationships",
}
PACKAGE_RELS = "http://schemas.openxmlformats.org/package/2006/relationships"
HEAD = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'


def write_zip(name, parts):
    with zipfile.ZipFile(os.path.join(HERE, name), "w", zipfile.ZIP_DEFLATED) as book:
        for part, content in parts:
            info = zipfile.ZipInfo(part, date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_STORED if part == "mimetype" else zipfile.ZIP_DEFLATED
            book.writestr(info, content)


def content_types(sheets):
    overrides = "".join(
        '<Override PartName="/%s" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
        % sheet for sheet in sheets)
    return (HEAD + '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/>'
            '<Override PartName="/xl/book.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
            + overrides + '</Types>')


def xlsx(name, ns, sheets, strings, styles, extra=(), book_rels=None):
    """sheets: (tab name, part path, sheet XML body); the workbook lists them
    in order, each through its own relationship."""
    rel_type = ns["rel"] + "/" if ns is STRICT else ns["rel"] + "/"
    rels = HEAD + '<Relationships xmlns="%s"><Relationship Id="rId1" Type="%sofficeDocument" Target="xl/book.xml"/></Relationships>' % (
        PACKAGE_RELS, rel_type)
    book = HEAD + '<workbook xmlns="%s" xmlns:r="%s"><sheets>' % (ns["main"], ns["rel"])
    links = HEAD + '<Relationships xmlns="%s">' % PACKAGE_RELS
    for i, (tab, part, _) in enumerate(sheets):
        book += '<sheet name="%s" sheetId="%d" r:id="rIdS%d"/>' % (tab, i + 1, i)
        links += '<Relationship Id="rIdS%d" Type="%sworksheet" Target="%s"/>' % (i, rel_type, part[len("xl/"):])
    book += '</sheets></workbook>'
    links += '<Relationship Id="rIdT" Type="%ssharedStrings" Target="strings.xml"/>' % rel_type
    links += '<Relationship Id="rIdY" Type="%sstyles" Target="/xl/styles.xml"/>' % rel_type
    links += '</Relationships>'
    parts = [("[Content_Types].xml", content_types([s[1] for s in sheets])), ("_rels/.rels", rels),
             ("xl/book.xml", book), ("xl/_rels/book.xml.rels", book_rels or links),
             ("xl/strings.xml", HEAD + '<sst xmlns="%s">%s</sst>' % (ns["main"], "".join(strings))),
             ("xl/styles.xml", HEAD + styles % ns["main"])]
    for _, part, body in sheets:
        parts.append((part, HEAD + '<worksheet xmlns="%s" xmlns:r="%s">%s</worksheet>' % (ns["main"], ns["rel"], body)))
    parts.extend(extra)
    write_zip(name, parts)


# Cell formats: 0 General, 1 "0.00" (built in), 2 a date (built in 14),
# 3 text "@", 4 custom General, 5 custom date.
STYLES = ('<styleSheet xmlns="%s"><numFmts count="2"><numFmt numFmtId="164" formatCode="GENERAL"/>'
          '<numFmt numFmtId="165" formatCode="yyyy\\-mm\\-dd"/></numFmts>'
          '<cellStyleXfs count="1"><xf numFmtId="2"/></cellStyleXfs>'
          '<cellXfs count="6"><xf numFmtId="0"/><xf numFmtId="2"/><xf numFmtId="14"/><xf numFmtId="49"/>'
          '<xf numFmtId="164"/><xf numFmtId="165"/></cellXfs></styleSheet>')

# Shared strings: 0 START in two rich runs, 1 CLOSE_REQ with a phonetic run,
# 2 a title with _x000D_, 3 escapes, 4 OPENED, 5 CLOSED, 6 a quote.
STRINGS = [
    '<si><r><rPr><b/></rPr><t>ST</t></r><r><t>ART</t></r></si>',
    '<si><r><t>CLOSE</t></r><r><t>_REQ</t></r><rPh sb="0" eb="5"><t>クローズ</t></rPh><phoneticPr fontId="1"/></si>',
    '<si><t>Door_x000D_controller</t></si>',
    '<si><t>0/Motor_x005F_x0043_lose,Beep_x0041_</t></si>',
    '<si><t>OPENED</t></si>',
    '<si><t xml:space="preserve">CLOSED</t></si>',
    '<si><t>say "hi"</t></si>',
]

# The sheet with the table. Row 1 is a title line with cells pelk cannot
# carry (written empty); rows 3 to 5 are the table, B is the key column.
# Column E is hidden, and so is row 5: still data.
MACHINE = (
    '<cols><col min="5" max="5" hidden="1" width="0"/></cols><sheetData>'
    '<row r="1"><c r="A1" t="s"><v>2</v></c><c r="B1" s="2"><v>45365</v></c><c r="C1" t="b"><v>1</v></c>'
    '<c r="D1"><v>2.5</v></c><c r="E1" t="s"><v>6</v></c><c r="F1" t="e"><v>#REF!</v></c></row>'
    '<row r="2"><c r="A2" t="inlineStr"><is><t>note</t></is></c></row>'
    '<row r="3"><c r="A3" s="1"><v>7</v></c><c r="B3" t="s"><v>0</v></c>'
    '<c r="D3" t="inlineStr"><is><r><t>OPEN</t></r><r><t>_REQ</t></r><rPh sb="0" eb="4"><t>オープン</t></rPh></is></c>'
    '<c r="E3" t="s"><v>1</v></c></row>'
    '<row r="4"><c r="B4" t="s"><v>5</v></c><c r="C4" s="4"><v>0</v></c>'
    '<c r="D4" t="str"><f>"1/"&amp;"MotorOpen"</f><v>1/MotorOpen</v></c><c r="E4" t="inlineStr"><is><t>-</t></is></c></row>'
    '<row r="5" hidden="1"><c r="B5" t="s"><v>4</v></c><c r="C5"><f>C4+1</f><v>1</v></c>'
    '<c r="D5" t="str"><f t="shared" ref="D5:D6" si="0">"-/-"</f><v>-/-</v></c><c r="E5" t="s"><v>3</v></c></row>'
    '</sheetData><mergeCells count="1"><mergeCell ref="A1:A2"/></mergeCells>')

NOTES = ('<sheetData><row r="2"><c r="C2" t="inlineStr"><is><t>just notes</t></is></c>'
         '<c r="D2" t="b"><v>0</v></c><c r="E2" s="3"><v>12</v></c></row></sheetData>')


def features(name, ns):
    # The table's sheet is the second tab but sheet1.xml; the first tab is
    # a part of another name.
    xlsx(name, ns, [("Notes", "xl/worksheets/notes.xml", NOTES), ("Machine", "xl/worksheets/sheet1.xml", MACHINE)],
         STRINGS, STYLES)


# Every kind of cell the reader refuses, inside the table (row 2 on, from B).
REFUSED = (
    '<sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>title</t></is></c></row>'
    '<row r="2"><c r="B2" t="inlineStr"><is><t>START</t></is></c></row>'
    '<row r="3"><c r="B3" s="1"><v>2</v></c><c r="C3" s="2"><v>45365</v></c><c r="D3" t="e"><v>#REF!</v></c>'
    '<c r="E3"><f>1+1</f></c><c r="F3"><v>0.30000000000000004</v></c><c r="G3" t="inlineStr"><is><t>a&#9;b</t></is></c>'
    '<c r="H3" t="inlineStr"><is><t>a&#10;b</t></is></c><c r="I3" t="s"><v>6</v></c><c r="J3" t="d"><v>2024-03-05</v></c>'
    '<c r="K3" s="5"><v>1</v></c><c r="L3" t="inlineStr"><is><t>a_x000D_b</t></is></c><c r="M3"><v>1E+20</v></c></row>'
    '<row r="4"><c r="B4" t="inlineStr"><is><t>S</t></is></c></row>'
    '</sheetData><mergeCells count="2"><mergeCell ref="C4:D5"/><mergeCell ref="A5:A6"/></mergeCells>')

BOMB = ('<?xml version="1.0"?>\n<!DOCTYPE lolz [<!ENTITY lol "lol"><!ENTITY lol2 "&lol;&lol;&lol;&lol;">]>\n'
        '<worksheet xmlns="%s"><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>&lol2;</t></is></c></row>'
        '</sheetData></worksheet>' % TRANSITIONAL["main"])


def broken():
    xlsx("refused.xlsx", TRANSITIONAL, [("Refused", "xl/worksheets/sheet1.xml", REFUSED)], STRINGS, STYLES)
    sheets = [("Bomb", "xl/worksheets/sheet1.xml", "")]
    xlsx("dtd.xlsx", TRANSITIONAL, sheets, STRINGS, STYLES, book_rels=None)
    # The sheet's part replaced by one declaring entities.
    path = os.path.join(HERE, "dtd.xlsx")
    with zipfile.ZipFile(path) as book:
        parts = [(info.filename, book.read(info.filename)) for info in book.infolist()]
    write_zip("dtd.xlsx", [(n, BOMB if n == "xl/worksheets/sheet1.xml" else c) for n, c in parts])
    # A relationship that names no part of the package.
    xlsx("missing-part.xlsx", TRANSITIONAL, [("Gone", "xl/worksheets/sheet1.xml", "")], STRINGS, STYLES)
    with zipfile.ZipFile(os.path.join(HERE, "missing-part.xlsx")) as book:
        parts = [(info.filename, book.read(info.filename)) for info in book.infolist()
                 if info.filename != "xl/worksheets/sheet1.xml"]
    write_zip("missing-part.xlsx", parts)
    # The workbook refers to a relationship its relationships lack.
    bad_rels = HEAD + '<Relationships xmlns="%s"></Relationships>' % PACKAGE_RELS
    xlsx("broken-relation.xlsx", TRANSITIONAL, [("Lost", "xl/worksheets/sheet1.xml", "")], STRINGS, STYLES,
         book_rels=bad_rels)
    write_zip("not-a-book.zip", [("readme.txt", "hello\n")])
    write_zip("text.odt", [("mimetype", "application/vnd.oasis.opendocument.text"), ("content.xml", "<x/>")])


ODS_NS = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
          'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
          'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
          'xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" '
          'xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0" '
          'xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" '
          'xmlns:dc="http://purl.org/dc/elements/1.1/" '
          'xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" '
          'xmlns:calcext="urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0" '
          'xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" '
          'xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"')


def cell(body, attributes=""):
    return '<table:table-cell %s>%s</table:table-cell>' % (attributes, body)


def text(body, attributes='office:value-type="string" calcext:value-type="string"'):
    return cell("<text:p>%s</text:p>" % body, attributes)


EMPTY = '<table:table-cell table:number-columns-repeated="%d"/>'
ROW = '<table:table-row>%s</table:table-row>'


def ods_features():
    styles = ('<office:automatic-styles>'
              '<number:number-style style:name="N2"><number:number number:decimal-places="2" '
              'number:min-decimal-places="2" number:min-integer-digits="1"/></number:number-style>'
              '<number:date-style style:name="N37"><number:day/><number:text>.</number:text><number:month/>'
              '</number:date-style>'
              '<style:style style:name="ce1" style:family="table-cell" style:parent-style-name="Default" '
              'style:data-style-name="N2"/>'
              '<style:style style:name="ce2" style:family="table-cell" style:parent-style-name="Default" '
              'style:data-style-name="N37"/>'
              '<style:style style:name="ce3" style:family="table-cell" style:parent-style-name="ce1"/>'
              '</office:automatic-styles>')
    annotation = ('<office:annotation><dc:creator>someone</dc:creator><text:p>a comment</text:p>'
                  '</office:annotation>')
    machine = (
        '<table:table table:name="Machine">'
        '<table:table-column table:number-columns-repeated="16384"/>'
        # Row 1: a title with runs of spaces, an annotated cell, a merged
        # cell with its covered cell, a date and two paragraphs (both
        # written empty), a cell repeated twice.
        + ROW % (text('Door<text:s text:c="3"/>controller <text:span>v<text:s/>2</text:span>')
                 + cell(annotation + '<text:p>A</text:p>', 'office:value-type="string"')
                 + text("merged", 'table:number-columns-spanned="2" table:number-rows-spanned="1" office:value-type="string"')
                 + '<table:covered-table-cell/>'
                 + cell('<text:p>05.03</text:p>', 'table:style-name="ce2" office:value-type="date" office:date-value="2024-03-05"')
                 + cell('<text:p>one</text:p><text:p>two</text:p>', 'office:value-type="string"')
                 + text("x", 'table:number-columns-repeated="2" office:value-type="string"')
                 + EMPTY % 16376)
        # Rows 2 and 3: one row, repeated; row 4 is empty and repeated.
        + '<table:table-row table:number-rows-repeated="2">' + text("again") + EMPTY % 16383 + '</table:table-row>'
        + '<table:table-row table:number-rows-repeated="1">' + EMPTY % 16384 + '</table:table-row>'
        # Row 5: the header, START in B; a tab and a line break left of it.
        + ROW % (text('a<text:tab/>b<text:line-break/>c') + text("START") + cell("") + text("P<text:span>US</text:span>H")
                 + text("TICK") + EMPTY % 16379)
        + ROW % (EMPTY % 1 + text("OFF") + cell("<text:p>0</text:p>", 'office:value-type="float" office:value="0"')
                 + text("1/LampOn") + text("-/-") + EMPTY % 16379)
        + ROW % (EMPTY % 1 + text("ON") + cell("<text:p>1</text:p>", 'table:formula="of:=[.C6]+1" office:value-type="float" office:value="1"')
                 + text("0/LampOff") + text("-") + EMPTY % 16379)
        + '<table:table-row table:number-rows-repeated="1048569">' + EMPTY % 16384 + '</table:table-row>'
        + '</table:table>')
    notes = ('<table:table table:name="Notes"><table:table-row>' + text("nothing here")
             + '</table:table-row></table:table>')
    refused = (
        '<table:table table:name="Refused"><table:table-row>' + text("START") + text("") + text("E") + '</table:table-row>'
        + '<table:table-row>' + text("S") + cell("<text:p>2.00</text:p>", 'table:style-name="ce3" office:value-type="float" office:value="2"')
        + text('a<text:tab/>b') + cell('<text:p>1</text:p><text:p>2</text:p>', 'office:value-type="string"')
        + cell('<text:p>#DIV/0!</text:p>', 'table:formula="of:=1/0" office:value-type="float" office:value="0" calcext:value-type="error"')
        + cell("", 'table:formula="of:=1+1"')
        + cell('<text:p>50%</text:p>', 'office:value-type="percentage" office:value="0.5"')
        + cell('<text:p>05.03</text:p>', 'table:style-name="ce2" office:value-type="float" office:value="45365"')
        + cell('<text:p>TRUE</text:p>', 'office:value-type="boolean" office:boolean-value="true"')
        + '</table:table-row></table:table>')
    content = ('<?xml version="1.0" encoding="UTF-8"?>\n<office:document-content %s office:version="1.3">%s'
               '<office:body><office:spreadsheet>%s%s%s</office:spreadsheet></office:body></office:document-content>'
               % (ODS_NS, styles, notes, machine, refused))
    manifest = ('<?xml version="1.0" encoding="UTF-8"?>\n<manifest:manifest '
                'xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.3">'
                '<manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>'
                '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
                '</manifest:manifest>')
    write_zip("features.ods", [("mimetype", "application/vnd.oasis.opendocument.spreadsheet"),
                               ("content.xml", content), ("META-INF/manifest.xml", manifest)])


def lamp():
    # openpyxl writes shared strings and numbers as a second writer would.
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Lamp"
    with open(os.path.join(ROOT, "examples", "lamp.tsv")) as table:
        for r, line in enumerate(table.read().splitlines()):
            for c, field in enumerate(line.split("\t")):
                if field:
                    sheet.cell(row=r + 1, column=c + 1, value=int(field) if field.isdigit() else field)
    notes = book.create_sheet("Notes")
    notes["A1"] = "The lamp's machine is on the first sheet."
    book.save(os.path.join(HERE, "lamp.xlsx"))
    two = openpyxl.Workbook()
    two.active.title = "One"
    two.active["A1"] = "START"
    two.create_sheet("Two")["C3"] = "START"
    two.save(os.path.join(HERE, "two-tables.xlsx"))
    # LibreOffice writes the same workbook as .ods and as legacy .xls.
    if shutil.which("soffice"):
        with tempfile.TemporaryDirectory() as scratch:
            for kind in ("ods", "xls"):
                subprocess.run(["soffice", "--headless", "--convert-to", kind, "--outdir", scratch,
                                os.path.join(HERE, "lamp.xlsx")], check=True, capture_output=True)
                shutil.copy(os.path.join(scratch, "lamp." + kind), os.path.join(HERE, "lamp." + kind))


features("features.xlsx", TRANSITIONAL)
features("strict.xlsx", STRICT)
broken()
ods_features()
lamp()
