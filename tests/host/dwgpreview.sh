# kel_dwgpreview: the drawings of a folder listed as the file system gives them, the
# selected one's preview drawn by the host and compared pixel by pixel with the picture
# decoded independently, the keyboard, OK and Cancel, and resizing. The drawings are the
# generator's; host.samples does the same with real ones.
source "$(dirname "$0")/lib.sh"
kelmar_display
cd "$WORK" || exit 1
art=$ARTIFACTS
mkdir -p "$art"
py=/usr/bin/python3  # Debian's interpreter, which has python3-pil
python3 "$TESTS_DIR/drawings/generate.py" gen
manifest=gen/preview/manifest.txt

# grab ID NAME: control ID of $dlg as it is on the screen, kept as test-artifacts/NAME.png.
grab() {
    local x y w h
    IFS=, read -r x y w h <<<"$(rect_of "$1")"
    screenshot "${w}x${h}+${x}+${y}" "$art/$2.png"
}
# grid FILE: a generated drawing's picture cells as COLUMNSxROWS, from the manifest.
grid() {
    awk -v f="$(basename "$1")" '$1 == f { print $7 "x" $8 }' "$manifest"
}
# looks NAME DRAWING black|white [GRID]: the shot NAME shows the drawing's picture.
looks() {
    local report
    report=$($py "$TESTS_DIR/drawings/compare.py" "$art/$1.png" "$2" "$3" ${4:-})
    ok "the preview shows $2 on $3: $report"
}
# items: the list's entries as "INDEX "NAME" [selected]".
items() {
    wintool items "$title" "$(control_id IDC_LIST)" | sed 's/ at [0-9,]* left [0-9]*$//'
}
# expected DIR: the drawings the dialog should list, in the order the system's own search
# gives them (cmd's dir /b /a lists every entry that way), as items prints them with the
# first selected; the directory, the hidden and the system drawing left out by name.
expected() {
    in_prefix wine cmd /c dir /b /a "$(kelmar_winpath "$1")\\*.DWG" | tr -d '\r' |
        grep -v -x -e X.DWG -e .hidden.dwg -e sys.dwg | awk '{ printf "%d \"%s\"%s\n", NR - 1, $0, NR == 1 ? " selected" : "" }'
}

# A folder of three drawings of three kinds, a directory named like one, a hidden and a
# system drawing, and a text file.
mkdir -p d/X.DWG
cp gen/preview/r13-8bit.dwg d/plan.dwg
cp gen/preview/r2000-24bit.dwg d/site.dwg
cp gen/preview/r2013-png.dwg d/roof.dwg
cp gen/preview/r14-8bit.dwg d/.hidden.dwg
cp gen/preview/r2004-8bit.dwg d/sys.dwg
echo text >d/notes.txt
lisp '(kel_attrib "d/sys.dwg" 4)' --echo
same '=> (("sys.dwg" . 4))' "$(tail -n 1 <<<"$out")" "sys.dwg is a system file"
dwin=$(kelmar_winpath "$WORK/d")
# The generated file each listed name holds.
source_of() {
    case $1 in plan.dwg) echo gen/preview/r13-8bit.dwg ;; site.dwg) echo gen/preview/r2000-24bit.dwg ;;
        roof.dwg) echo gen/preview/r2013-png.dwg ;; esac
}
want=$(expected d)
all=$(in_prefix wine cmd /c dir /b /a "$dwin\\*.DWG" | tr -d '\r' | sort | tr '\n' ' ')
same ".hidden.dwg X.DWG plan.dwg roof.dwg site.dwg sys.dwg " "$all" "the system's search finds the directory, the hidden and the system drawing too"
mapfile -t order < <(sed 's/^[0-9]* "\(.*\)".*/\1/' <<<"$want")
same 3 "${#order[@]}" "three drawings to list: ${order[*]}"

# three_previews black|white: each of the three drawings selected in turn, from the first
# down, and its preview compared with its picture.
three_previews() {
    local i
    for i in 0 1 2; do
        [ "$i" = 0 ] || { key Down; sleep 0.5; }
        grab IDC_PREVIEW "dwgpreview-$1-$i"
        looks "dwgpreview-$1-$i" "$(source_of "${order[$i]}")" "$1" "$(grid "$(source_of "${order[$i]}")")"
    done
}

