# Links planted where the module works. A registry link inside SOFTWARE\Kelmar, made by
# another program through the system's own link keys, is never followed: reading, writing
# and deleting through it give nil on both platform families, and the tree it points to is
# as it was. A file link in a folder: what deleting it does.
source "$(dirname "$0")/lib.sh"

regtool() {
    in_prefix wine "$KELMAR_BIN/regtool.exe" "$@" | tr -d '\r'
}
outside='Software\KelmarOutside'
cleanup() {
    for hive in HKCU HKLM; do
        regtool unlink "$hive" 'Software\Kelmar\evil' >/dev/null
        regtool unlink "$hive" 'Software\Kelmar\real\evil' >/dev/null
        regtool delete "$hive" 'Software\Kelmar\real' >/dev/null
        regtool delete "$hive" "$outside" >/dev/null
    done
}
cleanup
kelmar_at_exit cleanup

# The outside trees: a value, and a subkey with a value, in each hive, made as the module
# sees the registry (a 32-bit program's view). Then the links: the section "evil" and the
# key "real\evil" lead there. A link holds its target's native name, which the tool reads.
lisp '(kel_regset "real" "plain" "v" "inside") (kel_regset "real" "plain" "v" "inside" T)'
for hive in HKCU HKLM; do
    regtool delete "$hive" "$outside" >/dev/null
    regtool set "$hive" "$outside" v outside >/dev/null
    regtool set "$hive" "$outside\\deep" v deep >/dev/null
    same ok "$(regtool link "$hive" 'Software\Kelmar\evil' "$outside")" "a link planted in $hive"
    same ok "$(regtool link "$hive" 'Software\Kelmar\real\evil' "$outside")" "a link planted a level lower in $hive"
done

snapshot() {
    for hive in HKCU HKLM; do regtool dump "$hive" "$outside"; done
}
before=$(snapshot)
trees=$(tr '\n' ' ' <<<"$before")
[[ $before == *KelmarOutside* ]]; ok "the outside trees are there: $trees"

forms=''
for hive in '' ' T'; do
    forms+="(kel_regget \"evil\" nil \"v\"$hive)
(kel_regget \"evil\" nil nil$hive)
(kel_regget \"evil\" \"deep\" nil$hive)
(kel_regget \"real\" \"evil\" nil$hive)
(kel_regset \"evil\" nil \"planted\" \"x\"$hive)
(kel_regset \"evil\" \"deep\" \"planted\" \"x\"$hive)
(kel_regset \"evil\" \"new\" nil nil$hive)
(kel_regset \"real\" \"evil\" \"planted\" \"x\"$hive)
(kel_regset \"real\" \"evil\\\\new\" nil nil$hive)
(kel_regdel \"evil\" nil \"v\"$hive)
(kel_regdel \"evil\" \"deep\" nil$hive)
(kel_regdel \"evil\" \"deep\" \"v\"$hive)
(kel_regdel \"real\" \"evil\" nil$hive)
(kel_regdel \"real\" \"evil\" \"v\"$hive)
(kel_regdel \"real\" nil nil$hive)
(kel_regdel \"evil\" nil nil$hive)
(kel_regget \"real\" \"plain\" \"v\"$hive)
"
done
expected=$(for _ in 1 2; do printf '=> nil\n%.0s' $(seq 1 16); echo '=> "inside"'; done)
for v in win98 ""; do
    lisp "$forms" --echo ${v:+--winver "$v"}
    same "$expected" "$(grep '^=>' <<<"$out")" "every call through a link gives nil as ${v:-the default}"
    ! grep -q '^acadhost: ' <<<"$err"; ok "no self-check trips as ${v:-the default}"
    same "$before" "$(snapshot)" "the outside trees are as they were as ${v:-the default}"
done
# The links themselves are still there, and the branch around them works.
lisp '(kel_regget nil nil nil) (kel_regget "real" nil nil)' --echo
[[ $(grep '^=>' <<<"$out" | sed -n 1p) == *'"evil"'* ]]; ok "the planted link is still listed by name"
same '=> ("evil" "plain")' "$(grep '^=>' <<<"$out" | sed -n 2p)" "the key holding a link is left whole"

# Files. A link to a folder shows as one and is never followed (see fileprops.sh). Known
# difference: under Wine a symbolic link to a file shows no reparse attribute, so it is a
# file to the module as to any program, and deleting it deletes the file it points to (Wine
# removes the name the link resolves to); on Windows the link goes and the file stays. What
# happened is printed; what the module sees before is checked.
mkdir -p "$WORK/outside" "$WORK/linked"
printf 'keep' >"$WORK/outside/target.txt"
ln -s "$WORK/outside/target.txt" "$WORK/linked/link.txt"
lisp '(kel_filep "linked/link.txt") (kel_delete "linked/link.txt")' --echo
same '=> T' "$(grep '^=>' <<<"$out" | head -n 1)" "a link to a file is a file to the module"
echo "kel_delete of the link: $(grep '^=>' <<<"$out" | tail -n 1)"
if [ -f "$WORK/outside/target.txt" ]; then
    echo "the file the link pointed to stays, as on Windows"
else
    echo "known difference (Wine): deleting a link to a file deleted the file it points to"
fi

# kel_deltree over Unix links: a link to a folder is never entered, so what it points to
# stays whole. Known differences (Wine): the link itself cannot be removed, so the call
# gives nil and the tree stays; a link to a file is removed as the file it points to.
mkdir -p "$WORK/kept/inner" "$WORK/tree/sub" "$WORK/filetree"
printf 'keep' >"$WORK/kept/inner/file.txt"
printf 'keep' >"$WORK/kept/target.txt"
ln -s "$WORK/kept" "$WORK/tree/sub/dirlink"
ln -s "$WORK/kept/target.txt" "$WORK/filetree/link.txt"
lisp '(kel_deltree "tree") (kel_deltree "filetree")' --echo
[ -f "$WORK/kept/inner/file.txt" ]; ok "kel_deltree does not enter a link to a folder"
echo "kel_deltree of a tree holding a link to a folder: $(grep '^=>' <<<"$out" | head -n 1), the link $([ -L "$WORK/tree/sub/dirlink" ] && echo stays || echo goes)"
echo "kel_deltree of a tree holding a link to a file: $(grep '^=>' <<<"$out" | tail -n 1)," \
    "the file it points to $([ -f "$WORK/kept/target.txt" ] && echo stays || echo "goes (known difference, Wine)")"

finish
