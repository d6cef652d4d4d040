"""The twists teams make to a table sheet, one workbook each, written by
openpyxl (make_corpus.py then has LibreOffice re-write each as .ods and
.xlsx). Every twist starts from the door controller below on a sheet named
Door; what it adds is the case under test. A twist is a function of the
workbook and the Door sheet; its name says what it does.

Strings marked as make_corpus.py's rewrite understands them become shared
strings, rich text, phonetic runs or empty shared strings.
"""

import datetime

from openpyxl.comments import Comment
from openpyxl.styles import Alignment, Border, Font, PatternFill, Side
from openpyxl.workbook.defined_name import DefinedName
from openpyxl.worksheet.datavalidation import DataValidation
from openpyxl.formatting.rule import CellIsRule

DOOR = [
    ["START", None, "OPEN_REQ", "CLOSE_REQ", "TICK"],
    ["CLOSED", 0, "1/MotorOpen", "-", "-"],
    ["OPENING", 1, "-", "3/MotorStop", "2/MotorStop"],
    ["OPENED", 2, "-", "3/MotorClose", "-"],
    ["CLOSING", 3, "1/MotorOpen", "-", "0/MotorStop"],
]

TWISTS = []


def twist(function):
    TWISTS.append(function)
    return function


def put(sheet, rows, top=1, left=1):
    for r, values in enumerate(rows):
        for c, value in enumerate(values):
            if value is not None:
                sheet.cell(top + r, left + c, value)


def door(sheet, top=1, left=1):
    put(sheet, DOOR, top, left)


def fmt(sheet, ref, code):
    sheet[ref].number_format = code


# --- layout -----------------------------------------------------------------

@twist
def plain(book, sheet):
    door(sheet)


@twist
def table_at_c5(book, sheet):
    sheet["A1"] = "Door controller"
    door(sheet, 5, 3)


@twist
def merged_title(book, sheet):
    sheet["A1"] = "Door controller"
    sheet.merge_cells("A1:E1")
    door(sheet, 3)


@twist
def merged_in_table(book, sheet):
    door(sheet)
    sheet.merge_cells("D3:E3")


@twist
def hidden_row(book, sheet):
    door(sheet)
    sheet.row_dimensions[4].hidden = True


@twist
def hidden_column(book, sheet):
    door(sheet)
    sheet.column_dimensions["D"].hidden = True


@twist
def outline_rows(book, sheet):
    door(sheet)
    sheet.row_dimensions.group(3, 4, outline_level=1)


@twist
def autofilter(book, sheet):
    door(sheet)
    sheet.auto_filter.ref = "A1:E5"


@twist
def frozen_panes(book, sheet):
    door(sheet)
    sheet.freeze_panes = "C2"


@twist
def validation_list(book, sheet):
    door(sheet)
    rule = DataValidation(type="list", formula1='"-,1/MotorOpen,3/MotorStop"', allow_blank=True)
    sheet.add_data_validation(rule)
    rule.add("C2:E5")


@twist
def conditional_format(book, sheet):
    door(sheet)
    sheet.conditional_formatting.add("B2:B5", CellIsRule(operator="greaterThan", formula=["1"],
                                                          fill=PatternFill("solid", start_color="FFFF00")))


@twist
def borders_and_fills(book, sheet):
    door(sheet)
    thin = Side(style="thin")
    for row in sheet["A1:E5"]:
        for cell in row:
            cell.border = Border(left=thin, right=thin, top=thin, bottom=thin)
    sheet["A1"].fill = PatternFill("solid", start_color="DDDDDD")
    sheet["C2"].alignment = Alignment(wrap_text=True)


@twist
def formatted_beyond(book, sheet):
    door(sheet)
    sheet["H20"].font = Font(bold=True)
    sheet["I25"].number_format = "0.00"
    sheet["J9"].fill = PatternFill("solid", start_color="FF0000")


@twist
def protected_sheet(book, sheet):
    door(sheet)
    sheet.protection.sheet = True