# Opened on the folder: exactly the visible drawings, the first selected and previewed on
# black; Down moves the selection and the preview follows, for each of the three; OK
# returns the folder, one backslash and the name.
title="Drawings"
browse_black() {
    shot dwgpreview-black
    same "$want" "$(items)" "the visible drawings in file-system order, the first selected"
    same "\"$title\"" "$(head -1 <<<"$dlg" | sed 's/^\("[^"]*"\).*/\1/')" "the title argument is the caption"
    same "Static \"$dwin\"" "$(grep "^  $(control_id IDC_PROMPT) " <<<"$dlg" | sed 's/^  [0-9]* //; s/ [0-9,-]*$//')" "the path label shows the folder"
    same 0 $(($(wintool style "$title" "$(control_id IDC_BROWSE)") & 0x10000000)) "the Browse button is hidden"
    three_previews black
    same "2 \"${order[2]}\" selected" "$(items | grep selected)" "Down twice selects the third"
    key Return
}
answer "(kel_dwgpreview \"$title\" \"d\")" "$title" browse_black
same "=> \"${dwin//\\/\\\\}\\\\${order[2]}\"" "$got" "OK gives the folder, one backslash and the name"

# With a trailing backslash and T: the same list, the pictures on white; Cancel gives nil
# after a selection.
title="On white"
browse_white() {
    same "$want" "$(items)" "a trailing backslash lists the same drawings"
    same "Static \"$dwin\"" "$(grep "^  $(control_id IDC_PROMPT) " <<<"$dlg" | sed 's/^  [0-9]* //; s/ [0-9,-]*$//')" "the label shows the folder without its backslash"
    three_previews white
    key Escape
}
answer "(kel_dwgpreview \"$title\" \"d/\" T)" "$title" browse_white
same "=> nil" "$got" "Cancel after a selection gives nil"
title="Trailing"
answer "(kel_dwgpreview \"$title\" \"d\\\\\\\\\")" "$title" key Return
same "=> \"${dwin//\\/\\\\}\\\\${order[0]}\"" "$got" "a folder with a trailing backslash gives exactly one backslash before the name"

# nil: the current directory, shown by the label.
title="Here"
here() {
    same "Static \"$dwin\"" "$(grep "^  $(control_id IDC_PROMPT) " <<<"$dlg" | sed 's/^  [0-9]* //; s/ [0-9,-]*$//')" "nil lists the current directory, and the label shows it"
    same "$want" "$(items)" "the current directory's drawings"
    key Down
    key Return
}
answer "(kel_chdir \"d\") (kel_dwgpreview \"$title\" nil)" "$title" here
same "=> \"${dwin//\\/\\\\}\\\\${order[1]}\"" "$got" "the drawing picked in the current directory"

