#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's guide, "Using Tallisto", as a driver scenario: a student who follows its example
# must see the figures it promises. The marks of its example table are entered, and every figure
# of its "In the window | Shows" tables, of its planner and of its overview is read back from the
# program; the overview's next grades and needs must be those of the planner table. A table this
# script does not know fails it, so that a table added or renamed cannot slip past unchecked.
# Usage: guide_example.sh DRIVER README RANGES WORK
set -euo pipefail
driver=$1 readme=$2 ranges=$3 work=$4
mkdir -p "$work"
scenario=$work/guide_example.scenario

# graderanges.txt first, for the index of each grading system by its name; then the guide.
tr -d '\r' <"$ranges" | awk '
function fail(why) { print "guide_example: " why > "/dev/stderr"; failed = 1; exit 1 }
function trim(s) { gsub(/^[ \t]+|[ \t]+$/, "", s); return s }
# A cell as the window shows it: without the code marks and escapes of Markdown.
function cell(s) { s = trim(s); gsub(/`/, "", s); gsub(/\\/, "", s); return s }
function cells(line, out,    n, i, parts) {
    n = split(line, parts, "|")
    for (i = 2; i < n; i++) out[i - 1] = cell(parts[i])
    return n - 2
}
function choose(name) {
    if (!(name in systemIndex)) fail("the guide names a grading system that graderanges.txt lacks: " name)
    # As the student does: a fresh program grades by the first system until told otherwise.
    if (systemIndex[name] != shownSystem) print "> do menGradesys_Click " systemIndex[name]
    shownSystem = systemIndex[name]
}
function expect(name, value) { print "> get " name; print name "=" value }

FNR == NR {
    if (/^\[/) section = /^\[Gradesys[0-3]\]/ ? substr($0, 10, 1) : ""
    else if (section != "" && /^name=/) systemIndex[substr($0, 6)] = section
    next
}

# The places an "In the window" table may name, and what the driver calls them.
BEGIN {
    shownSystem = 0
    place["Totals, under You Got..."] = "lblScoreTot.Caption"
    place["Totals, under Out Of..."] = "lblTotalTest.Caption"
    place["Totals, under Weighting"] = "lblWeightingTot.Caption"
    place["Totals, on the right"] = "lblShit.Caption"
    place["The pointer resting on that percentage"] = "lblShit.ToolTipText"
    place["Grade panel, the grade"] = "lblGrade.Caption"
    place["Grade panel, under the grade"] = "lblGradePer.Caption"
    place["Grade panel, at the bottom"] = "lblGradeSys.Caption"
    place["Title bar"] = "frmGradeHelp.Caption"
    place["Tertiary Entrance Scores, the score"] = "frmTER.lblScore.Caption"
    place["Tertiary Entrance Scores, the grade"] = "frmTER.lblGrade.Caption"
    place["Tertiary Entrance Scores, under the grade"] = "frmTER.lblGradePer.Caption"
    print "# Generated from the README guide by guide_example.sh"
}

/^## Using Tallisto$/ { inGuide = 1; next }
inGuide && /^## / { exit }
!inGuide { next }

# The planner window as the guide quotes it, above its table.
/graded .*\*\*/ { s = $0; sub(/.*graded /, "", s); sub(/\*\*.*/, "", s); plannedSystem = s }
/^Weighting left: / { s = $0; sub(/^Weighting left: /, "", s); sub(/ %.*/, "", s); left = s }
/^Final percentage: / {
    s = $0; sub(/^Final percentage: /, "", s)
    worst = s; sub(/ %.*/, "", worst)
    best = s; sub(/.*worst, /, "", best); sub(/ %.*/, "", best)
}

/^\|/ {
    n = cells($0, row)
    if (!inTable) {
        inTable = 1; rows = 0
        if (row[1] == "Mark" && row[2] == "You Got..." && row[5] == "Score (Out of Weighting)")
            kind = "marks"
        else if (row[1] == "In the window" && row[2] == "Shows") kind = "window"
        else if (row[1] == "Grade" && row[2] == "From" && row[3] == "What you need") kind = "plan"
        else if (row[1] == "Subject" && row[2] == "Percentage" && row[6] == "Next grade")
            kind = "overview"
        else if (row[1] == "System") kind = "none" # the shipped systems: no figures of the example
        else fail("a table the test does not know: " $0)
        next
    }
    if ($0 ~ /^\|[-| :]+\|$/) next
    rows++
    for (i = 1; i <= n; i++) table[rows, i] = row[i]
    next
}

inTable { finishTable() }
END { if (!failed) { if (inTable) finishTable(); if (!marks) fail("the guide enters no mark") } }

function finishTable(    r, i, s) {
    inTable = 0
    if (kind == "marks") {
        for (r = 1; r <= rows; r++) {
            print "#! mark " table[r, 2] " " table[r, 3] " " table[r, 4]
            expect("lblShit.Caption", table[r, 6])
            marks++
        }
        split("lstScore lstTotal lstWeighting lstPercentage", lists, " ")
        for (i = 2; i <= 5; i++) {
            s = table[1, i]
            for (r = 2; r <= rows; r++) s = s "|" table[r, i]
            expect(lists[i - 1] ".List", s)
        }
    } else if (kind == "window") {
        for (r = 1; r <= rows; r++) {
            if (!(table[r, 1] in place)) fail("a place the test does not know: " table[r, 1])
            if (table[r, 1] == "Grade panel, at the bottom") {
                s = table[r, 2]; sub(/^Using /, "", s); sub(/ grading\.$/, "", s); choose(s)
            }
            if (table[r, 1] ~ /^Tertiary Entrance Scores/ && !terShown) {
                print "> do cmdTER_Click"; terShown = 1
            }
        }
        if (terShown) print "> do TimerFrmTer_Timer"
        for (r = 1; r <= rows; r++) expect(place[table[r, 1]], table[r, 2])
    } else if (kind == "plan") {
        if (plannedSystem == "" || left == "" || worst == "")
            fail("the planner table has no heading, weighting left and final percentage above it")
        choose(plannedSystem)
        # What the overview must show as the next grade up of each grade, and its need.
        planned = 1
        for (r = 1; r <= rows; r++) {
            above[table[r, 1]] = r > 1 ? table[r - 1, 1] : ""
            s = table[r, 3]; sub(/ average on the remaining .*/, "", s); shortNeed[table[r, 1]] = s
        }
        print "> plan"
        print "plan left=" left " worst=" worst " best=" best
        for (r = 1; r <= rows; r++) {
            s = table[r, 2]; sub(/ %$/, "", s)
            line = "plan grade=" table[r, 1] " bound=" s
            s = table[r, 3]
            if (s == "Secured") line = line " status=secured need=-"
            else if (s == "Out of reach") line = line " status=out-of-reach need=-"
            else if (s ~ / % average on the remaining /) {
                if (s !~ (" remaining " left " %$")) fail("the plan names another weighting left: " s)
                sub(/ %.*/, "", s)
                line = line " status=possible need=" s
            } else fail("a need the test does not know: " s)
            print line
        }
    } else if (kind == "overview") {
        if (!planned) fail("the overview table comes before the planner table")
        print "> overview"
        for (r = 1; r <= rows; r++) {
            percent = table[r, 2]; sub(/%$/, "", percent)
            weighting = table[r, 4]; sub(/%$/, "", weighting)
            print "overview name=" table[r, 1] " percent=" percent " grade=" table[r, 3] \
                " weighting=" weighting " whatif=" table[r, 8]
            if (!(table[r, 3] in above)) fail("the overview names a grade the planner table lacks")
            if (table[r, 6] != above[table[r, 3]] || table[r, 7] != shortNeed[table[r, 6]])
                fail("the next grade of the overview is not that of the planner: " table[r, 6] " " table[r, 7])
        }
    }
}
' - "$readme" >"$scenario"

exec "$(dirname "$0")/run_scenario.sh" "$driver" "$scenario" "$ranges" "$work/run"
