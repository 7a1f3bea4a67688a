#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one scenario file through the driver and compares its output (see CMakeLists.txt).
# Usage: run_scenario.sh DRIVER SCENARIO RANGES WORK
set -euo pipefail
driver=$1 scenario=$2 ranges=$3 work=$4
dir=$work/dir
status=0 run=0 limit=unlimited # the defaults
rm -rf "$work"
mkdir -p "$dir"
cp "$ranges" "$dir/graderanges.txt"
touch "$work/expected.txt" "$work/input-0.txt" "$work/actual.txt"
while IFS= read -r line || [[ -n $line ]]; do
    line=${line%$'\r'}
    line=${line//\$DIR/"$dir"}
    case $line in
    '#! file '*)
        read -r name content <<<"${line#'#! file '}"
        IFS='|' read -ra lines <<<"$content"
        printf '%s\r\n' "${lines[@]}" >"$dir/$name" ;;
    '#! mark '*) # a mark typed through the big button, and the three questions it asks
        read -r score outOf weighting <<<"${line#'#! mark '}"
        printf 'type %s\n' "$score" "$outOf" "$weighting" >>"$work/input-$run.txt"
        echo 'do cmdEasyWork_Click' >>"$work/input-$run.txt"
        printf 'inputbox %s -> "%s"\n' \
            '"Enter Your Score..." "What was your score?"' "$score" \
            '"The Test Was Out Of..." "What was the test out of?"' "$outOf" \
            '"Weighting of this peice..." "How heavily was this peice of work weighted overall?"' \
            "$weighting" >>"$work/expected.txt" ;;
    '#! filesize '*) limit=${line#'#! filesize '} ;; # in units of 1024 bytes
    '#! status '*) status=${line#'#! status '} ;;
    '#! restart')
        run=$((run + 1))
        : >"$work/input-$run.txt" ;;
    '#'* | '') ;;
    '>'*)
        line=${line#>}
        printf '%s\n' "${line# }" >>"$work/input-$run.txt" ;;
    *) printf '%s\n' "$line" >>"$work/expected.txt" ;;
    esac
done <"$scenario"

# Each run is one copy of the program in the same directory, started after the one before ended.
statuses=
for ((i = 0; i <= run; i++)); do
    result=0
    # Through a pipe: the file-size limit is the program's, not that of the output kept here.
    (ulimit -f "$limit" && exec timeout 60 "$driver" --dir "$dir") <"$work/input-$i.txt" |
        cat >>"$work/actual.txt" || result=$?
    [[ $result == "$status" ]] || statuses+=" run $i exited with $result,"
done
# Blank lines are left out of the expected output, so also out of the output: those of messages
# of several paragraphs.
sed -i '/^$/d' "$work/actual.txt"
diff -u "$work/expected.txt" "$work/actual.txt" || { echo "output differs from $scenario"; exit 1; }
[[ -z $statuses ]] || { echo "driver:$statuses expected $status"; exit 1; }
