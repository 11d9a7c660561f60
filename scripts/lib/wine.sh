# Shared by the scripts that run Windows programs: the Wine prefix, the lock that keeps its
# registry to one user at a time, the dropped clock privilege and a display.
# Sourced; sets KELMAR_ROOT, KELMAR_BIN and WINEPREFIX.

KELMAR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# Which build runs: 32 (the module as shipped, the default) or 64. Each has a prefix of its own.
export KELMAR_ARCH=${KELMAR_ARCH:-32}
# The size of the display and of the Wine desktop that fills it.
KELMAR_SCREEN=1024x768
if [ "$KELMAR_ARCH" = 64 ]; then
    KELMAR_BIN=${KELMAR_BIN:-$KELMAR_ROOT/build/win64/bin}
    export WINEPREFIX=${WINEPREFIX:-$KELMAR_ROOT/build/wineprefix64}
    export WINEARCH=win64
    # Debian's wine command takes the 32-bit loader whenever it is installed, so a shim
    # earlier on the PATH names the 64-bit one.
    export WINELOADER=/usr/lib/wine/wine64
    kelmar_shim=$KELMAR_ROOT/build/win64/winebin
    if [ ! -x "$kelmar_shim/wine" ]; then
        mkdir -p "$kelmar_shim"
        printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$kelmar_shim/wine"
        chmod +x "$kelmar_shim/wine"
    fi
    [[ :$PATH: == *":$kelmar_shim:"* ]] || export PATH=$kelmar_shim:$PATH
else
    KELMAR_BIN=${KELMAR_BIN:-$KELMAR_ROOT/build/win32/bin}
    export WINEPREFIX=${WINEPREFIX:-$KELMAR_ROOT/build/wineprefix}
