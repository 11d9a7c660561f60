#!/usr/bin/env python3
"""The bad-input matrix: calls for every function of the module's table, and their checks.

  matrix.py calls TABLE NAMES        prints the LISP of every call, NAMES the table's names
  matrix.py check TABLE NAMES TRANSCRIPT
                                     checks what each call printed and returned
  matrix.py messages TRANSCRIPT      what each function printed: NAME<TAB>LINE, once each

A call may print at most one line, a message of the module's table (host/messages.h); its result must be one the
function's row allows; it must make no window and trip no self-check of the host.
"""
import re
import sys

import catalogue

KINDS = [
    ("short", "1"), ("long", "100000"), ("real", "1.5"), ('str', '"m"'), ("nil", "nil"), ("T", "T"),
    ("list", '(list 1 "m")'), ("point2", "(list 1.0 2.0)"), ("point3", "(list 1.0 2.0 3.0)"),
    ("pair", "(cons 1 2)"),
]
LENGTHS = [255, 256, 259, 260, 1023, 1024, 32767]
BAD_LISTS = [
    ("nested", '(list (list 1 (list 2 "m")))'), ("empty", "nil"), ("improper", '(cons 1 "m")'),
    ("mixed", '(list 1 "m" 1.5 T)'), ("nils", "(list nil)"), ("pairs", "(list (cons 1 2) (cons 3 4))"),
]


def split_args(text):
    """The arguments of a call as LISP source pieces: strings, lists and atoms."""
    args, i = [], 0
    while i < len(text):
        c = text[i]
        if c.isspace():
            i += 1
        elif c == '"':
            j = text.index('"', i + 1)
            args.append(text[i:j + 1])
            i = j + 1
        elif c == "(":
            depth, j = 0, i
            while True:
                depth += {"(": 1, ")": -1}.get(text[j], 0)
                j += 1
                if depth == 0:
                    break
            args.append(text[i:j])
            i = j
        else:
            j = i
            while j < len(text) and not text[j].isspace():
                j += 1
            args.append(text[i:j])
            i = j
    return args


def read_table(path):
    rows = {}
    for line in open(path):
        if not line.strip() or line.startswith("#"):
            continue
        name, valid, results, skip, acts = [f.strip() for f in line.split("|")]
        fits = []
        skips = set()
        for token in skip.split():
            if token.startswith("fits:"):
                fits = [int(n) for n in token[5:].split(",")]
            else:
                skips.add(token)
        rows[name] = {"valid": split_args(valid), "results": set(results.split()), "skip": skips, "fits": fits,
                      "acts": acts}
    return rows


def calls(row, name):
    """(id, LISP call) for every shape of one function that the row does not skip."""
    skip = row["skip"]
    if "all" in skip:
        return
    valid = row["valid"]
    if "none" not in skip:
        yield "none", "(%s)" % name
    for kind, value in KINDS:
        if kind not in skip:
            yield kind, "(%s %s)" % (name, value)
    if "valid" not in skip:
        yield "valid", "(%s %s)" % (name, " ".join(valid))
    if "extra" not in skip:
        yield "extra", "(%s %s 1)" % (name, " ".join(valid))
    strings = [k for k, a in enumerate(valid) if a.startswith('"')]
    for place, k in enumerate(strings):
        for length in LENGTHS:
            fits = row["fits"]
            if place < len(fits) and length < fits[place]:
                continue
            args = valid[:k] + ["@s%d" % length] + valid[k + 1:]
            yield "arg%d-%d" % (k + 1, length), "(%s %s)" % (name, " ".join(args))
    for k, a in enumerate(valid):
        if a.startswith("(list"):
            for what, value in BAD_LISTS:
                args = valid[:k] + [value] + valid[k + 1:]
                yield "arg%d-%s" % (k + 1, what), "(%s %s)" % (name, " ".join(args))


