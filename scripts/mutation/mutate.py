#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A mutation pass over the test suite, one mutant at a time.

    scripts/mutation/mutate.py [--build DIR] [--list FILE] [--check] [ID ...]

Each mutant of the list (scripts/mutation/mutants.txt by default) is a small,
realistic fault: in FILE, the exact TEXT (found exactly once) is replaced by
its REPLACEMENT. The script first runs the fast suite on the unchanged tree
(a red suite would count every mutant as caught), then for each mutant
applies it, rebuilds DIR (build/ by default, which ./test made), runs the fast
suite (ctest -LE 'browser|package') and puts the file back byte for byte,
whatever happens. It prints which tests caught each mutant, the mutants
nobody caught, and the kill rate. A mutant that does not compile counts
apart. --check only makes sure that every mutant still applies.

Written to DIR/mutation/: one build and test log per mutant, catches.txt
(each test of the fast suite, the mutants it caught and those only it
caught: a test that catches nothing, or only what others catch too, is a
candidate to merge or cut) and survivors.txt.

The list holds blocks of this form (a line starting with "#" is a comment;
"\\n", "\\t" and "\\\\" stand for a line feed, a tab and a backslash):

    == dropped-link-check
    file: src/site/BuildSite.cpp
    find: if (QFileInfo(path).isSymLink()
    replace: if (false
    fault: a page saved through a link that came with the template folder
"""
import argparse
import os
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
FAST = ["-LE", "browser|package"]


def unescape(value):
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "t": "\t", "\\": "\\"}.get(m.group(1), m.group(0)), value)


def read_mutants(path):
    mutants = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line.startswith("== "):
                mutants.append({"id": line[3:].strip(), "line": number})
            elif line.startswith("#") or not line.strip():
                continue
            elif (field := re.match(r"(\w+):(?: (.*))?$", line)) and mutants:  # "replace:" alone: delete
                key, value = field.group(1), field.group(2) or ""
                mutants[-1][key] = unescape(value) if key in ("find", "replace") else value
            else:
                sys.exit(f"{path}:{number}: not a mutant line: {line}")
    ids = [m["id"] for m in mutants]
    for m in mutants:
        missing = [k for k in ("file", "find", "replace", "fault") if k not in m]
        if missing or ids.count(m["id"]) > 1:
            sys.exit(f"{path}:{m['line']}: mutant {m['id']} " +
                     (f"lacks {', '.join(missing)}" if missing else "is named twice"))
    return mutants


def read_text(path):
    with open(path, encoding="utf-8", newline="") as f:  # line ends exactly as they are
        return f.read()


def write_text(path, text):
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)


def run(command, log):
    with open(log, "w") as out:
        return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT, cwd=ROOT).returncode


def ctest(build, log, *extra):
    # At most two jobs: the machine is shared.
    return run(["env", "QT_QPA_PLATFORM=offscreen", "ctest", "--test-dir", build, *FAST, "-j2", "--timeout", "300",
                *extra], log)


def failed_tests(log):
    failed, seen = [], False
    with open(log, errors="replace") as f:
        for line in f:
            if line.startswith("The following tests FAILED"):
                seen = True
            elif seen and (match := re.match(r"\s*\d+ - (\S+)", line)):
                failed.append(match.group(1))
    return failed


def all_tests(build):
    listing = subprocess.run(["ctest", "--test-dir", build, *FAST, "-N"], capture_output=True, text=True).stdout
    return re.findall(r"Test\s+#\d+: (\S+)", listing)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--list", default=os.path.join(ROOT, "scripts", "mutation", "mutants.txt"))
    parser.add_argument("--check", action="store_true", help="only check that every mutant applies")
    parser.add_argument("ids", nargs="*", help="only these mutants")
    args = parser.parse_args()

    mutants = read_mutants(args.list)
    unknown = set(args.ids) - {m["id"] for m in mutants}
    if unknown:
        sys.exit(f"no such mutant: {', '.join(sorted(unknown))}")
    if args.ids:
        mutants = [m for m in mutants if m["id"] in args.ids]
    stale = [m for m in mutants if read_text(os.path.join(ROOT, m["file"])).count(m["find"]) != 1]
    for m in stale:
        count = read_text(os.path.join(ROOT, m["file"])).count(m["find"])
        print(f"{m['id']}: STALE, the text occurs {count} times in {m['file']}")
    if args.check or stale:
        print(f"{len(mutants) - len(stale)} of {len(mutants)} mutants apply.")
        return 1 if stale else 0

    logs = os.path.join(args.build, "mutation")
    os.makedirs(logs, exist_ok=True)
    print("Building and testing the unchanged tree first ...", flush=True)
    if run(["cmake", "--build", args.build], os.path.join(logs, "base-build.log")) != 0:
        sys.exit(f"the unchanged tree does not build: see {logs}/base-build.log")
    if ctest(args.build, os.path.join(logs, "base-test.log")) != 0:
        sys.exit(f"the fast suite fails on the unchanged tree: see {logs}/base-test.log")

    results = []
    for m in mutants:
        path = os.path.join(ROOT, m["file"])
        original = read_text(path)
        started = time.time()
        try:
            write_text(path, original.replace(m["find"], m["replace"]))
            if run(["cmake", "--build", args.build], os.path.join(logs, m["id"] + ".build.log")) != 0:
                outcome, caught = "compiler", []
            else:
                test_log = os.path.join(logs, m["id"] + ".test.log")
                status = ctest(args.build, test_log)
                caught = failed_tests(test_log)
                outcome = "killed" if status != 0 else "survived"
        finally:
            previous = signal.signal(signal.SIGINT, signal.SIG_IGN)  # an interrupt never leaves half a file
            write_text(path, original)
            signal.signal(signal.SIGINT, previous)
        results.append((m, outcome, caught))
        shown = ", ".join(caught[:3]) + (f" and {len(caught) - 3} more" if len(caught) > 3 else "")
        print(f"{m['id']}: {outcome.upper()} in {time.time() - started:.0f} s {shown}", flush=True)

    # Leave the build matching the tree again.
    run(["cmake", "--build", args.build], os.path.join(logs, "final-build.log"))

    counted = [r for r in results if r[1] in ("killed", "survived")]
    killed = [r for r in counted if r[1] == "killed"]
    survivors = [m for m, outcome, _ in results if outcome == "survived"]
    print("\nSurvivors:" if survivors else "\nNo survivors.")
    with open(os.path.join(logs, "survivors.txt"), "w") as f:
        for m in survivors:
            print(f"  {m['id']} ({m['file']}): {m['fault']}")
            f.write(f"{m['id']}\t{m['file']}\t{m['fault']}\n")
    compiled_out = sum(1 for r in results if r[1] == "compiler")
    if counted:
        print(f"\nKilled {len(killed)} of {len(counted)} mutants ({100 * len(killed) / len(counted):.1f} %)"
              + (f"; {compiled_out} did not compile" if compiled_out else "") + ".")

    # Each test, the mutants it caught, and those no other test caught.
    by_test = {test: [] for test in all_tests(args.build)}
    for m, _, caught in results:
        for test in caught:
            by_test.setdefault(test, []).append(m["id"])
    only = {test: [m["id"] for m, _, caught in results if caught == [test]] for test in by_test}
    with open(os.path.join(logs, "catches.txt"), "w") as f:
        f.write("# test\tcaught\tonly it caught\tmutants\n")
        for test in sorted(by_test, key=lambda t: (len(only[t]), len(by_test[t]), t)):
            f.write(f"{test}\t{len(by_test[test])}\t{len(only[test])}\t{' '.join(by_test[test])}\n")
    idle = sum(1 for test in by_test if not by_test[test])
    print(f"{idle} of {len(by_test)} tests caught no mutant. Which test caught what: {logs}/catches.txt")
    return 0 if len(killed) == len(counted) else 1


if __name__ == "__main__":
    sys.exit(main())
