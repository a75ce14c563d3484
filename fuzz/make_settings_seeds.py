#!/usr/bin/env python3
"""Writes the seed inputs of settings_file_fuzzer (one settings file per record layout, with colour
and history blocks) and color_file_fuzzer (colour files) into fuzz/corpus/. Run from anywhere."""
import pathlib
import struct
import zlib

HERE = pathlib.Path(__file__).resolve().parent
RECORD_BYTES = 12376
LAYOUTS = [(b"cfgi", 12376), (b"cfgh", 9220), (b"cfgg", 9216), (b"cfgf", 8172), (b"cfge", 8124), (b"", 8120)]
PALETTE = [0xFFFFD0, 0xFFD0D0, 0xD0FFD0, 0xD0D0D0, 0xFFD0FF, 0xD0D0FF, 0xD0FFFF, 0xFFFFFF,
           0xFFFFB0, 0xFFB0B0, 0xB0FFB0, 0xB0B0B0, 0xFFB0FF, 0xB0B0FF, 0xB0FFFF, 0xFFFFB0]


def utf16z(text):
    return text.encode("utf-16-le") + b"\0\0"


def put_text(record, offset, text):
    data = utf16z(text)
    record[offset:offset + len(data)] = data


def settings_record():
    r = bytearray(RECORD_BYTES)
    struct.pack_into("<4i", r, 0, 100, 100, 1, 2)
    r[16] = 1
    struct.pack_into("<4i4i", r, 64, 60, 80, 200, 200, 0, 1, 2, 3)
    struct.pack_into("<16I", r, 256, *PALETTE)
    put_text(r, 320, "C:\\Quillmere\\log\\")
    put_text(r, 320 + 1040, "20160307.bin2")
    put_text(r, 5520, "C:\\Quillmere")
    struct.pack_into("<i", r, 8120, 2)
    r[8168] = 1
    put_text(r, 8172, "C:\\Quillmere\\log\\")
    r[9216] = 1
    put_text(r, 9220, "C:\\Quillmere\\log\\")
    put_text(r, 10260, "%y%M%D")
    put_text(r, 10780, "%y%M%Dapp")
    put_text(r, 11300, '[%h:%M:%S.%L](%n:%E.%C) "%t" - "%x"')
    put_text(r, 11556, '%H:%M:%S.%L,%d,"%t","%x"')
    put_text(r, 11812, '[%r%%] %h:%M:%S.%Lsec (ave%o:%n:%e.%csec) "%x" [%u]')
    put_text(r, 12068, '%r,%d,%a,"%x",%u')
    r[12371] = 1
    return bytes(r)


def color_block(mode, apps, generic, hours):
    raw = b"".join(struct.pack("<II", len(utf16z(p)), c) + utf16z(p) for p, c in apps)
    block = struct.pack("<Ii3I", 200, mode, len(apps), len(generic), len(hours))
    if apps:
        packed = zlib.compress(raw)
        block += struct.pack("<iI", len(packed), len(raw)) + packed
    return block + struct.pack("<%dI" % len(generic), *generic) + struct.pack("<%dI" % len(hours), *hours)


def history_block(texts):
    strings = b"".join(utf16z(t) for t in texts)
    return b"schd" + struct.pack("<II", len(texts), len(strings)) + strings


APPS = [("C:\\Windows\\notepad.exe", 0xD0FFD0), ("C:\\Program Files\\Editor\\editor.exe", 0xFFB0B0),
        ("C:\\Windows\\explorer.exe", 0xB0B0FF)]


def write(folder, name, data):
    path = HERE / "corpus" / folder / name
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)


def main():
    record = settings_record()
    colors = color_block(0, APPS, PALETTE[:8], [0xFFFFFF, 0xEFFFEF])
    history = history_block(["notepad", "検索", ".exe"])
    for tag, length in LAYOUTS:
        name = (tag.decode() or "untagged") + ".config"
        write("settings_file_fuzzer", name, tag + record[:length] + colors + history)
    write("settings_file_fuzzer", "no_history.config", b"cfgi" + record + color_block(1, [], PALETTE[:8], [0xFFFFFF, 0xEFFFEF]))

    write("color_file_fuzzer", "default.color", color_block(1, [], PALETTE[:8], [0xFFFFFF, 0xEFFFEF]))
    write("color_file_fuzzer", "per_application.color", colors)
    write("color_file_fuzzer", "hours_only.color", color_block(2, [], [], [0x102030, 0x405060, 0x708090]))


if __name__ == "__main__":
    main()
