# shellcheck shell=bash disable=SC2016 # retry evaluates its command text later, in its own call
# Sourced by the scripts that drive a program on a real X server (under tests/with-xvfb), after
# `set -euo pipefail`. Gives them:
#   work    a private folder, removed at exit; the program's output goes to $work/log
#   pid     the program's process, ended at exit unless emptied once it has ended
#   wid     the program's window, once start_program has seen it
#   at_exit COMMAND-TEXT   to run more at exit, before the above
# and the failure, waiting, gesture, start and close helpers below. Every wait gives up after 10 s.
work=$(mktemp -d) pid='' wid=''
exit_steps=()
at_exit() { exit_steps+=("$1"); }
end_session() {
    local step
    for step in "${exit_steps[@]}"; do eval "$step" || true; done
    [[ -z $pid ]] || kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap end_session EXIT
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(dirname "${BASH_SOURCE[0]}")/../lsan.supp:print_suppressions=0}

# Ends the test as failed: the reason, then what the program printed.
fail() {
    echo "FAIL: $*" >&2
    [[ ! -e $work/log ]] || sed 's/^/program: /' "$work/log" >&2
    exit 1
}
# Evaluates COMMAND-TEXT until it succeeds, every 0.1 s for 10 s.
retry() { for _ in $(seq 100); do eval "$1" && return; sleep 0.1; done; false; }
# Waits for a visible window titled exactly TITLE and puts its id in the variable NAME.
wait_window() { # TITLE NAME [FAILURE]
    retry "$2=\$(xdotool search --onlyvisible --name '^$1\$' | head -n1) && [[ -n \$$2 ]]" ||
        fail "${3:-no window \"$1\"}"
}
# Starts COMMAND (the program, or `env ...` running it) in the background: pid, and wid its window.
start_program() { # COMMAND [ARGUMENTS...]
    "$@" >"$work/log" 2>&1 &
    pid=$!
    wait_window Mosaikon wid "no window"
}
# Waits until every pixel "x y rrggbb" given shows on the screen; x and y count from X0, Y0 (the
# window's place, 0 unless the script sets them).
expect_pixels() {
    local format= want= point x y colour
    for point in "$@"; do
        read -r x y colour <<<"$point"
        format+="%[hex:p{$((${X0:-0} + x)),$((${Y0:-0} + y))}] " want+="$colour "
    done
    retry 'import -window root "$work/s.png" && [[ $(/usr/bin/convert "$work/s.png" -format "$format" \
        info: | tr A-F a-f | tee "$work/got") == "$want" ]]' || fail "pixels $*: got $(<"$work/got")"
}
# A left-button drag from X1 Y1 to X2 Y2, one xdotool command so that the drag completes.
drag() { xdotool mousemove "$1" "$2" mousedown 1 mousemove_relative 20 20 mousemove "$3" "$4" mouseup 1; }
# A click at X Y of the window (from X0, Y0), and time for the program to handle it.
click() { xdotool mousemove $((${X0:-0} + $1)) $((${Y0:-0} + $2)) click "${3:-1}" && sleep 0.5; }
# Waits until the clipboard, as the script's `clipboard` reads it, holds the bytes of TEXT.
expect_clipboard() { # TEXT (a printf format)
    printf "$1" >"$work/want"
    retry 'clipboard >"$work/clip" 2>/dev/null && cmp -s "$work/clip" "$work/want"' ||
        fail "clipboard: $(od -c "$work/clip" | head -n3) is not $1"
}
# Closes the program's window as a window manager does; the program must end, and cleanly.
close_program() { # CLOSEWINDOW
    "$1" "$wid"
    retry '! kill -0 "$pid" 2>/dev/null' || fail "the program did not end when its window closed"
    wait "$pid" || fail "the program ended with status $?"
    pid=
}

# The window of the program, as its user sees it on both systems. The script gives the hooks
# load FILE (Load Image, FILE picked), sheet X Y (the colour of the loaded sheet at a pixel, as
# rrggbb), drag (for a drag of the window's own), clipboard and expect_table TABLE.
slot() { echo "$((264 + 64 * ($1 % 8) + ${2:-32})) $((64 * ($1 / 8) + ${3:-32}))"; }
export_as() { click 128 336 && expect_table "$1"; } # TABLE: the export gives it
# As it starts: black cells in dark red grid lines; slot 0 bordered, the other slots grey to their
# edges; its export an empty table.
expect_start() {
    local s points=("16 16 000000" "100 40 000000" "0 10 800000" "31 10 800000" "32 10 800000"
        "10 64 800000" "255 255 800000" "$(slot 0 0 0) 000000" "$(slot 0) 404040")
    for s in $(seq 63); do points+=("$(slot $s 0 0) 404040" "$(slot $s) 404040" "$(slot $s 63 63) 404040"); done
    expect_pixels "${points[@]}"
    export_as 'DC.w $0000\r\n'
}
# The three-slot example composed on the sheet FILE: tiles dragged onto slots 0, 9, 18 and 20,
# flips by left clicks, slot 20 emptied with a right click, the origin dragged onto slot 9; then
# its table without adjustment, with the horizontal one, and with both (left in $table).
compose_example() { # FILE
    local d x y s
    load "$1"
    expect_pixels "40 40 $(sheet 20 20)" "200 100 $(sheet 100 50)" "250 5 $(sheet 125 2)"
    for d in "16 16 0" "48 48 9" "240 240 18" "100 40 20"; do # from x y onto a slot: its tile
        read -r x y s <<<"$d"
        drag $x $y $(slot $s)
        expect_pixels "$(slot $s 2 5) $(sheet $((x / 32 * 16)) $((y / 32 * 16 + 1)))" \
            "$(slot $s 61 58) $(sheet $((x / 32 * 16 + 15)) $((y / 32 * 16 + 14)))"
    done
    for s in 9 18 18 18; do click $(slot $s); done
    click $(slot 20) 3
    expect_pixels "$(slot 20 2 5) 404040" "$(slot 20 50 40) 404040"
    drag 180 390 $(slot 9)
    expect_pixels "$(slot 9 0 32) 000000" "$(slot 0 0 32) $(sheet 0 8)"
    export_as 'DC.w $0003\r\nDC.b $F0,$81,$F0,$00,$21\r\nDC.b $00,$80,$00,$22,$61\r\nDC.b $10,$80,$10,$EE,$E1\r\n'
    click 76 436 # horizontal adjustment
    export_as 'DC.w $0003\r\nDC.b $E8,$81,$F0,$00,$21\r\nDC.b $F8,$81,$00,$22,$61\r\nDC.b $08,$80,$10,$EE,$E1\r\n'
    click 76 388 # and vertical
    table='DC.w $0003\r\nDC.b $E8,$81,$E8,$00,$21\r\nDC.b $F8,$81,$F8,$22,$61\r\nDC.b $08,$80,$08,$EE,$E1\r\n'
    export_as "$table"
}
