#!/usr/bin/env python3
"""Renders the user guide (Markdown) into one self-contained HTML page: the
screenshots are embedded, so the page can travel alone in a zip or a
package and still show them. Further Markdown files are appended to the
page, and the guide's links to them become links within the page.

    python3 packaging/render_guide.py docs/user-guide.md docs/canopex-convert.md UserGuide.html

Needs python3-markdown. Images must be PNG files beside the guide.
"""
import base64
import re
import sys
from pathlib import Path

import markdown

STYLE = """
body { font-family: "Segoe UI", "DejaVu Sans", sans-serif; max-width: 60em;
       margin: 2em auto; padding: 0 1em; line-height: 1.45; color: #1d1d1d; }
h1, h2, h3 { color: #225e34; }
code, pre { font-family: Consolas, "DejaVu Sans Mono", monospace; background: #f3f5ef; }
pre { padding: 0.6em 0.8em; overflow-x: auto; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { border: 1px solid #c9d1c0; padding: 0.3em 0.6em; text-align: left; vertical-align: top; }
th { background: #eef4e4; }
img { max-width: 100%; border: 1px solid #c9d1c0; }
"""


def embed_images(html, folder):
    """Replaces each src="name.png" by the picture's bytes."""
    def embedded(match):
        path = folder / match.group(1)
        data = base64.b64encode(path.read_bytes()).decode("ascii")
        return f'src="data:image/png;base64,{data}"'
    return re.sub(r'src="([^":]+\.png)"', embedded, html)


def with_appendices(text, appendices):
    """The guide followed by each appendix, each behind an anchor of its own
    that the guide's links to its file now point at."""
    for appendix in appendices:
        anchor = "appendix-" + appendix.stem
        text = text.replace(f"]({appendix.name})", f"](#{anchor})")
        text += f'\n\n<a id="{anchor}"></a>\n\n' + appendix.read_text(encoding="utf-8")
    return text


def main():
    if len(sys.argv) < 3:
        sys.exit("usage: render_guide.py GUIDE.md [APPENDIX.md...] OUTPUT.html")
    source, output = Path(sys.argv[1]), Path(sys.argv[-1])
    text = source.read_text(encoding="utf-8")
    title = next((line[2:].strip() for line in text.splitlines() if line.startswith("# ")),
                 "Canopex")
    text = with_appendices(text, [Path(name) for name in sys.argv[2:-1]])
    text = text.replace(f"]({source.name})", "](#)")  # an appendix's link to the guide: its top
    body = markdown.markdown(text, extensions=["tables", "fenced_code", "toc"])
    page = (f'<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
            f"<title>{title}</title>\n<style>{STYLE}</style>\n</head>\n<body>\n"
            f"{embed_images(body, source.parent)}\n</body>\n</html>\n")
    output.write_text(page, encoding="utf-8", newline="\n")


if __name__ == "__main__":
    main()
