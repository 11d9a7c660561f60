# Shared by the shell tests: one ok line per fact, a summary, and a way to run forms.
# shellcheck shell=bash
set -u
TESTS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TESTS_DIR/../scripts/lib/wine.sh"
WORK=$(mktemp -d /tmp/kelmar-test.XXXXXX)
# Screenshots and figures a test leaves: build/test-artifacts for the 32-bit build, its
# win64 folder for the 64-bit one, so that the two builds' tests, run side by side, keep
# their own.
ARTIFACTS=$TESTS_DIR/../build/test-artifacts
[ "$KELMAR_ARCH" = 64 ] && ARTIFACTS=$ARTIFACTS/win64
mkdir -p "$ARTIFACTS"
kelmar_at_exit 'rm -rf "$WORK"'
passed=0 failed=0

# ok CONDITION-STATUS MESSAGE: use as `[ ... ]; ok "what"`. The message must run no command:
# the status of a $(...) in it would stand in for the condition's.
ok() {
    local rc=$?
    if [ $rc -eq 0 ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL (line ${BASH_LINENO[0]}): $*" >&2
        last_run
    fi
}

# same EXPECTED ACTUAL MESSAGE
same() {
    if [ "$1" == "$2" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        printf 'FAIL (line %s): %s\n  expected: %q\n  got:      %q\n' "${BASH_LINENO[0]}" "$3" "$1" "$2" >&2
        last_run
    fi
}

# After a failure: how the last host run ended, when it did not end well or said something
# on standard error.
last_run() {
    [ "${status:-0}" -eq 0 ] && [ -z "${err:-}" ] && return 0
    echo "  the last host run ended with status ${status:-0}; its standard error:" >&2
    show_err
}
show_err() {
    head -n 10 <<<"${err:-}" | sed 's/^/    /' >&2
}
# never_started: whether the last host run ended badly without a word of its own, as when
# Wine under load now and then fails to start a program at all; says so when it did.
never_started() {
    [ "$status" -ne 0 ] && [ -z "$out" ] && [[ $err != *acadhost:* ]] && [[ $err != usage:* ]] || return 1
    echo "note (line ${BASH_LINENO[1]}): the host printed nothing and ended with status $status; run again" >&2
    show_err
}

# host_errors: $err, what the host run printed on standard error, less a fault of one of
# Wine's helper processes when the host ended normally (kelmar_helper_faults).
host_errors() {
    kelmar_helper_faults "$WORK/err" "$status"
    err=$(cat "$WORK/err")
}
# lisp 'FORMS' [scripts/lisp options]: runs the forms; sets $out, $err and $status.
lisp() {
    local forms=$1
    shift
    printf '%s\n' "$forms" >"$WORK/forms.lsp"
    run_forms "$@"
    if never_started; then
        sleep 1
        run_forms "$@"
    fi
}
# A host run has ten minutes at the most, a hundred times a normal one, unless a test that
# runs long on purpose sets HOST_LIMIT (seconds); scripts/lisp ends its host on the signal.
run_forms() {
    status=0
    (cd "$WORK" && timeout "${HOST_LIMIT:-600}" "$TESTS_DIR/../scripts/lisp" "$@" "$WORK/forms.lsp" >"$WORK/out" 2>"$WORK/err") ||
        status=$?
    out=$(cat "$WORK/out")
    host_errors
    if [ "$status" = 124 ]; then
        failed=$((failed + 1))
        echo "FAIL (line ${BASH_LINENO[1]}): the host was still running 600 s on; ended" >&2
    fi
}

# Runs a command in the Wine prefix (the registry tools, say), holding it meanwhile.
in_prefix() {
    (kelmar_prefix && kelmar_noclock "$@")
}

finish() {
    [ -f "$WORK/late-failures" ] && failed=$((failed + $(wc -l <"$WORK/late-failures")))
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

# lisp_start 'FORMS' [options]: runs the forms in the background; lisp_wait collects the
# results as lisp does. Meanwhile the prefix is the background run's: what the test runs
# beside it does not take the lock.
lisp_start() {
    local forms=$1
    shift
    printf '%s\n' "$forms" >"$WORK/forms.lsp"
    : >"$WORK/out"  # nothing of an earlier run is read as this one's
    (cd "$WORK" && exec "$TESTS_DIR/../scripts/lisp" "$@" "$WORK/forms.lsp" >"$WORK/out" 2>"$WORK/err") &
    lisp_pid=$!
}
# lisp_dialog 'FORMS' TITLE [options]: lisp_start, then waits for the window TITLE ($dlg).
# Under qemu's emulation a host still running without it 20 s on is ended and run again, up
# to seven times: Wine's file dialog there never opens in about one start of five, the host
# waiting on it for ever (its main thread ends up waiting on the wake-up pipe of the thread
# the dialog starts, which nothing writes to); each start is a fresh chance, and four in a row
# have failed.
lisp_dialog() {
    local forms=$1 title=$2 tries=1
    shift 2
    lisp_start "$forms" "$@"
    until dialog "$title"; do
        [ -n "${KELMAR_EMULATED:-}" ] && [ "$tries" -lt 8 ] && kill -0 "$lisp_pid" 2>/dev/null || return 1
        echo "note (line ${BASH_LINENO[0]}): no window \"$title\" 20 s on under emulation; the host is ended and run again" >&2
        kill "$lisp_pid" 2>/dev/null
        host_ends 30 || kill -KILL "$lisp_pid" 2>/dev/null
        wait "$lisp_pid" 2>/dev/null
        tries=$((tries + 1))
        lisp_start "$forms" "$@"
    done
}
lisp_wait() {
    # A host left waiting on a window no action reached would hold the test for ever.
    if ! host_ends 120; then
        failed=$((failed + 1))
        local shot=$ARTIFACTS/stuck-$(basename "$0" .sh)-${BASH_LINENO[0]}.png
        echo "FAIL (line ${BASH_LINENO[0]}): the host was still running 120 s on; ended (the desktop: $shot)" >&2
        screenshot "$KELMAR_SCREEN+0+0" "$shot"
        wintool list | head -n 20 | sed 's/^/    /' >&2
        kill "$lisp_pid" 2>/dev/null
    fi
    status=0
    wait "$lisp_pid" || status=$?
    out=$(cat "$WORK/out")
    host_errors
}

# wintool ARGS: lists or waits for windows on the Wine desktop (see tests/tools/wintool.cpp).
# A window found by wait is given a moment to take input.
wintool() {
    kelmar_noclock wine "$KELMAR_BIN/wintool.exe" "$@" | tr -d '\r'
    local rc=${PIPESTATUS[0]}
    [ "$1" = wait ] && sleep 0.3
    return "$rc"
}
# wintool_start WORD ARGS: runs wintool in the background until it prints WORD (it holds a
# file, say, or listens); its pid is $tool_pid and its output $WORK/tool.out. tool_wait ends it.
wintool_start() {
    local word=$1
    shift
    (kelmar_noclock_exec wine "$KELMAR_BIN/wintool.exe" "$@" >"$WORK/tool.out") &
    tool_pid=$!
    for _ in $(seq 1 100); do grep -q "$word" "$WORK/tool.out" 2>/dev/null && break; sleep 0.1; done
}
tool_wait() {
    local tenths=600
    while kill -0 "$tool_pid" 2>/dev/null && ((tenths-- > 0)); do sleep 0.1; done
    if kill -0 "$tool_pid" 2>/dev/null; then
        failed=$((failed + 1))
        echo "FAIL (line ${BASH_LINENO[0]}): the wintool started in the background was still running 60 s on; ended" >&2
        kill "$tool_pid" 2>/dev/null
    fi
    wait "$tool_pid" 2>/dev/null
    tool_out=$(tr -d '\r' <"$WORK/tool.out")
}

# The X window of Wine's desktop, where every Windows window lives; it appears with the first
# Wine program that has a window. None within 10 s is a failure of the test, counted even
# from inside $(...), and nothing is printed for a caller to act on.
desktop() {
    local id
    for _ in $(seq 1 100); do
        id=$(xdotool search --name 'Wine desktop' 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    late_failure "no Wine desktop window on display ${DISPLAY:-(none)} within 10 s"
    return 1
}
# late_failure MESSAGE: a failure found where the count cannot be kept (inside $(...));
# finish adds it.
late_failure() {
    echo "FAIL (line ${BASH_LINENO[1]}): $*" >&2
    echo "$*" >>"$WORK/late-failures"
}
# screenshot WxH+X+Y FILE: that part of the desktop as a picture, within 30 s.
screenshot() {
    local d
    d=$(desktop) || return 1
    timeout 30 import -window "$d" -crop "$1" +repage "$2" ||
        late_failure "the screenshot $2 was not taken within 30 s"
}
# click X Y: a left click at desktop coordinates. key KEYS: key presses to the active
# window. Both are real input events (XTEST); Wine ignores events sent to a window.
click() {
    if [ $# -lt 2 ]; then
        failed=$((failed + 1))
        echo "FAIL (line ${BASH_LINENO[1]}): nowhere to click: the control or item was not found" >&2
        return 1
    fi
    local d
    d=$(desktop) || return 1
    xdotool mousemove --window "$d" 1 1 sleep 0.1 mousemove --window "$d" "$1" "$2" sleep 0.1 click 1
}
key() {
    xdotool key "$@"
}
# dialog TITLE: waits for the window; $dlg is then its wintool listing (first line the
# window, then its controls).
dialog() {
    dlg=$(wintool wait "$1" 20000)
}
# at ID: the middle of control ID of $dlg. press ID: a click there. ID is a number or a
# name (see control_id).
at() {
    centre "$(grep -E "^  $(number_of "$1") " <<<"$dlg" | head -1)"
}
press() {
    # shellcheck disable=SC2046
    click $(at "$1")
}
# rect_of ID: the X,Y,W,H of control ID of $dlg ("window" for the window itself).
rect_of() {
    if [ "$1" = window ]; then head -1 <<<"$dlg"; else grep -E "^  $(number_of "$1") " <<<"$dlg" | head -1; fi | sed 's/.* //'
}
# shot NAME: the window of $dlg as it is now, kept as $ARTIFACTS/NAME.png.
shot() {
    local x y w h
    IFS=, read -r x y w h <<<"$(rect_of window)"
    screenshot "${w}x${h}+${x}+${y}" "$ARTIFACTS/$1.png"
}
# drag X Y DX DY: the left button held from X,Y to X+DX,Y+DY, as a hand drags a frame.
drag() {
    local d
    d=$(desktop) || return 1
    xdotool mousemove --window "$d" "$1" "$2" sleep 0.2 mousedown 1 sleep 0.2 \
        mousemove --window "$d" $(($1 + $3 / 2)) $(($2 + $4 / 2)) sleep 0.2 \
        mousemove --window "$d" $(($1 + $3)) $(($2 + $4)) sleep 0.2 mouseup 1 sleep 0.3
}

# answer 'FORMS' TITLE ACTION...: runs the forms, waits for the window TITLE, acts on it as
# a person would (ACTION and its arguments), and leaves the last line printed in $got.
answer() {
    if ! lisp_dialog "$1" "$2" --echo && ! kill -0 "$lisp_pid" 2>/dev/null; then
        lisp_wait
        if never_started; then
            lisp_dialog "$1" "$2" --echo
        else
            got=$(tail -n 1 <<<"$out")  # it ended without the window: nothing to act on
            return
        fi
    fi
    local title=$2
    shift 2
    "$@"
    # Under load Xvfb and Wine now and then lose a key or a click: a window still open long
    # after the action is acted on once more, and a second miss ends the host, failing. The
    # window is read again first: one still being laid out when it was first read (the
    # system's file dialog) may since have moved its controls.
    if ! host_ends 20 && showing "$title"; then
        local before
        before=$(rect_of window)
        dialog "$title"
        echo "note (line ${BASH_LINENO[0]}): \"$title\" is still open 20 s after the action; acting again" \
             "(window then: $before, now: $(rect_of window))" >&2
        "$@"
        if ! host_ends 20 && showing "$title"; then
            failed=$((failed + 1))
            echo "FAIL (line ${BASH_LINENO[0]}): \"$title\" stayed open after the action twice; host ended" >&2
            kill "$lisp_pid" 2>/dev/null
        fi
    fi
    lisp_wait
    got=$(tail -n 1 <<<"$out")
}
# host_ends SECONDS: whether the background host ends within that time.
host_ends() {
    local tenths=$(($1 * 10))
    while kill -0 "$lisp_pid" 2>/dev/null; do
        ((tenths-- > 0)) || return 1
        sleep 0.1
    done
}
# showing TITLE: whether a window of that title is on the desktop.
showing() {
    ! wintool gone "$1" 0
}
# close_box: a click on the close box of the window of $dlg.
close_box() {
    local x y w h
    IFS=, read -r x y w h <<<"$(rect_of window)"
    click $((x + w - 12)) $((y + 12))
}

# list_item TITLE ID INDEX [DX]: the middle of item INDEX of list ID of window TITLE on the
# screen, or the point DX pixels in from its left edge.
list_item() {
    local line
    for _ in $(seq 1 20); do  # a list just shown may not be laid out yet: up to 2 s
        line=$(wintool items "$1" "$2" "$3" | grep "^$3 ")
        [[ $line =~ at\ ([0-9]+),([0-9]+)\ left\ ([0-9]+)$ ]] && break
        sleep 0.1
    done
    [[ $line =~ at\ ([0-9]+),([0-9]+)\ left\ ([0-9]+)$ ]] || return 1
    if [ -n "${4:-}" ]; then
        echo "$((BASH_REMATCH[3] + $4)) ${BASH_REMATCH[2]}"
    else
        echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
    fi
}

# centre LINE: the middle of the X,Y,W,H at the end of a wintool line.
centre() {
    local r=${1##* }
    IFS=, read -r x y w h <<<"$r"
    echo "$((x + w / 2)) $((y + h / 2))"
}

# For scripts that wait between forms while the test acts (the host's loop runs between
# forms): hold N prints forms that wait a twentieth of a second each until the test makes
# the file goN in the script's folder (go N); reached N waits for the line @N the script
# prints.
hold() {
    rm -f "$WORK/go$1"
    for _ in $(seq 1 300); do echo "(if (not (kel_filep \"go$1\")) (acadhost-sleep 50))"; done
}
go() {
    touch "$WORK/go$1"
}
reached() {
    for _ in $(seq 1 300); do
        grep -q "^@$1\$" "$WORK/out" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# control_id NAME: a control's id by its name: the dialogs' own from resources/resource.h, those
# the dialogs make (the size grip, the property list's editor) from dialogs/, the system's
# buttons (IDOK ... IDNO) as Windows numbers them. control_ids NAME...: sets a variable of each name to its id.
control_id() {
    local v
    case $1 in
        IDOK) v=1 ;; IDCANCEL) v=2 ;; IDABORT) v=3 ;; IDRETRY) v=4 ;; IDIGNORE) v=5 ;; IDYES) v=6 ;; IDNO) v=7 ;;
        *)
            v=$(sed -nE "s/^#define $1 ([0-9]+)\$/\\1/p" "$TESTS_DIR/../resources/resource.h")
            [ -n "$v" ] || v=$(cat "$TESTS_DIR"/../dialogs/*.h "$TESTS_DIR"/../dialogs/*.cpp |
                sed -nE "s/^const int $1 = (0x[0-9A-Fa-f]+|[0-9]+);.*/\\1/p" | head -1)
            ;;
    esac
    [ -n "$v" ] || { echo "no control id named $1" >&2; return 1; }
    echo $((v))
}
number_of() {
    if [[ $1 =~ ^[0-9]+$ ]]; then echo "$1"; else control_id "$1"; fi
}
control_ids() {
    local name v
    for name; do
        v=$(control_id "$name") || { failed=$((failed + 1)); echo "FAIL (line ${BASH_LINENO[0]}): no control id named $name" >&2; }
        printf -v "$name" %s "$v"
    done
}

