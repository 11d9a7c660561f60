# Printers and raw spooling against a private print server of the test's own: it listens on
# a socket in the test's folder only, and its printers hand each job to a capture backend
# that writes it to a file.
source "$(dirname "$0")/lib.sh"
kelmar_display  # the tools that listen and hold files need one

chmod 755 "$WORK"  # the server's jobs run as lp
cups=$WORK/cups
jobs=$WORK/jobs
mkdir -p "$cups"/{conf,spool,cache,state,log,bin/backend} "$jobs"
chmod 1777 "$jobs"
chown lp:lp "$cups"/{spool,cache,state,log}
for d in daemon notifier filter; do
    [ -e "/usr/lib/cups/$d" ] && ln -s "/usr/lib/cups/$d" "$cups/bin/$d"
done
cat >"$cups/bin/backend/capture" <<'EOF'
#!/bin/sh
# Without arguments it lists itself; with a job it writes the job to the folder of its URI.
[ $# -eq 0 ] && { echo 'direct capture "Unknown" "Capture"'; exit 0; }
if [ $# -ge 6 ]; then cat "$6"; else cat; fi >"${DEVICE_URI#capture:}/job-$1.part"
mv "${DEVICE_URI#capture:}/job-$1.part" "${DEVICE_URI#capture:}/job-$1"
EOF
chmod 755 "$cups/bin/backend/capture"
cat >"$cups/conf/cups-files.conf" <<EOF
User lp
Group lp
ServerRoot $cups/conf
ServerBin $cups/bin
RequestRoot $cups/spool
CacheDir $cups/cache
StateDir $cups/state
TempDir $cups/spool
AccessLog $cups/log/access_log
ErrorLog $cups/log/error_log
PageLog $cups/log/page_log
DataDir /usr/share/cups
EOF
cat >"$cups/conf/cupsd.conf" <<EOF
Listen $cups/socket
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Policy default>
<Limit All>
Order allow,deny
Allow all
</Limit>
</Policy>
EOF
# Three raw queues: a short name, and the longest and shortest names whose device line
# ("NAME,wineps.drv,CUPS:NAME") does and does not fit 259 bytes.
fits=$(printf 'f%.0s' {1..121})
toolong=$(printf 'g%.0s' {1..122})
for name in capture "$fits" "$toolong"; do
    printf '<Printer %s>\nDeviceURI capture:%s\nState Idle\nAccepting Yes\nShared No\n</Printer>\n' "$name" "$jobs"
done >"$cups/conf/printers.conf"

cupsd -f -c "$cups/conf/cupsd.conf" -s "$cups/conf/cups-files.conf" >"$cups/log/stdout" 2>&1 &
cupsd_pid=$!
kelmar_at_exit 'kill "$cupsd_pid" 2>/dev/null; wait "$cupsd_pid" 2>/dev/null'
for _ in $(seq 50); do [ -S "$cups/socket" ] && break; sleep 0.1; done
[ -S "$cups/socket" ]; ok "the print server listens"
export CUPS_SERVER=$cups/socket

# job_after N: waits for the job after the first N jobs, then names its file.
job_after() {
    local k
    for k in $(seq 100); do
        [ "$(find "$jobs" -name 'job-*[0-9]' | wc -l)" -gt "$1" ] && break
        sleep 0.1
    done
    find "$jobs" -name 'job-*[0-9]' -newer "$WORK/mark" | head -1
}

# Every byte value, both line ends and a run of zeros: the job must be this file exactly.
{ printf '\x1bE%%-12345X\r\nline\n'; for b in $(seq 0 255); do printf "\\x$(printf %02x "$b")"; done; head -c 4096 /dev/zero; } >"$WORK/plot.prn"
: >"$WORK/empty.prn"
printf 'small' >"$WORK/small.prn"
truncate -s 5G "$WORK/huge.prn"
win=$(kelmar_winpath "$WORK")
fwd=${win//\\//}

touch "$WORK/mark"
spooled="\"${win//\\/\\\\}\\\\plot.prn\""
rows <<EOF
(kel_printers)||("capture" "$fits" "$toolong")
(kel_spool "$fwd/plot.prn" "capture")||$spooled
EOF
job=$(job_after 0)
[ -n "$job" ] && cmp -s "$job" "$WORK/plot.prn"; ok "the spooled file reached the printer byte for byte"

# kel_setprn then kel_getprn; a device line too long, and an unknown name, leave the default.
rows <<EOF
(kel_setprn "capture")||"capture"
(kel_getprn)||"capture"
(kel_setprn "$fits")||"$fits"
(kel_getprn)||"$fits"
(kel_setprn "$toolong")
(kel_getprn)||"$fits"
(kel_setprn "no such printer")
(kel_getprn)||"$fits"
(kel_setprn "capture")||"capture"
EOF

# The profile change is broadcast to every top-level window: null for the NT family.
wintool_start ready inichange 20000
lisp '(kel_setprn "capture")'
tool_wait
same "inichange null" "$(tail -1 <<<"$tool_out")" "kel_setprn broadcasts WM_WININICHANGE without a section"

# Orientation: landscape with a flag, portrait without; the printer keeps it.
lisp '(kel_orient "capture" T)' --echo
same "=> T" "$(tail -1 <<<"$out")" "kel_orient with T"
same "orientation 2" "$(wintool orientation capture)" "the printer is landscape"
lisp '(kel_orient "capture")'
same "orientation 1" "$(wintool orientation capture)" "the printer is portrait again"
rows <<'EOF'
(kel_orient "capture" nil)|Kelmar error: invalid argument.
(kel_orient "no such printer")
(kel_orient "no such printer" T)
(kel_orient)|Kelmar error: too few arguments.
(kel_orient 1)|Kelmar error: string argument expected.
EOF

# Every spool failure a test can provoke, each with its message and nil. A name that is
# in the profile's device list but not a printer gets as far as opening the printer.
wintool_start held hold "$win\\plot.prn" 20000
ini='"c:\\windows\\win.ini"'
rows <<EOF
(kel_spool "$fwd/missing.prn" "no such printer")|Kelmar error:  printer not found.
(kel_spool "$fwd/missing.prn" "capture")|Kelmar error:  invalid file handle.
(kel_spool "$fwd/plot.prn" "capture")|Kelmar error:  invalid file handle.
(kel_spool "$fwd/huge.prn" "capture")|Kelmar error:  invalid file handle.
(kel_spool "$fwd/empty.prn" "capture")|Kelmar error:  cannot create file mapping.
(kel_setini "devices" "ghost" "winspool,LPT9:" "c:/windows/win.ini")||$ini
(kel_spool "$fwd/small.prn" "ghost")|Kelmar error:  cannot open printer.
(kel_setini "devices" "ghost" nil "c:/windows/win.ini")||$ini
(kel_spool "$fwd/small.prn" "ghost")|Kelmar error:  printer not found.
(kel_spool)|Kelmar error: too few arguments.
(kel_spool "a")|Kelmar error: too few arguments.
(kel_spool 1 "capture")|Kelmar error: path argument expected.
(kel_spool "a" 1)|Kelmar error: string argument expected.
(kel_spool "a" "b" "c")|Kelmar error: too many arguments.
EOF
kill "$tool_pid" 2>/dev/null
tool_wait

# More printers than the 1,024 bytes the list is read into: the system cuts the name that
# does not fit and ends the list with it; that piece is no printer and is left out.
tail=$(printf 'q%.0s' {1..60})-end
lisp "(setq k 0 names nil)
(repeat 20 (kel_setini \"devices\" (strcat \"ghost\" (itoa (setq k (1+ k))) \"-$tail\") \"winspool,LPT9:\" \"c:/windows/win.ini\"))
(setq names (kel_printers))
(< 3 (length names) 23)
(vl-every '(lambda (n) (or (member n '(\"capture\" \"$fits\" \"$toolong\")) (wcmatch n \"ghost#*-$tail\"))) names)
(setq k 0)
(repeat 20 (kel_setini \"devices\" (strcat \"ghost\" (itoa (setq k (1+ k))) \"-$tail\") nil \"c:/windows/win.ini\"))
(length (kel_printers))" --echo
same $'=> T\n=> T' "$(sed -n 7,8p <<<"$out")" "a list cut to its buffer holds whole names only"
same '=> 3' "$(tail -n 1 <<<"$out")" "the three printers again once the others are gone"

# Argument errors of the other four.
rows <<'EOF'
(kel_printers 1)|Kelmar error: too many arguments.
(kel_getprn 1)|Kelmar error: too many arguments.
(kel_setprn)|Kelmar error: too few arguments.
(kel_setprn 1)|Kelmar error: string argument expected.
(kel_setprn "capture" 1)|Kelmar error: too many arguments.
EOF

# Wine's spooler on the Windows 95/98 family: it looks for the printer's driver in the
# "Windows 4.0" environment, where Wine installs none, so ending the document fails, no job
# reaches the server, and the orientation can't be set. Real Windows 98 spools here.
count=$(find "$jobs" -name 'job-*[0-9]' | wc -l)
# Wine difference: the Windows 98 family can't end a spooled document.
rows --winver win98 <<EOF
(kel_spool "$fwd/plot.prn" "capture")|Kelmar error:  cannot end document.
(kel_orient "capture" T)
EOF
sleep 1
same "$count" "$(find "$jobs" -name 'job-*[0-9]' | wc -l)" "and no job arrives"
wintool_start ready inichange 20000
lisp '(kel_setprn "capture")' --winver win98
tool_wait
same "inichange windows" "$(tail -1 <<<"$tool_out")" "the Windows 98 family broadcasts the section \"windows\""

# A server that is not there: Wine drops its printers, and no default printer is left.
CUPS_SERVER=$WORK/no-server rows <<'EOF'
(kel_printers)
(kel_getprn)
(kel_setprn "capture")
EOF

finish
