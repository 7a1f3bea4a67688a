#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A save file of 43 subjects, opened and exported as CSV through the driver, reads back with
Python's csv module to exactly the marks of the file: every subject with marks, in tab order,
every mark in entry order with its numbers as the file holds them. Names carry commas, quotes
and letters beyond ASCII; one subject has no marks, one a score out of 20, and one section
number is missing, as a deleted tab leaves it.

Usage: csv_readback.py DRIVER RANGES WORK"""
import csv
import pathlib
import shutil
import subprocess
import sys

driver, ranges, work = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
shutil.rmtree(work, ignore_errors=True)
program_dir = work / "dir"
program_dir.mkdir(parents=True)
shutil.copy(ranges, program_dir / "graderanges.txt")

SPECIAL_NAMES = ['Art, Craft', 'say "hi"', 'Français', 'Ελληνικά', '数学', 'a,"b",c', 'Straße']


def name_of(i):
    return SPECIAL_NAMES[i] if i < len(SPECIAL_NAMES) else f"S{i}"


def marks_of(i):
    """Marks of subject i as the file writes them: score, out of, weighting."""
    if i == 10:
        return []  # a subject without marks
    count = 1 + (i * 7) % 23
    marks = []
    for j in range(count):
        score = ["17.5", "0", "3", "0.1", "45", "19.25"][(i + j) % 6]
        out_of = ["20", "50", "0", "3", "100"][(i * j) % 5]
        marks.append((score, out_of, "2.5" if j % 3 else "1"))
    return marks


# Section 7 is missing, as a deleted tab leaves it: 43 subjects in sections 0 to 43.
sections = [n for n in range(44) if n != 7]
lines = ["[TabInfo]", "NumTabs=43"]
subjects = []
for i, section in enumerate(sections):
    marks = marks_of(i)
    subjects.append((name_of(i), marks))
    lines += [f"[Tab {section}]", f"Name={name_of(i)}", f"count={len(marks)}"]
    for j, (score, out_of, weighting) in enumerate(marks):
        lines += [f"yougot{j}={score}", f"outof{j}={out_of}", f"weighting{j}={weighting}"]
    lines.append(f"gradesys={3 if i == 11 else i % 3}")  # SACE /20 for subject 11
save_file = work / "forty-three.tly"
save_file.write_bytes(("\r\n".join(lines) + "\r\n").encode("utf-8"))

exported = work / "all marks.csv"
commands = f"""choose {save_file}
do cmdOpen_Click
choose {exported}
do menExportCsv_Click
overview
"""
run = subprocess.run([driver, "--dir", str(program_dir)], input=commands.encode("utf-8"),
                     capture_output=True, timeout=120)
output = run.stdout.decode("utf-8").splitlines()
failures = []
if run.returncode != 0:
    failures.append(f"the driver exited with {run.returncode}: {run.stdout!r}")
expected_dialog = f'filedialog save "Export Marks as CSV..." "CSV file (*.csv)|*.csv" -> {exported}'
if expected_dialog not in output:
    failures.append(f"no export dialog in {output[:3]}")
overview = [line for line in output if line.startswith("overview ")]
if [line.split(" percent=")[0] for line in overview] != [f"overview name={n}" for n, _ in subjects]:
    failures.append(f"the overview does not list the 43 subjects in order: {overview[:3]}")

with open(exported, newline="", encoding="utf-8") as f:
    rows = list(csv.reader(f, strict=True))
if rows[0] != ["Subject", "Mark", "Score", "Out of", "Weighting", "Score out of weighting",
               "Kind"]:
    failures.append(f"header {rows[0]}")
expected = []
for name, marks in subjects:
    for j, (score, out_of, weighting) in enumerate(marks, start=1):
        expected.append([name, str(j), score, out_of, weighting])
got = [row[:5] for row in rows[1:]]
if got != expected:
    first = next(k for k in range(min(len(got), len(expected)) + 1)
                 if k >= len(got) or k >= len(expected) or got[k] != expected[k])
    failures.append(f"{len(got)} marks read back, {len(expected)} in the file; first difference "
                    f"at mark row {first + 1}: "
                    f"{got[first] if first < len(got) else None} != "
                    f"{expected[first] if first < len(expected) else None}")
for row in rows[1:]:
    score, out_of, weighting = (float(v) for v in row[2:5])
    worth = weighting * score / out_of if out_of else 0.0
    if len(row) != 7 or abs(float(row[5]) - worth) > 0.0051 or row[6] != "real":
        failures.append(f"a mark's score out of weighting or kind: {row}")
        break

if failures:
    print("\n".join(failures))
    sys.exit(1)
print(f"{len(rows) - 1} marks of {len(subjects)} subjects read back")
