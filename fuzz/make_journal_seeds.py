#!/usr/bin/env python3
"""Writes the seed inputs of recording_journal_fuzzer into fuzz/corpus/: a clean journal (paths,
records, a record extended), one cut inside its last entry, and one with a damaged entry. Run from
anywhere."""
import pathlib
import struct
import zlib

HERE = pathlib.Path(__file__).resolve().parent
MAGIC = b".JNL\x01\x00\x00\x00"
PATH, RECORD, EXTEND = 1, 2, 3


def key(text):
    h = 0
    for unit in struct.unpack("<%dH" % len(text), text.encode("utf-16-le")):
        h = (h * 31 + unit) & 0xFFFFFFFF
    return h


def entry(kind, payload):
    body = struct.pack("<HBB", len(payload), kind, 0) + payload
    return struct.pack("<I", zlib.crc32(body)) + body


def path(text):
    return entry(PATH, text.encode("utf-16-le"))


def record(index, start, duration, exe, title):
    return entry(RECORD, struct.pack("<4I", index, start, duration, key(exe)) + title.encode("utf-16-le"))


def extend(index, duration):
    return entry(EXTEND, struct.pack("<2I", index, duration))


def main():
    exes = ["C:\\Windows\\notepad.exe", "C:\\Program Files\\Mail\\mail.exe"]
    clean = MAGIC + path(exes[0]) + record(3, 36_000_000, 12_500, exes[0], "メモ - notes.txt")
    clean += path(exes[1]) + record(4, 36_012_500, 0, exes[1], "Inbox (3)") + extend(4, 10_000)
    clean += extend(4, 20_000) + record(5, 36_032_500, 700, exes[0], "")
    out = HERE / "corpus" / "recording_journal_fuzzer"
    out.mkdir(parents=True, exist_ok=True)
    (out / "clean.journal").write_bytes(clean)
    (out / "torn.journal").write_bytes(clean[:-5])
    damaged = bytearray(clean)
    damaged[60] ^= 0x20
    (out / "damaged.journal").write_bytes(bytes(damaged))


main()
