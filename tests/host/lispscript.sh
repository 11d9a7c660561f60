# What scripts/lisp itself does around the host. The Wine prefix is one run's at a time: a
# second run says at once that it waits and which process holds the prefix, and a run killed
# before its exit trap (a time-out, Ctrl-C) leaves nothing holding the lock, not even its
# private X server. At a terminal, the terminal edits the lines, Ctrl-D ends the input and
# the host is told to prompt for continued lines. Wine itself is not needed: a stand-in
# `wine` on PATH plays the host, so that the test is of the script alone.
source "$(dirname "$0")/lib.sh"

fake=$WORK/bin
mkdir -p "$fake" "$WORK/prefix/drive_c/windows/Fonts" "$WORK/exe"
touch "$WORK/prefix/system.reg" "$WORK/prefix/.kelmar-desktop" "$WORK/prefix/drive_c/windows/Fonts/marlett.ttf" "$WORK/exe/acad.exe"
echo "" >"$WORK/prefix/.kelmar-winver"
# wine acad.exe ARGS: says it started, then runs for as long as $WORK/hold exists; without
# a script, echoes the lines it reads until the end of input or (quit).
cat >"$fake/wine" <<'FAKE'
#!/usr/bin/env bash
case "$1" in
*acad.exe)
    shift
    echo "acad started: DISPLAY=${DISPLAY:+set} args: $*"
    echo $$ >"$HOLD.pid"
    if [[ "$*" != *.lsp ]]; then
        printf 'Command: '
        while IFS= read -r line; do
            echo "read [$line]"
            [ "$line" = "(quit)" ] && exit 0
            printf 'Command: '
        done
        echo "end of input"
        exit 0
    fi
    while [ -e "$HOLD" ]; do sleep 0.1; done
    echo "acad done" ;;
esac
exit 0
FAKE
printf '#!/bin/sh\nexit 0\n' >"$fake/wineserver"
chmod +x "$fake/wine" "$fake/wineserver"
run_env=(env -u DISPLAY PATH="$fake:$PATH" WINEPREFIX="$WORK/prefix" KELMAR_BIN="$WORK/exe" HOLD="$WORK/hold")
lisp_cmd="$TESTS_DIR/../scripts/lisp"
echo '(princ)' >"$WORK/forms.lsp"

# wait_for FILE TEXT: up to 10 s for the text to show in the file.
wait_for() {
    for _ in $(seq 1 100); do grep -q "$2" "$1" 2>/dev/null && return 0; sleep 0.1; done
    return 1
}

# A first run holds the prefix; a second one says whom it waits for, then proceeds.
touch "$WORK/hold"
("${run_env[@]}" "$lisp_cmd" "$WORK/forms.lsp" >"$WORK/a.out" 2>&1) &
first=$!
wait_for "$WORK/a.out" "acad started"; ok "the first run starts"
grep -q "DISPLAY=set" "$WORK/a.out"; ok "the first run has a private display"
holder=$(cut -d' ' -f1 "$WORK/prefix.lock")
("${run_env[@]}" "$lisp_cmd" "$WORK/forms.lsp" >"$WORK/b.out" 2>"$WORK/b.err") &
second=$!
wait_for "$WORK/b.err" "waiting"; ok "the second run says at once that it waits"
same "scripts/lisp: waiting for the Wine prefix $WORK/prefix, held by process $holder (bash $lisp_cmd $WORK/forms.lsp)" \
    "$(cat "$WORK/b.err")" "it names the process that holds the prefix"
kill -0 "$holder" 2>/dev/null; ok "the holder named is alive"
! grep -q "acad started" "$WORK/b.out"; ok "the second run waits"
rm -f "$WORK/hold"
wait "$first"
wait "$second"
same 0 $? "the second run ends well once the first is done"
grep -q "acad done" "$WORK/b.out"; ok "the second run ran"

# A run killed before its exit trap: its X server lives on, but the next run proceeds.
touch "$WORK/hold"
setsid "${run_env[@]}" "$lisp_cmd" "$WORK/forms.lsp" >"$WORK/c.out" 2>&1 &
killed=$!
wait_for "$WORK/c.out" "acad started"; ok "the run to kill starts"
kill -9 "$killed"
wait "$killed" 2>/dev/null
rm -f "$WORK/hold"
sleep 0.5
xvfb=$(ps -o pid= -o comm= -g "$killed" | awk '$2 == "Xvfb" {print $1}')
[ -n "$xvfb" ]; ok "the killed run's X server lives on"
status=0
timeout 20 "${run_env[@]}" "$lisp_cmd" "$WORK/forms.lsp" >"$WORK/d.out" 2>"$WORK/d.err" || status=$?
same 0 "$status" "the next run proceeds"
same "" "$(cat "$WORK/d.err")" "without waiting"
grep -q "acad done" "$WORK/d.out"; ok "the next run ran"
kill -- -"$killed" 2>/dev/null

# A run that times out ends its host, and the next run proceeds.
touch "$WORK/hold"
status=0
timeout 3 "${run_env[@]}" "$lisp_cmd" "$WORK/forms.lsp" >"$WORK/e.out" 2>&1 || status=$?
same 124 "$status" "the run times out"
sleep 0.5
! kill -0 "$(cat "$WORK/hold.pid")" 2>/dev/null; ok "its host ended with it"
rm -f "$WORK/hold"
status=0
timeout 20 "${run_env[@]}" "$lisp_cmd" "$WORK/forms.lsp" >"$WORK/f.out" 2>"$WORK/f.err" || status=$?
same 0 "$status" "the next run proceeds"
same "" "$(cat "$WORK/f.err")" "without waiting"

# Forms piped in reach the host.
out=$(printf '(+ 1 2)\n' | "${run_env[@]}" "$lisp_cmd" --echo 2>&1)
grep -q "read \[(+ 1 2)\]" <<<"$out"; ok "piped forms reach the host"
grep -q "end of input" <<<"$out"; ok "and their end"

# At a terminal: the lines as the terminal edits them, Ctrl-D, and (quit) ending at once.
"${run_env[@]}" python3 - "$lisp_cmd" <<'PY'
import sys, pexpect
for ending in ("eof", "quit"):
    child = pexpect.spawn(sys.argv[1], ["--echo"], encoding="utf-8", timeout=20)
    child.expect_exact("args: --terminal --echo")
    child.expect_exact("Command: ")
    child.send("(+ 1 2x\x7f)\r")  # a typing slip mended with backspace
    child.expect_exact("read [(+ 1 2)]")
    if ending == "eof":
        child.waitnoecho(timeout=20)  # Ctrl-D once bash's reader waits for a line
        child.sendeof()
        child.expect_exact("end of input")
    else:
        child.sendline("(quit)")
    child.expect(pexpect.EOF)
    child.close()
    if child.exitstatus != 0:
        sys.exit(f"{ending}: exit status {child.exitstatus}")
    print(f"ok {ending}")
PY
same 0 $? "a terminal session ends with Ctrl-D or (quit), status 0"
finish
