# scripts/lisp --winver: the Windows version Wine reports to the host, and so to modules.
source "$(dirname "$0")/lib.sh"
cases=("win95|(1 4 0)" "win98|(1 4 10)" "winme|(1 4 90)" "nt40|(2 4 0)" "win2k|(2 5 0)" "winxp|(2 5 1)" "|(2 6 1)")
for c in "${cases[@]}"; do
    v=${c%%|*} want=${c#*|}
    lisp '(probe_platform)' --echo --arx "$KELMAR_BIN/probe.arx" ${v:+--winver "$v"}
    same "=> $want" "$(grep '^=>' <<<"$out")" "platform id and version for ${v:-the default}"
done
finish
