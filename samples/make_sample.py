#!/usr/bin/env python3
"""Writes samples/three-stands.trl, a small tree list report in the default
column layout: a summary page to pass over, stand 0042 (1998) whose cut list
continues over a page break and is followed by a residual tree list page of
the same stand and year, then stands 0107 and 0215 (2003), the second opening
directly on a page break. CR LF line ends and form feeds, as the forest
program writes them. Run it again after changing it; the output is fixed."""
import random
from pathlib import Path

random.seed(42)

TITLE = "SYLVAX  4.2   GROWTH AND YIELD PROJECTION       TREE LIST REPORT   "
HEADINGS = [
    "    TREE      SPECIES             TPA           DBH         HEIGHT    CROWN",
    "     ID                                        (IN)          (FT)    RATIO",
    "-------- ----- ------- ---------------- ------------ ------------- --------",
]


def place(fields):
    """A line with each (column, text) placed at its 0-based column."""
    line = ""
    for column, text in fields:
        line = line.ljust(column) + text
    return line


def tree_line(number, species, tpa, dbh, height, crown):
    return place([(0, f"{number:8d}"), (14, f"{species:<2}"), (30, f"{tpa:8.3f}"),
                  (48, f"{dbh:5.1f}"), (60, f"{height:5.1f}"), (71, f"{crown:2d}")])


def trees(count, first_number):
    species = ["DF", "DF", "DF", "WH", "WH", "RC", "RA", "GF"]
    lines = []
    for i in range(count):
        dbh = round(random.uniform(1.0, 28.0), 1)
        height = round(4.5 + dbh * random.uniform(3.2, 4.6), 1)
        tpa = round(random.choice([3.0, 5.0, 7.5, 12.0]) * (30.0 / max(dbh, 2.0)), 3)
        crown = random.randint(15, 80)
        lines.append(tree_line(first_number + i, random.choice(species), tpa, dbh, height, crown))
    return lines


def page(number, header, body):
    return ["\f" + TITLE + f"PAGE {number:3d}", "RUN 2026-11-30  SAMPLE FOREST",
            header] + HEADINGS + body


stand42 = "STAND: 0042 PLOT 3 YEAR: 1998 COMPLETE CUT  LIST"
lines = []
lines += ["\f" + TITLE + "PAGE   1", "RUN 2026-11-30  SAMPLE FOREST", "",
          "STAND SUMMARY TABLE", "  STAND  YEAR   TREES/AC   BA/AC   QMD",
          "   0042  1998      214.5   148.2  11.2",
          "   0107  2003      188.0   131.9  11.3",
          "   0215  2003       92.4    77.0  12.4", ""]
first = trees(20, 1)
first[6] = tree_line(7, "DF", 0.0, 14.2, 71.3, 40)      # no trees per acre: ignored
first[11] = tree_line(12, "WH", 9.5, 0.8, 6.1, 72)      # below the default minimum DBH
lines += page(2, stand42, first)
lines += page(3, stand42, trees(8, 21) + [""])          # a blank line inside the cut list
lines += page(4, "STAND: 0042 PLOT 3 YEAR: 1998 RESIDUAL TREE LIST",
              trees(5, 101))                           # same stand and year, another table
lines += page(5, "STAND: 0107 PLOT 1 YEAR: 2003 COMPLETE CUT  LIST", trees(12, 1))
lines += page(6, "STAND: 0215 PLOT 2 YEAR: 2003 COMPLETE CUT  LIST", trees(6, 1))
lines += ["", "END OF REPORT"]

out = Path(__file__).with_name("three-stands.trl")
out.write_bytes(("\r\n".join(lines) + "\r\n").encode("ascii"))
print(f"wrote {out}")
