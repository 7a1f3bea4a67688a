#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program in a real window: installs the build into a temporary prefix, starts it
# under an X server of its own, enters marks through the real input boxes, saves through the real
# file dialog and closes it through the closing question, all with the keyboard. Then opens the
# saved file as a double-click does, through its file type and the desktop entry.
# Usage: installed_program.sh CMAKE BUILD_DIR SCREENSHOT
set -euo pipefail

cmake=$1
build=$2
shot=$3
started=$(date +%s.%N)

skip() {
    echo "SKIPPED: $* (scripts/install-deps installs it)"
    exit 77
}
for tool in Xvfb xdotool xprop xwininfo import xdg-open mimetype update-mime-database \
    update-desktop-database; do
    command -v "$tool" >/dev/null || skip "$tool is missing"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tallisto-e2e.XXXXXX")
xvfb_pid=""
program_pid=""
cleanup() {
    if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    # xdg-open, when the program it started did not end
    for job in $(jobs -p); do kill "$job" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    import -window root "$shot" 2>/dev/null && echo "screen at the failure: $shot" >&2
    if [ -s "$work/program.log" ]; then
        echo "--- the program's output:" >&2
        cat "$work/program.log" >&2
    fi
    exit 1
}

# Every wait ends when its condition holds; only a real fault reaches this many seconds, however
# busy the machine is.
deadline=30

# Checks a condition every tenth of a second until it holds; false once the deadline has passed.
wait_until() {
    local end=$((SECONDS + deadline))
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.1
    done
}

# The first visible window whose whole title matches, once there is one. Searched again and
# again: one search fails at once when a window it looks at goes away meanwhile.
window_named() {
    local id=""
    found() {
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ]
    }
    wait_until found "$1" || return 1
    echo "$id"
}

# A window's title as xprop reads it.
title_of() {
    xprop -id "$1" -notype _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p'
}

title_is() {
    [ "$(title_of "$1")" = "$2" ]
}

# Whether a window is no longer shown: asked of that window alone, which cannot fail the way a
# search through every window does when one of them goes meanwhile.
gone() {
    ! xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"
}

focus() {
    timeout "$deadline" xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
}

# Types an answer into the input box of that title and waits for the box to go.
answer() {
    local box
    box=$(window_named "$1") || fail "no input box '$1' appeared"
    focus "$box"
    xdotool type --delay 15 "$2"
    xdotool key Return
    wait_until gone "$box" || fail "the input box '$1' did not close after $2"
}

# A mark entered as the user does: Space on the big button, then the three questions.
enter_mark() {
    focus "$main"
    xdotool key space
    answer "Enter Your Score\.\.\." "$1"
    answer "The Test Was Out Of\.\.\." "$2"
    answer "Weighting of this peice\.\.\." "$3"
}

program_ended() {
    ! kill -0 "$program_pid" 2>/dev/null
}

expect_title() {
    wait_until title_is "$main" "$1" || fail "the title reads '$(title_of "$main")', not '$1'"
}

# ---- an install in a temporary prefix, and a home of its own ----
prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" ||
    fail "cmake --install failed: $(cat "$work/install.log")"
[ -x "$prefix/bin/tallisto" ] || fail "no bin/tallisto in the installed tree"
[ -s "$prefix/share/man/man1/tallisto.1.gz" ] || fail "no manual page in the installed tree"
ls "$prefix"/lib*/tallisto/libtallisto_chart.so >/dev/null 2>&1 ||
    fail "no chart module in the installed tree"
mkdir -p "$work/home/.config" "$work/runtime"
chmod 700 "$work/runtime"

# ---- an X server on a display it picks itself ----
# It writes the display's number once it accepts clients; -noreset keeps it from starting afresh,
# and refusing clients meanwhile, each time the last client goes.
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
x_ready() {
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb ended: $(cat "$work/xvfb.log")"
    [ -s "$work/display" ] && DISPLAY=":$(head -n 1 "$work/display")" xprop -root >/dev/null 2>&1
}
wait_until x_ready || fail "Xvfb did not accept clients"
export DISPLAY=":$(head -n 1 "$work/display")"

