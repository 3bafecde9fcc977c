"""Prints what an independent reader sees in a workbook, one fact per line:
  S <sheet names, tab separated>
  C row col type value-hex bold colour-rgb size fill-rgb halign   (1-based row, column)
  M first-row last-row first-col last-col                         (1-based, inclusive)
  W col width-in-characters
  F frozen-rows frozen-cols
  B row col bottom-line-style                                     (cells with a bottom edge)
Texts are given as hex of their Windows-1252 bytes, colours as RRGGBB (- for none)."""
import sys

import xlrd


def rgb(book, index):
    colour = book.colour_map.get(index)
    return "-" if colour is None else "%02X%02X%02X" % colour


def main(path):
    book = xlrd.open_workbook(path, formatting_info=True)
    print("S\t" + "\t".join(book.sheet_names()))
    sheet = book.sheet_by_index(0)
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            xf = book.xf_list[cell.xf_index]
            font = book.font_list[xf.font_index]
            if xf.border.bottom_line_style:
                print("B %d %d %d" % (r + 1, c + 1, xf.border.bottom_line_style))
            if cell.ctype == xlrd.XL_CELL_EMPTY or cell.ctype == xlrd.XL_CELL_BLANK:
                continue
            if cell.ctype == xlrd.XL_CELL_TEXT:
                value = "T" + cell.value.encode("cp1252").hex()
            else:
                value = "N" + repr(float(cell.value))
            fill = xf.background.pattern_colour_index if xf.background.fill_pattern else None
            print("C %d %d %s %d %s %g %s %d" % (
                r + 1, c + 1, value, font.bold, rgb(book, font.colour_index),
                font.height / 20.0, "-" if fill is None else rgb(book, fill),
                xf.alignment.hor_align))
    for rlo, rhi, clo, chi in sheet.merged_cells:
        print("M %d %d %d %d" % (rlo + 1, rhi, clo + 1, chi))
    for col, info in sorted(sheet.colinfo_map.items()):
        print("W %d %g" % (col + 1, info.width / 256.0))
    if sheet.panes_are_frozen:
        print("F %d %d" % (sheet.horz_split_pos, sheet.vert_split_pos))


if __name__ == "__main__":
    main(sys.argv[1])
