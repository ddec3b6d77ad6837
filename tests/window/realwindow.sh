#!/usr/bin/env bash
# The program on a real X server with the real pointer, open dialog and clipboard: the window as it
# starts and its empty export, then a session building the three-slot example, gestures at the
# edges of the pointer and keyboard rules, then a clean close while a dialog waits. Its settings,
# data, runtime and home folders stay empty, and it prints nothing: the program writes no file.
# Usage: realwindow.sh MOSAIKON CLOSEWINDOW ICON16_PNG
set -euo pipefail
source "$(dirname "$0")/../support/xsession.sh"
expect_clipboard() {
    printf "$1" >"$work/want"
    retry 'xclip -o -selection clipboard 2>/dev/null | cmp -s - "$work/want"' || fail "clipboard: not $1"
}
# The clipboard holds the table $1, and a real assembler (which must be here) reads it as the
# bytes it stands for.
expect_table() {
    expect_clipboard "$1"
    xclip -o -selection clipboard >"$work/table"
    "$(dirname "$0")/../support/assemble_table.py" "$work/table" >/dev/null ||
        fail "dasm does not read the exported table as the bytes it stands for"
}
slot() { echo "$((264 + 64 * ($1 % 8) + ${2:-32})) $((64 * ($1 / 8) + ${3:-32}))"; }
click() { xdotool mousemove $1 $2 click "${3:-1}" && sleep 0.5; }
dialog_up() { wait_window Open dialog "no dialog"; }
pick() { dialog_up && xdotool windowfocus --sync "$dialog" type --delay 20 "$1" && xdotool key Return; }
sheet() { printf '%02x%02x%02x' "$1" "$2" $(((3 * $1 + 5 * $2) & 255)); }

/usr/bin/convert -size 300x280 xc:black -channel R -fx 'i/255' -channel G -fx 'j/255' \
    -channel B -fx '((3*i+5*j)%256)/255' +channel BMP3:"$work/sheet.bmp"
folders=("$work/config" "$work/data" "$work/runtime" "$work/home")
mkdir -m 700 "${folders[@]}"
start_program env XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" "$1"
eval "$(xdotool getwindowgeometry --shell "$wid")"
[[ $X,$Y == 0,0 ]] || fail "the window is at ($X, $Y)"
# The window icon at 16, 32 and 48 pixels, the first pixel for pixel the icon file of that size.
icon16=$(/usr/bin/convert "$3" -depth 8 RGBA:- | od -An -tu1 -v -w4 |
    awk '{ printf ", %.0f", (($4 * 256 + $1) * 256 + $2) * 256 + $3 }')
icon=$(xprop -id "$wid" -notype 32c _NET_WM_ICON)
[[ $icon == "_NET_WM_ICON = 16, 16$icon16, 32, 32, "*", 48, 48, "* ]] || fail "window icon: ${icon:0:80}"
# Black cells in dark red grid lines; slot 0 bordered, the other slots grey to their edges.
points=("16 16 000000" "100 40 000000" "0 10 800000" "31 10 800000" "32 10 800000"
    "10 64 800000" "255 255 800000" "$(slot 0 0 0) 000000" "$(slot 0) 404040")
for s in $(seq 63); do points+=("$(slot $s 0 0) 404040" "$(slot $s) 404040" "$(slot $s 63 63) 404040"); done
expect_pixels "${points[@]}"
click 128 336
expect_table 'DC.w $0000\r\n'

click 128 280
pick "$work/sheet.bmp"
expect_pixels "40 40 $(sheet 20 20)" "200 100 $(sheet 100 50)" "250 5 $(sheet 125 2)"
for drag in "16 16 0" "48 48 9" "240 240 18" "100 40 20"; do # from x y onto a slot: its tile
    read -r x y s <<<"$drag"
    drag $x $y $(slot $s)
    expect_pixels "$(slot $s 2 5) $(sheet $((x / 32 * 16)) $((y / 32 * 16 + 1)))" \
        "$(slot $s 61 58) $(sheet $((x / 32 * 16 + 15)) $((y / 32 * 16 + 14)))"