# ---- the program, in a desktop session of its own that knows the installed file type ----
share=$prefix/share
XDG_DATA_DIRS=$share update-mime-database "$share/mime" >/dev/null 2>&1 ||
    fail "update-mime-database refused the file type"
update-desktop-database "$share/applications" || fail "update-desktop-database failed"
desktop=(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION
    -u GNOME_DESKTOP_SESSION_ID -u SESSION_MANAGER -u QT_QPA_PLATFORMTHEME
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
    XDG_CACHE_HOME="$work/home/.cache"
    XDG_DATA_DIRS="$share:/usr/share" XDG_RUNTIME_DIR="$work/runtime" PATH="$prefix/bin:$PATH"
    QT_QPA_PLATFORM=xcb)
"${desktop[@]}" tallisto >"$work/program.log" 2>&1 &
program_pid=$!
main=$(window_named "Unsaved - Tallisto") || fail "the main window did not appear"

enter_mark 8 10 50
expect_title "* Unsaved - 80% in Tab 1 - Tallisto"

# F1 shows the guide in a window of its own; Escape closes it and leaves the work as it was.
focus "$main"
xdotool key F1
guide=$(window_named "How Tallisto Works") || fail "F1 showed no guide"
focus "$guide"
xdotool key Escape
wait_until gone "$guide" || fail "Escape did not close the guide"
expect_title "* Unsaved - 80% in Tab 1 - Tallisto"

# Save through the real file dialog.
saved=$work/marks.tly
focus "$main"
xdotool key ctrl+s
dialog=$(window_named "Save file\.\.\.") || fail "Ctrl+S showed no save dialog"
focus "$dialog"
xdotool type --delay 5 "$saved"
xdotool key Return
wait_until test -s "$saved" || fail "$saved was not written"
grep -q "yougot0=8" "$saved" || fail "$saved lacks the mark: $(cat "$saved")"
expect_title "marks.tly - 80% in Tab 1 - Tallisto"

# A second mark makes the work unsaved again, so that closing asks.
enter_mark 1 2 10
expect_title "* marks.tly - 75% in Tab 1 - Tallisto"
import -window root "$shot" || fail "no screenshot could be taken"

# Escape on the big button closes the window; No to the question ends without saving.
focus "$main"
xdotool key Escape
question=$(window_named "Save Changes\?") || fail "closing asked nothing"
focus "$question"
xdotool key alt+n
wait_until program_ended || fail "the program did not end after No"
wait "$program_pid" || fail "the program ended with status $?"
program_pid=""
! grep -q "yougot1" "$saved" || fail "No saved the second mark all the same"

# ---- a double-click on the saved file: its file type leads to the desktop entry ----
type=$("${desktop[@]}" xdg-mime query filetype "$saved")
[ "$type" = "application/x-tallisto" ] || fail "$saved is of the type $type"
"${desktop[@]}" xdg-open "$saved" >"$work/program.log" 2>&1 &
opened=$(window_named "marks.tly - 80% in Tab 1 - Tallisto") ||
    fail "xdg-open did not show the saved file in Tallisto"
program_pid=$(xdotool getwindowpid "$opened")
focus "$opened"
xdotool key Escape
wait_until program_ended || fail "the program opened by xdg-open did not end on Escape"
program_pid=""

# The installed program kept its files in the user's configuration folder.
config=$work/home/.config/tallisto
cmp -s "$config/graderanges.txt" "$prefix/share/tallisto/graderanges.txt" ||
    fail "$config holds no copy of the installed graderanges.txt"
grep -q "gradesys=" "$config/settings.ini" || fail "closing wrote no settings.ini into $config"
[ ! -e "$prefix/bin/settings.ini" ] || fail "the installed program wrote beside itself"

echo "passed in $(awk "BEGIN { printf \"%.1f\", $(date +%s.%N) - $started }") s; screenshot: $shot"
