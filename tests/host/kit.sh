# The kit scripts/release makes, as a CAD programmer gets it: the module of this build loads
# in the stand-in host from the kit's folder through the loader, which says what is wrong
# when the module is missing or of the other width; the runner runs a file; every function
# of kel_help has its anchor in the manual's page, whose pictures and links all lead
# somewhere; the notes' import list is the DLL's.
source "$(dirname "$0")/lib.sh"
root=$TESTS_DIR/..

KELMAR_BUILT=1 "$root/scripts/release" "$WORK/dist" >"$WORK/release.out" 2>&1
ok "scripts/release makes the kit"
kit=$WORK/dist/kelmar-5.1.1
[ -f "$WORK/dist/kelmar-5.1.1.tar.gz" ]; ok "with its archive"
same "$(cd "$WORK/dist" && find kelmar-5.1.1 | sort)" "$(tar -tzf "$WORK/dist/kelmar-5.1.1.tar.gz" | sed 's|/$||' | sort)" \
    "the archive holds the kit's folder as it is"
for file in kelmar2k.arx kelmar2k-x64.arx kelmar.lsp README.md CHANGES.md HOST.md manual/kelmar.html \
    runner/kelmar-lisp runner/README.md runner/win32/acad.exe runner/win64/acad.exe examples/tour.lsp; do
    [ -s "$kit/$file" ]; ok "the kit holds $file"
done
(cd "$kit" && sha256sum --quiet -c SHA256SUMS); ok "every file's checksum holds"
same "$(cd "$kit" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort)" "$(sed 's/^[0-9a-f]*  //' "$kit/SHA256SUMS")" \
    "the checksums cover every file of the kit"
commit=$(git -C "$root" rev-parse --short=12 HEAD 2>/dev/null || echo unknown)
grep -qE "^Kelmar 5\.1\.1, made from commit $commit\+?\$" "$kit/BUILD"; ok "BUILD names the commit ($commit)"
x86_64-w64-mingw32-objdump -f "$kit/kelmar2k.arx" | grep -q 'file format pei-i386$'
ok "kelmar2k.arx is the 32-bit module"
x86_64-w64-mingw32-objdump -f "$kit/kelmar2k-x64.arx" | grep -q 'file format pei-x86-64$'
ok "kelmar2k-x64.arx is the 64-bit module"

# This build's module and the other width's, as the loader names them.
if [ "$KELMAR_ARCH" = 64 ]; then
    mine=kelmar2k-x64.arx other=kelmar2k.arx width=64 otherwidth=32
else
    mine=kelmar2k.arx other=kelmar2k-x64.arx width=32 otherwidth=64
fi
# kit_lisp FOLDER 'FORMS' [runner options]: the forms run by the kit's runner in FOLDER,
# in this build's prefix and on this test's display; sets $out, $err and $status.
kit_lisp() {
    local folder=$1 forms=$2
    shift 2
    printf '%s\n' "$forms" >"$WORK/kit.lsp"
    status=0
    # The prefix is held meanwhile; the lock is not handed on to Wine's server, which outlives the run.
    (cd "$folder" && kelmar_prefix && timeout 120 "$kit/runner/kelmar-lisp" --arch "$KELMAR_ARCH" "$@" "$WORK/kit.lsp" \
        >"$WORK/out" 2>"$WORK/err" 9>&-) || status=$?
    out=$(tr -d '\r' <"$WORK/out")
    err=$(cat "$WORK/err")
}

# Through the loader, from the kit's folder: the module defines its functions.
kit_lisp "$kit" '(load "kelmar") (kel_version) (length (kel_help))' --no-arx --echo
same 0 "$status" "the host runs the loader"
same '=> "5.1.1"
=> "5.1.1"
=> 109' "$(grep '^=>' <<<"$out")" "(load \"kelmar\") loads $mine and gives its version"
[[ $out == *"Kelmar Version 5.1.1"* ]]; ok "the module prints its banner"
# The loader's way to load at start-up.
kit_lisp "$kit" '(load "kelmar") (kelmar-startup)' --no-arx
[[ $out == *"Kelmar will load at every start-up of the host; (kel_demandload) undoes it."* ]]
ok "(kelmar-startup) registers the module for start-up and says so"
# Loading again changes nothing.
kit_lisp "$kit" '(load "kelmar") (load "kelmar")' --no-arx --echo
same '=> "5.1.1"
=> "5.1.1"' "$(grep '^=>' <<<"$out")" "a second load finds the module there"

