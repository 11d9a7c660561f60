#!/usr/bin/env python3
"""Writes the drawing files the tests use: generate.py OUTDIR.

OUTDIR/versions/: one file for every version code the drawing-version lookup knows (its six
header bytes, the two five-character codes followed by a 0 byte, then filler), named CODE.dwg.

OUTDIR/preview/: files of releases R13 and later that carry a preview block, with pictures
of known colours at known places, files without a preview and broken ones, and
OUTDIR/preview/manifest.txt, one line a file:

    NAME CODE picture KIND WIDTH HEIGHT COLUMNS ROWS RRGGBB...   (the colours of the cells,
                                                                  row by row from the top)
    NAME CODE none REASON                                          (no picture to show)

KIND is bmp8 (an 8-bit picture with its colour table), bmp24 (24 bits, no colour table) or
png. A picture is COLUMNS x ROWS cells of one colour each; cell (c, r) covers the pixels x
from c*WIDTH//COLUMNS to (c+1)*WIDTH//COLUMNS - 1, and y likewise from the top.

How a drawing file keeps its preview (releases R13 to R2018 alike, as seen in real files):
- bytes 0 to 5 hold the version code; bytes 0x0D to 0x10 hold, little-endian, the file
  offset of the preview block (files before R13 hold no such address);
- the block opens with a 16-byte start sentinel (START below), then a 4-byte size (the bytes
  from after the size up to the end sentinel), then a 1-byte count of entries;
- each entry is 9 bytes: a 1-byte code (1 header data, 2 a BMP picture, 3 a WMF picture,
  6 a PNG picture in R2013 and later), a 4-byte absolute file offset and a 4-byte size;
- a BMP picture is a device-independent bitmap without the "BM" file header: the 40-byte
  BITMAPINFOHEADER, the colour table (for 8 bits: biClrUsed entries, 256 when 0, each blue,
  green, red, 0), then the rows bottom-up, each padded to a multiple of 4 bytes;
- after the entries' data the 16-byte end sentinel (END below) closes the block.
"""
import os
import struct
import sys
import zlib

START = bytes.fromhex("1F256D07D43628289D57CA3F9D44102B")
END = bytes.fromhex("E0DA92F82BC9D7D762A835C062BBEFD4")

VERSION_CODES = [
    "AC1015", "AC1500", "AC1014", "AC1013", "AC1012", "AC1011", "AC1010", "AC1009",
    "AC1008", "AC1007", "AC1006", "AC1005", "AC1004", "AC1003", "AC1002", "AC1001",
    "AC2.22", "AC2.21", "AC2.20", "AC2.10", "AC1.50", "AC1.40", "AC1.2", "MC0.0",
]

# Twelve colours far apart, so that a cell's colour is told apart from every other's even
# after scaling; each picture takes them in its own order.
COLOURS = [
    (255, 0, 0), (0, 160, 0), (0, 0, 255), (255, 255, 0), (0, 255, 255), (255, 0, 255),
    (255, 255, 255), (128, 128, 128), (255, 128, 0), (128, 0, 255), (0, 96, 96), (96, 48, 0),
]


def header_code(code):
    raw = code.encode("ascii")
    return raw + b"\0" * (6 - len(raw))


def cells(shift, columns, rows):
    n = len(COLOURS)
    return [COLOURS[(shift + 5 * i) % n] for i in range(columns * rows)]


def pixel_at(x, y, width, height, columns, rows, colours):
    return colours[(y * rows // height) * columns + x * columns // width]


def bmp8(width, height, columns, rows, colours, used):
    """An 8-bit picture: the cells' colours stand in the table at scattered indices, the
    other entries are dark greys no cell has."""
    table_size = used or 256
    slots = [(7 * i + 3) % table_size for i in range(len(colours))]
    assert len(set(slots)) == len(slots)
    table = [(i % 16, i % 16, i % 16) for i in range(table_size)]
    for slot, colour in zip(slots, colours):
        table[slot] = colour
    stride = (width + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(slots[colours.index(pixel_at(x, y, width, height, columns, rows, colours))]
                        for x in range(width))
        pixels += row + b"\0" * (stride - width)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 0, 0, used, 0)
    return info + b"".join(bytes((b, g, r, 0)) for r, g, b in table) + bytes(pixels)


def bmp24(width, height, columns, rows, colours):
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel_at(x, y, width, height, columns, rows, colours)
            row += bytes((b, g, r))
        pixels += row + b"\0" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, 0, 0, 0, 0, 0)
    return info + bytes(pixels)


def png(width, height, columns, rows, colours):
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw += bytes(pixel_at(x, y, width, height, columns, rows, colours))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b""))


def drawing(code, entries, at=0x80, start=START, count=None, filler=b""):
    """A drawing file: the version code, the block's address at 0x0D, the block at `at`
    holding the entries (code, data) in order; count overrides the number of entries."""
    head = bytearray(header_code(code) + b"\0" * (at - 6))
    head[0x0D:0x11] = struct.pack("<I", at)
    table_end = at + 16 + 4 + 1 + 9 * len(entries)
    offset = table_end + len(filler)
    table = bytearray()
    data = bytearray(filler)
    for kind, payload in entries:
        table += struct.pack("<BII", kind, offset, len(payload))
        data += payload
        offset += len(payload)
    size = 1 + len(table) + len(data)
    n = len(entries) if count is None else count
    block = start + struct.pack("<IB", size, n) + table + data + END
    return bytes(head) + block + b"\0" * 64


