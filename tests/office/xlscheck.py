#!/usr/bin/python3
"""Reads an .xls workbook independently of LibreOffice (Debian python3-xlrd) and prints what the office tests
check as JSON: BIFF version, sheet names, the sheet shown when the workbook opens, the document author, the
countries of its COUNTRY record (of the user interface and of the document: 86 China, 1 USA), and every
non-empty cell of one sheet (the first unless an index is given) with its type, value, font name and number format
code ("General", "0.00", ...), and the sizes of its PNG pictures."""
import json
import struct
import sys

import xlrd
from xlrd import compdoc


def column_name(index):
    name = ""
    index += 1
    while index:
        index, rest = divmod(index - 1, 26)
        name = chr(65 + rest) + name
    return name


def summary_author(data):
    """The Author property (PIDSI_AUTHOR = 4) of the OLE SummaryInformation stream, or None."""
    doc = compdoc.CompDoc(data, logfile=open("/dev/null", "w"))
    stream = doc.get_named_stream("\x05SummaryInformation")
    if not stream:
        return None
    section_offset = struct.unpack_from("<I", stream, 28 + 16)[0]
    count = struct.unpack_from("<I", stream, section_offset + 4)[0]
    properties = {}
    for i in range(count):
        pid, offset = struct.unpack_from("<II", stream, section_offset + 8 + 8 * i)
        properties[pid] = section_offset + offset
    codepage = 1252
    if 1 in properties:
        codepage = struct.unpack_from("<h", stream, properties[1] + 4)[0] & 0xFFFF
    if 4 not in properties:
        return None
    start = properties[4]
    kind = struct.unpack_from("<I", stream, start)[0]
    size = struct.unpack_from("<I", stream, start + 4)[0]
    raw = stream[start + 8:start + 8 + (size * 2 if kind == 0x1F else size)]
    if kind == 0x1F or codepage == 1200:
        return raw.decode("utf-16-le").rstrip("\0")
    encoding = "utf-8" if codepage == 65001 else "cp%d" % codepage
    return raw.decode(encoding, errors="replace").rstrip("\0")


def pictures(data):
    """[width, height] of every PNG picture stored in the Workbook stream (the drawing group's BLIP store)."""
    doc = compdoc.CompDoc(data, logfile=open("/dev/null", "w"))
    stream = doc.get_named_stream("Workbook") or b""
    found = []
    at = stream.find(b"\x89PNG\r\n\x1a\n")
    while at >= 0:
        if stream[at + 12:at + 16] == b"IHDR":
            found.append(list(struct.unpack_from(">II", stream, at + 16)))
        at = stream.find(b"\x89PNG\r\n\x1a\n", at + 8)
    return found


def main(path, index):
    with open(path, "rb") as f:
        data = f.read()
    book = xlrd.open_workbook(file_contents=data, formatting_info=True, on_demand=False)
    sheet = book.sheet_by_index(index)
    cells = {}
    for row in range(sheet.nrows):
        for col in range(sheet.ncols):
            cell = sheet.cell(row, col)
            if cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
                continue
            kind = {xlrd.XL_CELL_NUMBER: "number", xlrd.XL_CELL_TEXT: "text"}.get(cell.ctype, "other")
            xf = book.xf_list[cell.xf_index]
            font = book.font_list[xf.font_index].name
            number_format = book.format_map[xf.format_key].format_str
            cells["%s%d" % (column_name(col), row + 1)] = [kind, cell.value, font, number_format]
    print(json.dumps({
        "biff": book.biff_version,
        "sheets": book.sheet_names(),
        "shown": [i for i, s in enumerate(book.sheets()) if s.sheet_visible],
        "author": summary_author(data),
        "countries": list(book.countries),
        "cells": cells,
        "pictures": pictures(data),
    }, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 0)
