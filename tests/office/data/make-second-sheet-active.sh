#!/bin/sh
# Makes second-sheet-active.xls: a workbook of two sheets whose second is the active one, as Excel marks it
# (the window's current tab, and that sheet selected and shown). LibreOffice converts the sheets; headless it
# keeps the first sheet active, so the marks are set afterwards in the file's records.
# With --hidden it makes hidden-sheet-active.xls instead: the same, with the active second sheet hidden.
set -e
here=$(cd "$(dirname "$0")" && pwd)
output="$here/second-sheet-active.xls"
hidden=0
if [ "$1" = --hidden ]; then
    output="$here/hidden-sheet-active.xls"
    hidden=1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work/two.fods" <<'PY'
import sys
rows = ''.join('<table:table-row><table:table-cell office:value-type="float" office:value="%d">'
               '<text:p>%d</text:p></table:table-cell></table:table-row>' % (i, i) for i in range(400))
open(sys.argv[1], 'w').write('''<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2"
 office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
 <office:body><office:spreadsheet>
  <table:table table:name="First"><table:table-row><table:table-cell office:value-type="string">
   <text:p>first</text:p></table:table-cell></table:table-row>%s</table:table>
  <table:table table:name="Second"><table:table-row><table:table-cell office:value-type="string">
   <text:p>second</text:p></table:table-cell></table:table-row></table:table>
 </office:spreadsheet></office:body>
</office:document>''' % rows)
PY
# The filler rows make the workbook stream big enough to lie in whole sectors, one run of bytes.
soffice -env:UserInstallation="file://$work/profile" --headless --convert-to xls --outdir "$work" \
    "$work/two.fods" >/dev/null 2>&1
/usr/bin/python3 - "$work/two.xls" "$output" "$hidden" <<'PY'
import struct, sys
from xlrd import compdoc
data = bytearray(open(sys.argv[1], 'rb').read())
doc = compdoc.CompDoc(bytes(data), logfile=open('/dev/null', 'w'))
mem, base, size = doc.locate_named_stream('Workbook')
assert mem is doc.mem, 'the workbook stream is not one run of bytes'
active, pos, sheet, bound = 1, base, -1, -1
while pos + 4 <= base + size:
    kind, length = struct.unpack_from('<HH', data, pos)
    body = pos + 4
    if kind == 0x0085:                                      # BOUNDSHEET: its visibility
        bound += 1
        if bound == active and sys.argv[3] == '1':
            data[body + 4] = (data[body + 4] & ~0x03) | 0x01
    if kind == 0x0809 and struct.unpack_from('<H', data, body + 2)[0] == 0x0010:
        sheet += 1                                          # BOF of a worksheet
    if kind == 0x003D:                                      # WINDOW1: the current tab
        struct.pack_into('<H', data, body + 10, active)
    if kind == 0x023E:                                      # WINDOW2: selected, shown
        flags = struct.unpack_from('<H', data, body)[0] & ~0x0600
        struct.pack_into('<H', data, body, flags | (0x0600 if sheet == active else 0))
    pos = body + length
open(sys.argv[2], 'wb').write(data)
PY
