#!/usr/bin/env bash
# Drives the real open dialog of `pickfile` with X events under the current DISPLAY. The main
# window's button is clicked while the dialog waits (it must not be blocked), then the answer is
# typed: `confirm` types the full path of sheet.gif and presses Return, `cancel` presses Escape.
# Usage: pickfile.sh PICKFILE confirm|cancel
set -euo pipefail
program=$1 answer=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
touch "$dir/sheet.gif" "$dir/other.bmp"

"$program" "$dir" >"$dir/out" &
program_pid=$!
dialog=$(timeout 30 xdotool search --sync --onlyvisible --name '^Pick a sheet$' | head -n1)
xdotool mousemove 1100 950 click 1
xdotool windowfocus --sync "$dialog"
if [[ $answer == confirm ]]; then
    xdotool type --delay 20 "$dir/sheet.gif"
    xdotool key Return
    expected="clicked result=1 file=$dir/sheet.gif title=sheet.gif ext=$((${#dir} + 7))"
    expected+=" offset=$((${#dir} + 1)) filter=2"
else
    xdotool key Escape
    expected="clicked result=0 file= title=$(printf '%260s') ext=0 offset=0 filter=2"
fi
timeout 30 tail --pid=$program_pid -f /dev/null
wait $program_pid
actual=$(paste -sd' ' "$dir/out")
if [[ $actual != "$expected" ]]; then
    printf 'expected: %s\nactual:   %s\n' "$expected" "$actual" >&2
    exit 1
fi
