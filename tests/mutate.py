#!/usr/bin/env python3
"""Puts small deliberate faults into the portable sources, one at a time, and counts how many the
tests catch. Run from the repository root after a native build (it restores every file it touches):
    nice -n 10 python3 tests/mutate.py [build/native] > mutants.txt
The sample is chosen by a hash of each fault, so reruns and edits elsewhere try the same faults."""
import hashlib, pathlib, re, subprocess, sys

BUILD = sys.argv[1] if len(sys.argv) > 1 else "build/native"
SHARE = 30  # percent of all possible faults that are tried
SWAPS = {" < ": " <= ", " <= ": " < ", " > ": " >= ", " >= ": " > ", " == ": " != ", " != ": " == ",
         " && ": " || ", " || ": " && ", "return false;": "return true;", "return true;": "return false;",
         " + 1": " - 1", " - 1": " + 1"}
PATTERN = re.compile("|".join(re.escape(k) for k in SWAPS))


def faults():
    files = [p for p in pathlib.Path("src").rglob("*.cpp") if not p.name.endswith("_win32.cpp")]
    for path in sorted(files) + sorted(pathlib.Path("tools/quillmere_log").glob("*.cpp")):
        lines = path.read_text().splitlines(keepends=True)
        for number, line in enumerate(lines):
            code = line.split("//")[0]
            if code.lstrip().startswith("#"):
                continue
            for m in PATTERN.finditer(code):
                key = f"{path}:{line.strip()}:{m.start()}:{m.group()}"
                if code[:m.start()].count('"') % 2 == 0 and int(hashlib.sha1(key.encode()).hexdigest(), 16) % 100 < SHARE:
                    yield path, lines, number, m


def tests_fail():
    if subprocess.run(["cmake", "--build", BUILD, "-j2", "--target", "quillmere_tests", "quillmere_log"],
                      capture_output=True).returncode:
        return None
    return subprocess.run(["ctest", "--test-dir", BUILD, "-R", "unit|quillmere_log", "--timeout", "60"],
                          capture_output=True).returncode != 0


assert tests_fail() is False, "the tests must pass before faults are put in"
counts = {True: 0, False: 0, None: 0}
for path, lines, number, m in faults():
    original = "".join(lines)
    line = lines[number]
    try:
        path.write_text("".join(lines[:number]) + line[:m.start()] + SWAPS[m.group()] + line[m.end():] + "".join(lines[number + 1:]))
        result = tests_fail()
    finally:
        path.write_text(original)
    counts[result] += 1
    label = {True: "caught", False: "ESCAPED", None: "no-build"}[result]
    print(f"{label} {path}:{number + 1}: '{m.group()}' -> '{SWAPS[m.group()]}' | {line.strip()}", flush=True)
tried = counts[True] + counts[False]
print(f"caught {counts[True]} of {tried} ({100 * counts[True] / max(tried, 1):.0f} %), {counts[None]} did not build")
