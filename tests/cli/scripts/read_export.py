#!/usr/bin/env python3
"""Reads an exported table back with readers that share nothing with the
program: the csv module, the json module, openpyxl. Prints one JSON array per
row (header row first); for a workbook first a line with its sheet settings.

usage: read_export.py csv|tsv|json|xlsx FILE
"""
import csv
import json
import sys


def dump(row):
    print(json.dumps(row, ensure_ascii=False))


def main():
    kind, path = sys.argv[1], sys.argv[2]
    if kind == "csv":
        raw = open(path, "rb").read()
        if not raw.startswith(b"\xef\xbb\xbf"):
            print("no byte-order mark")
            return 1
        with open(path, newline="", encoding="utf-8-sig") as f:
            for row in csv.reader(f, strict=True):
                dump(row)
    elif kind == "tsv":
        with open(path, newline="", encoding="utf-8") as f:
            for row in csv.reader(f, delimiter="\t", quoting=csv.QUOTE_NONE, strict=True):
                dump(row)
    elif kind == "json":
        with open(path, encoding="utf-8") as f:
            for line in f:
                dump(json.loads(line))
    elif kind == "xlsx":
        import openpyxl
        book = openpyxl.load_workbook(path)
        sheet = book.active
        widths = [sheet.column_dimensions[c.column_letter].width for c in sheet[1]]
        dump({"freeze": sheet.freeze_panes, "filter": sheet.auto_filter.ref,
              "bold": all(c.font.b for c in sheet[1]),
              "narrow": [c.value for c, w in zip(sheet[1], widths) if w < len(str(c.value))],
              "types": [c.data_type for c in sheet[2]] if sheet.max_row > 1 else [],
              "formats": [c.number_format for c in sheet[2]] if sheet.max_row > 1 else []})
        for row in sheet.iter_rows(values_only=True):
            dump([round(v, 3) if isinstance(v, float) else v for v in row])
    else:
        print("unknown kind", kind)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
