#!/usr/bin/python3
"""Reads a PDF as printed by the office, independently of it, and prints what the office tests check as JSON:
the document language (/Lang), the embedded fonts, the pages (size in points, images on each), the print size
of some words, and which regional forms the Chinese glyphs take.

The regional forms: the Noto Sans CJK collection's faces share one CFF (named after its Japanese face, so
every embedded subset bears that name whatever face was used) and differ in their cmaps; the office embeds the
subset as a Type 1 font whose glyph names are the CIDs. A character whose Simplified Chinese and Japanese
glyphs differ tells the face: its CID is the SC face's glyph, the JP face's, or neither."""
import json
import re
import struct
import subprocess
import sys
import zlib


def objects(data):
    """{number: (dictionary bytes, decoded stream or None)} of the file's plain objects."""
    found = {}
    for match in re.finditer(rb"(\d+) 0 obj(.*?)endobj", data, re.S):
        body = match.group(2)
        stream = None
        at = body.find(b"stream")
        if at >= 0:
            start = at + len(b"stream")
            start += 2 if body[start:start + 2] == b"\r\n" else 1
            raw = body[start:body.rfind(b"endstream")]
            head = body[:at]
            if b"FlateDecode" in head:
                try:
                    raw = zlib.decompressobj().decompress(raw)
                except zlib.error:
                    raw = b""
            stream = raw
            body = head
        found[int(match.group(1))] = (body, stream)
    return found


def reference(dictionary, key):
    match = re.search(rb"/" + key + rb"\s*(\d+) 0 R", dictionary)
    return int(match.group(1)) if match else None


def unicode_map(cmap):
    """{code: text} of a ToUnicode CMap's bfchar entries."""
    mapping = {}
    for block in re.findall(rb"beginbfchar(.*?)endbfchar", cmap, re.S):
        for code, text in re.findall(rb"<([0-9A-Fa-f]+)>\s*<([0-9A-Fa-f]+)>", block):
            mapping[int(code, 16)] = bytes.fromhex(text.decode()).decode("utf-16-be", "replace")
    return mapping


def type1_cids(program):
    """{code: CID} from the clear-text encoding of a Type 1 font program with glyphs named cidNNNN."""
    clear = program.split(b"eexec")[0]
    return {int(code): int(cid) for code, cid in re.findall(rb"dup (\d+) /cid(\d+) put", clear)}


def face_cmap(face):
    """{code point: glyph} of one face of a font file, given as FILE:INDEX (fc-match's answer)."""
    path, _, index = face.rpartition(":")
    with open(path, "rb") as f:
        data = f.read()
    offset = 0
    if data[:4] == b"ttcf":
        count = struct.unpack_from(">I", data, 8)[0]
        offset = struct.unpack_from(">%dI" % count, data, 12)[int(index or 0)]
    tables = {}
    for i in range(struct.unpack_from(">H", data, offset + 4)[0]):
        tag, _, at, _ = struct.unpack_from(">4sIII", data, offset + 12 + 16 * i)
        tables[tag] = at
    base = tables[b"cmap"]
    mapping = {}
    for i in range(struct.unpack_from(">H", data, base + 2)[0]):
        _, _, sub = struct.unpack_from(">HHI", data, base + 4 + 8 * i)
        start = base + sub
        if struct.unpack_from(">H", data, start)[0] == 12:
            for g in range(struct.unpack_from(">I", data, start + 12)[0]):
                first, last, glyph = struct.unpack_from(">III", data, start + 16 + 12 * g)
                for c in range(first, last + 1):
                    mapping[c] = glyph + c - first
            return mapping
    return mapping


def matched(pattern):
    result = subprocess.run(["fc-match", "-f", "%{file}:%{index}", pattern], capture_output=True, text=True)
    return result.stdout.strip()