@twist
def second_sheet_notes(book, sheet):
    door(sheet)
    notes = book.create_sheet("Notes")
    notes["A1"] = "free text"
    notes["B2"] = 3


@twist
def table_on_second_sheet(book, sheet):
    sheet.title = "Cover"
    sheet["A1"] = "Door controller, see the next sheet"
    door(book.create_sheet("Door"))


@twist
def sheet_name_with_spaces(book, sheet):
    sheet.title = "Door v2 (it's new)"
    door(sheet)


@twist
def notes_column(book, sheet):
    door(sheet)
    sheet["G1"] = "remarks"
    sheet["G3"] = "slow motor"


@twist
def blank_row_in_table(book, sheet):
    put(sheet, DOOR[:3])
    put(sheet, DOOR[3:], 5)


@twist
def wide_table(book, sheet):
    events = ["E%02d" % n for n in range(1, 31)]
    put(sheet, [["START", None] + events, ["S0", 0] + ["-"] * 30, ["S1", 1] + ["0/Act"] * 30])


@twist
def japanese_names(book, sheet):
    put(sheet, [["START", None, "\u958b\u304f", "\u9589\u3081\u308b"],
                ["\u9589", 0, "1/\u30e2\u30fc\u30bf\u958b", "-"],
                ["\u958b", 1, "-", "0/\u30e2\u30fc\u30bf\u9589"]])


# --- stray cells that stretch the sheet --------------------------------------

@twist
def note_in_table(book, sheet):
    door(sheet)
    sheet["C3"].comment = Comment("opens slowly", "rev")


@twist
def note_far_away(book, sheet):
    door(sheet)
    sheet["K20"].comment = Comment("lonely note", "rev")


@twist
def stray_space(book, sheet):
    door(sheet)
    sheet["J30"] = " "


@twist
def stray_text_right(book, sheet):
    door(sheet)
    sheet["H2"] = "x"


@twist
def hyperlink_empty_cell(book, sheet):
    door(sheet)
    sheet["J12"].hyperlink = "https://example.org/door"


@twist
def empty_shared_string_far(book, sheet):
    door(sheet)
    sheet["J30"] = "@empty"


@twist
def empty_shared_string_in_table(book, sheet):
    door(sheet)
    sheet["D2"] = "@empty"


@twist
def empty_string_formula_far(book, sheet):
    door(sheet)
    sheet["J30"] = '=""'


@twist
def empty_string_formula_in_table(book, sheet):
    door(sheet)
    sheet["E4"] = '=""'


@twist
def trailing_spaces_in_names(book, sheet):
    door(sheet)
    sheet["C2"] = "1/MotorOpen\u00a0"


# --- number formats -----------------------------------------------------------

@twist
def text_section_dash(book, sheet):
    door(sheet)
    sheet["D5"] = "0/MotorClose"
    fmt(sheet, "D5", '0;0;0;"-"')


@twist
def hidden_by_format(book, sheet):
    door(sheet)
    sheet["G1"] = "secret remark"
    fmt(sheet, "G1", ";;;")


@twist
def hidden_action(book, sheet):
    door(sheet)
    fmt(sheet, "E3", ";;;")


@twist
def red_text_format(book, sheet):
    door(sheet)
    for ref in ("C2", "D3", "E5"):
        fmt(sheet, ref, "[Red]@")


@twist
def general_text_sections(book, sheet):
    door(sheet)
    for ref in ("C2", "B3", "D3"):
        fmt(sheet, ref, "General;General;General;@")


@twist
def text_with_literals_outside(book, sheet):
    door(sheet, 3)
    sheet["A1"] = "door"
    fmt(sheet, "A1", '"Machine: "@')
    sheet["B1"] = "v2"
    fmt(sheet, "B1", '@" (draft)"')


@twist
def text_with_literals_in_table(book, sheet):
    door(sheet)
    fmt(sheet, "C4", '"0/"@')
    sheet["C4"] = "MotorClose"


@twist
def padding_and_fill(book, sheet):
    door(sheet, 3)
    sheet["A1"] = "title"
    fmt(sheet, "A1", "_(@_)")
    sheet["B1"] = "fill"
    fmt(sheet, "B1", "@*-")


