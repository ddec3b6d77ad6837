#!/usr/bin/env bash
# Windows' open dialog under Wine, through the program's dialog layer: a typed name confirms, a
# path too long for the record's room brings a message and then the dialog again, where a shorter
# name confirms; Escape cancels. Usage: pickfile.sh PICKFILE-EXE (in the WINEPREFIX given)
set -euo pipefail
source "$(dirname "$0")/../support/xsession.sh"
export WINEDEBUG=-all
long=$(printf 'n%.0s' {1..40}).gif
touch "$work/s.gif" "$work/$long"
folder="Z:${work//\//\\}"
# The program's windows titled Pick: the dialog, and a message box over it, lower.
pick() { # tall|low NAME
    local w
    for w in $(xdotool search --onlyvisible --name '^Pick$'); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [[ $1 == tall && $HEIGHT -ge 200 || $1 == low && $HEIGHT -lt 200 ]] && echo "$w"
    done
    true
}
answer() { # TYPED: the dialog of a new pick, its name box given TYPED and Return, or Escape
    retry 'dialog=$(pick tall | head -n1) && [[ -n $dialog ]]' || fail "no dialog"
    xdotool windowfocus --sync "$dialog"
    if [[ -n $1 ]]; then xdotool type --delay 20 "$1" && xdotool key Return; else xdotool key Escape; fi
}
# ROOM TYPED... EXPECTED: each TYPED answers the dialog in turn; a message is expected between
for row in "260|s.gif|1 $folder\\s.gif" "60|$long|s.gif|1 $folder\\s.gif" "260||0 "; do
    IFS='|' read -r -a cells <<<"$row"
    wine "$1" "${cells[0]}" "$folder" >"$work/out" 2>/dev/null &
    pid=$!
    for ((i = 1; i < ${#cells[@]} - 1; i++)); do
        ((i == 1)) || {
            retry 'message=$(pick low | head -n1) && [[ -n $message ]]' || fail "no message for $row"
            xdotool windowfocus --sync "$message" key Return
        }
        answer "${cells[i]}"
    done
    retry '! kill -0 $pid 2>/dev/null' || fail "the dialog stayed: $row"
    wait $pid
    pid=
    [[ $(tr -d '\r' <"$work/out") == "${cells[-1]}" ]] || fail "$row: got $(<"$work/out")"
done
echo "the dialog confirms, refuses a path too long for the room and offers itself again, cancels"
