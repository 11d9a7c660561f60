#!/usr/bin/env python3
"""Compares a screenshot of a preview control with the picture its drawing file keeps,
decoded here on its own: compare.py SHOT.png DRAWING black|white [COLUMNSxROWS]

The shot is the control's window, nothing around it. The picture is expected scaled to fit
the control less a 2-pixel margin, its proportions kept, centred, on the background colour.
The picture's place is cut into a grid of cells; in each the most frequent colour of the
shot must be the most frequent colour of the same part of the picture: in 9 of 10 cells of
an 8 x 8 grid, or in every cell of the grid given (a generated picture's own cells). The margin box
around the picture must be the background.

BMP entries (code 2) are decoded by hand: the 40-byte info header, the colour table for 8
bits, rows bottom-up padded to 4 bytes. PNG entries (code 6) with Pillow.
"""
import io
import struct
import sys
from collections import Counter

from PIL import Image

START = bytes.fromhex("1F256D07D43628289D57CA3F9D44102B")
MARGIN = 2
GRID = 8


def picture(path):
    data = open(path, "rb").read()
    at = struct.unpack_from("<I", data, 0x0D)[0]
    assert data[at:at + 16] == START, "no preview block"
    count = data[at + 20]
    for i in range(count):
        code, offset, size = struct.unpack_from("<BII", data, at + 21 + 9 * i)
        entry = data[offset:offset + size]
        if code == 2:
            return bmp(entry)
        if code == 6:
            return Image.open(io.BytesIO(entry)).convert("RGB")
    raise SystemExit("no picture in " + path)


def bmp(entry):
    size, width, height, _, bits, compression, _, _, _, used, _ = struct.unpack_from("<IiiHHIIiiII", entry, 0)
    assert compression == 0 and bits in (8, 24), (bits, compression)
    table = []
    if bits == 8:
        for i in range(used or 256):
            b, g, r, _ = entry[size + 4 * i:size + 4 * i + 4]
            table.append((r, g, b))
    pixels = size + 4 * len(table)
    stride = (width * bits // 8 + 3) & ~3
    image = Image.new("RGB", (width, abs(height)))
    for y in range(abs(height)):
        row = pixels + stride * (abs(height) - 1 - y if height > 0 else y)
        for x in range(width):
            if bits == 8:
                image.putpixel((x, y), table[entry[row + x]])
            else:
                b, g, r = entry[row + 3 * x:row + 3 * x + 3]
                image.putpixel((x, y), (r, g, b))
    return image


def dominant(image, box):
    left, top, right, bottom = box
    counts = Counter(image.getpixel((x, y)) for y in range(top, bottom) for x in range(left, right))
    return counts.most_common(1)[0][0] if counts else None


def close(a, b):
    return a is not None and b is not None and all(abs(p - q) <= 8 for p, q in zip(a, b))


def main():
    shot = Image.open(sys.argv[1]).convert("RGB")
    pic = picture(sys.argv[2])
    background = (0, 0, 0) if sys.argv[3] == "black" else (255, 255, 255)
    bw, bh = shot.width - 2 * MARGIN, shot.height - 2 * MARGIN
    iw, ih = pic.size
    if iw * bh > bw * ih:
        w, h = bw, max(1, ih * bw // iw)
    else:
        w, h = max(1, iw * bh // ih), bh
    left, top = MARGIN + (bw - w) // 2, MARGIN + (bh - h) // 2
    failures = []
    # The background around the picture, inside the margin.
    strips = [(MARGIN, MARGIN, MARGIN + bw, top), (MARGIN, top + h, MARGIN + bw, MARGIN + bh),
              (MARGIN, top, left, top + h), (left + w, top, MARGIN + bw, top + h)]
    for strip in strips:
        if strip[2] - strip[0] > 2 and strip[3] - strip[1] > 2:
            inner = (strip[0] + 1, strip[1] + 1, strip[2] - 1, strip[3] - 1)
            got = dominant(shot, inner)
            if not close(got, background):
                failures.append(f"background at {inner}: {got}")
    columns = rows = GRID
    if len(sys.argv) > 4:
        columns, rows = map(int, sys.argv[4].split("x"))
    cells = agree = 0
    for row in range(rows):
        for col in range(columns):
            # The middle of each cell, clear of where scaling may round a pixel either way.
            sx0, sx1 = left + col * w // columns, left + (col + 1) * w // columns
            sy0, sy1 = top + row * h // rows, top + (row + 1) * h // rows
            px0, px1 = col * iw // columns, (col + 1) * iw // columns
            py0, py1 = row * ih // rows, (row + 1) * ih // rows
            if sx1 - sx0 < 3 or sy1 - sy0 < 3 or px1 <= px0 or py1 <= py0:
                continue
            cells += 1
            want = dominant(pic, (px0, py0, px1, py1))
            got = dominant(shot, (sx0 + 1, sy0 + 1, sx1 - 1, sy1 - 1))
            if close(want, got):
                agree += 1
            else:
                failures.append(f"cell {col},{row}: picture {want}, screen {got}")
    need = cells if len(sys.argv) > 4 else (cells * 9 + 9) // 10
    print(f"{sys.argv[2]}: {iw}x{ih} shown at {left},{top} {w}x{h} in {shot.width}x{shot.height}; "
          f"{agree} of {cells} cells agree (need {need})")
    for failure in failures[:12]:
        print("  " + failure)
    bad_background = any(f.startswith("background") for f in failures)
    sys.exit(0 if agree >= need and cells > 0 and not bad_background else 1)


if __name__ == "__main__":
    main()
