# kel_dwgver as a program sees it: drawing files whose first bytes are a version code, made
# here, and the release name the call gives for each; codes it does not know, and files too
# short to hold a code, as a table. (host.filedata reads a file of every code the lookup
# knows; this table is the lookup's edges.)
source "$(dirname "$0")/lib.sh"
cd "$WORK" || exit 1

# the file's first bytes (printf) | what (kel_dwgver FILE) prints
rows=(
    'AC1015|=> "AutoCAD 2000"'
    'AC1014|=> "AutoCAD Release 14"'
    'AC1012|=> "AutoCAD Release 13"'
    'AC1009|=> "AutoCAD Release 11/12"'
    'AC1500|=> "AutoCAD Release T"'
    'AC2.22|=> "AutoCAD Version 2.22 (MS-DOS)"'
    'AC1001|=> "AutoCAD Version 2.22 (Unix)"'
    'AC1.2\0|=> "AutoCAD Version 1.2"'
    'MC0.0\0|=> "AutoCAD Version 1.0"'
    'AC1016|=> "Unknown"'
    'AC1032|=> "Unknown"'
    'ac1015|=> "Unknown"'
    'AC1.2X|=> "Unknown"'
    'MC0.0 |=> "Unknown"'
    '\0AC1015|=> "Unknown"'
    'hello, world|=> "Unknown"'
    $'AC101|Kelmar error: could not read drawing file.\n=> nil'
    $'|Kelmar error: could not read drawing file.\n=> nil'
)

forms=""
n=0
for row in "${rows[@]}"; do
    n=$((n + 1))
    bytes=${row%%|*}
    # The bytes, then what a drawing holds after its code; a file too short for a code holds
    # them alone.
    if [[ $row == *"could not read"* ]]; then
        printf "$bytes" >"v$n.dwg"
    else
        printf "$bytes"'\0\0\0\0\1\2\3 drawing' >"v$n.dwg"
    fi
    forms+="(kel_dwgver \"v$n.dwg\")"$'\n'
done
lisp "$forms" --echo
same 0 "$status" "exit status"
same "" "$err" "no self-check of the host trips"

mapfile -t lines < <(tail -n +4 <<<"$out")
at=0
for row in "${rows[@]}"; do
    expected=${row#*|}
    mapfile -t want <<<"$expected"
    got=$(printf '%s\n' "${lines[@]:at:${#want[@]}}")
    same "$expected" "${got%$'\n'}" "a file beginning ${row%%|*}"
    at=$((at + ${#want[@]}))
done
same "$at" "${#lines[@]}" "nothing printed beyond the rows"

finish
