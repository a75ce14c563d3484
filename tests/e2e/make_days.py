#!/usr/bin/env python3
"""Writes generated day logs (YYYYMMDD.bin2) for the end-to-end tests: working days from about 9:00
to 18:00 with a lunch break, spent in a handful of programs, the same records for the same date on
every run. Usage: make_days.py FOLDER FIRST LAST (dates as YYYYMMDD)."""
import datetime
import random
import struct
import sys
import zlib

PROGRAMS = [
    ("C:\\Program Files\\Editor\\editor.exe", ["report.docx - Editor", "plan.txt - Editor", "notes.md - Editor"]),
    ("C:\\Program Files\\Browser\\browser.exe", ["Search - Browser", "Docs - Browser", "News - Browser"]),
    ("C:\\Program Files\\Mail\\mail.exe", ["Inbox (3) - Mail", "Re: schedule - Mail"]),
    ("C:\\Windows\\System32\\cmd.exe", ["Command Prompt", "build - Command Prompt"]),
    ("C:\\Program Files\\Chat\\chat.exe", ["Team chat", "Call with Kana"]),
]


def key(text):
    """The pool's key: h * 31 + c over the UTF-16 code units, in 32 bits."""
    units = text.encode("utf-16-le")
    h = 0
    for i in range(0, len(units), 2):
        h = (h * 31 + int.from_bytes(units[i:i + 2], "little")) & 0xFFFFFFFF
    return h


def section(raw):
    packed = zlib.compress(raw)
    return struct.pack("<II", len(packed), len(raw)) + packed


def record(start, duration, exe, title):
    units = title.encode("utf-16-le")
    size = (len(units) + 29) & ~7
    body = struct.pack("<IIII", size, start, duration, key(exe)) + units
    return body + b"\0" * (size - len(body))


def day_records(date):
    rng = random.Random(date.toordinal())
    records = []
    if date.weekday() >= 5 and rng.random() < 0.7:
        return records  # most weekends stay empty
    t = (8 * 60 + 30 + rng.randrange(60)) * 60_000
    end = (17 * 60 + 30 + rng.randrange(90)) * 60_000
    while t < end:
        if 12 * 3_600_000 <= t < 13 * 3_600_000 - 600_000:
            t = 13 * 3_600_000 + rng.randrange(600_000)  # lunch
            continue
        program = rng.choices(range(len(PROGRAMS)), weights=[5, 4, 2, 2, 1])[0]
        exe, titles = PROGRAMS[program]
        duration = int(rng.expovariate(1 / 240_000)) + 5_000
        records.append(record(t, duration, exe, rng.choice(titles)))
        t += duration + rng.randrange(20_000)
    return records


def main():
    folder, first, last = sys.argv[1], sys.argv[2], sys.argv[3]
    date = datetime.datetime.strptime(first, "%Y%m%d").date()
    stop = datetime.datetime.strptime(last, "%Y%m%d").date()
    strings = b"".join(struct.pack("<H", 2 * (len(exe) + 1)) + exe.encode("utf-16-le") + b"\0\0" for exe, _ in PROGRAMS)
    while date <= stop:
        records = day_records(date)
        if records:
            with open(f"{folder}/{date:%Y%m%d}.bin2", "wb") as out:
                out.write(b".LOG" + section(strings) + section(b"".join(records)))
        date += datetime.timedelta(days=1)


if __name__ == "__main__":
    main()
