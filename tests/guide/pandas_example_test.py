#!/usr/bin/env python3
"""Runs the user guide's pandas examples, exactly as the guide prints them,
on the sample report's stand files (one file per stand and the single file;
compressed rows and tree rows) and on what `canopex-convert -o -` writes to
standard output, and checks what they load: the header's columns in order,
a type per column that keeps ids as text and numbers as numbers, and every
value against the files read line by line.

    pandas_example_test.py CANOPEX_CONVERT SOURCE_DIR
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path


def fail(message):
    sys.exit(f"FAIL: {message}")


def guide_examples(source):
    """The pandas section's two examples: stand files, and -o -."""
    guide = (source / "docs" / "user-guide.md").read_text(encoding="utf-8")
    section = guide.split("### Python with pandas", 1)[-1].split("\n### ", 1)[0]
    examples = re.findall(r"```python\n(.*?)```", section, re.S)
    if len(examples) != 2:
        fail(f"the guide's pandas section holds {len(examples)} examples, expected 2")
    return examples


def rows_of(path):
    """The file's rows as lists of texts, header line first."""
    text = path.read_bytes().decode("cp1252")
    lines = text.split("\r\n")
    if lines[-1] != "":
        fail(f"{path} does not end with CR LF")
    return [line.split("\t") for line in lines[:-1]]


def check_table(table, files, compressed):
    header = rows_of(files[0])[0]
    if list(table.columns) != header:
        fail(f"columns {list(table.columns)}, expected {header}")
    expected_rows = [row for path in files for row in rows_of(path)[1:]]
    if len(table) != len(expected_rows):
        fail(f"{len(table)} rows loaded, the files hold {len(expected_rows)}")

    numbers = {"StandYear": "int64", "Diameter": "int64" if compressed else "float64",
               "Height": "float64", "TPA": "float64"}
    for column, kind in numbers.items():
        if str(table[column].dtype) != kind:
            fail(f"{column} loaded as {table[column].dtype}, expected {kind}")
    for column in ("StandId", "TreeId", "Species"):
        if not all(isinstance(value, str) for value in table[column]):
            fail(f"{column} is not loaded as text")

    for number, (loaded, row) in enumerate(zip(table.itertuples(index=False), expected_rows)):
        if not row[0].startswith("'"):
            fail(f"row {number} of the files does not start with an apostrophe")
        expected = [row[0][1:], int(row[1]), row[2], row[3], float(row[4]), float(row[5]),
                    float(row[6])]
        if list(loaded) != expected:
            fail(f"row {number} loaded as {list(loaded)}, the file holds {expected}")
    if not table["StandId"].str.fullmatch(r"\d{4}").all():
        fail("a stand id lost its leading zeros")


def main():
    convert, source = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    example, piped_example = guide_examples(source)
    report = source / "samples" / "three-stands.trl"
    for compressed in (True, False):
        with tempfile.TemporaryDirectory() as work:
            options = [] if compressed else ["--no-compress"]
            for target in (["-d", "stands"], ["-o", "all-stands.txt"]):
                subprocess.run([convert, report, *target, *options, "-s", "settings.ini"], cwd=work, check=True,
                               stdout=subprocess.DEVNULL)
            os.chdir(work)
            names = {}
            exec(example, names)  # the guide's own code, as a reader runs it
            os.chdir(source)
            files = sorted(Path(work, "stands").glob("*.txt"))
            check_table(names["stands"], files, compressed)
            check_table(names["everything"], [Path(work, "all-stands.txt")], compressed)
            if not names["stands"].equals(names["everything"]):
                fail("the stand files and the single file load differently")
            if compressed:
                # As a reader runs it: canopex-convert found on PATH, a copy,
                # so that its settings file beside it is the test's own.
                Path(work, "bin").mkdir()
                shutil.copy2(convert, Path(work, "bin", "canopex-convert"))
                shutil.copy(report, work)
                os.environ["PATH"] = f"{Path(work, 'bin')}{os.pathsep}{os.environ['PATH']}"
                os.chdir(work)
                exec(piped_example, names)
                os.chdir(source)
                if not names["piped"].equals(names["everything"]):
                    fail("the rows from -o - load differently from the single file")
    print("the guide's pandas examples load the sample's stand files with their columns and types")


if __name__ == "__main__":
    main()
