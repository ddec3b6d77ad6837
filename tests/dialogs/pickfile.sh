#!/usr/bin/env bash
# The system's open dialog through the program's dialog layer (pickfile.cpp): Qt's own on Linux,
# Windows' under Wine for a PICKFILE-EXE (in the WINEPREFIX given). A typed name confirms; Escape
# cancels; on Windows a path too long for the record's room brings a message and then the dialog
# again, where a shorter name confirms (Qt's dialog refuses such a path while it stays open:
# tests/dialogs/systemdialogs_test.cpp). Usage: pickfile.sh PICKFILE|PICKFILE-EXE
set -euo pipefail
source "$(dirname "$0")/../support/xsession.sh"
export WINEDEBUG=-all
long=$(printf 'n%.0s' {1..40}).gif
touch "$work/s.gif" "$work/$long"
run=("$1") folder=$work/
[[ $1 != *.exe ]] || run=(wine "$1") folder="Z:${work//\//\\}\\"
# ROOM|TYPED...|EXPECTED: each TYPED answers the dialog in turn; a message is expected between.
rows=("260|s.gif|1 ${folder}s.gif" "260||0 ")
[[ $1 != *.exe ]] || rows+=("60|$long|s.gif|1 ${folder}s.gif")
# The program's windows titled Pick: the dialog, and a message box over it, lower.
pick() { # tall|low
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
for row in "${rows[@]}"; do
    IFS='|' read -r -a cells <<<"$row"
    "${run[@]}" "${cells[0]}" "$folder" >"$work/out" &
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
