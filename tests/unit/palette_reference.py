"""Checks the host's palette, read from standard input as "index red green blue" lines,
entry by entry against the colour index table of ezdxf's colors module (Debian's
python3-ezdxf), an independent copy of the host's published table."""
import sys

from ezdxf import colors

table = {}
for line in sys.stdin:
    index, r, g, b = map(int, line.split())
    table[index] = (r, g, b)
wrong = 0
for index in range(1, 256):
    want = colors.int2rgb(colors.DXF_DEFAULT_COLORS[index])
    got = table.get(index)
    if got != tuple(want):
        print(f"index {index}: expected {tuple(want)}, got {got}")
        wrong += 1
extra = sorted(set(table) - set(range(1, 256)))
if extra:
    print(f"indices outside 1 to 255: {extra}")
print(f"{255 - wrong} of 255 entries as ezdxf has them")
sys.exit(1 if wrong or extra else 0)
