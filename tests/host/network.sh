# Host name, addresses, hardware address and ping, on loopback only; the failures inside a
# network namespace of the test's own, where nothing can leave the machine.
source "$(dirname "$0")/lib.sh"

lisp '(kel_hostname) (kel_ipaddress) (kel_macaddress) (kel_ping "127.0.0.1") (kel_ping "localhost")
(kel_ping) (kel_ping 1) (kel_ping "a" "b") (kel_hostname 1) (kel_ipaddress 1) (kel_macaddress 1)' --echo
lines=$(tail -n +4 <<<"$out")
same "=> \"$(hostname)\"" "$(sed -n 1p <<<"$lines")" "kel_hostname is the host's name"
line=$(sed -n 2p <<<"$lines")
[[ $line =~ ^'=> ("'[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+'"'(' "'[0-9.]+'"')*')'$ ]]; ok "kel_ipaddress: dotted addresses: $line"
line=$(sed -n 3p <<<"$lines")
[[ $line =~ ^'=> "'([0-9A-F]{2}:){5}[0-9A-F]{2}'"'$ ]]; ok "kel_macaddress: six upper-case pairs: $line"
for k in 4 5; do
    line=$(sed -n ${k}p <<<"$lines")
    [[ $line =~ ^'=> ("127.0.0.1" "'[^\"]+'" '([0-9]+)')'$ ]] && [ "${BASH_REMATCH[1]}" -lt 100 ]; ok "a loopback echo: $line"
done
same $'Kelmar error: too few arguments.\n=> nil\nKelmar error: string argument expected.\n=> nil\nKelmar error: too many arguments.\n=> nil\nKelmar error: too many arguments.\n=>\nKelmar error: too many arguments.\n=>\nKelmar error: too many arguments.\n=>' \
    "$(tail -n +6 <<<"$lines")" "arguments; the three without arguments leave the result void"

# In a namespace of its own (its loopback down), the echo finds no way and a name no
# resolver: both nil at once. Wine starts afresh inside it, so that its network service is
# the namespace's too.
in_prefix wineserver -w
# The calls are timed by the host: a Wine starting afresh may itself take seconds.
printf '(acadhost-timing T)\n(kel_ping "127.0.0.1")\n(rtos (acadhost-lastcall) 2 0)\n(kel_ping "no-such-host.invalid")\n(rtos (acadhost-lastcall) 2 0)\n' >"$WORK/ns.lsp"
nsout=$(cd "$WORK" && unshare -rn "$TESTS_DIR/../scripts/lisp" --echo "$WORK/ns.lsp" 2>&1 | tail -n 4)
same $'=> nil\n=> nil' "$(sed -n '1p;3p' <<<"$nsout")" "no route and no resolver give nil"
for k in 2 4; do
    line=$(sed -n ${k}p <<<"$nsout")
    [[ $line =~ ^'=> "'([0-9]+) ]] && [ "${BASH_REMATCH[1]}" -lt 4000000 ]
    ok "without waiting for the echo's time-out (microseconds): $line"
done
in_prefix wineserver -w

# With loopback up and a rule of the namespace dropping echo requests, the echo times out
# after 5,000 ms; with a rule answering them "host unreachable", the error reply gives nil
# too. Known difference: 32-bit Wine may wait for the time-out on an error reply as well,
# where 64-bit Wine (as Windows) ends the call when the reply comes; so only the dropped
# echo has a least wait. The host's clock times the call alone, and the most allowed is the
# time-out with a margin for a loaded machine.
printf '(acadhost-timing T)\n(kel_ping "127.0.0.1")\n(rtos (acadhost-lastcall) 2 0)\n' >"$WORK/ns.lsp"
for verdict in drop 'reject with icmp type host-unreachable'; do
    least=4900000
    [ "$verdict" != drop ] && least=0
    nsout=$(cd "$WORK" && unshare -rn sh -c "ip link set lo up &&
        nft add table inet t && nft 'add chain inet t in { type filter hook input priority 0 ; }' &&
        nft add rule inet t in icmp type echo-request $verdict && \"\$0\" --echo \"\$1\"" \
        "$TESTS_DIR/../scripts/lisp" "$WORK/ns.lsp" 2>/dev/null | tail -n 2)
    same "=> nil" "$(head -1 <<<"$nsout")" "an echo request met by $verdict gives nil"
    line=$(tr '\n' ' ' <<<"$nsout")
    [[ $(tail -1 <<<"$nsout") =~ ^'=> "'([0-9]+) ]] && [ "${BASH_REMATCH[1]}" -ge "$least" ] &&
        [ "${BASH_REMATCH[1]}" -lt 15000000 ]; ok "$verdict: after at least $least and less than 15,000,000 microseconds: $line"
    in_prefix wineserver -w
done

finish