fi
# kelmar_emulation: on a kernel that runs 32-bit programs through qemu's i386 emulation
# (scripts/setup registers it), every 32-bit process that Wine starts preloads the shim
# of scripts/lib/i386-mmap.c, built here on first use; the 64-bit processes ($LIB names the
# other folder) preload an empty library, so that their loader has nothing to complain of.
kelmar_emulation() {
    # Named afresh for each build: a 32-bit run's setting passed down to a 64-bit test
    # (scripts/test sources this before ctest starts both) would claim its differences.
    unset KELMAR_EMULATED
    grep -qs '^interpreter .*qemu-i386' /proc/sys/fs/binfmt_misc/* || return 0
    local dir=$KELMAR_ROOT/build/i386-emulation/lib name=libkelmarmmap.so
    if [ ! -f "$dir/i386-linux-gnu/$name" ] || [ ! -f "$dir/x86_64-linux-gnu/$name" ] ||
        [ "$KELMAR_ROOT/scripts/lib/i386-mmap.c" -nt "$dir/i386-linux-gnu/$name" ]; then
        mkdir -p "$dir/i386-linux-gnu" "$dir/x86_64-linux-gnu"
        local flags=(-O2 -fPIC -shared -nostdlib -ffreestanding -fno-stack-protector)
        # Built aside and renamed, so that tests starting at once never load half a file.
        gcc -m32 "${flags[@]}" -o "$dir/i386-linux-gnu/$name.$$" "$KELMAR_ROOT/scripts/lib/i386-mmap.c" &&
            mv -f "$dir/i386-linux-gnu/$name.$$" "$dir/i386-linux-gnu/$name" &&
            gcc "${flags[@]}" -o "$dir/x86_64-linux-gnu/$name.$$" -x c /dev/null &&
            mv -f "$dir/x86_64-linux-gnu/$name.$$" "$dir/x86_64-linux-gnu/$name" || return 1
    fi
    export QEMU_SET_ENV="LD_PRELOAD=${dir%/lib}/\$LIB/$name"
    # Tests name what differs there (a known difference, not a failure).
    [ "$KELMAR_ARCH" = 32 ] && export KELMAR_EMULATED=i386
    return 0
}
kelmar_emulation
export WINEDEBUG=${WINEDEBUG:--all}
# No downloads of Mono or Gecko, and no dialogs asking for them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Runs a command without the privilege to set the machine's clock, and without the prefix
# lock: a wineserver it starts outlives it and must not hold the lock.
kelmar_noclock() {
    (kelmar_noclock_exec "$@")
}
# The same in place of the calling shell, so that a program started in the background with
# (kelmar_noclock_exec ...) & has the pid $! and can be ended by it.
kelmar_noclock_exec() {
    if [ "$(id -u)" = 0 ]; then
        exec capsh --drop=cap_sys_time -- -c 'exec "$@"' kelmar "$@" 9>&-
    else
        exec "$@" 9>&-
    fi
}

# Holds the prefix for this process until it exits; makes the prefix on first use. A run
# that has to wait says so at once, and names the process that holds the prefix (the lock
# file keeps the holder's process id and command).
kelmar_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    local lock="$WINEPREFIX.lock"
    exec 9<>"$lock"
    if ! flock -n 9; then
        echo "$(realpath --relative-to="$KELMAR_ROOT" "$0"): waiting for the Wine prefix $WINEPREFIX," \
            "held by process $(head -1 "$lock" 2>/dev/null)" >&2
        flock 9
    fi
    local me=$BASHPID
    echo "$me ($(ps -o args= -p "$me" 2>/dev/null))" >"$lock"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Making the Wine prefix $WINEPREFIX ..." >&2
        DISPLAY= kelmar_noclock wineboot -i >/dev/null 2>&1 || true
        kelmar_noclock wineserver -w || true
    fi
    # Wine's own TrueType fonts (Marlett draws the caption buttons, MS Sans Serif the
    # dialogs) are found only in the prefix's font folder.
    local fonts=/usr/share/wine/fonts
    if [ -f "$fonts/marlett.ttf" ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp "$fonts"/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    # Windows live in a virtual desktop: Wine draws their captions and frames, and with no
    # window manager to wait for, closing one takes no time.
    if [ ! -f "$WINEPREFIX/.kelmar-desktop" ]; then
        kelmar_noclock wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        kelmar_noclock wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$KELMAR_SCREEN" /f >/dev/null 2>&1
        touch "$WINEPREFIX/.kelmar-desktop"
        # Wine's processes started meanwhile may have no display; the next start gets one.
        kelmar_noclock wineserver -w || true
    fi
}

# Sets the Windows version Wine reports to acad.exe (empty: Wine's default).
kelmar_winver() {
    local want=$1 mark="$WINEPREFIX/.kelmar-winver" have=""
    [ -f "$mark" ] && have=$(cat "$mark")
    [ "$want" = "$have" ] && return 0
    local key='HKCU\Software\Wine\AppDefaults\acad.exe'
    if [ -n "$want" ]; then
        kelmar_noclock wine reg add "$key" /v Version /d "$want" /f >/dev/null 2>&1
    else
        kelmar_noclock wine reg delete "$key" /v Version /f >/dev/null 2>&1 || true
    fi
    echo "$want" >"$mark"
}

# kelmar_at_exit COMMAND: runs COMMAND when the script ends, before what was asked earlier:
# a test's own clean-up, then Wine's, then the display's, whoever asked first.
declare -p KELMAR_EXIT_ACTIONS >/dev/null 2>&1 || KELMAR_EXIT_ACTIONS=()  # sourced twice: kept
kelmar_at_exit() {
    KELMAR_EXIT_ACTIONS=("$1" "${KELMAR_EXIT_ACTIONS[@]}")
    trap kelmar_run_exit_actions EXIT
}
kelmar_run_exit_actions() {
    local action
    for action in "${KELMAR_EXIT_ACTIONS[@]}"; do eval "$action"; done
}

# Starts a private X server when there is no display; it ends with this process.
kelmar_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    # A Wine still running keeps its desktop on the display it had: let it end first.
    kelmar_noclock wineserver -w 2>/dev/null || true
    local fifo
    fifo=$(mktemp -u /tmp/kelmar-xvfb.XXXXXX)
    mkfifo "$fifo"
    # The server must not hold the prefix lock: killed before its trap, a run would leave it
    # running, and the prefix locked for ever. With KELMAR_XVFB_APART, in a session of its
    # own: Ctrl-C typed at a terminal does not reach it.
    ${KELMAR_XVFB_APART:+setsid} Xvfb -displayfd 3 -nolisten tcp -screen 0 ${KELMAR_SCREEN}x24 3>"$fifo" >/dev/null 2>&1 9>&- &
    KELMAR_XVFB_PID=$!
    local n
    read -r n <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$n"
    # Wine's own processes (the desktop) leave first, or they complain of the lost display.
    kelmar_at_exit 'kill "$KELMAR_XVFB_PID" 2>/dev/null'
    kelmar_at_exit 'kelmar_noclock wineserver -w 2>/dev/null'
}

# kelmar_helper_faults FILE STATUS: Wine's helper processes of the prefix write to the
# host's standard error too; a fault in one of them (seen now and then, a 64-bit helper,
# always at the same address, with the host ending normally) is not the host's, whose
# faults end it with status 3 and a line of its own. With STATUS 0, such a line is shown on
# standard output and taken out of FILE.
kelmar_helper_faults() {
    local helper='^wine: Unhandled .* starting debugger\.\.\.$'
    [ "$2" = 0 ] && grep -q "$helper" "$1" || return 0
    echo "a fault in one of Wine's helper processes, not the host's: $(grep "$helper" "$1")"
    grep -v "$helper" "$1" >"$1.kept" || true
    mv "$1.kept" "$1"
}

# Removes the drive letters mapped to folders under DIR (links in the prefix's dosdevices).
kelmar_unmap() {
    local link
    for link in "$WINEPREFIX"/dosdevices/*; do
        [[ -L $link && $(readlink "$link") == "$1"* ]] && rm -f "$link"
    done
    return 0
}

# A Unix path as Wine's Z: drive sees it.
kelmar_winpath() {
    local p
    p=$(realpath -m "$1")
    printf 'Z:%s' "${p//\//\\}"
}
