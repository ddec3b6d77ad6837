#!/usr/bin/env bash
# shellcheck disable=SC2016 # retry evaluates its command later, in its own call
# The drag pointers as the X server shows them, read with XFixes while a real drag is held, pixel
# for pixel against the program's drag images with the hot spots the pointers must have: the
# arrow's at its tip (1, 1) for a drag from the source view, the diamond's at its centre (15, 15)
# for a drag of the origin button; and the ordinary pointer again once the button is released.
# Usage: dragpointers.sh MOSAIKON DRAGPOINTERS
set -euo pipefail
source "$(dirname "$0")/../support/xsession.sh"
program=$1 pointers=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); } # goes on: every reading gets checked

"$pointers" tile 1 1 >"$work/tile"
"$pointers" origin 15 15 >"$work/origin"
[[ $(head -n1 "$work/tile") == *" on B" ]] || fail "the arrow's hot spot is not on its black tip"
[[ $(head -n1 "$work/origin") == *" on W" ]] || fail "the diamond's hot spot is not on the white centre"
! grep -q '?' "$work/tile" "$work/origin" || fail "a drag image is not black and white"
! cmp -s "$work/tile" "$work/origin" || fail "the two drag images are the same"

# Whether the pointer on the screen, read into READING, is the picture EXPECTED.
shows() { "$pointers" screen >"$work/$1" && cmp -s "$work/$1" "$work/$2"; }
# Waits until the pointer is READING's picture; else shows what it was instead.
expect() { # READING EXPECTED WHAT
    retry "shows $1 $2" || { fail "$3"; diff "$work/$2" "$work/$1" | sed "s/^/    /" || true; }
}

start_program "$program"
# An empty part of the window, where no drop is taken, and the middle of slot 27.
empty=(230 480) slot=(520 224)
xdotool mousemove "${empty[@]}"
# The ordinary pointer, once two readings 0.2 s apart agree (the bare server's shows a moment).
retry '"$pointers" screen >"$work/normal" && sleep 0.2 && shows normal.again normal' ||
    die "the pointer over the window does not settle"

held_drag() { # NAME PRESS-X PRESS-Y: the pointer over a slot, over the empty part, released
    xdotool mousemove "$2" "$3" mousedown 1 mousemove_relative 20 20 mousemove "${slot[@]}"
    expect "$1.slot" "$1" "$1 drag: over a slot the pointer is not its drag image"
    xdotool mousemove "${empty[@]}"
    expect "$1.empty" "$1" "$1 drag: off the slots the pointer is not its drag image"
    xdotool mouseup 1
    expect "$1.after" normal "$1 drag: after the release the pointer is not the ordinary one"
}
held_drag tile 100 100
held_drag origin 180 390
kill -0 "$pid" 2>/dev/null || die "the program ended"
((failures == 0)) || exit 1
echo "PASS: the drag pointers are the drag images, and the ordinary pointer after each release"
