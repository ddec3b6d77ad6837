#!/usr/bin/env bash
# shellcheck disable=SC2016 # retry evaluates its command later, in its own call
# The drag pointers as the X server shows them, read with XFixes while a real drag is held: a
# drag from the source view shows the arrow with its hot spot on the tip, a drag of the origin
# button shows the quartered diamond with its hot spot in the centre, and the pointer is the
# ordinary one again once the button is released.
# Usage: dragpointers.sh MOSAIKON CURSORIMAGE    (exits 77 when a tool it needs is missing)
set -euo pipefail
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
[[ -x ${2-} ]] || { echo "SKIP: no pointer reader (build it with libxfixes-dev)"; exit 77; }
source "$(dirname "$0")/../support/xsession.sh"
program=$1 cursor=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); } # goes on: every reading gets checked
read_pointer() { "$cursor" >"$work/$1"; }
# While a drag starts the pointer passes through other images for a moment (the ordinary one,
# the bare server's): a reading counts once it holds.
read_steady() {
    read_pointer "$1" && sleep 0.2 && read_pointer "$1.again" && cmp -s "$work/$1" "$work/$1.again"
}
read_drag_pointer() { read_steady "$1" && ! cmp -s "$work/$1" "$work/normal"; }
show() { sed 's/^/    /' "$work/$1"; }

# The checks of one pointer image against its picture, by awk over the reader's character
# picture. Coordinates below are the picture's: its (0, 0) lies at the hot spot minus the hot
# spot the picture is meant to have, whatever margin the toolkit put around it.
check() { # NAME-OF-READING A|B
    local hot
    if [[ $2 == A ]]; then hot=(1 1); else hot=(15 15); fi
    awk -v kind="$2" -v hx="${hot[0]}" -v hy="${hot[1]}" -f "$(dirname "$0")/dragpointers.awk" \
        "$work/$1" >"$work/$1.verdict" || { fail "$1: $(<"$work/$1.verdict")"; show "$1"; }
}

start_program "$program"
# An empty part of the window, where no drop is taken, and the middle of slot 27.
empty=(230 480) slot=(520 224)
xdotool mousemove "${empty[@]}"
retry 'read_steady normal' || die "the pointer over the window does not settle"

# A drag held from PRESS-X PRESS-Y: the pointer read over a slot and over the empty part, then
# the button released there and the pointer read again.
held_drag() { # NAME PRESS-X PRESS-Y
    local name=$1 # seen by the commands retry evaluates
    xdotool mousemove "$2" "$3" mousedown 1 mousemove_relative 20 20 mousemove "${slot[@]}"
    retry 'read_drag_pointer "$name.slot"' || fail "$name: over a slot no steady drag pointer shows"
    xdotool mousemove "${empty[@]}"
    sleep 0.3
    retry 'read_drag_pointer "$name.empty"' ||
        fail "$name: off the slots no steady drag pointer shows"
    xdotool mouseup 1
    retry 'read_pointer "$name.after" && cmp -s "$work/$name.after" "$work/normal"' ||
        { fail "$name: after the release the pointer is not the ordinary one"; show "$name.after"; }
}
held_drag tile 100 100
held_drag origin 180 390
kill -0 "$pid" 2>/dev/null || die "the program ended"

for place in slot empty; do
    check "tile.$place" A
    check "origin.$place" B
done
cmp -s "$work/tile.slot" "$work/origin.slot" && fail "the two drags show the same pointer"
((failures == 0)) || { echo "normal pointer:"; show normal; exit 1; }
echo "PASS: drag pointers A and B, and the ordinary pointer after each release"
