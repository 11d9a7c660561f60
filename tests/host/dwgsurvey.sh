# DWGSURVEY (examples/utilities/dwgsurvey.lsp) as a person uses it: Cancel in its progress
# window stops the survey of a large project at once, and the report and the settings say
# where it stopped. Its transcript on a small project is utility.dwgsurvey. The real
# drawings beside the checkout, when they are there, are surveyed too.
source "$(dirname "$0")/lib.sh"
survey=$(kelmar_winpath "$TESTS_DIR/../examples/utilities/dwgsurvey.lsp")
survey=${survey//\\/\\\\}

# 10,000 drawings in 50 folders: longer to survey than a person takes to press Cancel.
python3 - "$WORK/project" <<'EOF'
import os, sys
for folder in range(50):
    path = os.path.join(sys.argv[1], f"block{folder:03}")
    os.makedirs(path)
    for n in range(200):
        with open(os.path.join(path, f"sheet{n:03}.dwg"), "wb") as f:
            f.write(b"AC1015" + bytes(58))
EOF
lisp_start "(princ \"@1\n\") (load \"$survey\")"
reached 1
dialog "Drawing survey"
press IDCANCEL
lisp_wait
summary=$(grep '^DWGSURVEY: ' <<<"$out")
[[ $summary =~ ^DWGSURVEY:\ ([0-9]+)\ of\ 10000\ drawings,\ cancelled\;\ report\ in\ survey.txt:$ ]]
ok "Cancel stops the survey: $summary"
done=${BASH_REMATCH[1]:-10000}
[ "$done" -lt 10000 ]; ok "before its end"
same "Cancelled after $done of 10000 drawings" "$(grep '^Cancelled' "$WORK/survey.txt" | tr -d '\r')" \
    "the report says where it stopped"
same "$done" "$(tr -d '\r' <"$WORK/survey.txt" | grep -c '\.dwg  AutoCAD 2000$')" "the report lists the drawings read"
same "3" "$(grep -c '^\(Folder\|Pattern\|Report\)=' "$WORK/dwgsurvey.ini")" "the settings were kept with their defaults"
same "Drawings=$done Complete=0" "$(sed -n '/^\[Last\]/,$p' "$WORK/dwgsurvey.ini" | grep -v '^\[' | tr -d '\r' | tr '\n' ' ' | sed 's/ $//')" \
    "the settings remember the cancelled survey"
same "" "$err" "nothing on standard error"

# Real drawings of other projects, when they are beside the checkout: each gets a version.
samples=$TESTS_DIR/../../shared/samples/dwg
if [ -d "$samples" ]; then
    printf '[Survey]\r\nFolder=%s\r\n' "$(kelmar_winpath "$samples")" >"$WORK/dwgsurvey.ini"
    rm -f "$WORK/survey.txt"
    HOST_LIMIT=300 lisp "(load \"$survey\")"
    count=$(find "$samples" -iname '*.dwg' -type f | wc -l)
    [[ $out == *"DWGSURVEY: $count of $count drawings;"* ]]; ok "the $count real drawings are surveyed"
    ! tr -d '\r' <"$WORK/survey.txt" | grep -q '  Unreadable$'; ok "every real drawing is read"
else
    echo "skipped: no real drawings in $samples"
fi

finish
