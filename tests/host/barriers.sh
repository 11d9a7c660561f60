# Nothing the module throws reaches the host: a handler that throws gives nil (after the
# allocation message when memory ran out), a window or dialog whose code throws goes on as
# the system would, and the host runs the next form. The probes live in the test build
# (kelmarprobe.arx) only.
source "$(dirname "$0")/lib.sh"

probe="$KELMAR_BIN/kelmarprobe.arx"
nil=$'\n=> nil'
oom="Kelmar error:  out of memory$nil"
long='(kel_makepath "C" "\\a long folder name\\below" "file" "txt")'
made='=> "C:\\a long folder name\\below\\file.txt"'

# form | what it prints
rows=(
    '(kel__throw)|=> nil'
    '(kel__throw "error")|=> nil'
    "(kel__throw \"memory\")|$oom"
    '(kel_version)|=> "5.1.1"'
    '(kel__throwinwindow)|=> ("after" -1)'
    '(kel__failnew 1)|=> 1'
    "$long|$oom"
    "$long|$made"
    '(kel__failnew 2)|=> 2'
    "$long|$oom"
    '(kel__failnew 3)|=> 3'
    "$long|$made"
    '(kel_version)|=> "5.1.1"'
)

forms=""
for row in "${rows[@]}"; do forms+="${row%%|*}"$'\n'; done
lisp "$forms" --echo --arx "$probe"
same 0 "$status" "exit status"
same "" "$err" "no self-check of the host trips"

# The transcript after the banner, row by row.
mapfile -t lines < <(tail -n +4 <<<"$out")
at=0
for row in "${rows[@]}"; do
    expected=${row#*|}
    mapfile -t want <<<"$expected"
    got=$(printf '%s\n' "${lines[@]:at:${#want[@]}}")
    same "$expected" "${got%$'\n'}" "row ${row%%|*}"
    at=$((at + ${#want[@]}))
done
same "$at" "${#lines[@]}" "nothing printed beyond the rows"

# The module as shipped carries none of the probes.
! grep -q "kel__" "$KELMAR_BIN/kelmar2k.arx"; ok "kelmar2k.arx holds no probe"
grep -q "kel__throw" "$probe"; ok "the test build holds its probes"

finish
