#!/usr/bin/env bash
# The exported table outlives the program. On an X server without a clipboard manager: closed
# after an export, the program ends and the table stays pasteable byte for byte in every text
# form until another client takes the clipboard; then nothing of the program's remains. Closed
# without an export, after another client took the clipboard, or with no xclip to be found, it
# leaves nothing running. With a clipboard manager, the manager gets the table and the program
# leaves nothing running either.
# Usage: keepclipboard.sh MOSAIKON CLOSEWINDOW CLIPBOARDMANAGER
set -euo pipefail
source "$(dirname "$0")/../support/xsession.sh"
program=$1 closewindow=$2 manager=$3
reader= other= managed=
# Everything the program starts inherits this variable: it finds what is left of a run.
marker="MOSAIKON_KEEPCLIPBOARD_TEST=$work"
leftovers() { grep -lsxzF "$marker" /proc/[0-9]*/environ | cut -d/ -f3 || true; }
at_exit 'for p in $reader $other $managed $(leftovers); do kill "$p" 2>/dev/null || true; done'

# A tile dragged onto slot 9 (origin on slot 0), then the export.
export_table() {
    drag 16 16 360 96
    sleep 0.5
    xdotool mousemove 128 336 click 1
    retry 'xclip -o -selection clipboard 2>/dev/null | cmp -s - "$work/table"' || fail "no export"
}
# Another client takes the clipboard and keeps it until the end of the test.
take_clipboard() {
    printf 'another program' >"$work/other"
    xclip -quiet -selection clipboard -i "$work/other" >/dev/null 2>&1 &
    other=$!
    retry 'xclip -o -selection clipboard 2>/dev/null | cmp -s - "$work/other"' || fail "not taken"
}
nothing_left() { retry '[[ -z $(leftovers) ]]' || fail "left running: $(leftovers | xargs -r ps -o args= -p)"; }
no_clipboard() { ! xclip -o -selection clipboard >/dev/null 2>&1 || fail "the clipboard still has an owner"; }
release() { kill "$other" && wait "$other" 2>/dev/null || true; other=; }
# One run with PATH (default: the test's) and its output on a pipe, as `$(mosaikon)` or
# `mosaikon | less` would: the reader ends only when every process holding the pipe has let go
# of it. The window closed as a window manager does after an export (none: without), another
# client taking the clipboard before (taken); the program ends cleanly and gives its pipe back,
# leaving nothing running (kept: not yet checked).
run() { # none|export|taken|kept [PATH]
    env "$marker" PATH="${2:-$PATH}" "$program" 2>&1 | cat >"$work/log" &
    reader=$!
    wait_window Mosaikon wid "no window"
    [[ $1 == none ]] || export_table
    [[ $1 != taken ]] || take_clipboard
    "$closewindow" "$wid"
    retry '! kill -0 "$reader" 2>/dev/null' || fail "the program or its helper still holds its output"
    wait "$reader" || fail "the program ended with status $?"
    reader=
    [[ $1 == kept ]] || nothing_left
}
printf 'DC.w $0001\r\nDC.b $10,$80,$10,$00,$21\r\n' >"$work/table"

# Closed without an export.
run none
no_clipboard
cp "$work/log" "$work/quiet-log"

# Closed after an export: the table is kept, by a helper that holds nothing of ours.
run kept
keeper=$(leftovers)
[[ $(wc -w <<<"$keeper") == 1 && $(cat "/proc/$keeper/comm") == xclip ]] || fail "keeper: $keeper"
[[ $(ps -o sid= -p "$keeper") != $(ps -o sid= -p $$) && $(ps -o tty= -p "$keeper") == *\?* ]] ||
    fail "the keeper shares the starting terminal's session"
[[ $(readlink "/proc/$keeper/fd/1") == /dev/null && $(readlink "/proc/$keeper/fd/2") == /dev/null &&
    $(readlink "/proc/$keeper/cwd") == / ]] || fail "the keeper holds the program's output or folder"
for target in UTF8_STRING STRING TEXT text/plain; do
    xclip -o -selection clipboard -t "$target" | cmp - "$work/table" || fail "kept table as $target"
done
[[ $(xclip -o -selection clipboard -t TARGETS) == *UTF8_STRING* ]] || fail "TARGETS"
start=$(date +%s%N)
take_clipboard
nothing_left
echo "the keeper ended $((($(date +%s%N) - start) / 1000000)) ms after another client took the clipboard"
release

# Closed after another client took the clipboard since the export: that client's text stays.
run taken
xclip -o -selection clipboard | cmp - "$work/other" || fail "the other client's text was replaced"
release

# Closed after an export with no xclip to be found: the program ends as usual and says nothing.
mkdir "$work/empty"
run export "$work/empty"
no_clipboard
cmp -s "$work/log" "$work/quiet-log" || fail "the program's output differs from a run without export"

# Closed after an export with a clipboard manager running: the manager keeps the table.
"$manager" >"$work/manager" &
managed=$!
retry '[[ $(<"$work/manager") == ready ]]' || fail "the clipboard manager did not start"
run export
[[ $(<"$work/manager") == $'ready\nsaving from its owner' ]] || fail "manager: $(<"$work/manager")"
xclip -o -selection clipboard | cmp - "$work/table" || fail "the manager does not hold the table"
