#!/usr/bin/env bash
# scripts/install-deps: the run set builds and starts the program without any developer tool, the
# sets nest (run in fuzz in test), and a system without dpkg-query gets one line and success.
# Usage: install_deps_test.sh INSTALL-DEPS
set -euo pipefail
deps=$1
fail() { echo "FAIL: $*" && exit 1; }
list() { "$deps" --list "$1" | sort; }

# purpose;packages it must hold;packages it must not hold
for row in \
    "run;g++ cmake ninja-build qt6-base-dev libx11-dev fonts-comic-neue xclip;libgtest-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xdotool imagemagick appstream dasm clang-tidy" \
    "fuzz;clang libclang-rt-14-dev libgtest-dev;libbenchmark-dev xvfb dasm" \
    "test;libbenchmark-dev xvfb xdotool libxfixes-dev imagemagick appstream desktop-file-utils dpkg-dev file dasm python3 clang-format clang-tidy qt6-gtk-platformtheme qt6-xdgdesktopportal-platformtheme xdg-desktop-portal xdg-desktop-portal-gtk;" \
    "windows;g++-mingw-w64-x86-64-posix dpkg-dev googletest wine wine64 icoutils xvfb xdotool;clang libbenchmark-dev dasm clang-tidy"; do
    IFS=';' read -r purpose holds lacks <<<"$row"
    got=$(list "$purpose")
    for p in $holds; do grep -qxF "$p" <<<"$got" || fail "$purpose lacks $p"; done
    for p in $lacks; do grep -qxF "$p" <<<"$got" && fail "$purpose holds $p"; done
done
# Qt's GTK theme where Qt would show GTK's chooser, and only there.
for row in ubuntu:GNOME=holds X-Cinnamon=holds KDE=lacks =lacks; do
    XDG_CURRENT_DESKTOP=${row%=*} list run | grep -qx qt6-gtk-platformtheme && got=holds || got=lacks
    [[ $got == "${row#*=}" ]] || fail "run on '${row%=*}' $got qt6-gtk-platformtheme"
done
for within in run:fuzz fuzz:test run:windows; do
    [[ -z $(comm -23 <(list "${within%:*}") <(list "${within#*:}")) ]] || fail "$within: not within"
done
[[ $("$deps" --list) == "$("$deps" --list test)" ]] || fail "the default purpose is not test"
"$deps" --list nothing 2>/dev/null && fail "an unknown purpose was accepted"

# Without dpkg-query: a PATH holding bash alone.
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
ln -s "$(command -v bash)" "$bin/bash"
for purpose in run test; do
    out=$(PATH=$bin "$deps" "$purpose" 2>&1) || fail "$purpose without dpkg-query: status $?"
    [[ $(wc -l <<<"$out") == 1 && $out == *dpkg-query* ]] || fail "$purpose without dpkg-query printed: $out"
done
echo "install-deps sets and fallback hold"
