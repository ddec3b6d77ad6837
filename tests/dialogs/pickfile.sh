#!/usr/bin/env bash
# Answers the real dialog of PICKFILE under the current DISPLAY: `confirm` types the path of a
# file and presses Return, `cancel` presses Escape. Usage: pickfile.sh PICKFILE confirm|cancel
set -euo pipefail
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
touch "$dir/sheet.gif"
"$1" "$dir" >"$dir/out" &
timeout 30 xdotool search --sync --onlyvisible --name '^Pick$' windowfocus --sync
case $2 in
confirm) xdotool type --delay 20 "$dir/sheet.gif" && xdotool key Return && want="1 $dir/sheet.gif" ;;
cancel) xdotool key Escape && want="0 " ;;
esac
wait $!
[[ $(<"$dir/out") == "$want" ]] || { echo "expected '$want', got '$(<"$dir/out")'" >&2; exit 1; }
