#!/usr/bin/env python3
"""Plants small faults in src/, one at a time, and reports which ones the test suite catches.

Each line of the fault list reads  path | text to find | text to put in its place  (the text must
occur exactly once; '#' starts a comment line). For every fault the file is changed, the
tests are rebuilt and run (the core's test programs first when the fault is in the core; the
whole suite, up to its first failure, when they pass), and the file is restored, also on
interruption. Prints a table by folder, the faults that survived and the time taken.
"""
import argparse
import collections
import os
import pathlib
import signal
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
# The test programs that most likely catch a fault in each folder; they run first, and only
# a fault they miss meets the whole suite.
CORE_PROGRAMS = ("test_game", "test_rules", "test_drag", "test_files", "test_solver")
QT_PROGRAMS = ("test_window", "test_dialogs", "test_art")
QUICK_PROGRAMS = {folder: CORE_PROGRAMS for folder in
                  ("src/game/", "src/rules/", "src/files/", "src/platform/", "src/solver/")}
QUICK_PROGRAMS.update({"src/window/": QT_PROGRAMS, "src/dialogs/": QT_PROGRAMS})


def read_faults(path):
    faults = []
    for number, line in enumerate(path.read_text().splitlines(), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        parts = [p.strip() for p in line.split(" | ")]
        if len(parts) != 3:
            sys.exit(f"{path}:{number}: expected 'path | find | replace'")
        faults.append((number, *parts))
    return faults


def run(cmd, timeout):
    # A group of its own, so a timeout or an interruption ends the test programs too.
    child = subprocess.Popen(cmd, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                             start_new_session=True)
    try:
        return child.wait(timeout=timeout) == 0
    except BaseException:
        os.killpg(child.pid, signal.SIGKILL)
        child.wait()
        if sys.exc_info()[0] is subprocess.TimeoutExpired:
            return False
        raise


def interrupted(signum, frame):
    raise KeyboardInterrupt(f"signal {signum}")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("faults", type=pathlib.Path)
    parser.add_argument("--build", default="build/faults", help="build folder (configured here)")
    parser.add_argument("--only", action="append",
                        help="run only faults whose path contains this text (may be repeated)")
    args = parser.parse_args()
    for signum in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(signum, interrupted)
    if subprocess.run(["git", "diff", "--quiet", "--", "src"], cwd=ROOT).returncode != 0:
        sys.exit("src/ has uncommitted changes; plant faults in a clean tree only")

    began = time.time()
    build = args.build
    configure = ["cmake", "-S", ".", "-B", build, "-DCMAKE_BUILD_TYPE=Debug", "-DTESSALINE_TESTS=ON"]
    if not run(configure, 600):
        sys.exit("the build cannot be configured")
    # The test programs and the program the start-up tests run; not the tools or benchmarks.
    targets = subprocess.run(["cmake", "--build", build, "--target", "help"], cwd=ROOT,
                             capture_output=True, text=True).stdout.split()
    programs = sorted(t for t in targets if t.startswith("test_") and not t.endswith("_autogen"))
    rebuild = ["cmake", "--build", build, "-j2", "--target", "tessaline"] + programs
    if not run(rebuild, 3600):
        sys.exit("the unchanged tree does not build")
    # The first failing test settles a fault; the desktop check tests packaging, not code.
    test = ["ctest", "--test-dir", build, "--parallel", "2", "--timeout", "300",
            "--stop-on-failure", "--exclude-regex", "desktop_integration"]
    env_note = "QT_QPA_PLATFORM=offscreen"
    if not run(["env", env_note] + test, 1800):
        sys.exit("the unchanged tree fails its tests")

    tally = collections.defaultdict(lambda: [0, 0])
    survivors = []
    for number, rel, find, replace in read_faults(args.faults):
        if args.only and not any(part in rel for part in args.only):
            continue
        path = ROOT / rel
        original = path.read_text()
        if original.count(find) != 1:
            print(f"line {number}: '{find}' occurs {original.count(find)} times in {rel}",
                  file=sys.stderr)
            continue
        try:
            path.write_text(original.replace(find, replace, 1))
            started = time.time()
            caught = False
            quick = [t for t in programs
                     if t in next((q for f, q in QUICK_PROGRAMS.items() if rel.startswith(f)), ())]
            if quick:
                if not run(["cmake", "--build", build, "-j2", "--target"] + quick, 1200):
                    print(f"line {number}: does not compile, skipped", file=sys.stderr)
                    continue
                caught = not all(run(["env", env_note, f"{build}/tests/{t}", "--gtest_fail_fast"], 900)
                                 for t in quick)
            if not caught:
                if not run(rebuild, 1200):
                    print(f"line {number}: does not compile, skipped", file=sys.stderr)
                    continue
                caught = not run(["env", env_note] + test, 1800)
        finally:
            path.write_text(original)
        folder = str(pathlib.Path(rel).parent)
        tally[folder][0 if caught else 1] += 1
        if not caught:
            survivors.append(f"{rel}:{number}: {find!r} -> {replace!r}")
        print(f"{'caught  ' if caught else 'SURVIVED'} {rel}: {find} -> {replace}"
              f" ({time.time() - started:.0f} s)", flush=True)

    run(rebuild, 3600)  # leave the build matching the tree
    print("\n| folder | planted | caught | share |\n|---|---|---|---|")
    total = [0, 0]
    for folder in sorted(tally):
        caught, survived = tally[folder]
        total[0] += caught
        total[1] += survived
        print(f"| {folder} | {caught + survived} | {caught} | {100 * caught / (caught + survived):.0f} % |")
    planted = sum(total)
    if planted:
        print(f"| all | {planted} | {total[0]} | {100 * total[0] / planted:.0f} % |")
    for line in survivors:
        print("survived:", line)
    print(f"whole run: {(time.time() - began) / 60:.1f} min")


if __name__ == "__main__":
    main()