def regional_forms(objs):
    """Counts of the Chinese characters that differ between the SC and JP faces, by the face they took."""
    sc = face_cmap(matched("Noto Sans CJK SC"))
    jp = face_cmap(matched("Noto Sans CJK JP"))
    counts = {"sc": 0, "jp": 0, "other": 0}
    for body, _ in objs.values():
        if b"/Type/Font" not in body.replace(b" ", b"") or b"/Subtype/Type1" not in body.replace(b" ", b""):
            continue
        to_unicode = reference(body, b"ToUnicode")
        descriptor = reference(body, b"FontDescriptor")
        if to_unicode is None or descriptor is None:
            continue
        program = reference(objs[descriptor][0], b"FontFile")
        if program is None:
            continue
        cids = type1_cids(objs[program][1] or b"")
        for code, text in unicode_map(objs[to_unicode][1] or b"").items():
            if len(text) != 1 or code not in cids:
                continue
            point = ord(text)
            if point not in sc or point not in jp or sc[point] == jp[point]:
                continue
            key = "sc" if cids[code] == sc[point] else "jp" if cids[code] == jp[point] else "other"
            counts[key] += 1
    return counts


def xobjects(objs, resources):
    """{name: object number} of a resource dictionary's XObjects."""
    body = resources
    ref = reference(resources, b"Resources")
    if ref is not None:
        body = objs[ref][0]
    found = {}
    for entries in re.findall(rb"/XObject\s*<<(.*?)>>", body, re.S):
        for name, number in re.findall(rb"/([^\s/]+)\s*(\d+) 0 R", entries):
            found[name] = int(number)
    ref = re.search(rb"/XObject\s*(\d+) 0 R", body)
    if ref:
        for name, number in re.findall(rb"/([^\s/]+)\s*(\d+) 0 R", objs[int(ref.group(1))][0]):
            found[name] = int(number)
    return found


def images_drawn(objs, content, resources, depth=0):
    """How many images a content stream draws, through the forms it draws too."""
    names = xobjects(objs, resources)
    count = 0
    for name in re.findall(rb"/([^\s/]+)\s+Do\b", content):
        number = names.get(name)
        if number is None or depth > 8:
            continue
        body, stream = objs[number]
        if re.search(rb"/Subtype\s*/Image", body):
            count += 1
        elif re.search(rb"/Subtype\s*/Form", body):
            count += images_drawn(objs, stream or b"", body if b"/Resources" in body else resources, depth + 1)
    return count


def pages(objs):
    """[[width, height, images drawn]] of each page in the order of the page tree."""
    order = []

    def walk(number):
        body = objs[number][0]
        if re.search(rb"/Type\s*/Pages", body):
            kids = re.search(rb"/Kids\s*\[(.*?)\]", body, re.S).group(1)
            for kid in re.findall(rb"(\d+) 0 R", kids):
                walk(int(kid))
        else:
            order.append(number)

    for number, (body, _) in objs.items():
        if re.search(rb"/Type\s*/Pages", body) and not re.search(rb"/Parent", body):
            walk(number)
    found = []
    for number in order:
        body = objs[number][0]
        box = [float(v) for v in re.search(rb"/MediaBox\s*\[([^\]]*)\]", body).group(1).split()]
        contents = re.search(rb"/Contents\s*(\[[^\]]*\]|\d+ 0 R)", body).group(1)
        content = b"\n".join(objs[int(n)][1] or b"" for n in re.findall(rb"(\d+) 0 R", contents))
        found.append([round(box[2] - box[0], 1), round(box[3] - box[1], 1), images_drawn(objs, content, body)])
    return found


def word_sizes(path, words):
    """{word: [print size in points of each occurrence]}: the width of a run of full-width characters over
    their number."""
    layout = subprocess.run(["pdftotext", "-bbox", path, "-"], capture_output=True, text=True).stdout
    sizes = {word: [] for word in words}
    for x_min, x_max, text in re.findall(r'<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="[\d.]+">'
                                         r"([^<]*)</word>", layout):
        if text in sizes:
            sizes[text].append(round((float(x_max) - float(x_min)) / len(text), 2))
    return sizes


def main(path, words):
    with open(path, "rb") as f:
        data = f.read()
    objs = objects(data)
    lang = re.search(rb"/Lang\s*\(([^)]*)\)", data)
    fonts = sorted({m.decode() for m in re.findall(rb"/BaseFont\s*/([^\s/>\[]+)", data)})
    print(json.dumps({
        "lang": lang.group(1).decode() if lang else None,
        "fonts": fonts,
        "pages": pages(objs),
        "forms": regional_forms(objs),
        "sizes": word_sizes(path, words),
    }, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
