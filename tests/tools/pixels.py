#!/usr/bin/env python3
"""What a screenshot shows, for the window tests (ImageMagick reads the PNG; no other module).

  pixels.py run FILE X Y COLOUR         how many pixels of row Y, from X rightwards, are COLOUR
  pixels.py count FILE X Y W H COLOUR   how many pixels of the rectangle are COLOUR
  pixels.py at FILE X Y                 the colour at X,Y

COLOUR is RRGGBB in hexadecimal, as `wintool syscolor` prints it; count takes !COLOUR for
every other colour (the pixels of text drawn over a plain colour, smoothed edges and all).
"""
import subprocess
import sys


def load(path):
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    fields, pos = [], 0
    while len(fields) < 4:  # P6, width, height, maximum
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:]


def colour(image, x, y):
    width, _, body = image
    k = 3 * (y * width + x)
    return "%02X%02X%02X" % (body[k], body[k + 1], body[k + 2])


def main():
    command, image = sys.argv[1], load(sys.argv[2])
    args = sys.argv[3:]
    if command == "run":
        x, y, want = int(args[0]), int(args[1]), args[2].upper()
        n = 0
        while x + n < image[0] and colour(image, x + n, y) == want:
            n += 1
        print(n)
    elif command == "count":
        x, y, w, h = (int(a) for a in args[:4])
        want = args[4].upper()
        other = want.startswith("!")
        print(sum((colour(image, i, j) == want.lstrip("!")) != other for j in range(y, y + h) for i in range(x, x + w)))
    elif command == "at":
        print(colour(image, int(args[0]), int(args[1])))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
