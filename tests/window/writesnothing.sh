#!/usr/bin/env bash
# The program writes no file: with configuration, data, runtime and home folders of its own, all
# empty, a cancelled load, a confirmed load and a close as a window manager does it leave every
# one of them empty, and the program prints nothing.
# Usage: writesnothing.sh MOSAIKON CLOSEWINDOW
set -euo pipefail
work=$(mktemp -d) pid=
trap '[[ -z $pid ]] || kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(dirname "$0")/../lsan.supp:print_suppressions=0}
fail() { echo "FAIL: $*" >&2; sed 's/^/program: /' "$work/log" >&2; exit 1; }
retry() { for _ in $(seq 100); do eval "$1" && return; sleep 0.1; done; false; } # for 10 s
open_dialog() {
    xdotool mousemove 128 280 click 1 # "Load Image"
    retry 'dialog=$(xdotool search --onlyvisible --name "^Open\$" | head -n1) && [[ -n $dialog ]]' ||
        fail "no dialog"
    xdotool windowfocus --sync "$dialog"
}
dialog_closed() { retry '! xdotool search --onlyvisible --name "^Open\$" >/dev/null' || fail "$1"; }

folders=("$work/config" "$work/data" "$work/runtime" "$work/home")
mkdir -m 700 "${folders[@]}" "$work/pictures"
/usr/bin/convert -size 16x16 xc:'#ff0000' BMP3:"$work/pictures/sheet.bmp"
XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime \
    HOME=$work/home "$1" >"$work/log" 2>&1 &
pid=$!
retry 'wid=$(xdotool search --onlyvisible --name "^Mosaikon\$" | head -n1) && [[ -n $wid ]]' || fail "no window"

open_dialog
xdotool key Escape
dialog_closed "Escape did not close the dialog"
open_dialog
xdotool type --delay 20 "$work/pictures/sheet.bmp"
xdotool key Return
dialog_closed "the typed path did not close the dialog"
retry '[[ $(import -window root -crop 1x1+20+20 -depth 8 txt:- | grep -o "#[0-9A-F]\{6\}") == "#FF0000" ]]' ||
    fail "the picture did not load"

"$2" "$wid"
retry '! kill -0 "$pid" 2>/dev/null' || fail "the program did not end when its window closed"
wait "$pid" || fail "the program ended with status $?"
pid=
written=$(find "${folders[@]}" -mindepth 1)
[[ -z $written ]] || fail "files written: $written"
[[ ! -s $work/log ]] || fail "the program printed messages"
