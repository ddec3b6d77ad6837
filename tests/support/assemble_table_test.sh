#!/usr/bin/env bash
# shellcheck disable=SC2016 # a table's "$" is its own, not the shell's
# Sprite tables through a real assembler: assemble-table must pass each good table and print the
# bytes written out here by hand, and refuse each bad one for the reason given.
# Usage: assemble_table_test.sh ASSEMBLE-TABLE    (exits 77 when dasm is not installed)
set -euo pipefail
export LC_ALL=C
assemble=$1
command -v dasm >/dev/null || { echo "SKIP: dasm is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }

# name | the bytes the table stands for | its lines, written with CR LF as the program does
good() {
    printf '%s\r\n' "${@:3}" >"$work/$1"
    if ! got=$("$assemble" "$work/$1" 2>"$work/$1.err"); then
        fail "$1" "refused: $(<"$work/$1.err")"
    elif [[ $got != "$2" ]]; then
        fail "$1" "bytes $got, not $2"
    else echo "PASS $1"; fi
}
good empty "00 00" 'DC.w $0000'
good worked_example_three_slots "03 00 e8 81 f0 00 21 f8 81 00 22 61 08 80 10 ee e1" \
    'DC.w $0003' 'DC.b $E8,$81,$F0,$00,$21' 'DC.b $F8,$81,$00,$22,$61' 'DC.b $08,$80,$10,$EE,$E1'
good worked_example_block_of_nine "09 00 e8 81 e8 00 21 f8 81 e8 02 21 08 80 e8 04 21 "`
    `"e8 81 f8 20 21 f8 81 f8 22 21 08 80 f8 24 21 e8 81 08 40 21 f8 81 08 42 21 08 80 08 44 21" \
    'DC.w $0009' 'DC.b $E8,$81,$E8,$00,$21' 'DC.b $F8,$81,$E8,$02,$21' 'DC.b $08,$80,$E8,$04,$21' \
    'DC.b $E8,$81,$F8,$20,$21' 'DC.b $F8,$81,$F8,$22,$21' 'DC.b $08,$80,$F8,$24,$21' \
    'DC.b $E8,$81,$08,$40,$21' 'DC.b $F8,$81,$08,$42,$21' 'DC.b $08,$80,$08,$44,$21'
# Origin on slot 63 with both boxes checked: slots 0 and 63 at -120 and -8 on both axes.
good offsets_most_negative "02 00 88 81 88 00 21 f8 81 f8 ee e1" \
    'DC.w $0002' 'DC.b $88,$81,$88,$00,$21' 'DC.b $F8,$81,$F8,$EE,$E1'
# Origin on slot 0 with no box checked: slots 0 and 63 at 0 and 112 on both axes.
good offsets_most_positive "02 00 00 80 00 02 61 70 80 70 ee a1" \
    'DC.w $0002' 'DC.b $00,$80,$00,$02,$61' 'DC.b $70,$80,$70,$EE,$A1'

# All 64 slots, origin on slot 0, no box checked: slot i in column c, row r holds the tile of
# cursor cell (c, r) and one of the four attribute bytes.
lines=('DC.w $0040') bytes="40 00" attrs=(0x21 0x61 0xA1 0xE1)
for ((i = 0; i < 64; i++)); do
    c=$((i % 8)) r=$((i / 8)) a=${attrs[i % 4]}
    fields=($((16 * c)) $((16 * r)) $((32 * r + 2 * c)) "$a")
    lines+=("$(printf 'DC.b $%02X,$80,$%02X,$%02X,$%02X' "${fields[@]}")")
    bytes+=$(printf ' %02x 80 %02x %02x %02x' "${fields[@]}")
done
good all_64_slots "$bytes" "${lines[@]}"
size=$(wc -c <"$work/all_64_slots")
((size == 1676)) || fail all_64_slots "the text is $size characters"

# name | what the refusal must say | the text, with printf's escapes
bad() {
    printf '%b' "$3" >"$work/$1"
    if "$assemble" "$work/$1" >/dev/null 2>"$work/$1.err"; then
        fail "$1" "accepted"
    elif ! grep -qF "$2" "$work/$1.err"; then
        fail "$1" "refused, but not for \"$2\": $(<"$work/$1.err")"
    else echo "PASS $1"; fi
}
# dasm emits the header's count; the text stands for the number of its entry lines.
bad count_disagrees "dasm emits 02 at byte 0 (the count word), the text stands for 03" \
    'DC.w $0002\r\nDC.b $E8,$81,$F0,$00,$21\r\nDC.b $F8,$81,$00,$22,$61\r\n'`
    `'DC.b $08,$80,$10,$EE,$E1\r\n'
bad line_end_without_cr "line 1 is not a header line" 'DC.w $0001\nDC.b $E8,$81,$F0,$00,$21\r\n'
bad last_line_unended "the last line does not end with CR LF" \
    'DC.w $0001\r\nDC.b $E8,$81,$F0,$00,$21'
bad field_of_three_digits "line 2 is not an entry line" \
    'DC.w $0001\r\nDC.b $E8,$81,$F0,$100,$21\r\n'
bad lower_case_digits "line 2 is not an entry line" 'DC.w $0001\r\nDC.b $e8,$81,$F0,$00,$21\r\n'
bad blank_line "line 2 is not an entry line" 'DC.w $0001\r\n\r\nDC.b $E8,$81,$F0,$00,$21\r\n'
bad nul_in_line "other than printable ASCII" 'DC.w $0001\r\nDC.b $E8,$81,\0$F0,$00,$21\r\n'

((failures == 0)) || { echo "$failures failed"; exit 1; }
