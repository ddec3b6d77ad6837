#!/usr/bin/env bash
# A whole session with the real pointer: a sheet loaded through the real open dialog, tile drags
# onto slots, flips, a clear, an origin drag and both boxes, then the export read back from the
# X clipboard and the slot pictures read off the screen.
# Usage: realwindow-gestures.sh MOSAIKON WRITESHEET CLOSEWINDOW
set -euo pipefail
source "$(dirname "$0")/realwindow-lib.sh"

# The sheet's pixel (x, y): red x, green y, blue (3x + 5y) mod 256.
sheet() { printf '%02x%02x%02x' "$1" "$2" $(((3 * $1 + 5 * $2) & 255)); }

# "x y colour" of slot pixel (px, py) holding the tile of cell (col, row) mirrored by h and v.
tile_pixel() {
    local slot=$1 col=$2 row=$3 h=$4 v=$5 px=$6 py=$7
    local tx=$((h ? 63 - px : px)) ty=$((v ? 63 - py : py))
    echo "$(slot_x "$slot" "$px") $(slot_y "$slot" "$py") $(sheet $((col * 16 + tx / 4)) $((row * 16 + ty / 4)))"
}

# Waits until slot `slot` shows that tile at a spread of inner pixels.
expect_tile() {
    local wanted=() p
    for p in "2 2" "5 60" "33 17" "61 3" "61 61" "40 44"; do
        wanted+=("$(tile_pixel "$@" $p)")
    done
    wait_for_pixels "${wanted[@]}"
}

"$2" "$work/sheet.bmp" 128 128 || fail "cannot write the sheet"
start_program "$1"
border=$(pixels "$(slot_x 0 0)" "$(slot_y 0 32)")

# Load Image: type the path into the real dialog.
click_at 128 280
for _ in $(seq 100); do
    dialog=$(xdotool search --onlyvisible --name '^Open$' 2>/dev/null | head -n1) || true
    [[ -n $dialog ]] && break
    sleep 0.1
done
[[ -n $dialog ]] || fail "no open dialog"
xdotool windowfocus --sync "$dialog"
xdotool type --delay 20 "$work/sheet.bmp"
xdotool key Return
wait_for_pixels "40 40 $(sheet 20 20)" "200 100 $(sheet 100 50)" "250 5 $(sheet 125 2)"

# An origin drag released on "Load Image" neither clicks it nor moves the origin.
drag 180 390 128 280
sleep 0.5
[[ -z $(xdotool search --onlyvisible --name '^Open$' 2>/dev/null) ]] || fail "the drop opened a dialog"
wait_for_pixels "$(slot_x 0 0) $(slot_y 0 32) $border"

# Tile drags: cell (0, 0) to slot 0, (1, 1) to slot 9 (pressed where two grid lines cross),
# (7, 7) to slot 18, (3, 1) to slot 20.
drag 16 16 "$(slot_x 0)" "$(slot_y 0)"
expect_tile 0 0 0 0 0
drag 63 32 "$(slot_x 9)" "$(slot_y 9)"
expect_tile 9 1 1 0 0
drag 240 240 "$(slot_x 18 10)" "$(slot_y 18 50)"
expect_tile 18 7 7 0 0
drag 100 40 "$(slot_x 20)" "$(slot_y 20)"
expect_tile 20 3 1 0 0

# Flips: a double click on slot 9 is one flip (left to right), three clicks on slot 18 flip
# it both ways; a right click clears slot 20.
xdotool mousemove $((win_x + $(slot_x 9))) $((win_y + $(slot_y 9))) click --repeat 2 --delay 100 1
sleep 0.5
expect_tile 9 1 1 1 0
for _ in 1 2 3; do click_at "$(slot_x 18)" "$(slot_y 18)"; done
expect_tile 18 7 7 1 1
click_at "$(slot_x 20)" "$(slot_y 20)" 3
wait_for_pixels "$(slot_x 20 2) $(slot_y 20 2) 404040" "$(slot_x 20 50) $(slot_y 20 40) 404040"

# Origin drag onto slot 9: the border moves there from slot 0.
drag 180 390 "$(slot_x 9)" "$(slot_y 9)"
wait_for_pixels "$(slot_x 9 0) $(slot_y 9 32) $border" "$(tile_pixel 0 0 0 0 0 0 32)"

# Boxes: the vertical one on and off again, the horizontal one on.
click_at 76 388
click_at 76 388
click_at 76 436

# The export, and the screen as the gestures left it.
click_at 128 336
expect_clipboard 'DC.w $0003\r\nDC.b $E8,$81,$F0,$00,$21\r\nDC.b $F8,$81,$00,$22,$61\r\nDC.b $08,$80,$10,$EE,$E1\r\n'
expect_tile 0 0 0 0 0
expect_tile 9 1 1 1 0
expect_tile 18 7 7 1 1
close_program "$3"
