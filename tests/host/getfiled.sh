# getfiled: the system's file dialogs, opened by LISP and answered with the keyboard: a name
# typed and Enter gives its full path, Escape gives nil; flag 1 asks for a name to save
# under, with the extension added.
source "$(dirname "$0")/lib.sh"
kelmar_display
host="acadhost - [Drawing1.dwg]"

# The folder chosen from, given to getfiled as its default folder (flag 16).
mkdir -p "$WORK/plans"
touch "$WORK/plans/plan.dwg" "$WORK/plans/other.dwg" "$WORK/plans/notes.txt"
folder=$(kelmar_winpath "$WORK/plans")
lisp_folder=${folder//\\/\\\\}        # as written in a LISP string
printed=${folder//\\/\\\\}            # as prin1 shows it
title="Kelmar pick a plan"

type_name() {
    shot "$1"
    same "$host" "$(wintool owner "$title")" "the dialog is owned by the host's main window"
    xdotool type --delay 40 -- "$2"
    sleep 0.3
    key Return
}

# An existing file, typed, in the open dialog
answer "(getfiled \"$title\" \"$lisp_folder\" \"dwg\" 16)" "$title" type_name getfiled-open plan.dwg
same "=> \"$printed\\\\plan.dwg\"" "$got" "a name typed and Enter give the file's full path"

# Escape
answer "(getfiled \"$title\" \"$lisp_folder\" \"dwg\" 16)" "$title" key Escape
same "=> nil" "$got" "Escape gives nil"

# The save dialog: a new name gets the extension
answer "(getfiled \"$title\" \"$lisp_folder\" \"dwg\" 17)" "$title" type_name getfiled-save newplan
same "=> \"$printed\\\\newplan.dwg\"" "$got" "a new name typed in the save dialog gets the extension"

# Arguments are checked before any dialog opens
lisp '(getfiled "t" "" "dwg") (getfiled 1 "" "dwg" 0) (getfiled "t" "" "dwg" "0")' --echo
same $'; error: too few arguments\n; error: bad argument type: stringp 1\n; error: bad argument type: fixnump: "0"' \
    "$(grep '^; error' <<<"$out")" "wrong arguments are refused with the host's messages"

finish
