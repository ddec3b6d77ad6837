#!/usr/bin/env bash
# The program on a real X server with the real pointer, open dialog and clipboard: the window as it
# starts, the three-slot example, gestures at the edges of the pointer and keyboard rules, the drag
# pointers, a clean close while a dialog waits, no file written and nothing printed; the table of
# its last export outliving it (kept by xclip, by a clipboard manager, or not at all without xclip).
# Usage: realwindow.sh MOSAIKON CLOSEWINDOW ICON16_PNG DRAGPOINTERS CLIPBOARDMANAGER
set -euo pipefail
source "$(dirname "$0")/../support/xsession.sh"
program=$1 closewindow=$2 pointers=$4 other='' managed=''
# Everything the program starts inherits this variable: it finds what is left of a run.
marker="MOSAIKON_REALWINDOW_TEST=$work"
leftovers() { grep -lsxzF "$marker" /proc/[0-9]*/environ | cut -d/ -f3 || true; }
at_exit 'for p in $other $managed $(leftovers); do kill "$p" 2>/dev/null || true; done'
nothing_left() { retry '[[ -z $(leftovers) ]]' || fail "left running: $(leftovers | xargs -r ps -o args= -p)"; }
clipboard() { xclip -o -selection clipboard; }
# The clipboard holds the table, and a real assembler (which must be here) reads it as its bytes.
expect_table() {
    expect_clipboard "$1"
    "$(dirname "$0")/../support/assemble_table.sh" "$work/clip" >"$work/dasm" || fail "$(<"$work/dasm")"
}
dialog_up() { wait_window Open dialog "no dialog"; }
pick() { dialog_up && xdotool windowfocus --sync "$dialog" type --delay 20 "$1" && xdotool key Return; }
load() { click 128 280 && pick "$1"; }
sheet() { printf '%02x%02x%02x' "$1" "$2" $(((3 * $1 + 5 * $2) & 255)); }

/usr/bin/convert -size 300x280 xc:black -channel R -fx 'i/255' -channel G -fx 'j/255' \
    -channel B -fx '((3*i+5*j)%256)/255' +channel BMP3:"$work/sheet.bmp"
