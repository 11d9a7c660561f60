#!/usr/bin/env python3
"""The manual's examples: each ```lisp block followed by a ```text block of what it prints.

  examples.py names MANUAL                 the functions the manual has a section for
  examples.py index MANUAL                 the functions of the manual's index, in its order
  examples.py script MANUAL                one LISP script of every example run together
  examples.py alone MANUAL                 the examples run on their own: NUMBER<TAB>one line of LISP
  examples.py dialogs MANUAL               the dialog examples: NUMBER<TAB>TITLE<TAB>KEYS<TAB>one line of LISP
  examples.py check MANUAL TRANSCRIPTS...  compares the transcripts with the manual; KELMAR_BLESS=1
                                           rewrites the manual's text blocks instead
  examples.py messages MANUAL SEEN         compares each entry's "Messages:" with what the bad-input
                                           matrix saw the function print (SEEN: NAME<TAB>LINE), and
                                           checks its "Other messages:" against the module's
                                           table of messages

A block's info string says how it runs: "lisp" together with the others, "lisp alone" in a
host of its own, "lisp dialog TITLE KEYS..." with a dialog driven by those keys (":text"
types text). In expected text, "..." stands for any text.
"""
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "matrix"))
import catalogue  # noqa: E402

FENCE = "```"


def examples(manual):
    """(number, how, lisp lines, index of the text block's first line, its line count)."""
    lines = open(manual).read().split("\n")
    found, i = [], 0
    while i < len(lines):
        if lines[i].startswith(FENCE + "lisp"):
            how = lines[i][len(FENCE) + 4:].strip()
            j = lines.index(FENCE, i + 1)
            code = lines[i + 1:j]
            if j + 1 < len(lines) and lines[j + 1] == FENCE + "text":
                k = lines.index(FENCE, j + 2)
                found.append((len(found) + 1, how, code, j + 2, k - (j + 2)))
                i = k + 1
                continue
            i = j + 1
        else:
            i += 1
    return lines, found


def names(manual):
    return [l[4:].strip() for l in open(manual) if re.match(r"^### kel_[a-z0-9]+\s*$", l)]


def entries(manual):
    """Each entry's name and lines, up to the next heading."""
    found, name = {}, None
    for line in open(manual).read().split("\n"):
        if line.startswith("#"):
            m = re.match(r"^### (kel_[a-z0-9]+)\s*$", line)
            name = m.group(1) if m else None
            if name:
                found[name] = []
        elif name:
            found[name].append(line)
    return found


def listed(lines, label):
    """The messages an entry lists after "- LABEL:" (the item may run on over indented
    lines), each spelt out whole in backticks."""
    for k, line in enumerate(lines):
        if line.startswith("- %s:" % label):
            item = line[len(label) + 3:]
            for more in lines[k + 1:]:
                if not more.startswith("  "):
                    break
                item += " " + more.strip()
            return re.findall(r"`([^`]+)`", item)
    return None


def check_messages(manual, seen_file):
    known = catalogue.matcher()
    seen = {}
    for line in open(seen_file, encoding="latin-1").read().split("\n"):
        if "\t" in line:
            name, message = line.split("\t", 1)
            seen.setdefault(name, set()).add(message)
    failures = 0
    for name, lines in sorted(entries(manual).items()):
        printed = seen.get(name, set())
        messages = listed(lines, "Messages")
        if messages is None:
            print("FAIL: %s: no \"- Messages:\" line" % name)
            failures += 1
            continue
        for m in sorted(printed - set(messages)):
            print("FAIL: %s prints %r, which its entry leaves out" % (name, m))
            failures += 1
        for m in sorted(set(messages) - printed):
            print("FAIL: %s lists %r, which bad input never made it print" % (name, m))
            failures += 1
        for m in listed(lines, "Other messages") or []:
            if m in printed:
                print("FAIL: %s lists %r as another message, but bad input prints it" % (name, m))
                failures += 1
            elif not known(m):
                print("FAIL: %s lists %r, which is not a message of the module" % (name, m))
                failures += 1
    print("%d entries, %d failures" % (len(entries(manual)), failures))
    return 1 if failures else 0


def matches(expected, actual):
    pattern = ".*".join(re.escape(part) for part in expected.split("..."))
    return re.fullmatch(pattern, actual) is not None


def segments(transcripts):
    """Each example's printed lines, by number, from transcripts marked with "@@ N" lines."""
    out = {}
    for path in transcripts:
        current = None
        lines = open(path, encoding="latin-1").read().split("\n")
        skip = False
        for line in lines:
            if line.startswith("@@ "):
                current = int(line.split()[1])
                out[current] = []
                skip = True  # the mark's own echo
                continue
            if skip:
                skip = False
                continue
            if current is not None and line.strip():
                out[current].append(line.rstrip("\r"))
    return out


def main():
    command, manual = sys.argv[1], sys.argv[2]
    lines, found = examples(manual)
    mark = '(princ "\\n@@ %d\\n")'
    if command == "names":
        print("\n".join(names(manual)))
    elif command == "index":
        print("\n".join(re.findall(r"\[`(kel_[a-z0-9]+)`\]\(#", open(manual).read())))
    elif command == "script":
        for number, how, code, _, _ in found:
            if how == "":
                print(mark % number)
                print("\n".join(code))
        print(mark % 0)
    elif command == "alone":
        for number, how, code, _, _ in found:
            if how == "alone":
                print("%d\t%s" % (number, " ".join(code)))
    elif command == "dialogs":
        for number, how, code, _, _ in found:
            if how.startswith("dialog "):
                m = re.match(r'dialog "([^"]*)" (.*)', how)
                print("%d\t%s\t%s\t%s" % (number, m.group(1), m.group(2), " ".join(code)))
    elif command == "messages":
        sys.exit(check_messages(manual, sys.argv[3]))
    elif command == "check":
        got = segments(sys.argv[3:])
        failures = 0
        bless = os.environ.get("KELMAR_BLESS")
        for number, how, code, start, count in reversed(found):
            actual = got.get(number)
            if actual is None:
                print("FAIL: example %d (%s) did not run" % (number, code[0]))
                failures += 1
                continue
            expected = lines[start:start + count]
            if bless:
                lines[start:start + count] = actual
            elif len(expected) != len(actual) or not all(matches(e, a) for e, a in zip(expected, actual)):
                print("FAIL: example %d: %s\n  expected: %r\n  got:      %r" % (number, code[0], expected, actual))
                failures += 1
        if bless:
            open(manual, "w").write("\n".join(lines))
        print("%d examples, %d failures" % (len(found), failures))
        sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
