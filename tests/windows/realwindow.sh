#!/usr/bin/env bash
# The packed Windows program under Wine on a real X server, started from another folder as a
# shortcut starts it: the system's open dialog in the program's folder, a sheet shown enlarged,
# each gesture and both adjustments as the table a Windows program pastes, error reports that
# keep the arrangement, a clean close while the dialog waits, and the file's icon and version
# record. (A path too long for the program is pickfile.sh's: Wine's dialog itself fails on
# paths past MAX_PATH.)
# Usage: realwindow.sh MOSAIKON-ZIP WINTOOL-EXE
set -euo pipefail
source "$(dirname "$0")/../support/xsession.sh"
export WINEPREFIX=$work/prefix WINEDEBUG=-all
wineboot -i >/dev/null 2>&1 || fail "no Wine prefix"
at_exit 'wineserver -k'
mkdir "$work/elsewhere"
(cd "$work" && unzip -q "$1") || fail "cannot unpack $1"
folder=$(find "$work" -maxdepth 2 -name Mosaikon.exe -printf '%h')
[[ -n $folder ]] || fail "no Mosaikon.exe in $1"
tool=$2

# Positions are the client area's: the window's X window is its client area (no window
# manager), at X0, Y0 on the screen.
slot() { echo $((264 + 64 * ($1 % 8) + ${2:-32})) $((64 * ($1 / 8) + ${3:-32})); }
click() { xdotool mousemove $((X0 + $1)) $((Y0 + $2)) click "${3:-1}" && sleep 0.4; }
# Wine drops only drags that move in steps with pauses.
drag() { # FROM-X FROM-Y TO-X TO-Y
    xdotool mousemove $((X0 + $1)) $((Y0 + $2)) sleep 0.15 mousedown 1 sleep 0.15 \
        mousemove_relative 10 10 sleep 0.15 mousemove_relative 20 20 sleep 0.15 \
        mousemove $((X0 + $3)) $((Y0 + $4)) sleep 0.15 mousemove_relative 1 1 sleep 0.15 \
        mouseup 1 sleep 0.3
}
# The colour of the sheet at a pixel, as rrggbb.
sheet() { /usr/bin/convert "$folder/samples-hero.gif[0]" -format "%[hex:p{$1,$2}]" info: | tr A-F a-f; }
# The export's table, as a Windows program pastes it.
expect_table() {
    click 128 336
    printf "$1" >"$work/want"
    retry 'wine "$tool" clip >"$work/clip" 2>/dev/null && cmp -s "$work/clip" "$work/want"' ||
        fail "clipboard: $(od -c "$work/clip" | head -n3) is not $1"
}
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
# Load Image, a name typed into the open dialog and confirmed.
load() {
    click 128 280
    retry 'dialog=$(others "" | head -n1) && [[ -n $dialog ]]' || fail "no open dialog"
    xdotool windowfocus --sync "$dialog" type --delay 30 "$1"
    xdotool key Return
}
expect_report() { # FILE: the error report over the window, closed with Return
    retry 'report=$(others Mosaikon | head -n1) && [[ -n $report ]]' || fail "no report for $1"
    xdotool windowfocus --sync "$report" key Return
    retry '[[ -z $(others Mosaikon) ]]' || fail "the report for $1 stayed"
}

cd "$work/elsewhere"
start_program wine "$folder/Mosaikon.exe"
# Wine may move the window once after it shows: take its place once it keeps it.
retry 'place=$(xdotool getwindowgeometry --shell "$wid") && sleep 0.5 &&
    [[ $(xdotool getwindowgeometry --shell "$wid") == "$place" ]]' || fail "the window kept moving"
eval "$place"
X0=$X Y0=$Y
[[ $WIDTH,$HEIGHT == 779,513 ]] || fail "the window is $WIDTH x $HEIGHT"
expect_pixels "$(slot 0 0 0) 000000" "$(slot 1 0 0) 404040" "16 16 000000" "0 10 800000"

# A bare name: found only when the dialog starts in the program's own folder.
load samples-hero.gif
expect_pixels "40 40 $(sheet 20 20)" "200 100 $(sheet 100 50)" "250 6 $(sheet 125 3)"
for d in "16 16 0" "48 48 9" "240 240 18" "100 40 20"; do # from x y onto a slot: its tile
    read -r x y s <<<"$d"
    drag $x $y $(slot $s)
    expect_pixels "$(slot $s 2 5) $(sheet $((x / 32 * 16)) $((y / 32 * 16 + 1)))"
done
for s in 9 18 18 18; do click $(slot $s); done
click $(slot 20) 3
expect_pixels "$(slot 20 2 5) 404040"
drag 180 390 $(slot 9)
expect_pixels "$(slot 9 0 32) 000000"
expect_table 'DC.w $0003\r\nDC.b $F0,$81,$F0,$00,$21\r\nDC.b $00,$80,$00,$22,$61\r\nDC.b $10,$80,$10,$EE,$E1\r\n'
click 76 436 # horizontal adjustment
expect_table 'DC.w $0003\r\nDC.b $E8,$81,$F0,$00,$21\r\nDC.b $F8,$81,$00,$22,$61\r\nDC.b $08,$80,$10,$EE,$E1\r\n'
click 76 436
click 76 388 # vertical adjustment
table='DC.w $0003\r\nDC.b $F0,$81,$E8,$00,$21\r\nDC.b $00,$80,$F8,$22,$61\r\nDC.b $10,$80,$08,$EE,$E1\r\n'
expect_table "$table"

# Files that are no picture: a report each, and the arrangement and view stay.
printf 'no picture\n' >"$work/words.gif"
head -c 160 "$folder/samples-forest.jpg" >"$work/cut.jpg"
for file in words.gif cut.jpg; do
    load "Z:${work//\//\\}\\$file"
    expect_report "$file"
done
expect_pixels "40 40 $(sheet 20 20)"
expect_table "$table"

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