@twist
def text_in_number_format(book, sheet):
    door(sheet)
    fmt(sheet, "C3", "0;0;0")
    fmt(sheet, "A2", "0.00")


@twist
def empty_text_section(book, sheet):
    door(sheet)
    sheet["G2"] = "gone"
    fmt(sheet, "G2", "0;0;0;")


@twist
def state_numbers_format_0(book, sheet):
    door(sheet)
    for r in range(2, 6):
        fmt(sheet, "B%d" % r, "0")


@twist
def state_numbers_format_00(book, sheet):
    door(sheet)
    for r in range(2, 6):
        fmt(sheet, "B%d" % r, "00")


@twist
def state_numbers_grouped(book, sheet):
    door(sheet)
    for r in range(2, 6):
        fmt(sheet, "B%d" % r, "#,##0")


@twist
def state_numbers_decimals(book, sheet):
    door(sheet)
    fmt(sheet, "B3", "0.00")


@twist
def grouped_thousands_outside(book, sheet):
    door(sheet, 3)
    sheet["A1"] = 1234
    fmt(sheet, "A1", "#,##0")
    sheet["B1"] = 999
    fmt(sheet, "B1", "#,##0")


@twist
def literal_number_formats(book, sheet):
    door(sheet, 3)
    put(sheet, [[5, -3, 0, 0, -5, 12]])
    for ref, code in (("A1", '"No "0'), ("B1", '0;"neg"0'), ("C1", "#"), ("D1", '0;0;"zero"'), ("E1", "0;-0"),
                      ("F1", "000")):
        fmt(sheet, ref, code)


@twist
def rounded_by_format(book, sheet):
    door(sheet, 3)
    put(sheet, [[2.5, 1.5]])
    fmt(sheet, "A1", "0")
    fmt(sheet, "B1", "#,##0")


@twist
def conditional_number_format(book, sheet):
    door(sheet, 3)
    sheet["A1"] = 150
    fmt(sheet, "A1", '[<=100]0;"big"')


@twist
def locale_number_format(book, sheet):
    door(sheet, 3)
    sheet["A1"] = 7
    fmt(sheet, "A1", "[$-409]0")


@twist
def percent_and_currency(book, sheet):
    door(sheet, 3)
    put(sheet, [[0.25, 12]])
    fmt(sheet, "A1", "0%")
    fmt(sheet, "B1", '"$"#,##0')


@twist
def number_in_text_format(book, sheet):
    door(sheet)
    for r in range(2, 6):
        fmt(sheet, "B%d" % r, "@")


@twist
def number_stored_as_text(book, sheet):
    door(sheet)
    for r in range(2, 6):
        sheet["B%d" % r] = str(r - 2)


@twist
def general_decimal_outside(book, sheet):
    door(sheet, 3)
    put(sheet, [["version", 2.5, 0.1, -17, 123456789]])


@twist
def boolean_outside(book, sheet):
    door(sheet, 3)
    put(sheet, [[True, False]])


@twist
def boolean_through_digits(book, sheet):
    door(sheet, 3)
    put(sheet, [[True, False]])
    fmt(sheet, "A1", "0")
    fmt(sheet, "B1", "0")


@twist
def date_title(book, sheet):
    door(sheet, 3)
    sheet["A1"] = "Printed"
    sheet["B1"] = datetime.date(2020, 1, 1)


@twist
def time_outside(book, sheet):
    door(sheet, 3)
    sheet["A1"] = datetime.time(12, 30)


@twist
def huge_numbers_outside(book, sheet):
    door(sheet, 3)
    put(sheet, [[1e20, 1e15, 0.00001]])


# --- column and row styles ------------------------------------------------------

@twist
def column_style_decimals(book, sheet):
    door(sheet)
    sheet.column_dimensions["B"].number_format = "0.00"


@twist
def column_style_integer(book, sheet):
    door(sheet)
    sheet.column_dimensions["B"].number_format = "0"


