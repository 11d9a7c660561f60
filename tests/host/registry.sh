# What the module writes to the registry at load, on a first and on a second load, and the
# demand-load registration of kel_demandload.
source "$(dirname "$0")/lib.sh"
app='HKEY_LOCAL_MACHINE\SOFTWARE\Kelmar\5.1\AutoCAD 2000\Kelmar'

# snapshot: the whole branch as `reg query /s` shows it, read once after each load.
snapshot() {
    tree=$(in_prefix wine reg query 'HKLM\SOFTWARE\Kelmar' /s 2>/dev/null | tr -d '\r')
    in_prefix wine reg query 'HKCU\SOFTWARE\Kelmar' >/dev/null 2>&1
    user_branch=$?
}
# value KEY NAME: the data of one value in the snapshot, empty when absent.
value() {
    KEY=$1 NAME=$2 awk '
        BEGIN { key = ENVIRON["KEY"]; name = ENVIRON["NAME"] }
        /^HKEY_/ { inkey = ($0 == key) }
        inkey && index($0, "    " name "    ") == 1 { sub(/^    [^ ]+    REG_[A-Z_]+    /, ""); print }
    ' <<<"$tree"
}

in_prefix wine reg delete 'HKLM\SOFTWARE\Kelmar' /f >/dev/null 2>&1
in_prefix wine reg delete 'HKCU\SOFTWARE\Kelmar' /f >/dev/null 2>&1

# First load: the application is registered for loading on command.
lisp '(princ "loaded")'
same 0 "$status" "first load"
[[ $out == *loaded ]]; ok "first load runs the script"
snapshot
[[ $tree == *"HKEY_LOCAL_MACHINE\\SOFTWARE\\Kelmar"* ]]; ok "the machine branch is made"
[ "$user_branch" = 0 ]; ok "the user branch is made"
same 0x4 "$(value "$app" LOADCTRLS)" "first load registers load reason 4"
module=$(kelmar_winpath "$KELMAR_BIN/kelmar2k.arx")
same "$module" "$(value "$app\\Loader" Module)" "Loader\\Module is the module's path"
same Kelmar "$(value "$app\\Name" Kelmar)" "Name\\Kelmar"
same Kelmar "$(value "$app\\Commands" Kelmar)" "Commands\\Kelmar"

# kel_demandload with T, then a second load: the key is there, so the registration stays
# as it is, but the Loader, Name and Commands values are written again.
lisp '(kel_demandload T)' --echo
same "=> T" "$(tail -n 1 <<<"$out")" "kel_demandload T returns T"
snapshot
same 0x6 "$(value "$app" LOADCTRLS)" "kel_demandload T registers load reasons 6"
in_prefix wine reg delete 'HKLM\SOFTWARE\Kelmar\5.1\AutoCAD 2000\Kelmar\Loader' /v Module /f >/dev/null 2>&1
in_prefix wine reg delete 'HKLM\SOFTWARE\Kelmar\5.1\AutoCAD 2000\Kelmar\Name' /f >/dev/null 2>&1
lisp '(princ)'
snapshot
same 0x6 "$(value "$app" LOADCTRLS)" "a second load does not register again"
same "$module" "$(value "$app\\Loader" Module)" "a second load writes Loader\\Module again"
same Kelmar "$(value "$app\\Name" Kelmar)" "a second load writes Name again"

lisp '(kel_demandload)' --echo
same "=> nil" "$(tail -n 1 <<<"$out")" "kel_demandload without argument returns nil"
snapshot
same 0x4 "$(value "$app" LOADCTRLS)" "kel_demandload registers load reason 4"

# The stored bytes: the path padded with zeros to 259, the names with their terminator.
in_prefix wineserver -w
reg=$(tr -d '\r' <"$WINEPREFIX/system.reg")
# This build's value: the prefix may also hold one the other width wrote in its own view.
module_line=$(grep -A3 -F 'Kelmar\\5.1\\AutoCAD 2000\\Kelmar\\Loader]' <<<"$reg" |
    grep -F "\"Module\"=\"${module//\\/\\\\}\\0")
zeros=$(grep -o '\\0' <<<"$module_line" | wc -l)
# (the file leaves out a string's last zero)
same 259 $(( ${#module} + zeros + 1 )) "Module is written as 259 bytes"
grep -A3 -F 'Kelmar\\5.1\\AutoCAD 2000\\Kelmar\\Commands]' <<<"$reg" | grep -qx '"Kelmar"="Kelmar"'
ok "Commands\\Kelmar is one terminated string"

finish
