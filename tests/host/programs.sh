# Programs started from the host: waited for or not, through the interpreter of each
# family, through the shell; and the process list on both strategies.
source "$(dirname "$0")/lib.sh"
cd "$WORK" || exit 1

# kel_exewait waits for a child that writes a file after a delay; kel_execute does not.
waiting='(progn (setq t0 (acadhost-clock))
  (list (kel_exewait "cmd.exe /c ping -n 3 127.0.0.1 > nul & echo done > waited.txt") (> (- (acadhost-clock) t0) 1500000)))
(kel_execute "cmd.exe /c ping -n 3 127.0.0.1 > nul & echo done > later.txt")
(kel_filep "later.txt")
(kel_exewait "nosuch-program.exe")'
lisp "$waiting" --echo
# Known difference: on a loaded machine Wine now and then fails to create a process that
# starts at once on a second try (seen in two full runs here); one retry, said aloud.
if [[ $out != *'=> "cmd.exe'* ]]; then
    echo "note: Wine did not start the child; retried once. First answer: ${out//$'\n'/ | }" >&2
    in_prefix wineserver -w
    lisp "$waiting" --echo
fi
same $'Running external process, please wait...\n=> (T T)\n=> "cmd.exe /c ping -n 3 127.0.0.1 > nul & echo done > later.txt"\n=> nil\n=> nil' \
    "$(tail -n +4 <<<"$out")" "waiting and not waiting"
[ -f waited.txt ]; ok "the waited-for child had written its file"
for _ in $(seq 1 50); do [ -f later.txt ] && break; sleep 0.1; done
[ -f later.txt ]; ok "the child not waited for wrote its file later"

# The command interpreter of each family. Known difference: Wine has no COMMAND.COM, so on
# the Windows 95/98 family the line cannot start and the result is nil; the echo is printed.
lisp '(kel_command "echo nt > nt.txt")' --echo --winver win2k
same $'echo nt > nt.txt\n=> "CMD.EXE /C echo nt > nt.txt"' "$(tail -n 2 <<<"$out")" "kel_command on the NT family"
lisp '(kel_command "echo dos > dos.txt")' --echo --winver win98
same $'echo dos > dos.txt\n=> nil' "$(tail -n 2 <<<"$out")" "kel_command on the 95/98 family, under Wine"

# kel_shellexe turns the parameters' slashes into backslashes; the program sees them so.
tool=$(kelmar_winpath "$KELMAR_BIN/wintool.exe")
lisp "(kel_shellexe \"${tool//\\//}\" \"echo shell.txt a/b/c\")" --echo
same "=> T" "$(tail -n 1 <<<"$out")" "kel_shellexe of a program"
for _ in $(seq 1 50); do [ -f shell.txt ] && break; sleep 0.1; done
same 'a\b\c' "$(tr -d '\r\n' <shell.txt 2>/dev/null)" "the parameters arrive with backslashes"
lisp '(kel_shellexe "x") (kel_shellexe "x" 1) (kel_shellexe "x" nil 3) (kel_shellexe "x" nil 0 5) (kel_shellexe "x" nil 0 0 0) (kel_shellexe "x" nil 1.0)' --echo
same $'Kelmar error: too few arguments.\n=> nil\nKelmar error: invalid argument.\n=> nil\nKelmar error: invalid argument.\n=> nil\nKelmar error: invalid argument.\n=> nil\nKelmar error: too many arguments.\n=> nil\nKelmar error: integer argument expected.\n=> nil' \
    "$(tail -n +4 <<<"$out")" "kel_shellexe's arguments"

# The host itself, by name and by full path, on both strategies. Known difference: Wine's
# tool help gives the file name only where Windows 98 gives the full path, so on that
# family the full-path list holds acad.exe as it is. Under qemu's emulation Wine cannot read
# another process's memory, where the NT family's strategy finds each name: the names come
# from the system's image names there. Wine's desktop, explorer.exe, is a 64-bit program in
# the 64-bit prefix both builds run in, so the 32-bit module sees it as on 64-bit Windows,
# where a 32-bit program cannot walk a 64-bit one's modules: it is listed all the same.
exe=$(kelmar_winpath "$KELMAR_BIN/acad.exe")
for c in "win98|acad.exe" "win2k|${exe//\\/\\\\}"; do
    v=${c%%|*} full=${c#*|}
    lisp '(car (member "acad.exe" (kel_processes))) (kel_processes T) (kel_processes nil 1)
(car (member "explorer.exe" (kel_processes)))' --echo --winver "$v"
    same '=> "acad.exe"' "$(sed -n 4p <<<"$out")" "the host by name as $v"
    line=$(sed -n 5p <<<"$out")
    [[ $line == *"\"$full\""* ]]; ok "the host by full path as $v: $line"
    same 'Kelmar error: too many arguments.' "$(sed -n 6p <<<"$out")" "a second argument as $v"
    same '=> "explorer.exe"' "$(sed -n 8p <<<"$out")" "Wine's desktop, a 64-bit program, as $v"
done

finish
