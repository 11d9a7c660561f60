# The registry branch on both platform families, data of other types, and names that try to
# leave the branch: nothing outside SOFTWARE\Kelmar changes.
source "$(dirname "$0")/lib.sh"

# subkeys HIVE\PATH: the names of its subkeys, one a line.
subkeys() {
    # reg run once more when it fails: now and then, under load, Wine does not start it at
    # all, and its empty answer would read as a key without subkeys.
    local listing
    listing=$(in_prefix wine reg query "$1" 2>/dev/null) || listing=$(in_prefix wine reg query "$1" 2>/dev/null)
    tr -d '\r' <<<"$listing" | grep '^HKEY_' | sed 's/.*\\//' | sort
}

tree='(kel_regdel "kfam" nil nil)
(kel_regset "kfam" "a\\b\\c" "v" "deep")
(kel_regset "kfam" "a\\d" nil nil)
(kel_regset "kfam" "e" nil nil)
(kel_regdel "kfam" "a" nil)
(kel_regget "kfam" nil nil)
(kel_regdel "kfam" nil nil)
(kel_regdel "kfam" nil nil)
(kel_regget nil nil nil)'
deleted='=> nil
=> "deep"
=> "SOFTWARE\\Kelmar\\kfam\\a\\d"
=> "SOFTWARE\\Kelmar\\kfam\\e"
=> "a"
=> ("e")
=> "kfam"
=> nil'
# Known difference: on the Windows 95/98 family the module leaves the tree to RegDeleteKeyA.
# Wine does remove subkeys there, as Windows 98 does, but its loop does not reset the name
# size between subkeys: after one subkey it stops at the next whose name is not shorter, and
# the key with it stays. Windows 98 would delete "a" and "kfam" at the first try.
wine98='=> nil
=> "deep"
=> "SOFTWARE\\Kelmar\\kfam\\a\\d"
=> "SOFTWARE\\Kelmar\\kfam\\e"
=> nil
=> ("a" "e")
=> nil
=> "kfam"'
for v in win98 win2k; do
    lisp "$tree" --echo --winver "$v"
    expected=$deleted
    [ "$v" = win98 ] && expected=$wine98
    same "$expected" "$(sed -n 4,11p <<<"$out")" "nested trees deleted as $v"
    [[ $(tail -n 1 <<<"$out") != *kfam* ]]; ok "the section is gone as $v"
done
# A tree whose subkeys have names of falling length is deleted whole on both.
for v in win98 win2k; do
    lisp '(kel_regset "kfam" "abc\\x" nil nil) (kel_regset "kfam" "d" nil nil) (kel_regdel "kfam" nil nil) (kel_regget "kfam" nil nil)' --echo --winver "$v"
    same $'=> "kfam"\n=> nil' "$(tail -n 2 <<<"$out")" "a tree Wine deletes whole as $v"
done

# Data of other types: as their bytes up to the first zero; 260 bytes without one is nil.
key='HKCU\SOFTWARE\Kelmar\kdata'
in_prefix wine reg add "$key" /v dword /t REG_DWORD /d 0x00414243 /f >/dev/null
in_prefix wine reg add "$key" /v full /t REG_BINARY /d "$(printf '41%.0s' $(seq 1 260))" /f >/dev/null
in_prefix wine reg add "$key" /v fits /t REG_BINARY /d "$(printf '42%.0s' $(seq 1 259))" /f >/dev/null
lisp '(kel_regget "kdata" nil "dword") (kel_regget "kdata" nil "full") (strlen (kel_regget "kdata" nil "fits")) (kel_regdel "kdata" nil nil)' --echo
same $'=> "CBA"\n=> nil\n=> 259\n=> "kdata"' "$(tail -n +4 <<<"$out")" "data of other types"

# Hostile names, in both hives and both families: every one refused or kept inside.
before_user=$(subkeys 'HKCU\SOFTWARE') before_machine=$(subkeys 'HKLM\SOFTWARE')
before_wine=$(subkeys 'HKCU\SOFTWARE\Wine')
hostile=''
for hive in "" " T"; do
    for name in '..' '..\\..' '..\\Wine' '.\\..\\Wine' '' '\\' '\\Wine' '\\..' 'x\\..\\..\\Wine' '\\\\' 'Wine\\' '.'; do
        hostile+="(kel_regset \"$name\" nil \"v\" \"x\"$hive)
(kel_regset \"k\" \"$name\" \"v\" \"x\"$hive)
(kel_regdel \"$name\" nil nil$hive)
(kel_regdel \"k\" \"$name\" nil$hive)
(kel_regdel \"k\" \"$name\" \"v\"$hive)
(kel_regget \"$name\" nil nil$hive)
"
    done
done
for v in win98 win2k; do
    lisp "$hostile" --echo --winver "$v"
    [ -z "$(grep '^=> ' <<<"$out" | grep -v '^=> nil$')" ]; ok "as $v every hostile name gives nil"
    [ "$(grep -c '^Kelmar error: invalid string argument.$' <<<"$out")" = 144 ]; ok "as $v each is refused with its message"
done
lisp '(kel_regdel "k" nil nil) (kel_regdel "k" nil nil T)'
same "$before_user" "$(subkeys 'HKCU\SOFTWARE')" "the user's SOFTWARE keys are as they were"
same "$before_machine" "$(subkeys 'HKLM\SOFTWARE')" "the machine's SOFTWARE keys are as they were"
same "$before_wine" "$(subkeys 'HKCU\SOFTWARE\Wine')" "Wine's own keys are as they were"

finish
