# shellcheck shell=bash disable=SC2016 # retry evaluates its command text later, in its own call
# Sourced by the scripts that drive a program on a real X server (under tests/with-xvfb), after
# `set -euo pipefail`. Gives them:
#   work    a private folder, removed at exit; the program's output goes to $work/log
#   pid     the program's process, ended at exit unless emptied once it has ended
#   wid     the program's window, once start_program has seen it
#   at_exit COMMAND-TEXT   to run more at exit, before the above
# and the failure, waiting, drag, start and close helpers below. Every wait gives up after 10 s.
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
die() {
    echo "FAIL: $*" >&2
    [[ ! -e $work/log ]] || sed 's/^/program: /' "$work/log" >&2
    exit 1
}
fail() { die "$@"; } # a script that goes on after a failure defines its own
# Evaluates COMMAND-TEXT until it succeeds, every 0.1 s for 10 s.
retry() { for _ in $(seq 100); do eval "$1" && return; sleep 0.1; done; false; }
# Waits for a visible window titled exactly TITLE and puts its id in the variable NAME.
wait_window() { # TITLE NAME [FAILURE]
    retry "$2=\$(xdotool search --onlyvisible --name '^$1\$' | head -n1) && [[ -n \$$2 ]]" ||
        die "${3:-no window \"$1\"}"
}
# Waits until no visible window is titled exactly TITLE.
wait_gone() { # TITLE [FAILURE]
    retry "! xdotool search --onlyvisible --name '^$1\$' >/dev/null" || die "${2:-the window $1 stayed}"
}
# Starts COMMAND (the program, or `env ...` running it) in the background: pid, and wid for
# its window.
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
# Closes the program's window as a window manager does; the program must end, and cleanly.
close_program() { # CLOSEWINDOW
    "$1" "$wid"
    retry '! kill -0 "$pid" 2>/dev/null' || die "the program did not end when its window closed"
    wait "$pid" || die "the program ended with status $?"
    pid=
}
