#!/usr/bin/env python3
"""Writes the seed corpora of fuzz/corpus/ from the sample report and the
end-to-end cases: run from the project folder as fuzz/make_seeds.py. Seeds
stay under 4 KiB (the largest seed sets libFuzzer's input length limit), so
long reports are cut; one conversion seed of 12 KiB, the fewest trees that
start automatic compression, raises the conversion target's limit to that. Rerunning rewrites the seeds it makes and leaves
other files of the corpus folders alone."""
import pathlib
import struct

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORPUS = ROOT / "fuzz" / "corpus"
CASES = ROOT / "tests" / "convert" / "cases"
LIMIT = 4096

REPORTS = [
    "compressed-rows-folder", "crown-ratio-tree-rows", "custom-indicator-continuation",
    "cut-list-broken-pages", "cut-list-page-breaks", "empty-indicator-every-line-a-header",
    "first-page-headings-missing", "height-class-boundaries", "height-classes-split",
    "huge-diameter-classes", "long-lines-in-pieces", "minimum-diameter-point",
    "single-file-several-cut-lists", "stand-text-runs-on-without-blank",
    "stray-carriage-returns-end-the-year", "tpa-texts-read-as-numbers",
    "unparsable-stand-second-cut-list", "unparsable-year", "unsafe-stand-parent-folder",
    "unsafe-year-tab", "wide-fields-kept-whole", "automatic-compression-after-300-trees",
]

SETTINGS = [
    "settings-file-rewritten-in-place/input", "custom-indicator-continuation/input",
    "height-class-parameters-low-bits/input", "empty-indicator-every-line-a-header/input",
    "sample-report-compressed/expected", "tree-list-dumps-folder/input",
]


def reports():
    yield "three-stands", (ROOT / "samples" / "three-stands.trl").read_bytes()[:LIMIT]
    for case in REPORTS:
        yield case, (CASES / case / "input" / "report.trl").read_bytes()[:LIMIT]


def write(target, name, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data[:LIMIT])


# conversion_fuzz's ten option bytes: flags; minimum diameter, report among
# the stand files (0x08) and indicator; the two height-class diameters; six
# bytes of layout nibbles (0x66: the defaults).
COMPRESS, SINGLE, AUTO, CROWN, DUMP, FILE, HT_OFF, LAYOUT = (1 << i for i in range(8))
OPTIONS = {
    "rows": bytes([AUTO, 0x00, 0, 0]) + bytes(6),
    "compressed": bytes([COMPRESS | AUTO, 0x00, 0, 0]) + bytes(6),
    "single-file": bytes([SINGLE | AUTO | CROWN, 0x02, 0, 0]) + bytes(6),
    "dumps": bytes([COMPRESS | DUMP | FILE, 0x01, 3, 12]) + bytes(6),
    "layout": bytes([COMPRESS | LAYOUT | CROWN, 0x10, 0, 0]) + b"\x66" * 6,
}
AMONG_STANDS = {
    "report-among-stands": bytes([AUTO, 0x08, 0, 0]) + bytes(6),
    "report-is-stand-file": bytes([SINGLE | AUTO, 0x08, 0, 0]) + bytes(6),
}


def tree_line(number, species, tpa, dbh, height):
    return b"%8d      %-2s              %8s          %5s       %5s      50\r\n" % (
        number, species, tpa, dbh, height)


# A cut list whose stand file is named a_1.txt, as the report is in the
# report-among-stands runs.
STAND_A_YEAR_1 = (b"\fSYLVAX TREE LIST REPORT\r\nRUN 1\r\n"
                  b"STAND: a PLOT 1 YEAR: 1 COMPLETE CUT  LIST\r\n"
                  b"  heading 1\r\n  heading 2\r\n  heading 3\r\n"
                  + tree_line(1, b"DF", b"10.0", b"12.0", b"60.0")
                  + tree_line(2, b"WH", b"5.0", b"8.0", b"40.0"))

# settings_store_fuzz operations: a byte (0 write, 2 read text, 3 read
# number), a section, a key, for a write a value; names and values below 0x80
# index the target's lists (Setup 0, TreeList 3, Results 4, S 5, K 8,
# InputFile 12, CutListIndicator 13; values "" 0, "1" 1, " 2 " 2, "'x'" 3,
# "x\ry" 10, "'COMPLETE CUT  LIST'" 17).
OPERATIONS = bytes([
    0, 0, 12, 1,     # Setup InputFile = 1
    2, 0, 12,        # read it
    0, 3, 13, 17,    # TreeList CutListIndicator
    0, 4, 8, 2,      # Results K = " 2 "
    3, 4, 8,         # read it as a number
    0, 5, 8, 10,     # a refused value
    0, 0x90, ord("S"), 0xA0, ord("K"), ord("="), 0x83, 1, 2, 3,  # generated names and value
])


# 301 kept trees in one cut list, the fewest that start automatic
# compression, in short lines (TPA only; the minimum diameter is 0).
MANY_TREES = (b"\fSYLVAX TREE LIST REPORT\r\nRUN 1\r\n"
              b"STAND: 9 PLOT 1 YEAR: 2001 COMPLETE CUT  LIST\r\n"
              b"  heading 1\r\n  heading 2\r\n  heading 3\r\n"
              + b"".join(b"%8d%22s%8s\n" % (n, b"", b"1.0") for n in range(1, 302)))


def main():
    for name, report in reports():
        write("report_reader", name + ".trl", report)
    for index, (name, report) in enumerate(reports()):
        kinds = list(OPTIONS)
        for kind in (kinds[index % len(kinds)], kinds[(index + 2) % len(kinds)]):
            write("conversion", f"{name}.{kind}", OPTIONS[kind] + report)
    (CORPUS / "conversion" / "automatic-compression-301-trees").write_bytes(
        bytes([SINGLE | AUTO, 0x01, 0, 0]) + bytes(6) + MANY_TREES)
    for kind, options in AMONG_STANDS.items():
        write("conversion", f"stand-a-year-1.{kind}", options + STAND_A_YEAR_1)
    for case in SETTINGS:
        text = (CASES / case / "canopex.ini").read_bytes()
        name = case.split("/")[0]
        write("settings_store", name + ".ini", struct.pack("<H", len(text)) + text + OPERATIONS)
    for name, text in [("empty", b""), ("crlf", b"[Setup]\r\nA=1\r\n\r\n[S]\r\nK=2\r\n"),
                       ("cr-only", b"[S]\rK=1\r[T]\rL=2"), ("bom", b"\xef\xbb\xbf[S]\nK=1\n"),
                       ("no-final-line-end", b"; note\n[S]\nK\n[S]\nK=3")]:
        write("settings_store", name + ".ini", struct.pack("<H", len(text)) + text + OPERATIONS)


if __name__ == "__main__":
    main()
