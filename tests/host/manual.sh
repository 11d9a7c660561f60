# The reference manual cannot drift: it has a section for every function of the module's
# table and none more, each lists the messages its function prints, and every example
# prints what the manual says it prints. The examples run in a folder that is drive M: and
# the current directory, holding the files they use; dialog examples are answered with real
# key presses.
source "$(dirname "$0")/lib.sh"
kelmar_display
manual=$TESTS_DIR/../docs/functions.md
examples=$TESTS_DIR/manual/examples.py

lisp '(foreach n (kel_help) (princ n) (princ "\n"))'
tail -n +4 <<<"$out" | grep '^kel_' >"$WORK/table"
python3 "$examples" names "$manual" | sort >"$WORK/sections"
python3 "$examples" index "$manual" >"$WORK/index"
same "" "$(diff <(sort "$WORK/table") "$WORK/sections")" "the manual has a section for every function of the table, and none more"
same "" "$(diff "$WORK/table" "$WORK/index")" "its index lists them in table order"
same "" "$(grep -o 'kel_[a-z0-9]*' "$manual" | sort -u | comm -23 - <(sort "$WORK/table"))" "it names no function the table lacks"

# Each entry lists exactly the messages the bad-input matrix sees its function print.
KELMAR_MATRIX_TRANSCRIPT="$WORK/matrix.out" bash "$TESTS_DIR/host/matrix.sh" >"$WORK/matrix.log" 2>&1
[ -s "$WORK/matrix.out" ]; ok "the bad-input matrix ran"
[ -s "$WORK/matrix.out" ] || tail -n 20 "$WORK/matrix.log" >&2
python3 "$TESTS_DIR/matrix/matrix.py" messages "$WORK/matrix.out" >"$WORK/seen"
python3 "$examples" messages "$manual" "$WORK/seen" >"$WORK/messages"
checked=$?
summary=$(tail -n 1 "$WORK/messages")
[ "$checked" = 0 ]; ok "every entry's messages are the ones bad input makes it print: $summary"
grep '^FAIL' "$WORK/messages" | head -n 60 >&2

# The files the examples use.
m=$WORK/m
mkdir -p "$m/old" "$m/drawings"
printf 'first line\r\nsecond line\r\n' >"$m/notes.txt"
printf 'a' >"$m/old/a.txt"
printf 'bb' >"$m/old/b.txt"
printf '[Paths]\r\nwork=c:\\work\r\n[Colours]\r\nbackground=black\r\n' >"$m/settings.ini"
python3 -c 'import struct, sys; body = bytes([40, 90, 200]) * 64 * 48
sys.stdout.buffer.write(struct.pack("<2sIHHIIiiHHIIiiII", b"BM", 54 + len(body), 0, 0, 54, 40, 64, 48, 1, 24, 0,
                                    len(body), 2835, 2835, 0, 0) + body)' >"$m/logo.bmp"
python3 "$TESTS_DIR/drawings/generate.py" "$WORK/gen"
cp "$WORK/gen/preview/r2013-png.dwg" "$m/drawings/circle.dwg"
cp "$WORK/gen/versions/AC1004.dwg" "$m/drawings/old.dwg"
touch -d '2026-12-01 10:00' "$m"/old/* "$m"/notes.txt
prepare='(kel_drive "m") (kel_chdir "m:/")'
in_prefix wineserver -w
rm -f "$WINEPREFIX/dosdevices/m:"
ln -s "$m" "$WINEPREFIX/dosdevices/m:"
kelmar_at_exit 'kelmar_unmap "$WORK"; in_prefix wine reg delete "HKCU\\Software\\Kelmar\\manual" /f >/dev/null 2>&1'

# Together, in one host.
{ echo "$prepare"; python3 "$examples" script "$manual"; } >"$WORK/together.lsp"
(cd "$m" && "$TESTS_DIR/tools/host-run" "$WORK/together.out" "$TESTS_DIR/../scripts/lisp" --echo "$WORK/together.lsp")
transcripts=("$WORK/together.out")

# Each on its own.
while IFS=$'\t' read -r number code; do
    printf '%s\n(princ "\\n@@ %s\\n")\n%s\n' "$prepare" "$number" "$code" >"$WORK/alone-$number.lsp"
    (cd "$m" && "$TESTS_DIR/tools/host-run" "$WORK/alone-$number.out" "$TESTS_DIR/../scripts/lisp" --echo "$WORK/alone-$number.lsp")
    transcripts+=("$WORK/alone-$number.out")
done < <(python3 "$examples" alone "$manual")

# With a dialog, answered from the keyboard.
while IFS=$'\t' read -r number title keys code; do
    lisp_dialog "$prepare (princ \"\\n@@ $number\\n\") $code" "$title" --echo
    for k in $keys; do
        if [[ $k == :* ]]; then xdotool type --delay 40 -- "${k#:}"; else key "$k"; fi
        sleep 0.3
    done
    wintool gone "$title" 5000 || key Escape  # keys that did not close it: the check says so
    lisp_wait
    cp "$WORK/out" "$WORK/dialog-$number.out"
    transcripts+=("$WORK/dialog-$number.out")
done < <(python3 "$examples" dialogs "$manual")

in_prefix wineserver -w
python3 "$examples" check "$manual" "${transcripts[@]}" >"$WORK/report"
checked=$?
summary=$(tail -n 1 "$WORK/report")
[ "$checked" = 0 ]; ok "every example prints what the manual shows: $summary"
grep -A2 '^FAIL' "$WORK/report" | head -n 60 >&2

finish
