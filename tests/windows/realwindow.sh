#!/usr/bin/env bash
# The packed Windows program under Wine on a real X server, started from another folder as a
# shortcut starts it: the system's open dialog in the program's folder, the window as it starts,
# the three-slot example with each table as a Windows program pastes it, error reports that keep
# the arrangement, a clean close while the dialog waits, the file's icon and version record.
# (Too long a path: tests/dialogs/pickfile.sh; Wine's dialog itself fails past MAX_PATH.)
# Usage: realwindow.sh MOSAIKON-ZIP WINTOOL-EXE
set -euo pipefail
source "$(dirname "$0")/../support/xsession.sh"
export WINEPREFIX=$work/prefix WINEDEBUG=-all
wineboot -i >/dev/null 2>&1 || fail "no Wine prefix"
at_exit 'wineserver -k'
mkdir "$work/elsewhere"
(cd "$work" && unzip -q "$1") || fail "cannot unpack $1"
folder=$(find "$work" -maxdepth 2 -name Mosaikon.exe -printf '%h') tool=$2
[[ -n $folder ]] || fail "no Mosaikon.exe in $1"

# Positions are the client area's: the window's X window is its client area (no window
# manager), at X0, Y0 on the screen. Wine drops only drags that move in steps with pauses.
drag() { # FROM-X FROM-Y TO-X TO-Y
    xdotool mousemove $((X0 + $1)) $((Y0 + $2)) sleep 0.15 mousedown 1 sleep 0.15 \
        mousemove_relative 10 10 sleep 0.15 mousemove_relative 20 20 sleep 0.15 \
        mousemove $((X0 + $3)) $((Y0 + $4)) sleep 0.15 mousemove_relative 1 1 sleep 0.15 \
        mouseup 1 sleep 0.3
}
sheet() { /usr/bin/convert "$folder/samples-hero.gif[0]" -format "%[hex:p{$1,$2}]" info: | tr A-F a-f; }
clipboard() { wine "$tool" clip; } # CF_TEXT, as a Windows program pastes it
expect_table() { expect_clipboard "$1"; }
# The program's visible windows but its main one that are titled TITLE ('' for the open dialog,
# whose record asks for no title) and wider than a drag image.
others() {
    local w
    for w in $(xdotool search --onlyvisible --classname mosaikon.exe); do
        [[ $w == "$wid" || $(xdotool getwindowname "$w") != "$1" ]] && continue
        eval "$(xdotool getwindowgeometry --shell "$w")"
        ((WIDTH > 100)) && echo "$w"
    done
    true
}
load() { # Load Image, a name typed into the open dialog and confirmed
    click 128 280
    retry 'dialog=$(others "" | head -n1) && [[ -n $dialog ]]' || fail "no open dialog"
    xdotool windowfocus --sync "$dialog" type --delay 30 "$1" && xdotool key Return
}

cd "$work/elsewhere"
start_program wine "$folder/Mosaikon.exe"
# Wine may move the window once after it shows: take its place once it keeps it.
retry 'place=$(xdotool getwindowgeometry --shell "$wid") && sleep 0.5 &&
    [[ $(xdotool getwindowgeometry --shell "$wid") == "$place" ]]' || fail "the window kept moving"
eval "$place"
X0=$X Y0=$Y
[[ $WIDTH,$HEIGHT == 779,513 ]] || fail "the window is $WIDTH x $HEIGHT"
expect_start
compose_example samples-hero.gif # a bare name: found only when the dialog starts in the program's folder

# Files that are no picture: a report each, closed with Return, and the arrangement and view stay.
printf 'no picture\n' >"$work/words.gif"
head -c 160 "$folder/samples-forest.jpg" >"$work/cut.jpg"
for file in words.gif cut.jpg; do
    load "Z:${work//\//\\}\\$file"
    retry 'report=$(others Mosaikon | head -n1) && [[ -n $report ]]' || fail "no report for $file"
    xdotool windowfocus --sync "$report" key Return
    retry '[[ -z $(others Mosaikon) ]]' || fail "the report for $file stayed"
done
expect_pixels "40 40 $(sheet 20 20)"
export_as "$table"

# The close box while the open dialog waits: the program ends, and cleanly.
click 128 280
retry '[[ -n $(others "") ]]' || fail "no open dialog"
close_by_title() { wine "$tool" close Mosaikon; }
close_program close_by_title

# The file's icon: nine images; its version record: "1.00".
wrestool -x --type=14 "$folder/Mosaikon.exe" >"$work/icon.ico" || fail "no icon group"
icons=$(icotool -l "$work/icon.ico" | sed 's/.*--width=\([0-9]*\) --height=[0-9]* --bit-depth=\([0-9]*\).*/\1x\2/' | sort | tr '\n' ' ')
[[ $icons == "16x32 16x4 16x8 32x32 32x4 32x8 48x32 48x4 48x8 " ]] || fail "icon images: $icons"
version=$(wrestool -x --raw --type=16 "$folder/Mosaikon.exe" | iconv -f UTF-16LE -t UTF-8 -c | tr -c '[:print:]' ' ')
for entry in "FileVersion *1.00" "ProductVersion *1.00"; do
    grep -q "$entry" <<<"$version" || fail "version record lacks $entry: $version"
done
echo "Windows program under Wine: dialog, gestures, table, reports, close and resources hold"