folders=("$work/config" "$work/data" "$work/runtime" "$work/home")
mkdir -m 700 "${folders[@]}"
homes=(XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home")
start_program env "$marker" "${homes[@]}" "$program"
eval "$(xdotool getwindowgeometry --shell "$wid")"
[[ $X,$Y == 0,0 ]] || fail "the window is at ($X, $Y)"
# The window icon at 16, 32 and 48 pixels, the first pixel for pixel the icon file of that size.
icon16=$(/usr/bin/convert "$3" -depth 8 RGBA:- | od -An -tu1 -v -w4 |
    awk '{ printf ", %.0f", (($4 * 256 + $1) * 256 + $2) * 256 + $3 }')
icon=$(xprop -id "$wid" -notype 32c _NET_WM_ICON)
[[ $icon == "_NET_WM_ICON = 16, 16$icon16, 32, 32, "*", 48, 48, "* ]] || fail "window icon: ${icon:0:80}"
expect_start
compose_example "$work/sheet.bmp"

# A left press off the view while the right is held there drags nothing, so no slot gets a tile
# number the user never chose (the table below holds slot 0's).
xdotool mousemove 100 20 mousedown 3 mousemove 40 300 mousedown 1 mousemove 296 32 mouseup 1 mouseup 3
sleep 0.5
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
    dialog_up && xdotool windowfocus --sync "$dialog" key Escape
    retry '! xdotool search --onlyvisible --name "^Open\$" >/dev/null' || fail "the dialog stayed"
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

# The pointer while a drag is held, as the X server shows it (XFixes), is the drag image pixel for
# pixel with its hot spot: the arrow's at its black tip (1, 1) from the source view, the diamond's
# at its white centre (15, 15) from the origin button; after the release, the ordinary pointer.
"$pointers" tile 1 1 >"$work/tile"
"$pointers" origin 15 15 >"$work/origin"
[[ $(head -n1 "$work/tile") == *" on B" && $(head -n1 "$work/origin") == *" on W" ]] ||
    fail "a hot spot is not on the arrow's black tip or the diamond's white centre"
! grep -q '?' "$work/tile" "$work/origin" || fail "a drag image is not black and white"
! cmp -s "$work/tile" "$work/origin" || fail "the two drag images are the same"
shows() { "$pointers" screen >"$work/$1" && cmp -s "$work/$1" "$work/$2"; } # READING EXPECTED
expect_pointer() { retry "shows $1 $2" || fail "the pointer at $1 is not $2: $(diff "$work/$2" "$work/$1")"; }
xdotool mousemove 230 480 # an empty part of the window, where no drop is taken
# The ordinary pointer, once two readings 0.2 s apart agree (the bare server's shows a moment).
retry '"$pointers" screen >"$work/normal" && sleep 0.2 && shows normal.again normal' ||
    fail "the pointer over the window does not settle"
for held in "tile 100 100" "origin 180 390"; do
    read -r image x y <<<"$held"
    xdotool mousemove $x $y mousedown 1 mousemove_relative 20 20 mousemove $(slot 28)
    expect_pointer $image-drag-over-a-slot $image
    xdotool mousemove 230 480
    expect_pointer $image-drag-off-the-slots $image
    xdotool mouseup 1
    expect_pointer $image-drag-released normal
done

# The window closed while its open dialog waits: the program ends, and cleanly.
click 128 280
dialog_up
close_program "$closewindow"
written=$(find "${folders[@]}" -mindepth 1)
[[ -z $written ]] || fail "files written: $written"
[[ ! -s $work/log ]] || fail "the program printed messages"

# Without a clipboard manager the table stays pasteable byte for byte in every text form, kept by
# a helper that holds nothing of ours, until another client takes the clipboard.
keeper=$(leftovers)
[[ $(wc -w <<<"$keeper") == 1 && $(cat "/proc/$keeper/comm") == xclip ]] || fail "keeper: $keeper"
[[ $(ps -o sid= -p "$keeper") != $(ps -o sid= -p $$) && $(ps -o tty= -p "$keeper") == *\?* ]] ||
    fail "the keeper shares the starting terminal's session"
[[ $(readlink "/proc/$keeper/fd/"{1,2} "/proc/$keeper/cwd" | xargs) == "/dev/null /dev/null /" ]] &&
    ! ls -l "/proc/$keeper/fd" | grep -qF "$work" || fail "the keeper holds the program's output or folder"
for target in UTF8_STRING STRING TEXT text/plain; do
    xclip -o -selection clipboard -t "$target" | cmp - "$work/want" || fail "kept table as $target"
done
[[ $(xclip -o -selection clipboard -t TARGETS) == *UTF8_STRING* ]] || fail "TARGETS"
printf 'another program' | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
other=$!
expect_clipboard 'another program'
nothing_left
kill "$other" && wait "$other" 2>/dev/null || true

# A run with PATH and its output on a pipe, as `$(mosaikon)` or `mosaikon | less` take it: a tile
# exported, the window closed, the program ends cleanly and says nothing, and every process
# holding the pipe lets go of it, leaving nothing running.
run() { # PATH
    start_program bash -c 'set -o pipefail; "$@" 2>&1 | cat' run env "$marker" "${homes[@]}" PATH="$1" "$program"
    drag 16 16 $(slot 9)
    sleep 0.5
    export_as "$table"
    close_program "$closewindow"
    nothing_left
    [[ ! -s $work/log ]] || fail "the program printed messages"
}
table='DC.w $0001\r\nDC.b $10,$80,$10,$00,$21\r\n'
mkdir "$work/empty"
run "$work/empty" # no xclip to be found: nothing is kept
! xclip -o -selection clipboard >/dev/null 2>&1 || fail "the clipboard still has an owner"
# A clipboard manager runs: the program hands it the table.
"$5" >"$work/manager" &
managed=$!
retry '[[ $(<"$work/manager") == ready ]]' || fail "the clipboard manager did not start"
run "$PATH"
[[ $(<"$work/manager") == $'ready\nsaving from its owner' ]] || fail "manager: $(<"$work/manager")"
expect_clipboard "$table"