@twist
def column_style_text_section(book, sheet):
    door(sheet)
    sheet.column_dimensions["E"].number_format = '0;0;0;"-"'


@twist
def row_style_literal(book, sheet):
    door(sheet, 3)
    put(sheet, [[1, 2, 3]])
    sheet.row_dimensions[1].number_format = '"r"0'


@twist
def row_and_column_style(book, sheet):
    door(sheet, 3)
    put(sheet, [[1, 2, 3]])
    sheet.column_dimensions["B"].number_format = "0.00"
    sheet.row_dimensions[1].number_format = '"r"0'


@twist
def row_style_in_table(book, sheet):
    door(sheet)
    sheet.row_dimensions[3].number_format = "00"


# --- formulas -----------------------------------------------------------------------

@twist
def state_numbers_by_row(book, sheet):
    door(sheet)
    for r in range(2, 6):
        sheet["B%d" % r] = "=ROW()-2"


@twist
def state_numbers_by_row_at_c5(book, sheet):
    door(sheet, 5, 3)
    for r in range(6, 10):
        sheet["D%d" % r] = "=ROW()-6"


@twist
def state_numbers_chained(book, sheet):
    door(sheet)
    for r in range(3, 6):
        sheet["B%d" % r] = "=B%d+1" % (r - 1)


@twist
def action_by_formula(book, sheet):
    door(sheet)
    sheet["C2"] = '="1/"&"MotorOpen"'


@twist
def state_name_by_formula(book, sheet):
    door(sheet)
    sheet["A5"] = '="CLOS"&"ING"'


@twist
def today_in_title(book, sheet):
    door(sheet, 3)
    sheet["A1"] = '="Printed "&TEXT(TODAY(),"yyyy-mm-dd")'


@twist
def now_outside(book, sheet):
    door(sheet, 3)
    sheet["A1"] = "=NOW()"


@twist
def rand_outside(book, sheet):
    door(sheet, 3)
    sheet["A1"] = "=RAND()"


@twist
def offset_in_table(book, sheet):
    door(sheet)
    sheet["B3"] = "=OFFSET(B2,0,0)+1"


@twist
def indirect_in_table(book, sheet):
    door(sheet)
    sheet["Z1"] = "-"
    sheet["E2"] = '=INDIRECT("Z1")'


@twist
def volatile_through_cell(book, sheet):
    door(sheet)
    sheet["H1"] = "=TODAY()"
    sheet["B5"] = "=IF(H1>0,3,3)"


@twist
def volatile_through_name(book, sheet):
    door(sheet)
    book.defined_names.append(DefinedName("Stamp", attr_text="TODAY()"))
    sheet["B5"] = "=IF(Stamp>0,3,3)"


@twist
def plain_name(book, sheet):
    door(sheet)
    book.defined_names.append(DefinedName("Base", attr_text="0"))
    sheet["B2"] = "=Base"


@twist
def volatile_on_other_sheet(book, sheet):
    door(sheet)
    other = book.create_sheet("Calc")
    other["A1"] = "=TODAY()"
    sheet["B5"] = "=IF(Calc!A1>0,3,3)"


@twist
def error_formula_outside(book, sheet):
    door(sheet, 3)
    sheet["A1"] = "=1/0"


@twist
def logical_formula_outside(book, sheet):
    door(sheet, 3)
    sheet["A1"] = "=1=1"


# --- text ---------------------------------------------------------------------------

@twist
def shared_and_rich_text(book, sheet):
    door(sheet)
    sheet["C2"] = "@rich:1/|Motor|Open"
    sheet["D3"] = "@shared:3/MotorStop"


@twist
def phonetic_runs(book, sheet):
    door(sheet)
    sheet["A2"] = "@phon:CLOSED|\u30af\u30ed\u30fc\u30ba\u30c9"


@twist
def title_with_tab_quote_break(book, sheet):
    door(sheet, 3)
    put(sheet, [["a\tb", 'say "hi"', "line\nbreak"]])


@twist
def apostrophe_numbers(book, sheet):
    door(sheet)
    sheet["B2"] = "'0"
