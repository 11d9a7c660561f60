# kel_splash: a bitmap in the middle of the desktop, above every window, for the seconds
# asked or until a click; its pixels for an 8-bit and a 24-bit file; files it cannot show.
source "$(dirname "$0")/lib.sh"
kelmar_display
pixels=$TESTS_DIR/tools/pixels.py
artifacts=$ARTIFACTS
mkdir -p "$artifacts"

# Two 400 x 300 bitmaps of four coloured quarters: one with a colour table of 8 bits a pixel,
# one of 24 bits without a table.
python3 - "$WORK" <<'EOF'
import struct, sys
W, H = 400, 300
colours = [(200, 30, 30), (30, 200, 30), (30, 30, 200), (230, 230, 40)]  # TL TR BL BR
def quarter(x, y):
    return (0 if x < W // 2 else 1) + (0 if y < H // 2 else 2)
def write(path, bits):
    stride = (W * bits // 8 + 3) & ~3
    table = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in colours) if bits == 8 else b""
    rows = []
    for y in reversed(range(H)):  # bottom row first
        if bits == 8:
            row = bytes(quarter(x, y) for x in range(W))
        else:
            row = b"".join(struct.pack("BBB", *reversed(colours[quarter(x, y)])) for x in range(W))
        rows.append(row + b"\0" * (stride - len(row)))
    body = b"".join(rows)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, bits, 0, len(body), 2835, 2835, len(colours) if bits == 8 else 0, 0)
    open(path, "wb").write(header + info + table + body)
write(sys.argv[1] + "/quarters8.bmp", 8)
write(sys.argv[1] + "/quarters24.bmp", 24)
open(sys.argv[1] + "/notes.bmp", "w").write("no bitmap here\n")
EOF

# The window as wintool sees it, screenshot NAME, and the colour of each quarter's middle.
look() {
    splash=$(wintool class Splash 10000)
    screenshot 400x300+312+234 "$artifacts/$1.png"
    quarters=$(for at in "100 75" "300 75" "100 225" "300 225"; do
        # shellcheck disable=SC2086
        python3 "$pixels" at "$artifacts/$1.png" $at
    done | tr '\n' ' ')
}
took() { sed -n 's/^@took //p' <<<"$out"; }
timed() { # FILE SECONDS
    echo "(setq t0 (acadhost-clock)) (kel_splash \"$1\" $2) (princ (strcat \"@took \" (rtos (- (acadhost-clock) t0) 2 0) \"\\n\"))"
}

for bits in 24 8; do
    lisp_start "$(timed quarters$bits.bmp 3)" --echo
    look "splash-$bits"
    same '"" Splash 312,234,400,300' "$(head -1 <<<"$splash")" "$bits-bit: 400 x 300 opens at 312,234, at its size"
    same topmost "$(tail -1 <<<"$splash")" "$bits-bit: above all other windows"
    same "C81E1E 1EC81E 1E1EC8 E6E628 " "$quarters" "$bits-bit: its pixels are the bitmap's"
    lisp_wait
    us=$(took)
    (( us >= 2900000 && us < 4500000 )); ok "$bits-bit: it returned after about 3 seconds ($us us)"
    same "=> nil" "$(grep '^=> ' <<<"$out" | tail -2 | head -1)" "$bits-bit: it gives nil"
    same "" "$err" "$bits-bit: no self-check tripped"
done

# A left or a right click ends it at once.
for button in 1 3; do
    lisp_start "$(timed quarters8.bmp 30)" --echo
    look "splash-click-$button"
    xdotool mousemove --window "$(desktop)" 500 380 sleep 0.2 click "$button"
    lisp_wait
    us=$(took)
    (( us < 10000000 )); ok "button $button ends it at once ($us us of 30 s)"
done

# The host's window closed while a splash is up: the splash goes at once and the host ends,
# running no form after it, instead of going on under the splash and ending when its
# seconds run out.
lisp_start "$(timed quarters8.bmp 30) (princ \"@after\\n\") (acadhost-sleep 3000) (princ \"@late\\n\")" --echo
look splash-quit
dialog "acadhost - [Drawing1.dwg]"
close_box
host_ends 10; ok "closing the host's window ends the host at once"
lisp_wait
! grep -q '^@late' <<<"$out"; ok "and runs no form after the splash"

# Files it cannot show, and arguments it refuses: no window opens.
lisp "$(cat <<'EOF'
(acadhost-windows)
(kel_splash "notes.bmp" 1)
(kel_splash "missing.bmp" 1)
(kel_splash "quarters8.bmp" 0)
(kel_splash "quarters8.bmp" -2)
(kel_splash "quarters8.bmp")
(kel_splash "quarters8.bmp" 1 2)
(kel_splash 1 1)
(acadhost-windows)
EOF
)" --echo
same '=> 0
Kelmar error:  cannot initialize window.
=> nil
Kelmar error:  cannot initialize window.
=> nil
Kelmar error: invalid argument.
=> nil
Kelmar error: invalid argument.
=> nil
Kelmar error: too few arguments.
=> nil
Kelmar error: too many arguments.
=> nil
Kelmar error: path argument expected.
=> nil
=> 0' "$(tail -n +4 <<<"$out")" "what it prints for files and arguments it refuses, opening no window"

# Bitmaps whose headers promise pixels the file does not hold: the system's loader would read
# past the file's end and end the host. Each is refused before the system sees it, as a file
# it cannot show, and the host goes on.
python3 - "$WORK" <<'EOF'
import struct, sys
def write(name, width, height, bits, pixels, offset=None, table=0):
    at = 14 + 40 + 4 * table
    off = at if offset is None else offset
    header = struct.pack("<2sIHHI", b"BM", at + pixels, 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, 0, 2835, 2835, 0, 0)
    open(sys.argv[1] + "/" + name, "wb").write(header + info + b"\xff" * (4 * table) + b"\x80" * pixels)
write("wide.bmp", 1000, 1000, 24, 100)
write("mono.bmp", 20000, 20000, 1, 64, table=2)
write("far.bmp", 4, 4, 24, 48, offset=0x7FFFFFFF)
write("farther.bmp", 4, 4, 24, 48, offset=0xFFFFFFF0)
write("small.bmp", 4, 4, 24, 48)
EOF
rows <<'EOF'
(kel_splash "wide.bmp" 1)|Kelmar error:  cannot initialize window.
(kel_splash "mono.bmp" 1)|Kelmar error:  cannot initialize window.
(kel_splash "far.bmp" 1)|Kelmar error:  cannot initialize window.
(kel_splash "farther.bmp" 1)|Kelmar error:  cannot initialize window.
(kel_splash "aux" 1)|Kelmar error:  cannot initialize window.
(kel_splash "small.bmp" 1)|
(acadhost-windows)||0
EOF
same 0 "$status" "the host ended well after the malformed bitmaps"
same "" "$err" "no self-check tripped"

finish
