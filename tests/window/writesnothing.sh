#!/usr/bin/env bash
# The program writes no file: with configuration, data, runtime and home folders of its own, all
# empty, a cancelled load, a confirmed load and a close as a window manager does it leave every
# one of them empty, and the program prints nothing.
# Usage: writesnothing.sh MOSAIKON CLOSEWINDOW
set -euo pipefail
source "$(dirname "$0")/../support/xsession.sh"
open_dialog() {
    xdotool mousemove 128 280 click 1 # "Load Image"
    wait_window Open dialog "no dialog"
    xdotool windowfocus --sync "$dialog"
}

folders=("$work/config" "$work/data" "$work/runtime" "$work/home")
mkdir -m 700 "${folders[@]}" "$work/pictures"
/usr/bin/convert -size 16x16 xc:'#ff0000' BMP3:"$work/pictures/sheet.bmp"
start_program env XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" "$1"

open_dialog
xdotool key Escape
wait_gone Open "Escape did not close the dialog"
open_dialog
xdotool type --delay 20 "$work/pictures/sheet.bmp"
xdotool key Return
wait_gone Open "the typed path did not close the dialog"
retry '[[ $(import -window root -crop 1x1+20+20 -depth 8 txt:- | grep -o "#[0-9A-F]\{6\}") == "#FF0000" ]]' ||
    fail "the picture did not load"

close_program "$2"
written=$(find "${folders[@]}" -mindepth 1)
[[ -z $written ]] || fail "files written: $written"
[[ ! -s $work/log ]] || fail "the program printed messages"
