#!/usr/bin/env bash
# The desktop's own file chooser in Qt's place, on a session bus of its own as a desktop has one:
# `gtk3` shows GTK's chooser inside the program (Qt's GTK theme), `portal` the portal's, shown by
# xdg-desktop-portal-gtk (Qt's portal theme). The chooser starts in the program's folder, the
# window stays usable while it waits, a cancel changes nothing, a path too long for the record is
# refused with a message over the window and the chooser comes back in the folder the user was in,
# and a close while it waits ends the program cleanly. The program's folders then hold only what
# the chooser's GTK keeps (the desktop's services have folders of their own), never QtProject.conf.
# Usage: desktopchooser.sh gtk3|portal MOSAIKON CLOSEWINDOW
set -euo pipefail
source "$(dirname "$0")/../support/xsession.sh"
# theme; the chooser's WM_CLASS; what the program's folders hold at the end; where the names typed
# in the chooser lie, first and after a refusal: bare names with GTK's, which starts in the
# program's folder and comes back in the refused file's; whole paths with the portal's, since Qt
# hands the portal no folder for an open (its version 3 here has no option for it).
case $1 in
gtk3) theme=gtk3 class='"mosaikon", "Mosaikon"' first='' again=''
    kept='config/gtk-3.0 data/recently-used.xbel runtime/dconf runtime/dconf/user' ;;
portal) theme=xdgdesktopportal class='"xdg-desktop-portal-gtk", "Xdg-desktop-portal-gtk"'
    kept='' first=$work/bin/ again=$work/pictures/ ;;
esac
folders=(config data runtime home)
mkdir "$work/desktop" "$work/bin" "$work/pictures" "$work/services"
for f in "${folders[@]}"; do mkdir -m 700 "$work/$f" "$work/desktop/$f"; done
cp "$2" "$work/bin/" # the program's folder
/usr/bin/convert -size 16x16 xc:'#ff0000' BMP3:"$work/bin/red.bmp"
/usr/bin/convert -size 16x16 xc:'#00ff00' BMP3:"$work/pictures/green.bmp"
long=$work/pictures/$(printf 'l%.0s' $(seq 230)).bmp
cp "$work/pictures/green.bmp" "$long"
mkdir "$work/filter" && printf 'no picture\n' >"$work/filter/a.txt"
/usr/bin/convert -size 16x16 xc:'#0000ff' BMP3:"$work/filter/b.bmp"
homes() { echo XDG_CONFIG_HOME="$1/config" XDG_DATA_HOME="$1/data" XDG_RUNTIME_DIR="$1/runtime" HOME="$1/home"; }
# The desktop's session bus with the settings service and the portal alone (the document portal
# would mount a file system); its services end with it.
for s in ca.desrt.dconf org.freedesktop.portal.Desktop org.freedesktop.impl.portal.desktop.gtk; do
    ln -s "/usr/share/dbus-1/services/$s.service" "$work/services/"
done
printf '<busconfig><type>session</type><listen>unix:dir=%s</listen><servicedir>%s</servicedir>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/>
<allow own="*"/></policy></busconfig>\n' "$work" "$work/services" >"$work/bus.conf"
# shellcheck disable=SC2046 # the folders' assignments are words of their own
{ read -r bus && read -r bus_pid; } < <(env $(homes "$work/desktop") XDG_CURRENT_DESKTOP=GNOME \
    dbus-daemon --config-file="$work/bus.conf" --fork --print-address=1 --print-pid=1)
at_exit "kill $bus_pid"
# shellcheck disable=SC2046
start_program env $(homes "$work") DBUS_SESSION_BUS_ADDRESS="$bus" QT_QPA_PLATFORMTHEME="$theme" \
    "$work/bin/mosaikon"

