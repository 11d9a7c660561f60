# The host's prompt at a terminal, typed as a person types (python3-pexpect drives a real
# terminal): a continued line prompts "(_> " with one parenthesis per open list, !name
# prints a variable, getstring reads the command line, and Ctrl-D or (quit) ends the host
# with status 0.
source "$(dirname "$0")/lib.sh"

python3 - "$TESTS_DIR/../scripts/lisp" "$WORK" <<'PY'
import sys, pexpect
lisp, work = sys.argv[1], sys.argv[2]
failed = 0

def session():
    child = pexpect.spawn(lisp, ["--echo"], cwd=work, encoding="utf-8", timeout=60)
    child.expect_exact("Command: ")
    return child

def step(child, typed, shown):
    global failed
    child.sendline(typed)
    try:
        child.expect_exact(shown)
    except pexpect.TIMEOUT:
        failed += 1
        print(f"FAIL: after {typed!r} expected {shown!r}, got {child.before!r}")

def ends(child, what):
    global failed
    child.expect(pexpect.EOF)
    child.close()
    if child.exitstatus != 0:
        failed += 1
        print(f"FAIL: {what}: exit status {child.exitstatus}")

child = session()
for typed, shown in [
    ("(+ 1", "(_> "),
    ("(* 2", "((_> "),
    ("3))", "=> 7"),
    ('(setq name "plan.dwg" n (strlen name))', "=> 8"),
    ("!name", '"plan.dwg"\r\n'),
    ("!(list n n)", "(8 8)\r\n"),
    ('(strcat "a', '("_> '),
    ('b")', '=> "a\\nb"'),  # the string holds the newline typed
    ('(getstring T "Name: ")', "Name: "),
    ("Ann Lee", '=> "Ann Lee"'),
    ("(princ)", "=>\r\n"),
]:
    step(child, typed, shown)
child.expect_exact("Command: ")
child.sendeof()
ends(child, "Ctrl-D")

child = session()
step(child, '(defun *error* (msg) (princ (strcat "bye: " msg)))', "=> *ERROR*")
step(child, "(quit)", "bye: quit / exit abort")
ends(child, "(quit)")
sys.exit(1 if failed else 0)
PY
same 0 $? "the terminal session"
finish