# Resizing by the grip: the preview grows both ways, the list in height, and the list and
# the buttons follow the right edge; the picture is drawn again at the new size.
title="Sizing"
resize() {
    local before=$dlg x y w h
    grab 1 dwgpreview-ok-before
    grab 2 dwgpreview-cancel-before
    IFS=, read -r x y w h <<<"$(rect_of window)"
    drag $((x + w - 5)) $((y + h - 5)) 120 80
    dialog "$title"
    grab 1 dwgpreview-ok-after
    grab 2 dwgpreview-cancel-after
    local b
    for b in ok cancel; do
        same 0 "$(compare -metric AE "$art/dwgpreview-$b-before.png" "$art/dwgpreview-$b-after.png" null: 2>&1)" \
            "the $b button is drawn whole where it moved to"
    done
    shot dwgpreview-resized
    grab IDC_PREVIEW dwgpreview-resized-preview
    looks dwgpreview-resized-preview "$(source_of "${order[0]}")" black "$(grid "$(source_of "${order[0]}")")"
    local id dx dy dw dh bx by bw bh ax ay aw ah
    IFS=, read -r bx by bw bh <<<"$(grep -E '^[^ ]' <<<"$before" | head -1 | sed 's/.* //')"
    IFS=, read -r ax ay aw ah <<<"$(rect_of window)"
    dw=$((aw - bw)) dh=$((ah - bh))
    [ "$dw" -gt 50 ] && [ "$dh" -gt 30 ]; ok "the dialog grew by $dw x $dh"
    # id: expected change of x, y, width, height as (dw, dh) multiples
    for row in "IDC_PROMPT 0 0 1 0" "IDC_PREVIEW 0 0 1 1" "IDC_LIST 1 0 0 1" "IDOK 1 0 0 0" "IDCANCEL 1 0 0 0"; do
        read -r id mx my mw mh <<<"$row"
        IFS=, read -r bx by bw bh <<<"$(grep -E "^  $(control_id "$id") " <<<"$before" | sed 's/.* //')"
        IFS=, read -r ax ay aw ah <<<"$(rect_of "$id")"
        same "$((mx * dw)) $((my * dh)) $((mw * dw)) $((mh * dh))" "$((ax - bx)) $((ay - by)) $((aw - bw)) $((ah - bh))" \
            "control $id moves and grows as anchored"
    done
    key Return
}
answer "(kel_dwgpreview \"$title\" \"d\")" "$title" resize
same "=> \"${dwin//\\/\\\\}\\\\${order[0]}\"" "$got" "OK after resizing"

# A drawing without a preview leaves the control plain button face inside its frame; one
# with only hidden and directory matches opens empty, and OK gives the folder.
mkdir -p e f/Y.DWG
cp gen/preview/bad-sentinel.dwg e/broken.dwg
cp gen/preview/r13-8bit.dwg f/.only.dwg
title="Plain"
plain() {
    grab IDC_PREVIEW dwgpreview-plain
    local x y w h
    IFS=, read -r x y w h <<<"$(rect_of IDC_PROMPT)"
    # The dialog's own face, beside the label, against the preview's inside.
    screenshot "4x4+$((x - 6))+$((y + 2))" "$art/dwgpreview-face.png"
    $py - "$art/dwgpreview-plain.png" "$art/dwgpreview-face.png" <<'PY'
import sys
from PIL import Image
shot = Image.open(sys.argv[1]).convert("RGB")
face = Image.open(sys.argv[2]).convert("RGB").getpixel((1, 1))
inside = {shot.getpixel((x, y)) for x in range(3, shot.width - 3) for y in range(3, shot.height - 3)}
edge = {shot.getpixel((0, y)) for y in range(shot.height)} | {shot.getpixel((x, 0)) for x in range(shot.width)}
print("face", face, "inside", sorted(inside)[:4], "edge", sorted(edge)[:4])
sys.exit(0 if inside == {face} and edge != {face} else 1)
PY
    ok "a drawing without a preview leaves the inside button face and the frame drawn"
    key Return
}
answer "(kel_dwgpreview \"$title\" \"e\")" "$title" plain
ewin=$(kelmar_winpath "$WORK/e")
same "=> \"${ewin//\\/\\\\}\\\\broken.dwg\"" "$got" "OK on the drawing without a preview"
title="Empty"
empty() {
    same "" "$(items)" "only hidden and directory matches: an empty list"
    shot dwgpreview-empty
    key Return
}
answer "(kel_dwgpreview \"$title\" \"f\")" "$title" empty
fwin=$(kelmar_winpath "$WORK/f")
same "=> \"${fwin//\\/\\\\}\\\\\"" "$got" "OK on the empty list gives the folder with its backslash"

# A drawing named as a device (a Unix folder allows one) is listed, and its preview is never
# read: a read of the device could wait for ever.
mkdir -p g && echo x >g/con.dwg
title="Device"
device() {
    same '0 "con.dwg" selected' "$(items)" "the device's name is listed"
    key Return
}
answer "(kel_dwgpreview \"$title\" \"g\")" "$title" device
gwin=$(kelmar_winpath "$WORK/g")
same "=> \"${gwin//\\/\\\\}\\\\con.dwg\"" "$got" "OK gives the device's name"

finish
