#!/usr/bin/env bash
# The exported table outlives the program. On an X server without a clipboard manager: closed
# after an export, the program ends and the table stays pasteable byte for byte in every text form
# until another client takes the clipboard; then nothing of the program's remains. With no xclip
# to be found it ends as usual, says nothing more and leaves nothing running; with a clipboard
# manager, the manager gets the table and the program leaves nothing running either. (Closed
# without an export, or after another client took the clipboard, it keeps nothing: window.xcb.)
# Usage: keepclipboard.sh MOSAIKON CLOSEWINDOW CLIPBOARDMANAGER
set -euo pipefail
source "$(dirname "$0")/../support/xsession.sh"
program=$1 closewindow=$2 manager=$3
reader= other= managed=
# Everything the program starts inherits this variable: it finds what is left of a run.
marker="MOSAIKON_KEEPCLIPBOARD_TEST=$work"
leftovers() { grep -lsxzF "$marker" /proc/[0-9]*/environ | cut -d/ -f3 || true; }
at_exit 'for p in $reader $other $managed $(leftovers); do kill "$p" 2>/dev/null || true; done'
nothing_left() { retry '[[ -z $(leftovers) ]]' || fail "left running: $(leftovers | xargs -r ps -o args= -p)"; }
clipboard() { xclip -o -selection clipboard; }
expect_table() { expect_clipboard "$1"; }
table='DC.w $0001\r\nDC.b $10,$80,$10,$00,$21\r\n'
# One run with PATH (default: the test's) and its output on a pipe, as `$(mosaikon)` or
# `mosaikon | less` would: the reader ends only when every process holding the pipe has let go
# of it. A tile dragged onto slot 9 (origin on slot 0) and exported, then the window closed as a
# window manager does; the program ends cleanly and gives its pipe back.
run() { # [PATH]
    env "$marker" PATH="${1:-$PATH}" "$program" 2>&1 | cat >"$work/log" &
    reader=$!
    wait_window Mosaikon wid "no window"
    drag 16 16 $(slot 9)
    sleep 0.5
    export_as "$table"
    "$closewindow" "$wid"
    retry '! kill -0 "$reader" 2>/dev/null' || fail "the program or its helper still holds its output"
    wait "$reader" || fail "the program ended with status $?"
    reader=
}

# The table is kept by a helper that holds nothing of ours.
run
cp "$work/log" "$work/kept-log"
keeper=$(leftovers)
[[ $(wc -w <<<"$keeper") == 1 && $(cat "/proc/$keeper/comm") == xclip ]] || fail "keeper: $keeper"
[[ $(ps -o sid= -p "$keeper") != $(ps -o sid= -p $$) && $(ps -o tty= -p "$keeper") == *\?* ]] ||
    fail "the keeper shares the starting terminal's session"
[[ $(readlink "/proc/$keeper/fd/1") == /dev/null && $(readlink "/proc/$keeper/fd/2") == /dev/null &&
    $(readlink "/proc/$keeper/cwd") == / ]] || fail "the keeper holds the program's output or folder"
for target in UTF8_STRING STRING TEXT text/plain; do
    xclip -o -selection clipboard -t "$target" | cmp - "$work/want" || fail "kept table as $target"
done
[[ $(xclip -o -selection clipboard -t TARGETS) == *UTF8_STRING* ]] || fail "TARGETS"
start=$(date +%s%N)
printf 'another program' | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
other=$!
expect_clipboard 'another program'
nothing_left
echo "the keeper ended $((($(date +%s%N) - start) / 1000000)) ms after another client took the clipboard"
kill "$other" && wait "$other" 2>/dev/null || true

# No xclip to be found: nothing is kept, and the program prints what it printed with xclip.
mkdir "$work/empty"
run "$work/empty"
nothing_left
! xclip -o -selection clipboard >/dev/null 2>&1 || fail "the clipboard still has an owner"
cmp -s "$work/log" "$work/kept-log" || fail "the program's output differs from a run with xclip"

# A clipboard manager runs: it gets the table from the program itself.
"$manager" >"$work/manager" &
managed=$!
retry '[[ $(<"$work/manager") == ready ]]' || fail "the clipboard manager did not start"
run
nothing_left
[[ $(<"$work/manager") == $'ready\nsaving from its owner' ]] || fail "manager: $(<"$work/manager")"
expect_clipboard "$table"
