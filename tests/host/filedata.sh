# Line ends converted both ways, files enciphered in place, and drawing versions read.
source "$(dirname "$0")/lib.sh"
cd "$WORK" || exit 1

# hex FILE: the file's bytes in hex, on one line.
hex() { od -An -v -tx1 "$1" | tr -d ' \n'; }

printf 'one\r\ntwo\r\n\r\nlast\r\n\x1a' >dos.txt
printf 'a\rb\r\r\nc\x1ad\n' >mixed.txt
printf 'x\ny\n\nz' >unix.txt
printf 'p\r\nq\n' >crlf.txt
: >empty.txt
cp dos.txt dos.orig
lisp '(kel_dos2unix "dos.txt" "dos.out")
(kel_dos2unix "mixed.txt" "mixed.out")
(kel_unix2dos "unix.txt" "unix.out")
(kel_unix2dos "crlf.txt" "crlf.out")
(kel_dos2unix "empty.txt" "empty.dos2unix")
(kel_unix2dos "empty.txt" "empty.unix2dos")
(kel_unix2dos "unix.txt" "round.tmp")
(kel_dos2unix "round.tmp" "round.out")
(kel_dos2unix "dos.txt" "dos.txt")
(kel_unix2dos "unix.txt" "./unix.txt")
(kel_dos2unix "missing.txt" "x.out")
(kel_unix2dos "missing.txt" "x.out")
(kel_dos2unix "dos.txt" "nofolder/x.out")
(kel_unix2dos "dos.txt" "nofolder/x.out")
(kel_dos2unix "dos.txt")
(kel_dos2unix "dos.txt" 1)
(kel_unix2dos "a" "b" "c")' --echo
expected='=> "{work}\\dos.out"
=> "{work}\\mixed.out"
=> "{work}\\unix.out"
=> "{work}\\crlf.out"
=> "{work}\\empty.dos2unix"
=> "{work}\\empty.unix2dos"
=> "{work}\\round.tmp"
=> "{work}\\round.out"
Kelmar error: cannot open UNIX destination file.
=> nil
Kelmar error: cannot open DOS destination file.
=> nil
Kelmar error: cannot open DOS source file.
=> nil
Kelmar error: cannot open UNIX source file.
=> nil
Kelmar error: cannot open UNIX destination file.
=> nil
Kelmar error: cannot open DOS destination file.
=> nil
Kelmar error: too few arguments.
=> nil
Kelmar error: path argument expected.
=> nil
Kelmar error: too many arguments.
=> nil'
w=$(kelmar_winpath "$WORK")
same "$expected" "$(tail -n +4 <<<"$out" | sed "s|${w//\\/\\\\\\\\}|{work}|")" "the conversions' results and messages"
same "$(printf 'one\ntwo\n\nlast\n' | od -An -v -tx1 | tr -d ' \n')" "$(hex dos.out)" "CR LF and Ctrl-Z to LF"
same "$(printf 'ab\ncd\n' | od -An -v -tx1 | tr -d ' \n')" "$(hex mixed.out)" "every CR and Ctrl-Z dropped wherever it stands"
same "$(printf 'x\r\ny\r\n\r\nz' | od -An -v -tx1 | tr -d ' \n')" "$(hex unix.out)" "LF to CR LF"
same "$(printf 'p\r\r\nq\r\n' | od -An -v -tx1 | tr -d ' \n')" "$(hex crlf.out)" "a CR before an LF stays"
[ -f empty.dos2unix ] && [ ! -s empty.dos2unix ] && [ ! -s empty.unix2dos ]; ok "empty files stay empty"
cmp -s unix.txt round.out; ok "unix2dos then dos2unix gives the file back"
cmp -s dos.txt dos.orig; ok "a file is not converted onto itself"

# A file of several pieces, its size no multiple of a piece: every byte value, line ends
# falling on and across the pieces' edges.
head -c 2621447 /dev/urandom >noise.bin
lisp '(kel_dos2unix "noise.bin" "noise.unix") (kel_unix2dos "noise.bin" "noise.dos")'
tr -d '\015\032' <noise.bin | cmp -s - noise.unix; ok "2.5 MB of every byte value to UNIX text, byte for byte"
perl -0777 -pe 's/\n/\r\n/g' noise.bin | cmp -s - noise.dos; ok "2.5 MB of every byte value to DOS text, byte for byte"

# The cipher: a file of zeros becomes the key itself, block after block (1,000 bytes: a
# block of 512 and one of 488, both from key byte 0), the vectors of the unit test; the same
# for a shorter one after larger files in the same session, as the module keeps its memory
# for the file from one call to the next.
key=$(grep '^4b656c6d6172 ' "$TESTS_DIR/unit/cipher_vectors.txt" | cut -d' ' -f2)
head -c 1000 /dev/zero >zeros.bin
head -c 700 /dev/zero >zeros2.bin
head -c 5000 /dev/urandom >data.bin
cp data.bin data.orig
: >empty.bin
lisp '(kel_encrypt "zeros.bin" "Kelmar")
(kel_encrypt "data.bin" "secret")
(kel_encrypt "data.bin" "secret")
(kel_encrypt "data.bin" "one")
(kel_encrypt "data.bin" "two")
(kel_encrypt "empty.bin" "pw")
(kel_encrypt "zeros2.bin" "Kelmar")
(kel_encrypt "data.bin" "")
(kel_encrypt "missing.bin" "pw")
(kel_encrypt "data.bin")
(kel_encrypt "data.bin" 1)
(kel_encrypt "data.bin" "pw" 1)' --echo
same "$key${key:0:976}" "$(hex zeros.bin)" "the known answer under Wine"
same "$key${key:0:376}" "$(hex zeros2.bin)" "the known answer again after larger files"
expected='=> "{work}\\zeros.bin"
=> "{work}\\data.bin"
=> "{work}\\data.bin"
=> "{work}\\data.bin"
=> "{work}\\data.bin"
=> "{work}\\empty.bin"
=> "{work}\\zeros2.bin"
Kelmar Error:  Invalid string length.
=> nil
=> nil
Kelmar error: too few arguments.
=> nil
Kelmar error: string argument expected.
=> nil
Kelmar error: too many arguments.
=> nil'
same "$expected" "$(tail -n +4 <<<"$out" | sed "s|${w//\\/\\\\\\\\}|{work}|")" "the cipher's results and messages"
cp data.bin after.two
lisp '(kel_encrypt "data.bin" "two") (kel_encrypt "data.bin" "one")'
cmp -s data.bin data.orig; ok "each password undoes itself; so the file is back after one, two, two, one"
! cmp -s after.two data.orig; ok "two different passwords do not restore the file"
[ ! -s empty.bin ]; ok "an empty file stays empty"

# Drawing versions: a file of every code of the table, made by the drawing generator (the
# real drawings of other projects are read by host.samples), short and odd files.
python3 "$TESTS_DIR/drawings/generate.py" gen
printf 'AC1.2\0rest' >five0.dwg
printf 'AC1.2Xrest' >fivex.dwg
printf 'MC0.0\0' >mc.dwg
printf 'ac1015....' >lower.dwg
printf 'AC101' >short.dwg
printf 'Just a text file.\n' >text.dwg
codes='AC1015:AutoCAD 2000
AC1500:AutoCAD Release T
AC1014:AutoCAD Release 14
AC1013:AutoCAD Internal: Early 14
AC1012:AutoCAD Release 13
AC1011:AutoCAD Internal: Late 13
AC1010:AutoCAD Internal: Early 13
AC1009:AutoCAD Release 11/12
AC1008:AutoCAD Internal: Late Z
AC1007:AutoCAD Internal: Early Z
AC1006:AutoCAD Release 10
AC1005:AutoCAD Version Y
AC1004:AutoCAD Release 9
AC1003:AutoCAD Version 2.60
AC1002:AutoCAD Version 2.50
AC1001:AutoCAD Version 2.22 (Unix)
AC2.22:AutoCAD Version 2.22 (MS-DOS)
AC2.21:AutoCAD Version 2.21
AC2.20:AutoCAD Internal: 2.20
AC2.10:AutoCAD Version 2.10
AC1.50:AutoCAD Version 1.50
AC1.40:AutoCAD Version 1.40
AC1.2:AutoCAD Version 1.2
MC0.0:AutoCAD Version 1.0'
same 24 "$(ls gen/versions | wc -l)" "the generator writes a file for each of the 24 codes"
forms=''
while IFS=: read -r code name; do
    forms+="(princ (strcat \"$code: \" (kel_dwgver \"gen/versions/$code.dwg\") \"\\n\"))"$'\n'
done <<<"$codes"
lisp "$forms"
same "$codes" "$(tail -n +4 <<<"$out" | sed 's/: /:/')" "each code of the table gives its release"
lisp '(foreach f (list "gen/preview/r2000-24bit.dwg" "gen/preview/r2013-png.dwg" "gen/preview/r2018-png.dwg"
  "five0.dwg" "fivex.dwg" "mc.dwg" "lower.dwg" "text.dwg") (princ (strcat f ": " (kel_dwgver f) "\n")))
(kel_dwgver "short.dwg")
(kel_dwgver "missing.dwg")
(kel_dwgver "mc.dwg" "ignored" 1)
(kel_dwgver 1)' --echo
expected='gen/preview/r2000-24bit.dwg: AutoCAD 2000
gen/preview/r2013-png.dwg: Unknown
gen/preview/r2018-png.dwg: Unknown
five0.dwg: AutoCAD Version 1.2
fivex.dwg: Unknown
mc.dwg: AutoCAD Version 1.0
lower.dwg: Unknown
text.dwg: Unknown
=> "text.dwg: Unknown\n"
Kelmar error: could not read drawing file.
=> nil
Kelmar error: could not read drawing file.
=> nil
=> "AutoCAD Version 1.0"
Kelmar error: path argument expected.
=> nil'
same "$expected" "$(tail -n +4 <<<"$out")" "drawing versions"

finish
