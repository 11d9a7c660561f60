# Shared by the shell tests: one ok line per fact, a summary, and a way to run forms.
# shellcheck shell=bash
set -u
TESTS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TESTS_DIR/../scripts/lib/wine.sh"
WORK=$(mktemp -d /tmp/kelmar-test.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
passed=0 failed=0

# ok CONDITION-STATUS MESSAGE: use as `[ ... ]; ok "what"`.
ok() {
    local rc=$?
    if [ $rc -eq 0 ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL (line ${BASH_LINENO[0]}): $*" >&2
    fi
}

# same EXPECTED ACTUAL MESSAGE
same() {
    if [ "$1" == "$2" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        printf 'FAIL (line %s): %s\n  expected: %q\n  got:      %q\n' "${BASH_LINENO[0]}" "$3" "$1" "$2" >&2
    fi
}

# lisp 'FORMS' [scripts/lisp options]: runs the forms; sets $out, $err and $status.
lisp() {
    local forms=$1
    shift
    printf '%s\n' "$forms" >"$WORK/forms.lsp"
    status=0
    (cd "$WORK" && "$TESTS_DIR/../scripts/lisp" "$@" "$WORK/forms.lsp" >"$WORK/out" 2>"$WORK/err") || status=$?
    out=$(cat "$WORK/out")
    err=$(cat "$WORK/err")
}

# Runs a command in the Wine prefix (the registry tools, say), holding it meanwhile.
in_prefix() {
    (kelmar_prefix && kelmar_noclock "$@")
}

finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
