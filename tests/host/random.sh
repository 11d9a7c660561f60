# kel_random continues one sequence of the runtime's generator, seeded once per load: three
# values in a row are consecutive outputs of state x 214013 + 2531011.
source "$(dirname "$0")/lib.sh"
lisp '(princ (strcat (itoa (kel_random)) " " (itoa (kel_random)) " " (itoa (kel_random)) " " (itoa (kel_random))))'
values=$(tail -n 1 <<<"$out")
python3 - "$values" <<'PY'
import sys
v = [int(x) for x in sys.argv[1].split()]
# Every state whose output is the first value; one of them must give the other three.
for low in range(1 << 16):
    for high in range(2):
        s = (high << 31) | (v[0] << 16) | low
        got, t = [], s
        for _ in range(3):
            t = (t * 214013 + 2531011) & 0xFFFFFFFF
            got.append((t >> 16) & 0x7FFF)
        if got == v[1:]:
            sys.exit(0)
sys.exit(1)
PY
ok "kel_random's values follow one sequence: $values"
finish