# rows [scripts/lisp options] <<EOF: a table of cases, one a line, FORM|MESSAGE|RESULT, run in
# one host: each FORM must print MESSAGE (nothing when it is empty), then echo RESULT (nil
# when it is left out). A failure names the row. Sets $out, $err and $status as lisp does.
rows() {
    local -a form message result chunk shown
    local n=0 k=-1 line f m r
    while IFS='|' read -r f m r; do
        [ -n "$f" ] || continue
        form[n]=$f message[n]=$m result[n]=${r:-nil}
        n=$((n + 1))
    done
    lisp "$(printf '%s\n' "${form[@]}")" --echo --forms "$@"
    # The output in pieces, one a form: each begins with the form's own "Command: " line.
    while IFS= read -r line; do
        if [[ $line == "Command: "* ]]; then
            k=$((k + 1))
            shown[k]=${line#Command: } chunk[k]=""
        elif [ "$k" -ge 0 ]; then
            chunk[k]+=$line$'\n'
        fi
    done <<<"$out"
    for ((k = 0; k < n; k++)); do
        local want=${message[k]:+${message[k]}$'\n'}"=> ${result[k]}"
        local got=${chunk[k]-}
        got=${got%$'\n'}
        if [ "${shown[k]-}" == "${form[k]}" ] && [ "$got" == "$want" ]; then
            passed=$((passed + 1))
        else
            failed=$((failed + 1))
            printf 'FAIL (line %s, row %s): %s\n  expected: %q\n  got:      %q\n' "${BASH_LINENO[0]}" "$((k + 1))" \
                "${form[k]}" "$want" "$got" >&2
            [ "${shown[k]-}" == "${form[k]}" ] || printf '  the form shown there: %q\n' "${shown[k]-(none)}" >&2
        fi
    done
}

# resources_held TAG MEMORY-SLACK-KB WHEN REPORT FIRST: what the host printed as
# "TAG-early (...)" and "TAG-late (...)", each what (acadhost-resources) gave, figure by
# figure: late at most 3 per cent (or a small slack) above early. WHEN says when the two were
# taken; the figures go, after the line FIRST, to $ARTIFACTS/REPORT. Wine counts no handles,
# GDI or USER objects (those calls answer 0); the open Unix file descriptors of the process
# stand in for its handles there.
resources_held() {
    local tag=$1 when=$3 report=$4 first=$5
    local names=("committed memory (kB)" handles "GDI objects" "USER objects" "open file descriptors")
    local slack=("$2" 3 2 2 2) text_early text_late k limit taken=0
    local -a early late
    text_early=$(grep -o "$tag-early (.*)" <<<"$out" | tr -d '()' | cut -d' ' -f2-)
    text_late=$(grep -o "$tag-late (.*)" <<<"$out" | tr -d '()' | cut -d' ' -f2-)
    read -r -a early <<<"$text_early"
    read -r -a late <<<"$text_late"
    [ ${#early[@]} -ge 5 ] && [ ${#late[@]} -ge 5 ] && taken=1
    [ "$taken" = 1 ]; ok "the figures were taken: [$text_early] [$text_late]"
    [ "$taken" = 1 ] || return 1
    echo "$when:"
    for k in 0 1 2 3 4; do
        limit=$((early[k] + early[k] * 3 / 100))
        [ "$limit" -lt $((early[k] + slack[k])) ] && limit=$((early[k] + slack[k]))
        [ "${late[k]}" -le "$limit" ]; ok "${names[k]}: ${early[k]}, then ${late[k]} (at most $limit)"
    done
    {
        echo "$first"
        for k in 0 1 2 3 4; do echo "${names[k]}: ${early[k]} -> ${late[k]}"; done
    } | tee "$ARTIFACTS/$report"
}
