#!/usr/bin/env bash
# The program as started, on a real X server: the window's pixels right after start-up, and
# the export of the empty grid read back from the X clipboard.
# Usage: realwindow-start.sh MOSAIKON CLOSEWINDOW
set -euo pipefail
source "$(dirname "$0")/realwindow-lib.sh"

start_program "$1"

# Source view: black cells framed by dark red grid lines, two pixels wide where cells meet.
wait_for_pixels "16 16 000000" "100 40 000000" "240 240 000000" \
    "0 10 800000" "31 10 800000" "32 10 800000" "10 63 800000" "10 64 800000" "255 255 800000"

# Slot 0 carries the origin border; every other slot is plain grey up to its edges.
edge=$(pixels "$(slot_x 0 0)" "$(slot_y 0 0)")
[[ $edge != "404040 " ]] || fail "slot 0 shows no border"
wait_for_pixels "$(slot_x 0) $(slot_y 0) 404040" "$(slot_x 0 1) $(slot_y 0 1) 404040"
plain=()
for slot in $(seq 1 63); do
    plain+=("$(slot_x $slot) $(slot_y $slot) 404040" "$(slot_x $slot 0) $(slot_y $slot 0) 404040"
        "$(slot_x $slot 63) $(slot_y $slot 63) 404040")
done
wait_for_pixels "${plain[@]}"

# "ASM Sprite Table to Clipboard"
click_at 128 336
expect_clipboard 'DC.w $0000\r\n'
close_program "$2"
