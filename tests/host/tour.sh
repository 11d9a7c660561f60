# The tour (examples/tour.lsp) with nobody at the keys, as scripts/lisp runs it: it ends by
# itself, every stop answers, the dialogs that wait for a person say so, and it leaves
# nothing behind in its folder or the registry branch.
source "$(dirname "$0")/lib.sh"

tour=$(kelmar_winpath "$TESTS_DIR/../examples/tour.lsp")
HOST_LIMIT=180 lisp "(load \"${tour//\\/\\\\}\")"
same 0 "$status" "the tour ends by itself, status 0"
# (A first run in a fresh prefix says that it makes it.)
same "" "$(grep -v '^Making the Wine prefix' <<<"$err")" "nothing on standard error"
for stop in 'kel_version                                 => "5.1.1"' \
    'kel_dirp: is the folder still there?        => nil' \
    'kel_encrypt twice, then the line reads      => "one"' \
    'kel_delete the notes; kel_dir finds none    => nil' \
    'kel_regdel removes the tour'"'"'s key           => "tour"' \
    '  steps it counted, of 200                  => 200' \
    'kel_dwgver of each drawing                  => (' \
    'kel_editlist                                (a dialog that waits for a person: scripts/demo shows it)' \
    'kel_dwgpreview                              (a dialog that waits for a person: scripts/demo shows it)' \
    'kel_getcolor                                (a dialog that waits for a person: scripts/demo shows it)' \
    'kel_msgbox, closing itself after 3 s        => nil'; do
    grep -qF -- "$stop" <<<"$out"; ok "the tour prints: $stop"
done
# Its drawings carry the three versions it wrote, in whatever order the folder lists them.
versions=$(grep -F 'kel_dwgver of each drawing' <<<"$out")
for v in '"AutoCAD 2000"' '"AutoCAD Release 14"' '"AutoCAD Release 13"'; do
    [[ $versions == *"$v"* ]]; ok "a drawing the tour made reads $v"
done
same "err forms.lsp out" "$(ls "$WORK" | tr '\n' ' ' | sed 's/ $//')" "the tour leaves nothing in its folder"
lisp '(kel_regget "tour" nil nil) (kel_regget nil nil nil)' --echo
same '=> nil' "$(grep '^=>' <<<"$out" | head -1)" "nor its registry key"

finish
