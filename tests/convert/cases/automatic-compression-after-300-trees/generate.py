#!/usr/bin/env python3
"""Writes this case: a report whose first cut list keeps exactly 300 trees
(written tree by tree although dropped lines make it longer), whose second
keeps 301 (compressed) and whose third keeps 3 (still compressed, since
compression stays on for the rest of the run). Run with --no-compress, so
height classes stay off (the three trees of class 8 give one row) and no
dump is written although the settings ask for dumps.

Every kept tree of a cut list has the same species, diameter, height and
TPA, so the expected rows follow without any arithmetic beyond a product."""
import os

here = os.path.dirname(os.path.abspath(__file__))
HEADINGS = [
    "    TREE      SPECIES             TPA           DBH         HEIGHT    CROWN",
    "     ID                                        (IN)          (FT)    RATIO",
    "-------- ----- ------- ---------------- ------------ ------------- --------",
]


def tree(tid, sp, tpa, dbh, ht, cr):
    # id in columns 0-7, species 14-15, TPA 30-37, DBH 48-52, height 60-64,
    # crown ratio 71-72
    return "%8s      %-2s%14s%8s%10s%5s%7s%5s%6s%2s" % (
        tid, sp, "", tpa, "", dbh, "", ht, "", cr)


def write(rel, text):
    path = os.path.join(here, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.encode("ascii"))


report = ["SYLVAX TREE LIST REPORT", ""]
kept = {}
zero = below = 0


def cut_list(stand, year, trees, pages_of=80):
    """trees: list of (kind, line); kind is 'kept', 'zero' or 'below'."""
    global zero, below
    header = "STAND: %s PLOT 1 YEAR: %s COMPLETE CUT  LIST" % (stand, year)
    report.extend([header] + HEADINGS)
    for n, (kind, line) in enumerate(trees):
        if n and n % pages_of == 0:  # a continuing page of the same cut list
            report.extend(["\fSYLVAX TREE LIST REPORT", "", header] + HEADINGS)
        report.append(line)
        if kind == "zero":
            zero += 1
        elif kind == "below":
            below += 1
        else:
            kept.setdefault((stand, year), []).append(line)


def trees_with_drops(count, tpa):
    out = []
    for i in range(1, count + 1):
        out.append(("kept", tree(i, "DF", tpa, "10.0", "50.0", "40")))
        if i % 50 == 0:
            out.append(("zero", tree(9000 + i, "DF", "0.000", "10.0", "50.0", "40")))
            out.append(("below", tree(8000 + i, "DF", "1.000", "0.5", "5.0", "40")))
    return out


# Cut list 1: 300 kept trees, 6 lines dropped for TPA zero, 6 below 1 inch.
cut_list("0100", "2010", trees_with_drops(300, "1.000"))
# Cut list 2: 301 kept trees of TPA 0.5 (6 + 6 lines dropped).
report.append("\fSYLVAX TREE LIST REPORT")
report.append("")
cut_list("0101", "2010", trees_with_drops(301, "0.500"))
# Cut list 3: three trees of class 8 (8.0, 8.1 and 7.9 plus 0.49 floor to 8).
report.append("\fSYLVAX TREE LIST REPORT")
report.append("")
cut_list("0102", "2010", [("kept", tree(1, "DF", "2.000", "8.0", "30.0", "40")),
                          ("kept", tree(2, "DF", "2.000", "8.1", "40.0", "40")),
                          ("kept", tree(3, "DF", "2.000", "7.9", "50.0", "40"))])
write("input/report.trl", "".join(line + "\r\n" for line in report))

header = "StandId\tStandYear\tTreeId\tSpecies\tDiameter\tHeight\tTPA\r\n"
# 300 trees: one row per tree; one species and class, so key order is report order.
rows = "".join("'0100\t2010\t%d\tDF\t10.0\t50.0\t1.000\r\n" % i for i in range(1, 301))
write("expected/out/0100_2010.txt", header + rows)
# 301 trees: one compressed row, TPA sum 301 * 0.5 = 150.5, mean height 50.
write("expected/out/0101_2010.txt", header + "'0101\t2010\t0\tDF\t10\t  50.0\t   150.500\r\n")
# 3 trees: (2 * 30 + 2 * 40 + 2 * 50) / 6 = 40, TPA sum 6.
write("expected/out/0102_2010.txt", header + "'0102\t2010\t0\tDF\t8\t  40.0\t     6.000\r\n")

trees = sum(len(v) for v in kept.values())
assert (trees, zero, below) == (604, 12, 12)
setup = "[Setup]\nDumpTreeLists=1\n"
write("input/canopex.ini", setup)
layout = ("[TreeList]\nTreeId_Start=0\nTreeId_Len=8\nSpecies_Start=14\nSpecies_Len=2\n"
          "TPA_Start=30\nTPA_Len=8\nDiam_Start=48\nDiam_Len=5\nHeight_Start=60\n"
          "Height_Len=5\nCrownRatio_Start=71\nCrownRatio_Len=2\n"
          "CutListIndicator='COMPLETE CUT  LIST'\n")
write("expected/canopex.ini", setup + layout + "[Results]\nCutListCount=3\nTreesCount=%d\n"
      "TreesTPAZeroCount=%d\nTreesBelowDiamCount=%d\nErrMessage=\n" % (trees, zero, below))
write("stdout", "Cut list count: 3\nTrees count: %d\nTrees ignored -- TPA zero: %d\n"
      "Trees ignored -- diameter too small: %d\n" % (trees, zero, below))
write("args", "report.trl\n-d\nout\n--no-compress\n-s\ncanopex.ini\n")
write("status", "0\n")
