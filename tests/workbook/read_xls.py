#!/usr/bin/python3
"""Reads an .xls workbook with xlrd (formatting_info=True) and prints what the tests
check, one fact per line, so that a C++ test can compare facts by key:

  sheets <name>|<name>...
  cell <sheet> <row> <col> <type> <value repr>
  font <sheet> <row> <col> <name> <height> <weight> <italic> <colour index>
  xf <sheet> <row> <col> fill=<pattern>,<colour> align=<h> fmt=<format> bottom=<style>,<colour>
  merge <sheet> <r1> <r2> <c1> <c2>            (half-open, as xlrd gives them)
  col <sheet> <col> <width> <hidden> align=<h> fmt=<format> font=<height>
  row <sheet> <row> <height>
  frozen <sheet> <frozen> <horz_split_pos> <vert_split_pos> <first_visible> <active_pane>
  size <sheet> <nrows> <ncols>
  colour <index> <r>,<g>,<b>
"""
import sys
import xlrd


def xf_text(book, xf):
    fmt = book.format_map[xf.format_key].format_str
    return "fill=%d,%d align=%d fmt=%s bottom=%d,%d" % (
        xf.background.fill_pattern, xf.background.pattern_colour_index,
        xf.alignment.hor_align, fmt, xf.border.bottom_line_style,
        xf.border.bottom_colour_index)


def main(path, cells):
    book = xlrd.open_workbook(path, formatting_info=True)
    out = []
    out.append("sheets " + "|".join(book.sheet_names()))
    for i in sorted(book.colour_map):
        rgb = book.colour_map[i]
        if rgb is not None:
            out.append("colour %d %d,%d,%d" % ((i,) + tuple(rgb)))
    for s, sheet in enumerate(book.sheets()):
        out.append("size %d %d %d" % (s, sheet.nrows, sheet.ncols))
        out.append("frozen %d %d %d %d %d %s" % (
            s, sheet.panes_are_frozen, sheet.horz_split_pos, sheet.vert_split_pos,
            sheet.horz_split_first_visible, sheet.split_active_pane))
        for (r1, r2, c1, c2) in sheet.merged_cells:
            out.append("merge %d %d %d %d %d" % (s, r1, r2, c1, c2))
        for c in sorted(sheet.colinfo_map):
            info = sheet.colinfo_map[c]
            xf = book.xf_list[info.xf_index]
            out.append("col %d %d %d %d align=%d fmt=%s font=%d" % (
                s, c, info.width, info.hidden, xf.alignment.hor_align,
                book.format_map[xf.format_key].format_str,
                book.font_list[xf.font_index].height))
        for r in sorted(sheet.rowinfo_map):
            out.append("row %d %d %d" % (s, r, sheet.rowinfo_map[r].height))
        if cells == "none":
            continue
        rows = range(sheet.nrows)
        if cells == "ends":
            rows = sorted(set([0, 1, sheet.nrows - 2, sheet.nrows - 1]) & set(rows))
        for r in rows:
            for c in range(sheet.ncols):
                cell = sheet.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                out.append("cell %d %d %d %d %r" % (s, r, c, cell.ctype, cell.value))
                xf = book.xf_list[cell.xf_index]
                font = book.font_list[xf.font_index]
                out.append("font %d %d %d %s %d %d %d %d" % (
                    s, r, c, font.name, font.height, font.weight, font.italic,
                    font.colour_index))
                out.append("xf %d %d %d %s" % (s, r, c, xf_text(book, xf)))
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    # Second argument: "all" cells (the default), only the first and last two rows
    # ("ends", for big sheets) or "none".
    main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "all")
