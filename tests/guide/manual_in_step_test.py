#!/usr/bin/env python3
"""The manual page of canopex-convert exists twice, in roff for man
(docs/canopex-convert.1) and in Markdown for the user guide and readers of
the sources (docs/canopex-convert.md). This checks that both say the same:
the words of the page as groff renders it, against the words of the Markdown
without its markup.

    manual_in_step_test.py SOURCE_DIR
"""
import difflib
import re
import subprocess
import sys
from pathlib import Path


def words(text):
    """Lower-case words, with the dots and hyphens inside them."""
    text = text.replace("\u2010", "-").replace("\u2212", "-").replace("\u2019", "'")
    text = text.replace("*", "")  # emphasis in Markdown; in both, globs such as *.trl
    found = re.findall(r"[a-z0-9$~][a-z0-9_.$~/'\\-]*", text.lower())
    return [word.rstrip(".") for word in found]


def rendered_page(path):
    output = subprocess.run(
        ["groff", "-man", "-Tutf8", "-P-cbou", "-rLL=3000n", "-rHY=0", str(path)],
        capture_output=True, text=True, check=True).stdout
    lines = [line for line in output.splitlines() if line.strip()]
    return "\n".join(lines[1:-1])  # the running header and footer


def markdown_text(path):
    text = path.read_text(encoding="utf-8")
    text = re.sub(r"<!--.*?-->", "", text, flags=re.S)
    text = re.sub(r"^# .*$", "", text, count=1, flags=re.M)  # the title: man's header
    text = re.sub(r"^```\w*$", "", text, flags=re.M)  # fences and their language
    text = re.sub(r"\]\([^)]*\)", "]", text)  # link targets
    text = re.sub(r"^\|.*\|\n\|[-| :]+\|$", "", text, flags=re.M)  # table heads
    return text.replace("*", "").replace("`", "")


def main():
    source = Path(sys.argv[1])
    page = words(rendered_page(source / "docs" / "canopex-convert.1"))
    markdown = words(markdown_text(source / "docs" / "canopex-convert.md"))
    if page == markdown:
        print(f"the two manual pages say the same ({len(page)} words)")
        return
    matcher = difflib.SequenceMatcher(None, page, markdown, autojunk=False)
    for kind, i1, i2, j1, j2 in matcher.get_opcodes():
        if kind != "equal":
            print(f"roff: {' '.join(page[max(0, i1 - 3):i2])!r}  "
                  f"markdown: {' '.join(markdown[max(0, j1 - 3):j2])!r}")
    sys.exit("FAIL: docs/canopex-convert.1 and docs/canopex-convert.md differ")


if __name__ == "__main__":
    main()
