#!/usr/bin/env python3
"""Writes the fuzzers' seed corpora (corpus/<target>/) from small cuts of the real INF files.

The inputs follow the layout that each fuzzer reads with FuzzedDataProvider: strings from the
front, each closed by a backslash and one other byte (a backslash inside is doubled), then the
file's bytes, then the integers, taken from the back.
Run again after changing a fuzzer's input layout: python3 tests/fuzz/make_seeds.py
"""
from pathlib import Path

HERE = Path(__file__).resolve().parent
REAL = HERE.parent / "data" / "realdata"


def real(relative, start=0, length=2500):
    data = (REAL / relative).read_bytes()
    cut = data[start:start + length]
    return cut[:cut.rfind(b"\n") + 1] if b"\n" in cut else cut


def field(text):
    return text.replace(b"\\", b"\\\\") + b"\\\n"


def utf16(text):
    return b"\xff\xfe" + text.decode("latin-1").encode("utf-16-le")


CX = "catalyst-10.2-xp-CX_95952_opsi/CX_95952.INF"
LF = "catalyst-10.2-xp-CX_95952_opsi/CX_95952.embedded-in-opsi-File.py.INF.lf"
R200 = "wdk6001-r200sample-inf/x86/r200.inf"
C8 = "catalyst-win9x-C9_11774-C8_11774_oerg866/C8_11774.INF"
INI = "catalyst-win9x-C9_11774-C8_11774_oerg866/atiiseag.ini"

FILES = {
    "cx-head": real(CX),
    "lf-only": real(LF, 0, 1800),
    "r200-mfg": real(R200, 700, 1800),
    "c8": real(C8, 0, 2000),
    "ini-blank-tail": real(INI),
    "utf16": utf16(real(R200, 700, 900)),
    "no-final-line-end": real(R200, 700, 900).rstrip(b"\r\n"),
    "nul-bytes": b"[Version]\r\nSig\x00nature=1\r\n[ATI.Mfg]\r\n\x00\"Mo\r\n[WIN2K]\r\nR6=\x00old\r\n",
    "empty": b"",
    "header-unended": b"; top\r\n[WIN2K]",
    "mixed-case-duplicates": b"[win2k]\nr6 = a\n\n[WIN2K]\r\nR6=b\r\n[Ati.MFG]\r\n  x  \r\n\t\r\n",
}

MFG = b'"Mobility Radeon 9000" = ati2mtag_M9, PCI\\VEN_1002&DEV_4C66\r\n"Mobility Radeon" = ati2mtag_M6, PCI\\VEN_1002&DEV_4C59\r\n\x00'
SETTINGS = b"HKR,, DALRULE_NOTVANDLCDONCRTC,%REG_DWORD%,0\x00HKR,, GCORULE_FlickerFilter,%REG_DWORD%,1\x00\r\n\x00"
R6 = b"\\drivers\\ati2mtag.sys" * 8

EDITS = [
    # (kind, section, first, second): "s" section write (content), "k" key write (key, value)
    [("s", b"ATI.Mfg", MFG, b""), ("k", b"WIN2K", b"R6", R6)],
    [("k", b"WINXP", b"R6", R6), ("s", b"ati2mtag_M9_SoftwareDeviceSettings", SETTINGS, b"")],
    [("s", b"Version", b"Signature=\"$Windows NT$\"\x00", b""), ("s", b"version", b"", b"")],
    [("k", b"Strings", b"ATI", b"\"ATI Technologies Inc.\"")],
]


def editor_seed(edits, file_bytes, missing=False):
    plan = len(edits) - 1
    body = b""
    for i, (kind, section, first, second) in enumerate(edits):
        if kind == "k":
            plan |= 1 << (2 + i)
        body += field(section) + field(first)
        if kind == "k":
            body += field(second)
    if missing:
        plan |= 0x80
    return body + file_bytes + bytes([plan])


def read_seed(section, file_bytes, size, fill=0x5A):
    return field(section) + file_bytes + bytes([fill, size & 0xFF, size >> 8])


def write(target, name, data):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


for n, (name, data) in enumerate(FILES.items()):
    edits = EDITS[n % len(EDITS)]
    write("profile_editor_fuzzer", name, editor_seed(edits, data))
write("profile_editor_fuzzer", "missing-file", editor_seed(EDITS[0], b"", missing=True))

SECTIONS = [b"ATI.Mfg", b"Version", b"Strings", b"WIN2K", b"DestinationDirs", b"nosuch"]
SIZES = [0, 1, 2, 3, 1024, 2048]
for n, (name, data) in enumerate(FILES.items()):
    write("read_buffer_fuzzer", name, read_seed(SECTIONS[n % len(SECTIONS)], data, SIZES[n % len(SIZES)]))
