# Shared by the real-window tests: starts the program under the current DISPLAY, finds its window,
# reads screen pixels and the clipboard, and waits for gestures to show. Sourced, not run.
# Window coordinates below are client-area pixels; without a window manager the client area is
# the whole window.

work=$(mktemp -d)
program_pid=
window_id=
trap 'finish' EXIT
# Leak reports stay on; only the system libraries' allocations for the process's life are let go.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(dirname "${BASH_SOURCE[0]}")/../lsan.supp:print_suppressions=0}

finish() {
    if [[ -n $program_pid ]]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}

fail() {
    echo "FAIL: $*" >&2
    [[ -s $work/log ]] && sed 's/^/program: /' "$work/log" >&2
    exit 1
}

# Starts the program and waits until its window is mapped and painted; sets win_x, win_y.
start_program() {
    "$1" >"$work/log" 2>&1 &
    program_pid=$!
    local wid= _
    for _ in $(seq 200); do
        wid=$(xdotool search --onlyvisible --name '^Mosaikon$' 2>/dev/null | head -n1) || true
        [[ -n $wid ]] && break
        kill -0 "$program_pid" 2>/dev/null || fail "the program ended at start"
        sleep 0.05
    done
    [[ -n $wid ]] || fail "no window titled Mosaikon"
    window_id=$wid
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    win_x=$X win_y=$Y
    [[ $WIDTH == 779 && $HEIGHT == 513 ]] || fail "window is ${WIDTH}x$HEIGHT"
    wait_for_pixels "0 0 800000" # the grid over the source view is drawn
}

# Closes the window as a window manager does, with the closer program given; the program must
# end by itself, at once and cleanly (no sanitizer report).
close_program() {
    "$1" "$window_id"
    local _ rc=0
    for _ in $(seq 100); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$program_pid" 2>/dev/null && fail "the program did not end when its window closed"
    wait "$program_pid" || rc=$?
    program_pid=
    ((rc == 0)) || fail "the program ended with status $rc"
}

# Colours (rrggbb, lower case) of window pixels "x y ..." in one fresh screenshot.
pixels() {
    local format= x y
    while (($# >= 2)); do
        x=$(($1 + win_x)) y=$(($2 + win_y))
        format+="%[hex:p{$x,$y}] "
        shift 2
    done
    import -window root "$work/shot.png"
    /usr/bin/convert "$work/shot.png" -format "$format" info: | tr 'A-F' 'a-f'
}

# Waits up to 10 s until every "x y rrggbb" holds on the screen.
wait_for_pixels() {
    local points=() want=() point x y colour got _
    for point in "$@"; do
        read -r x y colour <<<"$point"
        points+=("$x" "$y")
        want+=("$colour")
    done
    for _ in $(seq 100); do
        got=$(pixels "${points[@]}")
        [[ $got == "${want[*]} " ]] && return 0
        sleep 0.1
    done
    fail "pixels at (${points[*]}): want ${want[*]}, got $got"
}

# Clicks at window pixel (x, y) with `button` (1 left, 3 right); waits out the double-click time
# so the next click is a click of its own.
click_at() {
    xdotool mousemove $(($1 + win_x)) $(($2 + win_y)) click "${3:-1}"
    sleep 0.5
}

# One drag as a single pointer gesture: press at (x1, y1), release at (x2, y2).
drag() {
    xdotool mousemove $(($1 + win_x)) $(($2 + win_y)) mousedown 1 \
        mousemove $(($1 + win_x + 20)) $(($2 + win_y + 20)) \
        mousemove $(($3 + win_x)) $(($4 + win_y)) mouseup 1
}

# Waits up to 5 s until the clipboard holds exactly the bytes of printf "$1".
expect_clipboard() {
    printf "$1" >"$work/want"
    local _
    for _ in $(seq 50); do
        xclip -o -selection clipboard >"$work/got" 2>/dev/null || true
        cmp -s "$work/want" "$work/got" && return 0
        sleep 0.1
    done
    echo "want:" >&2
    od -c "$work/want" >&2
    echo "got:" >&2
    od -c "$work/got" >&2
    fail "clipboard text differs"
}

# Window position of slot view `index`, plus (dx, dy) inside it.
slot_x() { echo $((264 + 64 * ($1 % 8) + ${2:-32})); }
slot_y() { echo $((64 * ($1 / 8) + ${2:-32})); }
