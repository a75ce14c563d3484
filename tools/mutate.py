#!/usr/bin/env python3
"""Puts small deliberate faults into the portable sources, one at a time, and counts how many the
tests catch. Run from the repository root after a native build (it restores every file it touches):
    nice -n 10 python3 tools/mutate.py [build/native [src/storage ...]] > mutants.txt
Paths after the build folder limit the faults to the sources under them.
Each line names the fault and the tests that failed; the sample is chosen by a hash of each fault,
so reruns and edits elsewhere try the same faults."""
import hashlib, pathlib, re, signal, subprocess, sys

BUILD = sys.argv[1] if len(sys.argv) > 1 else "build/native"
ONLY = sys.argv[2:]
SHARE = 30  # percent of all possible faults that are tried
SWAPS = {" < ": " <= ", " <= ": " < ", " > ": " >= ", " >= ": " > ", " == ": " != ", " != ": " == ",
         " && ": " || ", " || ": " && ", "return false;": "return true;", "return true;": "return false;",
         " + 1": " - 1", " - 1": " + 1"}
PATTERN = re.compile("|".join(re.escape(k) for k in SWAPS))
signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))  # restore the file on the way out


def faults():
    files = sorted(p for p in pathlib.Path("src").rglob("*.cpp") if not p.name.endswith("_win32.cpp"))
    for path in files + sorted(pathlib.Path("tools/quillmere_log").glob("*.cpp")):
        if ONLY and not any(str(path).startswith(prefix) for prefix in ONLY):
            continue
        lines = path.read_text().splitlines(keepends=True)
        for number, line in enumerate(lines):
            code = line.split("//")[0]
            for m in [] if code.lstrip().startswith("#") else PATTERN.finditer(code):
                key = f"{path}:{line.strip()}:{m.start()}:{m.group()}"
                if code[:m.start()].count('"') % 2 == 0 and int(hashlib.sha1(key.encode()).hexdigest(), 16) % 100 < SHARE:
                    yield path, lines, number, m


def failures():
    """None when the build fails, else the failing tests (a hang or a crash counts as a failure)."""
    if subprocess.run(["cmake", "--build", BUILD, "-j2", "--target", "quillmere_tests", "quillmere_log"],
                      capture_output=True).returncode:
        return None
    try:
        run = subprocess.run([f"{BUILD}/quillmere_tests"], capture_output=True, text=True, errors="replace", timeout=120)
        failed = sorted({l.split()[3] for l in run.stdout.splitlines() if l.startswith("[  FAILED  ] ") and "." in l})
        failed = failed or ([f"exit {run.returncode}"] if run.returncode else [])
        tool = [f"{BUILD}/quillmere-log", "info", "fuzz/corpus/day_log_fuzzer/small.bin2"]
        return failed + ([] if "format: bin2" in subprocess.run(tool, capture_output=True, text=True, timeout=10).stdout
                         else ["quillmere-log"])
    except subprocess.TimeoutExpired:
        return ["timeout"]


assert failures() == [], "the tests must pass before faults are put in"
counts = {"caught": 0, "ESCAPED": 0, "no-build": 0}
for path, lines, number, m in faults():
    line = lines[number]
    try:
        path.write_text("".join(lines[:number]) + line[:m.start()] + SWAPS[m.group()] + line[m.end():] + "".join(lines[number + 1:]))
        failed = failures()
    finally:
        path.write_text("".join(lines))
    label = "no-build" if failed is None else "caught" if failed else "ESCAPED"
    counts[label] += 1
    print(f"{label} {path}:{number + 1}: '{m.group()}' -> '{SWAPS[m.group()]}' | {line.strip()} || {' '.join(failed or [])}", flush=True)
tried = counts["caught"] + counts["ESCAPED"]
print(f"caught {counts['caught']} of {tried} ({100 * counts['caught'] / max(tried, 1):.0f} %), {counts['no-build']} did not build")
