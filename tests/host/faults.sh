# Host operations that fail: the module reports each with its message and goes on.
source "$(dirname "$0")/lib.sh"

# A definition that fails stops the definitions there; those made stay made.
lisp '(kel_acitorgb 1) (kel_adminp) (kel_version)' --echo --fail acedDefun:3
same 0 "$status" "exit status"
expected='Kelmar error: cannot define function(s).
; error: module failed to load Drawing1.dwg
=> (255 0 0)
; error: no function definition: KEL_ADMINP
; error: no function definition: KEL_VERSION'
same "$expected" "$(tail -n +4 <<<"$out")" "definitions stop at the first failure"

# A first load whose registration fails says so, and loads all the same.
in_prefix wine reg delete 'HKLM\SOFTWARE\Kelmar' /f >/dev/null 2>&1
lisp '(kel_version)' --echo --fail acrxRegisterApp
expected='
Kelmar Version 5.1.1 (Jul 24 2000)
Copyright (C) 1998-2000 Kelmar Software
=> "5.1.1"'
[[ $out == "Kelmar error: cannot register application with AutoCAD."$'\n'* ]]; ok "the registration's failure is printed first: status $status, out [$out], err [$err]"
same "$expected" "$(tail -n +2 <<<"$out")" "the module loads without its registration"

# kel_demandload, and kel_help when its records run out.
lisp '(acadhost-fail "acrxRegisterApp" 1) (kel_demandload T) (acadhost-failalloc 50) (kel_help) (length (kel_help))' --echo
expected='=> 1
Kelmar error: cannot register application with AutoCAD.
=> nil
=> 50
Kelmar error: cannot allocate result buffer.
=> nil
=> 109'
same "$expected" "$(tail -n +4 <<<"$out")" "failures of kel_demandload and kel_help"
same "" "$err" "nothing is left unreleased"

# The module's file: its version block and string table.
version=$(kelmar_noclock wine "$KELMAR_BIN/wintool.exe" version "$(kelmar_winpath "$KELMAR_BIN/kelmar2k.arx")" | tr -d '\r')
expected='FILEVERSION 1.0.0.1
PRODUCTVERSION 1.0.0.1
Comments=AutoCAD 2000 ARX Application
CompanyName=Kelmar Software
FileDescription=Kelmar AutoLISP Extensions
FileVersion=5.1.1
InternalName=Kelmar
LegalCopyright=Copyright (C) 1998-2000 Kelmar Software
OriginalFilename=KELMAR2K.ARX
ProductName=Kelmar
ProductVersion=5.1.1
string 100=Kelmar'
same "$expected" "$version" "the version block"

finish
