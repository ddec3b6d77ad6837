#!/usr/bin/env python3
"""A real client for the sprite table: dasm assembles the text exactly as the program puts it on
the clipboard, and must emit the bytes the text stands for, worked out here from the text alone:
the number of entry lines as a little-endian word, then the five bytes of each entry line.
  assemble_table.py TABLE-FILE   prints the bytes as hex; fails naming a format fault, a dasm
                                 error or a byte difference (a missing dasm fails too)
  assemble_table.py --self-test  good tables give the bytes written out here, bad ones are refused
"""
import re, subprocess, sys, tempfile

def stands_for(text):
    if re.search(rb"[^\r\n -~]", text):
        raise ValueError("a character other than printable ASCII and line ends")
    if not text.endswith(b"\r\n"):
        raise ValueError("the last line does not end with CR LF")
    lines = text[:-2].split(b"\r\n")
    if not re.fullmatch(rb"DC\.w \$[0-9A-F]{4}", lines[0]):
        raise ValueError("line 1 is not a header line")
    out = [(len(lines) - 1) & 255, (len(lines) - 1) >> 8]
    for n, line in enumerate(lines[1:], 2):
        fields = re.fullmatch(rb"DC\.b " + rb",".join([rb"\$([0-9A-F]{2})"] * 5), line)
        if not fields:
            raise ValueError(f"line {n} is not an entry line")
        out += [int(f, 16) for f in fields.groups()]
    return bytes(out)

def check(text):
    want = stands_for(text)
    with tempfile.TemporaryDirectory() as work:  # column 0 is a label to dasm: indent each line
        open(work + "/t.asm", "wb").write(b"\tprocessor 6502\n\torg 0\n\t" + text.replace(b"\n", b"\n\t"))
        dasm = subprocess.run(["dasm", work + "/t.asm", f"-o{work}/t.bin", "-f3"], capture_output=True, text=True)
        if dasm.returncode:
            raise ValueError("dasm refused the text: " + dasm.stdout + dasm.stderr)
        got = open(work + "/t.bin", "rb").read()
    if got != want:
        raise ValueError(f"dasm emits {got.hex(' ')}, the text stands for {want.hex(' ')}")
    return got

def self_test():
    e = "DC.b $E8,$81,$F0,$00,$21\r\nDC.b $F8,$81,$00,$22,$61\r\nDC.b $08,$80,$10,$EE,$E1\r\n"
    cells = [(16 * (i % 8), 16 * (i // 8), 32 * (i // 8) + 2 * (i % 8), (0x21, 0x61, 0xA1, 0xE1)[i % 4]) for i in range(64)]
    all64 = "DC.w $0040\r\n" + "".join("DC.b $%02X,$80,$%02X,$%02X,$%02X\r\n" % c for c in cells)
    good = {"DC.w $0000\r\n": "00 00",
            "DC.w $0003\r\n" + e: "03 00 e8 81 f0 00 21 f8 81 00 22 61 08 80 10 ee e1",
            "DC.w $0002\r\nDC.b $88,$81,$88,$00,$21\r\nDC.b $F8,$81,$F8,$EE,$E1\r\n": "02 00 88 81 88 00 21 f8 81 f8 ee e1",
            "DC.w $0002\r\nDC.b $00,$80,$00,$02,$61\r\nDC.b $70,$80,$70,$EE,$A1\r\n": "02 00 00 80 00 02 61 70 80 70 ee a1",
            all64: "40 00 " + " ".join("%02x 80 %02x %02x %02x" % c for c in cells)}
    bad = {"DC.w $0002\r\n" + e: "dasm emits 02 00 e8", "DC.w $0001\nDC.b $E8,$81,$F0,$00,$21\r\n": "line 1 is not",
           "DC.w $0001\r\nDC.b $E8,$81,$F0,$00,$21": "CR LF", "DC.w $0001\r\nDC.b $E8,$81,$F0,$100,$21\r\n": "line 2 is not",
           "DC.w $0001\r\nDC.b $e8,$81,$F0,$00,$21\r\n": "line 2 is not", "DC.w $0001\r\n\r\nDC.b $E8,$81,$F0,$00,$21\r\n": "line 2 is not",
           "DC.w $0001\r\nDC.b $E8,$81,\0$F0,$00,$21\r\n": "printable ASCII"}
    failures = [t for t, want in good.items() if check(t.encode()).hex(" ") != want] + ([] if len(all64) == 1676 else ["64 slots"])
    for text, reason in bad.items():
        try:
            check(text.encode())
            failures.append(text)
        except ValueError as refusal:
            failures += [] if reason in str(refusal) else [f"{text}: {refusal}"]
    sys.exit("\n".join(f"FAIL {f!r}" for f in failures) or None)

if sys.argv[1:] == ["--self-test"]:
    self_test()
else:
    try:
        print(check(open(sys.argv[1], "rb").read()).hex(" "))
    except ValueError as refusal:
        sys.exit(f"assemble_table: {sys.argv[1]}: {refusal}")