# The visible windows titled "Open": GTK's choosers, or the others (Qt's).
opens() { # gtk|qt
    local w kind
    for w in $(xdotool search --onlyvisible --name '^Open$'); do
        [[ $(xprop -id "$w" WM_WINDOW_ROLE) == *'"GtkFileChooserDialog"' ]] && kind=gtk || kind=qt
        [[ $kind != "$1" ]] || echo "$w"
    done
}
chooser_up() { # [COUNT]
    retry "[[ \$(opens gtk | wc -l) == ${1:-1} && -z \$(opens qt) ]]" || fail "not ${1:-1} GTK chooser(s) alone"
    chooser=$(opens gtk | tail -n1)
    [[ $(xprop -id "$chooser" WM_CLASS) == "WM_CLASS(STRING) = $class" ]] || fail "the chooser's $(xprop -id "$chooser" WM_CLASS)"
    # Placed below the window, where it hides none of the window's controls (no window manager);
    # moved again should its toolkit place it once more as it maps.
    retry 'xdotool windowmove "$chooser" 0 520 windowfocus --sync "$chooser" && sleep 0.2 &&
        [[ $(xdotool getwindowgeometry "$chooser") == *" 0,520 "* ]]' || fail "the chooser does not stay put"
}
load_image() { xdotool mousemove 128 280 click 1 && chooser_up "$@"; }
# Types a path into the chooser's location field, then Return.
pick() { xdotool key ctrl+l sleep 0.8 type --delay 10 "$1" && sleep 0.5 && xdotool key Return; }
cancel() { xdotool key Escape && retry "[[ \$(opens gtk | wc -l) == ${1:-0} ]]" || fail "the chooser stayed"; } # [LEFT]
sheet_shows() { expect_pixels "20 20 $1"; } # the view's colour
# The refusal of the long path: a message over the window that says why, then the chooser again.
refused() {
    pick "$long"
    retry 'box=$(opens qt) && [[ -n $box && -z $(opens gtk) ]]' || fail "no message in place of the chooser"
    [[ $(xprop -id "$box" WM_TRANSIENT_FOR) == *"$(printf '%#x' "$wid")" ]] || fail "the message is not over the window"
    eval "$(xdotool getwindowgeometry --shell "$box")"
    xdotool mousemove $((X + 120)) $((Y + 22)) click --repeat 3 --delay 80 1 # selects its first line
    retry 'xclip -o -selection primary | grep -qF "The path of this file is too long for the program: it takes ${#long} bytes, and at most 259 fit."' ||
        fail "message: $(xclip -o -selection primary)"
    xdotool windowfocus --sync "$box" key Return
    chooser_up
}

# GTK's chooser, not Qt's; meanwhile the export and a second Load Image work. A cancel changes
# nothing, before and after a load.
load_image
xdotool mousemove 128 336 click 1
retry '[[ $(xclip -o -selection clipboard | od -An -c | tr -d " \n") == "DC.w\$0000\\r\\n" ]]' || fail "no export"
load_image 2
cancel 1 && chooser_up && cancel
sheet_shows 000000
load_image && pick "${first}red.bmp"
sheet_shows ff0000
load_image && cancel
sheet_shows ff0000
# A path over the record's room: the chooser comes back; a cancel there still cancels, and a bare
# name there is taken from the folder of the refused file.
load_image && refused && cancel
sheet_shows ff0000
load_image && refused && pick "${again}green.bmp"
sheet_shows 00ff00
# The filter: a folder typed into the chooser completes to its one picture, not to its text file.
load_image && pick "$work/filter/"
sheet_shows 0000ff
load_image
close_program "$3"

written=$(cd "$work" && find "${folders[@]}" -mindepth 1 | sort | xargs)
[[ $written == "$kept" ]] || fail "the program's folders hold: $written"
# GTK's own record of what its chooser opened, as for every program that shows it, in the user's
# data folder (the program's for gtk3, the portal's own for portal): the files chosen, the refused
# one included; nothing of the program's.
recent=$(grep -sho 'href="file://[^"]*' {"$work","$work/desktop"}/data/recently-used.xbel | cut -c7- | sort | xargs || true)
want=$(printf 'file://%s\n' "$work"/{bin/red,pictures/green,filter/b}.bmp "$long" | sort | xargs)
[[ $recent == "$want" ]] || fail "recent files: $recent"
