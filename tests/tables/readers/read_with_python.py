# Prints every record of a table through one of Debian's independent readers, one line
# per record: recno|deleted|value|value..., texts as hex of their cp850 bytes with
# trailing blanks removed, numbers with four decimals, dates as ISO text, empty as "-".
import sys


def text(v, codec):
    if v is None:
        return ""
    if isinstance(v, bytes):
        return v.rstrip(b" ").hex()
    return str(v).rstrip(" ").encode(codec).hex()


def value(v, kind, codec):
    if kind in "CM":
        return text(v, codec)
    if kind in "NFIBY":
        return "-" if v is None else "%.4f" % float(v)
    if kind == "D":
        return v.isoformat() if v else "-"
    if kind == "L":
        return "T" if v else "F"
    return str(v)


def with_dbf(path):
    import dbf
    t = dbf.Table(path)
    t.open(dbf.READ_ONLY)
    codec = t.codepage.name if hasattr(t.codepage, "name") else "cp850"
    kinds = [chr(t.field_info(n)[0]) if isinstance(t.field_info(n)[0], int) else str(t.field_info(n)[0])[0]
             for n in t.field_names]
    for i, rec in enumerate(t):
        vals = [value(rec[n], k, "cp850") for n, k in zip(t.field_names, kinds)]
        print("%d|%s|%s" % (i + 1, "*" if dbf.is_deleted(rec) else " ", "|".join(vals)))
    t.close()


def with_dbfread(path):
    import dbfread
    t = dbfread.DBF(path, load=True, char_decode_errors="strict")
    kinds = [f.type for f in t.fields]
    names = [f.name for f in t.fields]
    rows = []
    for rec in t.records:
        rows.append((" ", rec))
    for rec in t.deleted:
        rows.append(("*", rec))
    # dbfread keeps no record numbers: live and deleted records are printed in two runs.
    for flag, rec in rows:
        vals = [value(rec[n], k, t.encoding) for n, k in zip(names, kinds)]
        print("%s|%s" % (flag, "|".join(vals)))


if __name__ == "__main__":
    {"dbf": with_dbf, "dbfread": with_dbfread}[sys.argv[1]](sys.argv[2])
