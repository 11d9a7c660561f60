#!/usr/bin/python3
# manual-html.py FUNCTIONS.md OUT-FOLDER: the manual as one web page, OUT-FOLDER/kelmar.html,
# with a table of contents, the anchor of each heading (id="kel_dir" for the entry of
# kel_dir, as the manual's own links have it) and its pictures copied to OUT-FOLDER/images.
# Python-Markdown (Debian's python3-markdown) does the conversion.
import html
import os
import re
import shutil
import sys

import markdown

source, out = sys.argv[1], sys.argv[2]
text = open(source, encoding="utf-8").read()
title = re.search(r"^# (.+)$", text, re.M).group(1)
# What follows a fence's language ("lisp dialog ..." says how the tests answer a dialog)
# is for the tests, not for readers.
text = re.sub(r"^```(\w+) .*$", r"```\1", text, flags=re.M)

# Headings become anchors as GitHub shows the Markdown: lower case, blanks to hyphens,
# punctuation other than _ and - dropped, so the manual's links work in both.
def slug(value, separator):
    value = re.sub(r"[^\w\s-]", "", value).strip().lower()
    return re.sub(r"\s", separator, value)

md = markdown.Markdown(
    extensions=["tables", "fenced_code", "toc"],
    extension_configs={"toc": {"slugify": slug, "toc_depth": "2-3", "title": "Contents"}},
)
body = md.convert(text)

os.makedirs(os.path.join(out, "images"), exist_ok=True)
for picture in sorted(set(re.findall(r'<img[^>]* src="(images/[^"]+)"', body))):
    shutil.copy(os.path.join(os.path.dirname(source), picture), os.path.join(out, picture))

page = f"""<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>{html.escape(title)}</title>
<style>
body {{ font-family: sans-serif; max-width: 60em; margin: 2em auto; padding: 0 1em; line-height: 1.4; }}
code, pre {{ font-family: monospace; background: #f4f4f4; }}
pre {{ padding: 0.5em; overflow-x: auto; }}
table {{ border-collapse: collapse; }}
th, td {{ border: 1px solid #ccc; padding: 0.2em 0.5em; text-align: left; vertical-align: top; }}
.toc ul {{ columns: 3; }}
.toc ul ul {{ columns: 1; }}
img {{ max-width: 100%; }}
</style>
</head>
<body>
{md.toc}
{body}
</body>
</html>
"""
with open(os.path.join(out, "kelmar.html"), "w", encoding="utf-8") as f:
    f.write(page)
