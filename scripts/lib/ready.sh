# Makes sure the machine has what the project needs and the build is there: runs the setup
# when a tool is missing and the build when a binary is. Sourced.
kelmar_ready() {
    local root=$1 tool missing=0
    for tool in cmake i686-w64-mingw32-g++ x86_64-w64-mingw32-g++ wine Xvfb xdotool capsh; do
        command -v "$tool" >/dev/null 2>&1 || missing=1
    done
    [ -f /usr/include/gtest/gtest.h ] || missing=1
    # The 32-bit Wine: on a kernel without 32-bit support, the setup registers an emulation.
    /usr/lib/wine/wine --version >/dev/null 2>&1 || missing=1
    /usr/bin/python3 -c 'import ezdxf, PIL, markdown' >/dev/null 2>&1 || missing=1
    [ "$missing" = 0 ] || "$root/scripts/setup"
    if [ "${2:-}" = always ] || [ ! -f "$root/build/win32/bin/kelmar2k.arx" ] \
        || [ ! -f "$root/build/win64/bin/kelmar2k.arx" ]; then
        "$root/scripts/build"
    fi
}