def print_calls(table, names_file):
    rows = read_table(table)
    print("(defun @m (id) (princ (strcat \"\\n@@ \" id \" \" (itoa (acadhost-windows)) \" \""
          " (rtos (acadhost-clock) 2 0) \"\\n\")) 'mark)")
    for length in LENGTHS:
        print('(setq @s%d "%s")' % (length, "m" * length))
    for name in open(names_file).read().split():
        for shape, call in calls(rows.get(name, {"valid": [], "results": set(), "skip": {"all"}, "fits": []}),
                                 name):
            print('(@m "%s:%s")' % (name, shape))
            print(call)
    print('(@m "end")')


def result_kind(line):
    if line == "=>":
        return "void"
    if line == "; error: ADS request error":
        return "error"
    value = line[3:] if line.startswith("=> ") else None
    if value is None:
        return None
    if value == "nil":
        return "nil"
    if value == "T":
        return "T"
    if value.startswith('"'):
        return "str"
    if value.startswith("("):
        return "list"
    if re.fullmatch(r"-?\d+", value):
        return "int"
    if re.fullmatch(r"-?[\d.]+(e[-+]?\d+)?", value):
        return "real"
    return None


def calls_made(lines):
    """(its mark's fields, the next mark's fields, its lines) for each call of a transcript.
    The mark's own echo follows it; the call's lines end with its result."""
    marks = [(k, line) for k, line in enumerate(lines) if line.startswith("@@ ")]
    for (k, mark), (k_next, mark_next) in zip(marks, marks[1:]):
        yield mark.split(), mark_next.split(), [l for l in lines[k + 2:k_next] if l.strip()]


def check(table, names_file, transcript):
    rows = read_table(table)
    names = open(names_file).read().split()
    known = catalogue.matcher()
    failures = []
    for name in names:
        if name not in rows:
            failures.append("%s: the function has no row in the table" % name)
    for name in rows:
        if name not in names:
            failures.append("%s: a row for a function the module does not have" % name)

    lines = open(transcript, encoding="latin-1").read().split("\n")
    marks = [(k, line) for k, line in enumerate(lines) if line.startswith("@@ ")]
    if not marks or marks[-1][1].split()[1] != "end":
        last = marks[-1][1] if marks else "(none)"
        failures.append("the run stopped after %s" % last)
    count = 0
    times = []
    for mark, mark_next, body in calls_made(lines):
        _, ident, windows, clock = mark
        windows_after = mark_next[2]
        times.append((float(mark_next[3]) - float(clock), ident))
        name = ident.split(":")[0]
        row = rows.get(name)
        count += 1
        problems = []
        if not body:
            problems.append("no result")
        else:
            said, result = body[:-1], body[-1]
            kind = result_kind(result)
            if kind is None:
                problems.append("an unexpected last line %r" % result[:120])
            elif row and kind not in row["results"] | {"nil"}:
                problems.append("result %s (%s) is not one of %s" % (kind, result[:60], sorted(row["results"])))
            if len(said) > 1:
                problems.append("%d lines printed" % len(said))
            for line in said:
                if line.startswith("acadhost: "):
                    problems.append("self-check: " + line)
                elif not known(line):
                    problems.append("an unknown line %r" % line[:120])
        if windows_after != windows:
            problems.append("made a window")
        for p in problems:
            failures.append("%s: %s" % (ident, p))
    for f in failures:
        print("FAIL: " + f)
    for us, ident in sorted(times, reverse=True)[:8]:
        print("slow: %s %.0f ms" % (ident, us / 1000))
    print("%d calls, %d failures" % (count, len(failures)))
    return 1 if failures else 0


def messages(transcript):
    """Every line each function printed in the matrix, as NAME<TAB>LINE, once each."""
    lines = open(transcript, encoding="latin-1").read().split("\n")
    seen = set()
    for mark, _, body in calls_made(lines):
        name = mark[1].split(":")[0]
        for line in body[:-1]:
            if (name, line) not in seen:
                seen.add((name, line))
                print("%s\t%s" % (name, line))


if __name__ == "__main__":
    if sys.argv[1] == "calls":
        print_calls(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "check":
        sys.exit(check(*sys.argv[2:5]))
    elif sys.argv[1] == "messages":
        messages(sys.argv[2])
