# scripts/lisp --winver: the Windows version Wine reports to the host, and so to modules.
source "$(dirname "$0")/lib.sh"
cases=("win95|(1 4 0)" "win98|(1 4 10)" "winme|(1 4 90)" "nt40|(2 4 0)" "win2k|(2 5 0)" "winxp|(2 5 1)" "|(2 6 1)")
for c in "${cases[@]}"; do
    v=${c%%|*} want=${c#*|}
    lisp '(probe_platform)' --echo --arx "$KELMAR_BIN/probe.arx" ${v:+--winver "$v"}
    same "=> $want" "$(grep '^=>' <<<"$out")" "platform id and version for ${v:-the default}"
done
# A silent tone is waited for on the Windows 95/98 family, not on the NT family.
for c in "win98|T" "win2k|nil"; do
    v=${c%%|*} want=${c#*|}
    lisp '(progn (setq t0 (acadhost-clock)) (kel_speaker 0 500) (> (- (acadhost-clock) t0) 490000))' --echo --winver "$v"
    same "=> $want" "$(tail -n 1 <<<"$out")" "a silent tone of 500 ms waits as $v: $want"
done
# A sounding tone lasts its length too (75 ms at least) outside the NT family, whose Beep
# waits by itself: on Windows 95 and 98, and on a platform of neither family (Win32s).
timed='(defun lasts (f ms) (setq t0 (acadhost-clock)) (kel_speaker f ms) (- (acadhost-clock) t0))
(list (> (lasts 440 10) 70000) (> (lasts 880 300) 290000) (> (lasts 440 -5) 70000))'
for v in win95 win98; do
    lisp "$timed" --echo --winver "$v"
    same "=> (T T T)" "$(tail -n 1 <<<"$out")" "tones of 10 (at least 75), 300 and -5 ms last their length as $v"
done
lisp '(probe_platform)' --echo --arx "$KELMAR_BIN/probe.arx" --winver win31
if [[ $(grep '^=>' <<<"$out") == "=> (0 "* ]]; then
    lisp "$timed" --echo --winver win31
    same "=> (T T T)" "$(tail -n 1 <<<"$out")" "tones last their length on Win32s, a platform of neither family"
else
    echo "skipped: this Wine reports no Win32s platform for win31 ($(grep '^=>' <<<"$out"))"
fi

# kel_ver names each version.
names=("win95|Windows 95" "win98|Windows 98" "winme|Windows 98" "nt40|Windows NT Workstation 4.0"
    "win2k|Windows 2000 Professional 5.0" "winxp|Windows 2000 Professional 5.1" "|6.1")
for c in "${names[@]}"; do
    v=${c%%|*} want=${c#*|}
    lisp '(kel_ver) (kel_adminp)' --echo ${v:+--winver "$v"}
    same "=> \"$want\"" "$(sed -n 4p <<<"$out")" "kel_ver as ${v:-the default}"
    same "=> T" "$(sed -n 5p <<<"$out")" "kel_adminp as ${v:-the default}: the user is in Administrators"
done

finish
