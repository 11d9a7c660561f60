# kel_dwgver as a program sees it: drawing files whose first bytes are a version code, made
# here, and the release name the call gives for each; codes it does not know, and files too
# short to hold a code, as a table. (host.filedata reads a file of every code the lookup
# knows; this table is the lookup's edges.)
source "$(dirname "$0")/lib.sh"
cd "$WORK" || exit 1

# file | its first bytes (printf) | what kel_dwgver prints | what it gives
files=(
    'r2000.dwg|AC1015||"AutoCAD 2000"'
    'r14.dwg|AC1014||"AutoCAD Release 14"'
    'r13.dwg|AC1012||"AutoCAD Release 13"'
    'r12.dwg|AC1009||"AutoCAD Release 11/12"'
    'rt.dwg|AC1500||"AutoCAD Release T"'
    'v222dos.dwg|AC2.22||"AutoCAD Version 2.22 (MS-DOS)"'
    'v222unix.dwg|AC1001||"AutoCAD Version 2.22 (Unix)"'
    'v12.dwg|AC1.2\0||"AutoCAD Version 1.2"'
    'v10.dwg|MC0.0\0||"AutoCAD Version 1.0"'
    'next.dwg|AC1016||"Unknown"'
    'r2018.dwg|AC1032||"Unknown"'
    'lower.dwg|ac1015||"Unknown"'
    'fivex.dwg|AC1.2X||"Unknown"'
    'fiveblank.dwg|MC0.0 ||"Unknown"'
    'shifted.dwg|\0AC1015||"Unknown"'
    'text.dwg|hello, world||"Unknown"'
    'short.dwg|AC101|Kelmar error: could not read drawing file.|nil'
    'empty.dwg||Kelmar error: could not read drawing file.|nil'
)

table=""
for entry in "${files[@]}"; do
    IFS='|' read -r name bytes rest <<<"$entry"
    # The bytes, then what a drawing holds after its code; a file too short for a code holds
    # them alone.
    if [[ $rest == *"could not read"* ]]; then
        printf "$bytes" >"$name"
    else
        printf "$bytes"'\0\0\0\0\1\2\3 drawing' >"$name"
    fi
    table+="(kel_dwgver \"$name\")|$rest"$'\n'
done
rows <<<"$table"
same 0 "$status" "exit status"
same "" "$err" "no self-check of the host trips"

finish
