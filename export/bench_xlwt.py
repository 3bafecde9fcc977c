"""The peer of bench_export: reads PRODUCT.DBF in the invoice overview's order and writes
the same cell values with xlwt, without formats."""
import struct
import sys

import xlwt


def records(path):
    data = open(path, "rb").read()
    count, header, length = struct.unpack("<IHH", data[4:12])
    fields, pos, offset = [], 32, 1
    while data[pos] != 0x0D:
        name = data[pos:pos + 11].split(b"\0")[0].decode()
        fields.append((name, offset, data[pos + 16]))
        offset += data[pos + 16]
        pos += 32
    for i in range(count):
        rec = data[header + i * length:header + (i + 1) * length]
        yield {n: rec[o:o + w].decode("cp850") for n, o, w in fields}


def main(table, out):
    rows = sorted(records(table), key=lambda r: (r["CUSTOMER"].lower(), r["INVOICE"]))
    book = xlwt.Workbook()
    sheet = book.add_sheet("Excel-Test")
    sheet.write(0, 0, "Invoice-Overview")
    for c, h in enumerate(["ID-No", "Customer", "Invoice", "Product", "Value"]):
        sheet.write(2, c, h)
    row, i = 3, 0
    while i < len(rows):
        key, total = rows[i]["CUSTOMER"], 0.0
        sheet.write(row, 0, int(rows[i]["ID_NR"]))
        sheet.write(row, 1, key.rstrip())
        while i < len(rows) and rows[i]["CUSTOMER"] == key:
            r = rows[i]
            sheet.write(row, 2, r["INVOICE"])
            sheet.write(row, 3, r["PRODUCT"])
            sheet.write(row, 4, r["VALUE"])
            total += float(r["VALUE"])
            row += 1
            i += 1
        sheet.write(row, 4, "%13.2f" % total)
        row += 2
    book.save(out)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
