#!/usr/bin/env python3
"""The module's table of messages (host/messages.h), as the tests read it.

  catalogue.py sources ROOT    checks the module's sources against the table: every entry is
                               printed somewhere, and no message is spelt outside the table

As a module: lines(header) gives the lines the table's texts print; matcher(header) a test of
whether one printed line is one of them.
"""
import os
import re
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
HEADER = os.path.join(ROOT, "host", "messages.h")
MODULE_DIRS = ["host", "files", "config", "system", "net", "print", "dialogs", "drawing"]
ENTRY = re.compile(r'#define (MSG_\w+) "((?:[^"\\]|\\.)*)"$')
PRINTING_CALL = re.compile(r'\b(?:acutPrintf|report|fail|failCall|failNoResult)\(\s*"')
MESSAGE_LITERAL = re.compile(r'"[^"]*\b(?:Kelmar|KELMAR) [Ee]rror')


def entries(header=HEADER):
    """(name, text) for every entry, the text unescaped."""
    found = []
    for line in open(header):
        m = ENTRY.match(line.rstrip("\n"))
        if m:
            text = m.group(2).encode().decode("unicode_escape")
            found.append((m.group(1), text))
    return found


def lines(header=HEADER):
    """Each line a text prints; %s stands for what the caller gives. Lines that are nothing
    but what the caller gives (an echo) are left out: they match anything."""
    result = []
    for _, text in entries(header):
        for line in text.split("\n"):
            if line and line.replace("%s", ""):
                result.append(line)
    return result


def matcher(header=HEADER):
    patterns = [re.compile(re.escape(line).replace("%s", ".*")) for line in lines(header)]
    return lambda line: any(p.fullmatch(line) for p in patterns)


def module_sources():
    for folder in MODULE_DIRS:
        for dirpath, _, files in os.walk(os.path.join(ROOT, folder)):
            for name in sorted(files):
                if name.endswith((".cpp", ".h")):
                    yield os.path.join(dirpath, name)


def check_sources():
    names = [name for name, _ in entries()]
    failures = []
    used = set()
    for path in module_sources():
        if os.path.samefile(path, HEADER):
            continue
        text = open(path, encoding="latin-1").read()
        used.update(re.findall(r"\bMSG_\w+", text))
        for k, line in enumerate(text.split("\n"), 1):
            code = line.split("//")[0]
            if PRINTING_CALL.search(code) or MESSAGE_LITERAL.search(code):
                failures.append("%s:%d: a message outside the table: %s" % (os.path.relpath(path, ROOT), k,
                                                                          line.strip()))
    for name in names:
        if name not in used:
            failures.append("%s: in the table, but nothing prints it" % name)
    for name in sorted(used - set(names)):
        failures.append("%s: used, but not in the table" % name)
    for f in failures:
        print("FAIL: " + f)
    print("%d messages in the table, %d failures" % (len(names), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    if sys.argv[1:2] == ["sources"]:
        if len(sys.argv) > 2:
            ROOT = os.path.abspath(sys.argv[2])
            HEADER = os.path.join(ROOT, "host", "messages.h")
        sys.exit(check_sources())
    sys.exit("usage: catalogue.py sources [ROOT]")
