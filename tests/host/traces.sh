# Every barrier that stops an exception leaves a trace: one line written with
# OutputDebugStringA, naming the function, or the window (its class, or a dialog's caption)
# and the message. The stand-in host keeps what the process writes so; (acadhost-traces)
# gives it and forgets it, so each call below is followed by the traces it left. The
# throwing probes live in the test build (kelmarprobe.arx) only.
source "$(dirname "$0")/lib.sh"

printf 'one\r\ntwo\r\n' >"$WORK/dos.txt"
rows --arx "$KELMAR_BIN/kelmarprobe.arx" <<'EOF'
(kel_version)||"5.1.1"
(acadhost-traces)||nil
(kel__throw)||nil
(acadhost-traces)||("kelmar: exception in kel__throw\n")
(kel__throw "error")||nil
(acadhost-traces)||("kelmar: exception in kel__throw\n")
(kel__throw "memory")|Kelmar error:  out of memory|nil
(acadhost-traces)||("kelmar: exception in kel__throw\n")
(kel__throwinwindow)||("after" -1)
(acadhost-traces)||("kelmar: exception in window Static, message 0x000C\n" "kelmar: exception in dialog \"KEL_GETSTRING\", message 0x0110\n")
(kel__throwincolor)||nil
(acadhost-traces)||("kelmar: exception in dialog \"Color\", message 0x0110\n" "kelmar: exception in kel__throwincolor\n")
(kel__throwincolor "memory")|Kelmar error:  out of memory|nil
(acadhost-traces)||("kelmar: exception in dialog \"Color\", message 0x0110\n" "kelmar: exception in kel__throwincolor\n")
(kel__failnew 1)||1
(kel_dos2unix "dos.txt" "unix.txt")|Kelmar error: cannot read DOS source file.|nil
(acadhost-traces)||("kelmar: exception in kel_dos2unix\n")
(vl-filename-base (kel_dos2unix "dos.txt" "unix.txt"))||"unix"
(acadhost-traces)||nil
EOF
same 0 "$status" "exit status"
same "" "$err" "no self-check of the host trips"

finish
