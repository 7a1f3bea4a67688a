#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's windows under a real window manager (openbox on Xvfb): started and closed eleven
# times, the main window opens where it was left, to the pixel; the out-of-20 window's short state
# shows nothing of its explanation, the tall state all of it.
# Usage: window_place.sh TALLISTO GRADERANGES SCREENSHOT
set -euo pipefail

program=$1
ranges=$2
shot=$3

skip() {
    echo "SKIPPED: $* (scripts/install-deps installs it)"
    exit 77
}
for tool in Xvfb openbox xdotool xwininfo xprop import; do
    command -v "$tool" >/dev/null || skip "$tool is missing"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tallisto-place.XXXXXX")
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    import -window root "$shot" 2>/dev/null && echo "screen at the failure: $shot" >&2
    exit 1
}

# Runs a command every tenth of a second until it succeeds, for at most 30 s.
await() {
    local tries=300
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

# ---- an X server on the display it finds free, and openbox managing it ----
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" \
    2>"$work/xvfb.log" &
pids+=($!)
await test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
await managed || fail "openbox did not take the display: $(cat "$work/openbox.log")"

# ---- the program in a folder of its own, which is then its program's directory ----
mkdir -p "$work/program" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp "$program" "$ranges" "$work/program/"
settings=$work/program/settings.ini
printf '[Settings]\r\nLeft=1500\r\nTop=1500\r\ngradesys=3\r\n' >"$settings"

# The first visible window of that title, once openbox has framed it. Searched again and again:
# one search fails at once when a window it looks at goes away meanwhile.
framed_window() {
    local id=""
    found() {
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ]
    }
    await found "$1" || return 1
    await eval "xprop -id $id _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='" || return 1
    echo "$id"
}

# "X Y WIDTH HEIGHT" of a window's inside, as the X server has it.
inside() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}

saved_place() {
    tr -d '\r' <"$settings" | awk -F= '/^Left=/ {l = $2} /^Top=/ {t = $2} END {print l, t}'
}

ended() { ! kill -0 "$pid" 2>/dev/null; }

# Starts the program and leaves its main window's id in $main.
start() {
    env HOME="$work/home" XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/runtime" \
        QT_QPA_PLATFORM=xcb \
        "$work/program/tallisto" >"$work/program.log" 2>&1 &
    pid=$!
    main=$(framed_window "Unsaved - Tallisto") || fail "the main window did not appear"
}

# Escape on the big button closes the window; with nothing unsaved the program ends.
quit() {
    xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
    xdotool key Escape
    await ended || fail "the program did not end on Escape"
    wait "$pid" || fail "the program ended with status $?: $(cat "$work/program.log")"
}

# A place the user chose by moving the window is where it opens next time, every time.
start
xdotool windowmove --sync "$main" 300 200
await eval '[ "$(inside "$main" | cut -d" " -f1-2)" = "300 200" ]' ||
    fail "the window could not be moved: $(inside "$main")"
quit
for run in $(seq 1 10); do
    start
    place=$(inside "$main" | cut -d' ' -f1-2)
    [ "$place" = "300 200" ] || fail "start $run opened the window at $place, not at 300 200"
    if [ "$run" -lt 10 ]; then quit; fi
done
[ "$(saved_place)" = "4500 3000" ] || fail "settings.ini holds $(saved_place), not 4500 3000"

# ---- the out-of-20 window, opened by its "/20" button in the totals frame ----
read -r _ _ _ height < <(inside "$main")
menu_bar=$((height - 5040 / 15)) # the window's inside less the designed client area
xdotool mousemove --window "$main" $(((120 + 3480 + 187) / 15)) \
    $((menu_bar + (4080 + 480 + 127) / 15)) click 1
ter=$(framed_window "Tertiary Entrance Scores") || fail "/20 showed no window"
# Frame1, "About the /20 score", begins 1080 twips down and ends 3495 twips further.
read -r _ _ _ short < <(inside "$ter")
[ "$short" -le $((1080 / 15)) ] ||
    fail "the short /20 window is $short pixels high: part of its explanation shows"
import -window root "$shot"
xdotool mousemove --window "$ter" $(((3120 + 727) / 15)) $(((600 + 187) / 15)) click 1
tall_enough() {
    read -r _ _ _ tall < <(inside "$ter")
    [ "$tall" -ge $(((1080 + 3495) / 15)) ]
}
await tall_enough ||
    fail "Show Extra Info left the /20 window $(inside "$ter" | cut -d' ' -f4) pixels high"
quit
[ "$(saved_place)" = "4500 3000" ] || fail "the last start saved $(saved_place), not 4500 3000"
echo "passed: eleven starts at 300 200; the short /20 window $short pixels high, the tall $tall"
