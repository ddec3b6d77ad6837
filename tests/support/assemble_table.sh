#!/usr/bin/env bash
# A real client for the sprite table: dasm assembles the text exactly as the program puts it on
# the clipboard, and must emit the bytes the text stands for, worked out here from the text alone:
# the number of entry lines as a little-endian word, then the bytes of the entry lines in order.
#   assemble_table.sh TABLE-FILE   the bytes as hex; fails on a dasm error, no dasm or other bytes
#   assemble_table.sh --self-test  good tables give the bytes written out here, bad ones fail
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
check() { # FILE
    local entries=$(($(wc -l <"$1") - 1)) want got
    { printf '\tprocessor 6502\n\torg 0\n' && sed 's/^/\t/' "$1"; } >"$work/t.asm" # column 0: labels
    dasm "$work/t.asm" -o"$work/t.bin" -f3 >"$work/dasm" || { echo "dasm refused: $(<"$work/dasm")" && return 1; }
    want=$(printf '%02x %02x ' $((entries & 255)) $((entries >> 8)) && tail -n +2 "$1" | grep -o '\$[0-9A-F]*' | tr -d '$' | tr A-F a-f)
    got=$(od -An -tx1 -v "$work/t.bin" | xargs)
    [[ $got == "$(xargs <<<"$want")" ]] || { echo "dasm emits $got for $(xargs <<<"$want")" && return 1; }
    echo "$got"
}
[[ $1 == --self-test ]] || { check "$1" || exit 1; exit 0; }
e='DC.b $E8,$81,$F0,$00,$21\r\nDC.b $F8,$81,$00,$22,$61\r\nDC.b $08,$80,$10,$EE,$E1\r\n'
all64='DC.w $0040\r\n' bytes64='40 00'
for i in {0..63}; do
    entry=($((16 * (i % 8))) 128 $((16 * (i / 8))) $((32 * (i / 8) + 2 * (i % 8))) $((0x21 + 64 * (i % 4))))
    all64+=$(printf 'DC.b $%02X,$%02X,$%02X,$%02X,$%02X\\r\\n' "${entry[@]}") bytes64+=$(printf ' %02x' "${entry[@]}")
done
# table|what the check prints: the bytes, or the start of its refusal
for row in 'DC.w $0000\r\n|00 00' "DC.w \$0003\r\n$e|03 00 e8 81 f0 00 21 f8 81 00 22 61 08 80 10 ee e1" \
    "$all64|$bytes64" "DC.w \$0002\r\n$e|dasm emits 02 00 e8" 'DC.w $0001\r\nDC.b $E8,$81,$F0,$100,$21\r\n|dasm '; do
    printf "${row%|*}" >"$work/table"
    got=$(check "$work/table" || true)
    [[ $got == "${row#*|}"* ]] || { echo "FAIL: ${row%|*} gives $got" && exit 1; }
done
echo "dasm reads tables as the bytes they stand for"
