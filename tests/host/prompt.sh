# Without a script the host reads forms from standard input, one prompt per form read; a
# form may span lines, and a line may hold more than one.
source "$(dirname "$0")/lib.sh"

status=0
out=$(printf '(kel_version)\n(+ 1\n 2) (strcat "a"\n "b")\n(kel_help 1)\n' |
    "$TESTS_DIR/../scripts/lisp" --echo 2>"$WORK/err") || status=$?
same 0 "$status" "exit status at the end of input"
same "" "$(cat "$WORK/err")" "nothing on standard error"
expected='
Kelmar Version 5.1.1 (Jul 24 2000)
Copyright (C) 1998-2000 Kelmar Software
Command: => "5.1.1"
Command: => 3
=> "ab"
Command: Kelmar error: too many arguments.
=> nil
Command: '
same "$expected" "$out" "the session"

out=$(printf '(princ "x")' | "$TESTS_DIR/../scripts/lisp" 2>&1)
same $'\nKelmar Version 5.1.1 (Jul 24 2000)\nCopyright (C) 1998-2000 Kelmar Software\nCommand: xCommand: ' "$out" \
    "a last form without a newline runs; without --echo no value is shown"

finish