# Missing, or only the other width's: one line that says so, and nil.
mkdir -p "$WORK/lonely" "$WORK/wrong"
cp "$kit/kelmar.lsp" "$WORK/lonely/"
cp "$kit/kelmar.lsp" "$kit/$other" "$WORK/wrong/"
kit_lisp "$WORK/lonely" '(load "kelmar")' --no-arx --echo
same "Kelmar: $mine is missing: put it beside kelmar.lsp, in a folder of the support path or the current folder.
=> nil" "$(grep -v '^$' <<<"$out")" "the loader without the module"
kit_lisp "$WORK/wrong" '(load "kelmar") (arxload "'"$other"'" nil)' --no-arx --echo
otherpath=$(kelmar_winpath "$WORK/wrong/$other")
same "Kelmar: this host is $width-bit, and $otherpath is the $otherwidth-bit module, which it cannot load: put $mine from the same kit beside it.
=> nil
arxload: cannot load $otherpath (error 193: a module of another width than the host's)
=> nil" "$(grep -v '^$' <<<"$out")" "the loader and arxload with the other width's module"

# Refused by the host (here the other width's module under this one's name), or loaded
# without its functions: one line, and nil.
mkdir -p "$WORK/refused"
cp "$kit/kelmar.lsp" "$WORK/refused/" && cp "$kit/$other" "$WORK/refused/$mine"
kit_lisp "$WORK/refused" '(load "kelmar")' --no-arx --echo
refusedpath=$(kelmar_winpath "$WORK/refused/$mine")
same "arxload: cannot load $refusedpath (error 193: a module of another width than the host's)
Kelmar: the host refused $refusedpath: a module of another host version, or a system library it needs is missing.
=> nil" "$(grep -v '^$' <<<"$out")" "the loader says the host refused the module"
kit_lisp "$kit" '(load "kelmar") (setq kel_version nil) (load "kelmar")' --no-arx --echo
same "Kelmar: $mine is loaded, but kel_version is no function of it here: (arxunload \"$mine\"), then (load \"kelmar\") again.
=> nil" "$(grep -v '^$' <<<"$out" | tail -n 2)" "the loader with the module loaded but its function gone"

# The runner, as its README shows it: a file with the module loaded.
kit_lisp "$WORK" '(kel_version) (kel_splitpath "c:/work/plan.dwg")' --echo
same '=> "5.1.1"
=> ("c:" "\\work\\" "plan" ".dwg")' "$(grep '^=>' <<<"$out")" "the runner runs a file with the module"

# The manual's page: an anchor for every function the module lists, every picture there,
# every link inside the page leading to an anchor of it.
page=$kit/manual/kelmar.html
kit_lisp "$kit" '(foreach name (kel_help) (princ name) (terpri))'
names=$(grep '^kel_' <<<"$out")
same 109 "$(wc -l <<<"$names")" "kel_help lists the 109 functions"
missing=$(while read -r name; do grep -qF "id=\"$name\"" "$page" || echo "$name"; done <<<"$names")
same "" "$missing" "every function of kel_help has its anchor in the page"
pictures=$(grep -o '<img[^>]* src="[^"]*"' "$page" | sed 's/.* src="//; s/"$//')
[ -n "$pictures" ]; ok "the page shows pictures"
broken=$(while read -r p; do [ -s "$kit/manual/$p" ] || echo "$p"; done <<<"$pictures")
same "" "$broken" "no picture link is broken"
ids=$(grep -o ' id="[^"]*"' "$page" | sed 's/ id="//; s/"$//' | sort -u)
links=$(grep -o 'href="#[^"]*"' "$page" | sed 's/href="#//; s/"$//' | sort -u)
same "" "$(comm -23 <(echo "$links") <(echo "$ids"))" "every link inside the page leads to an anchor"
grep -q 'class="toc"' "$page"; ok "the page has a table of contents"
! grep -q '```' "$page"; ok "every example of the manual is a block of code on the page"

# The notes' lists are the DLL's import and export tables.
objdump=i686-w64-mingw32-objdump
[ "$KELMAR_ARCH" = 64 ] && objdump=x86_64-w64-mingw32-objdump
imports=$($objdump -p "$kit/$mine" | awk '/DLL Name:/ { inside = ($3 == "acad.exe"); next }
    inside && /^\t[0-9a-f]+\t/ { print $NF; next } inside && NF == 0 { inside = 0 }' | sort)
listed=$(sed -n '/^## Host functions the module imports/,/^## /p' "$kit/HOST.md" | sed -n 's/^- `\(.*\)`$/\1/p' | sort)
[ -n "$imports" ]; ok "the module imports from acad.exe"
same "$imports" "$listed" "the notes list the host functions $mine imports"
exports=$($objdump -p "$kit/$mine" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '/^\t\[/ { print $NF }' | sort)
same "$exports" "$(sed -n '/^## Entry points the module exports/,/^## /p' "$kit/HOST.md" | sed -n 's/^- `\(.*\)`$/\1/p' | sort)" \
    "the notes list the entry points $mine exports"
grep -q 'API version 15.0' "$kit/HOST.md"; ok "the notes name the host API version"

# The module as shipped loads on both Windows families: it imports only libraries the
# Windows 95/98 family has (Windows Sockets 1.1 as WSOCK32, not WS2_32) and none of the
# calls that came with Windows 2000 which the compiler's headers offer beside the old ones.
if [ "$KELMAR_ARCH" != 64 ]; then
    dlls=$($objdump -p "$kit/$mine" | awk '/DLL Name:/ { print toupper($3) }' | sort | tr '\n' ' ')
    same "ACAD.EXE ADVAPI32.DLL COMCTL32.DLL COMDLG32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL RPCRT4.DLL SHELL32.DLL USER32.DLL WINMM.DLL WINSPOOL.DRV WSOCK32.DLL " \
        "$dlls" "$mine imports only libraries of both Windows families"
    later=$($objdump -p "$kit/$mine" | grep -owE 'GetFileSizeEx|SetFilePointerEx|GetDiskFreeSpaceExA|GetFileAttributesExA|CheckTokenMembership|GetModuleHandleExA|GlobalMemoryStatusEx' | sort -u | tr '\n' ' ')
    same "" "$later" "$mine imports none of the calls of later Windows"
fi

finish
