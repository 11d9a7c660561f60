# The bad-input matrix: every function of the module's table called with no argument, with
# one argument of each kind, with one too many, with long strings in every string place and
# malformed lists in every list place (tests/matrix/functions.txt says which calls would act
# and are left out). It runs in a scratch folder that is also drive M: and the current
# directory, in a network namespace of its own, so that nothing can leave the machine.
source "$(dirname "$0")/lib.sh"
kelmar_display
matrix=$TESTS_DIR/matrix
scratch=$WORK/scratch
mkdir -p "$scratch"

lisp '(foreach n (kel_help) (princ n) (princ "\n"))'
tail -n +4 <<<"$out" | grep '^kel_' >"$WORK/names"
same 109 "$(wc -l <"$WORK/names")" "the module names its functions"
python3 "$matrix/matrix.py" calls "$matrix/functions.txt" "$WORK/names" >"$WORK/matrix.lsp"

# The registry branch the calls may write to is put back afterwards.
for hive in HKCU HKLM; do
    in_prefix wine reg export "$hive\\Software\\Kelmar" "$(kelmar_winpath "$WORK/$hive.reg")" /y >/dev/null 2>&1
done
in_prefix wineserver -w
rm -f "$WINEPREFIX/dosdevices/m:"
ln -s "$scratch" "$WINEPREFIX/dosdevices/m:"
restore() {
    kelmar_unmap "$WORK"
    for hive in HKCU HKLM; do
        in_prefix wine reg delete "$hive\\Software\\Kelmar" /f >/dev/null 2>&1
        [ -f "$WORK/$hive.reg" ] && in_prefix wine reg import "$(kelmar_winpath "$WORK/$hive.reg")" >/dev/null 2>&1
    done
    # Lock keys the calls switched off stay off; none was switched on.
    rm -rf "$WORK"
}
kelmar_at_exit restore

printf '(kel_drive "m") (kel_chdir "m:/")\n' | cat - "$WORK/matrix.lsp" >"$WORK/run.lsp"
start=$(date +%s)
(cd "$scratch" && unshare -rn "$TESTS_DIR/tools/host-run" "$WORK/transcript" "$TESTS_DIR/../scripts/lisp" --echo "$WORK/run.lsp")
same 0 "$?" "the host ends normally"
echo "the matrix ran in $(($(date +%s) - start)) s"
in_prefix wineserver -w

python3 "$matrix/matrix.py" check "$matrix/functions.txt" "$WORK/names" "$WORK/transcript" >"$WORK/report"
ok "every call behaves"
echo "$(tail -n 1 "$WORK/report")"
grep "^FAIL" "$WORK/report" | head -n 60 >&2
grep "^slow" "$WORK/report"
# The manual's test compares each entry's messages with what the calls printed here.
if [ -n "${KELMAR_MATRIX_TRANSCRIPT:-}" ]; then cp "$WORK/transcript" "$KELMAR_MATRIX_TRANSCRIPT"; fi

finish