done
for s in 9 18 18 18; do click $(slot $s); done
click $(slot 20) 3
expect_pixels "$(slot 20 2 5) 404040" "$(slot 20 50 40) 404040"
drag 180 390 $(slot 9)
expect_pixels "$(slot 9 0 32) 000000" "$(slot 0 0 32) $(sheet 0 8)"
for x_y in "76 388" "76 388" "76 436" "128 336"; do click $x_y; done # boxes, then the export
expect_table 'DC.w $0003\r\nDC.b $E8,$81,$F0,$00,$21\r\nDC.b $F8,$81,$00,$22,$61\r\nDC.b $08,$80,$10,$EE,$E1\r\n'

# A left press off the view while the right is held there drags nothing, so no slot gets a tile
# number the user never chose, and the export (the vertical box now checked too) still works.
xdotool mousemove 100 20 mousedown 3 mousemove 40 300 mousedown 1 mousemove 296 32 mouseup 1 mouseup 3
sleep 0.5
click 76 388
click 128 336
expect_table 'DC.w $0003\r\nDC.b $E8,$81,$E8,$00,$21\r\nDC.b $F8,$81,$F8,$22,$61\r\nDC.b $08,$80,$08,$EE,$E1\r\n'
expect_pixels "$(slot 0 2 5) $(sheet 0 1)"

# A click on a tile, then at once a drag of it: the second press is a double click, and drags.
xdotool mousemove 48 80 click 1 mousedown 1 mousemove_relative 20 20 mousemove $(slot 27) mouseup 1
expect_pixels "$(slot 27 2 5) $(sheet 16 33)" "$(slot 27 61 58) $(sheet 31 46)"

# A press with no move before it: the pointer moved while an error report blocked the window.
printf 'no picture\n' >"$work/words.gif"
xdotool mousemove 16 16 sleep 0.3 mousemove 128 280 click 1
pick "$work/words.gif"
retry 'report=$(xdotool search --onlyvisible --name "^Mosaikon\$" | grep -vx "$wid" | head -n1) && [[ -n $report ]]' ||
    fail "no error report"
xdotool mousemove 200 200 sleep 0.3 windowfocus --sync "$report" key Return
retry '! xdotool search --onlyvisible --name "^Mosaikon\$" | grep -qvx "$wid"' || fail "the report stayed"
xdotool mousedown 1 mousemove_relative 20 20 mousemove $(slot 28) mouseup 1
expect_pixels "$(slot 28 2 5) $(sheet 96 97)" "$(slot 28 61 58) $(sheet 111 110)"

# Return and Enter on the keypad press the focused button: Load Image (focused by the load above;
# each press shows a dialog), then the export (Shift+Tab from the horizontal box, just cleared).
for key in Return KP_Enter; do
    xdotool windowfocus --sync "$wid" key $key
    dialog_up
    xdotool windowfocus --sync "$dialog" key Escape
    wait_gone Open "the dialog stayed"
done
click 76 436
table='DC.w $0005\r\nDC.b $F0,$81,$E8,$00,$21\r\nDC.b $00,$80,$F8,$22,$61\r\nDC.b $10,$80,$08,$EE,$E1\r\n'
table+='DC.b $20,$80,$18,$42,$21\r\nDC.b $30,$80,$18,$CC,$21\r\n'
for key in Return KP_Enter; do
    printf 'earlier text' | xclip -selection clipboard -i
    expect_clipboard 'earlier text'
    xdotool windowfocus --sync "$wid" key shift+Tab shift+Tab shift+Tab $key key Tab Tab Tab
    expect_table "$table"
done

# The window closed while its open dialog waits: the program ends, and cleanly.
click 128 280
dialog_up
close_program "$2"
written=$(find "${folders[@]}" -mindepth 1)
[[ -z $written ]] || fail "files written: $written"
[[ ! -s $work/log ]] || fail "the program printed messages"