HEADER_DATA = bytes(range(80))  # what the header entry holds does not matter to a preview
WMF_DATA = b"\xd7\xcd\xc6\x9a" + bytes(60)


def pictures():
    """(name, code, kind, width, height, columns, rows, shift, builder options)."""
    return [
        ("r13-8bit", "AC1012", "bmp8", 61, 40, 4, 3, 0, {"used": 0}),
        ("r14-8bit", "AC1014", "bmp8", 64, 48, 4, 3, 1, {"used": 0, "wmf": True, "at": 0x1234}),
        ("r2000-8bit-16", "AC1015", "bmp8", 45, 30, 3, 2, 2, {"used": 16}),
        ("r2000-24bit", "AC1015", "bmp24", 50, 30, 4, 3, 3, {}),
        ("r2004-8bit", "AC1018", "bmp8", 72, 36, 4, 2, 4, {"used": 0}),
        ("r2007-24bit", "AC1021", "bmp24", 37, 53, 2, 3, 5, {}),
        ("r2010-8bit", "AC1024", "bmp8", 80, 33, 4, 3, 6, {"used": 0}),
        ("r2013-png", "AC1027", "png", 60, 36, 4, 3, 7, {}),
        ("r2018-png", "AC1032", "png", 48, 64, 3, 4, 8, {}),
    ]


def picture_data(kind, width, height, columns, rows, colours, options):
    if kind == "bmp8":
        return 2, bmp8(width, height, columns, rows, colours, options["used"])
    if kind == "bmp24":
        return 2, bmp24(width, height, columns, rows, colours)
    return 6, png(width, height, columns, rows, colours)


def preview_files():
    """(name, code, bytes, manifest line)."""
    files = []
    for name, code, kind, width, height, columns, rows, shift, options in pictures():
        colours = cells(shift, columns, rows)
        entry = picture_data(kind, width, height, columns, rows, colours, options)
        entries = [(1, HEADER_DATA), entry]
        if options.get("wmf"):
            entries.append((3, WMF_DATA))
        data = drawing(code, entries, at=options.get("at", 0x80), filler=b"\xAA" * 3)
        hexes = " ".join("%02X%02X%02X" % c for c in colours)
        files.append((name, code, data, f"picture {kind} {width} {height} {columns} {rows} {hexes}"))

    good = cells(9, 2, 2)
    picture = bmp24(20, 10, 2, 2, good)
    whole = drawing("AC1015", [(1, HEADER_DATA), (2, picture)])
    at = 0x80
    past = bytearray(whole)
    past[0x0D:0x11] = struct.pack("<I", len(whole) + 10)
    truncated_entry = bytearray(drawing("AC1015", [(1, HEADER_DATA), (2, picture)]))
    entry2 = at + 21 + 9
    struct.pack_into("<I", truncated_entry, entry2 + 5, len(truncated_entry))  # size past the end
    offset_past = bytearray(whole)
    struct.pack_into("<I", offset_past, entry2 + 1, len(whole) + 1)
    tall = bytearray(whole)  # a header claiming more rows than the entry holds
    struct.pack_into("<i", tall, at + 21 + 18 + 80 + 8, 5000)
    tiny = bytearray(header_code("AC1015") + b"\0" * 10)  # ends inside the address
    broken = [
        ("no-entries", "AC1015", drawing("AC1015", []), "zero entries"),
        ("header-only", "AC1015", drawing("AC1015", [(1, HEADER_DATA)]), "no picture entry"),
        ("wmf-only", "AC1014", drawing("AC1014", [(1, HEADER_DATA), (3, WMF_DATA)]), "no picture entry"),
        ("address-past-end", "AC1015", bytes(past), "address past the end"),
        ("bad-sentinel", "AC1015", drawing("AC1015", [(1, HEADER_DATA), (2, picture)],
                                           start=START[:-1] + b"\0"), "wrong start sentinel"),
        ("entry-past-end", "AC1015", bytes(truncated_entry), "entry runs past the end"),
        ("offset-past-end", "AC1015", bytes(offset_past), "entry starts past the end"),
        ("count-past-end", "AC1015", drawing("AC1015", [(1, HEADER_DATA), (2, picture)], count=255),
         "entry table runs past the end"),
        ("rows-past-entry", "AC1015", bytes(tall), "picture larger than its entry"),
        ("short-file", "AC1015", bytes(tiny), "file ends before the address"),
        ("r12", "AC1009", header_code("AC1009") + b"\x03\x00\x05\x00" * 64, "release before R13"),
        ("unknown-code", "XYZ123", b"XYZ123" + whole[6:], "not a drawing"),
    ]
    files += [(name, code, bytes(data), f"none {reason.replace(' ', '-')}") for name, code, data, reason in broken]
    return files


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: generate.py OUTDIR")
    out = sys.argv[1]
    os.makedirs(os.path.join(out, "versions"), exist_ok=True)
    os.makedirs(os.path.join(out, "preview"), exist_ok=True)
    for code in VERSION_CODES:
        with open(os.path.join(out, "versions", code + ".dwg"), "wb") as f:
            f.write(header_code(code) + bytes(range(32, 122)))
    lines = []
    for name, code, data, line in preview_files():
        with open(os.path.join(out, "preview", name + ".dwg"), "wb") as f:
            f.write(data)
        lines.append(f"{name}.dwg {code} {line}")
    with open(os.path.join(out, "preview", "manifest.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
