#!/usr/bin/env python3
"""Plants each fault of tests/mutants.json in a scratch copy of the tree, builds the test
executables that can see it, runs them and takes the fault out again.

    tools/mutants.py [--only ID,ID] [--list] [--revision COMMIT]

The working tree is only read. The scratch copy (build-mutants/) holds its build folder
(build-mutants/build) where the worktree holds build/, with the same options, so that ccache
serves every file a fault does not touch; both are kept between runs. A fault's tests are
built and run one after the other, the first that fails ending its run. Prints one line per
fault, KILLED, SURVIVED, NOT BUILT or TEXT NOT FOUND, and last "K of N faults caught".
Exit status 0 when every fault was caught, 1 otherwise.
"""

import argparse
import hashlib
import json
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
FAULTS = ROOT / "tests" / "mutants.json"
# Makes the .deb with CPack: too slow to run per fault, and it sees no stat.
NEVER_RUN = {"package_test_package"}
# The command-line tests start the editor itself.
ALWAYS_BUILT = ["valdric-editor"]
BUILD_TIMEOUT = 900


def source_files(source):
    """The files of the working tree that git does not ignore, or those of `source`."""
    if source != ROOT:
        return [str(path.relative_to(source)) for path in source.rglob("*") if path.is_file()]
    out = subprocess.run(
        ["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
        cwd=ROOT, capture_output=True, check=True).stdout
    return [name for name in out.decode().split("\0") if name and (ROOT / name).is_file()]


def checkout(revision, folder):
    """The files of a commit, in `folder`."""
    archive = subprocess.run(["git", "archive", revision], cwd=ROOT, capture_output=True,
                             check=True).stdout
    subprocess.run(["tar", "-x", "-C", str(folder)], input=archive, check=True)
    return folder


def sync_tree(source, tree):
    """Copies what differs, so that an unchanged file keeps its time and stays built."""
    names = set(source_files(source))
    for name in names:
        source_file, copy = source / name, tree / name
        data = source_file.read_bytes()
        if copy.is_file() and copy.read_bytes() == data:
            continue
        copy.parent.mkdir(parents=True, exist_ok=True)
        copy.write_bytes(data)
        shutil.copymode(source_file, copy)
    for path in tree.rglob("*"):
        name = str(path.relative_to(tree))
        if path.is_file() and name not in names and name.split("/")[0] not in ("build",
                                                                              "mutants.log"):
            path.unlink()


def configure(tree, build_dir):
    """The options of build/, whose objects ccache holds; lld links faster."""
    if (build_dir / "CMakeCache.txt").exists():
        # Again, so that a test added since the last run has its target.
        subprocess.run(["cmake", str(build_dir)], check=True, stdout=subprocess.DEVNULL)
        return
    options = ["-DCMAKE_BUILD_TYPE=RelWithDebInfo"]
    if shutil.which("ld.lld"):
        options.append("-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld")
    subprocess.run(["cmake", "-S", str(tree), "-B", str(build_dir), *options], check=True,
                   stdout=subprocess.DEVNULL)


def all_tests():
    names = ("%s_%s" % (path.parent.name, path.stem)
             for path in (ROOT / "tests").glob("*/test_*.cpp"))
    return sorted(name for name in names if name not in NEVER_RUN)


def tests_of(fault):
    return [test for test in fault.get("tests") or all_tests() if test not in NEVER_RUN]


def build(build_dir, targets, log, timeout=BUILD_TIMEOUT):
    """False when the build fails or outlasts `timeout`; then its compilers are ended too."""
    with subprocess.Popen(["cmake", "--build", str(build_dir), "-j2", "--target",
                           *ALWAYS_BUILT, *targets], stdout=log, stderr=subprocess.STDOUT,
                          start_new_session=True) as child:
        try:
            return child.wait(timeout=timeout) == 0
        except subprocess.TimeoutExpired:
            os.killpg(child.pid, signal.SIGTERM)
            child.wait()
            return False


def clear_test_state(build_dir):
    """Each test starts with fresh settings and history, as in a fresh build folder."""
    for pattern in ("config-*", "data-*"):
        for folder in (build_dir / "tests").glob(pattern):
            shutil.rmtree(folder, ignore_errors=True)


def test_passes(build_dir, test, timeout, log):
    clear_test_state(build_dir)
    done = subprocess.run(["ctest", "--test-dir", str(build_dir), "-R", "^%s$" % test,
                           "--timeout", str(timeout), "--output-on-failure"],
                          stdout=log, stderr=subprocess.STDOUT)
    return done.returncode == 0


def load_faults(only):
    faults = json.loads(FAULTS.read_text())
    ids = [fault["id"] for fault in faults]
    if len(set(ids)) != len(ids):
        sys.exit("mutants.json: an id is used twice")
    if only:
        wanted = only.split(",")
        unknown = [name for name in wanted if name not in ids]
        if unknown:
            sys.exit("no such fault: " + ", ".join(unknown))
        faults = [fault for fault in faults if fault["id"] in wanted]
    return faults


def tree_digest(tree):
    digest = hashlib.sha1()
    for name in sorted(source_files(tree)):
        if name.split("/")[0] in ("build", "mutants.log"):
            continue
        digest.update(name.encode() + b"\0" + (tree / name).read_bytes())
    return digest.hexdigest()


def baseline(tree, build_dir, tests, log, trusted):
    """Each test's timeout from its time on the unchanged tree; ends the run if one fails.
    Kept for the next run on the same tree; `trusted` takes the last one's for any tree."""
    if not build(build_dir, tests, log, timeout=None):  # a first build takes long
        sys.exit("The unchanged tree does not build; see %s" % log.name)
    kept = build_dir / "mutants-baseline.json"
    digest = tree_digest(tree)
    known = json.loads(kept.read_text()) if kept.is_file() else {}
    timeouts = known.get("timeouts", {}) if trusted or known.get("tree") == digest else {}
    for test in tests:
        if test in timeouts:
            continue
        started = time.monotonic()
        if not test_passes(build_dir, test, 1500, log):
            sys.exit("%s fails on the unchanged tree; see %s" % (test, log.name))
        # A planted fault that makes a test hang counts as caught once it runs this long.
        timeouts[test] = int(3 * (time.monotonic() - started)) + 20
        kept.write_text(json.dumps({"tree": digest, "timeouts": timeouts}))
    return timeouts


def try_fault(fault, tree, build_dir, timeouts, log):
    path = tree / fault["file"]
    original = path.read_text() if path.is_file() else ""
    if original.count(fault["find"]) != 1:
        return "TEXT NOT FOUND", ""
    log.write("\n===== %s\n" % fault["id"])
    log.flush()
    path.write_text(original.replace(fault["find"], fault["replace"]))
    try:
        for test in tests_of(fault):
            if not build(build_dir, [test], log):
                return "NOT BUILT", ""
            if not test_passes(build_dir, test, timeouts[test], log):
                return "KILLED", test
        return "SURVIVED", ""
    finally:
        path.write_text(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--only", default="", help="comma-separated fault ids")
    parser.add_argument("--list", action="store_true", help="list the faults and stop")
    parser.add_argument("--scratch", default=str(ROOT / "build-mutants"))
    parser.add_argument("--revision", help="test the files of this commit, not the worktree's")
    parser.add_argument("--trust-baseline", action="store_true",
                        help="skip the unchanged run of tests that passed it last time")
    args = parser.parse_args()
    faults = load_faults(args.only)
    if args.list:
        for fault in faults:
            print("%-28s %s" % (fault["id"], fault["sees"]))
        return 0
    tree = pathlib.Path(args.scratch)
    build_dir = tree / "build"
    tree.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory() as folder:
        sync_tree(checkout(args.revision, pathlib.Path(folder)) if args.revision else ROOT, tree)
    configure(tree, build_dir)
    tests = sorted({test for fault in faults for test in tests_of(fault)})
    started = time.monotonic()
    with open(tree / "mutants.log", "w") as log:
        print("Baseline: %d test programs on the unchanged tree..." % len(tests), flush=True)
        timeouts = baseline(tree, build_dir, tests, log, args.trust_baseline)
        caught = 0
        for fault in faults:
            began = time.monotonic()
            verdict, killer = try_fault(fault, tree, build_dir, timeouts, log)
            caught += verdict == "KILLED"
            print("%-14s %-26s %4.0f s  %s" % (verdict, fault["id"], time.monotonic() - began,
                                               killer or fault["sees"]), flush=True)
    print("Run time %.0f s; the log is %s" % (time.monotonic() - started, tree / "mutants.log"))
    print("%d of %d faults caught" % (caught, len(faults)))
    return 0 if caught == len(faults) else 1


if __name__ == "__main__":
    sys.exit(main())
