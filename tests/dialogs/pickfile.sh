#!/usr/bin/env bash
# Answers the real dialog of PICKFILE under the current DISPLAY: `confirm` types the path of a
# file and presses Return, `cancel` presses Escape. Usage: pickfile.sh PICKFILE confirm|cancel
set -euo pipefail
source "$(dirname "$0")/../support/xsession.sh"
touch "$work/sheet.gif"
"$1" "$work" >"$work/out" &
pid=$!
wait_window Pick dialog
xdotool windowfocus --sync "$dialog"
case $2 in
confirm) xdotool type --delay 20 "$work/sheet.gif" && xdotool key Return && want="1 $work/sheet.gif" ;;
cancel) xdotool key Escape && want="0 " ;;
esac
retry '! kill -0 "$pid" 2>/dev/null' || die "the dialog did not end"
wait "$pid"
pid=
[[ $(<"$work/out") == "$want" ]] || fail "expected '$want', got '$(<"$work/out")'"
