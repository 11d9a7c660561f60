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
