# Every barrier that stops an exception leaves a trace: one line written with
# OutputDebugStringA, naming the function, or the window (its class, or a dialog's caption)
# and the message. The stand-in host keeps what the process writes so (acadhost-traces
# gives it and forgets it), so each row is a form, what it prints, and the traces it left.
# The throwing probes live in the test build (kelmarprobe.arx) only.
source "$(dirname "$0")/lib.sh"

probe="$KELMAR_BIN/kelmarprobe.arx"
nil=$'\n=> nil'
oom="Kelmar error:  out of memory$nil"
in='kelmar: exception in'
colour="(\"$in dialog \\\"Color\\\", message 0x0110\\n\" \"$in kel__throwincolor\\n\")"

# form | what it prints | the traces it leaves
rows=(
    '(kel_version)|=> "5.1.1"|nil'
    "(kel__throw)|=> nil|(\"$in kel__throw\\n\")"
    "(kel__throw \"error\")|=> nil|(\"$in kel__throw\\n\")"
    "(kel__throw \"memory\")|$oom|(\"$in kel__throw\\n\")"
    "(kel__throwinwindow)|=> (\"after\" -1)|(\"$in window Static, message 0x000C\\n\" \"$in dialog \\\"KEL_GETSTRING\\\", message 0x0110\\n\")"
    "(kel__throwincolor)|=> nil|$colour"
    "(kel__throwincolor \"memory\")|$oom|$colour"
    '(kel__failnew 1)|=> 1|nil'
    "(kel_dos2unix \"dos.txt\" \"unix.txt\")|Kelmar error: cannot read DOS source file.$nil|(\"$in kel_dos2unix\\n\")"
    '(vl-filename-base (kel_dos2unix "dos.txt" "unix.txt"))|=> "unix"|nil'
    '(kel_version)|=> "5.1.1"|nil'
)

printf 'one\r\ntwo\r\n' >"$WORK/dos.txt"
forms=""
for row in "${rows[@]}"; do forms+="${row%%|*}"$'\n(acadhost-traces)\n'; done
lisp "$forms" --echo --arx "$probe"
same 0 "$status" "exit status"
same "" "$err" "no self-check of the host trips"

# The transcript after the banner, row by row: what the form prints, then its traces.
mapfile -t lines < <(tail -n +4 <<<"$out")
at=0
for row in "${rows[@]}"; do
    rest=${row#*|}
    expected="${rest%|*}"$'\n'"=> ${rest##*|}"
    mapfile -t want <<<"$expected"
    got=$(printf '%s\n' "${lines[@]:at:${#want[@]}}")
    same "$expected" "${got%$'\n'}" "row ${row%%|*}"
    at=$((at + ${#want[@]}))
done
same "$at" "${#lines[@]}" "nothing printed beyond the rows"

finish
