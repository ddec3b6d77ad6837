#!/usr/bin/env python3
"""Fails on any clang-format or clang-tidy finding in the project's own sources.

    check_style.py --source DIR --build DIR --clang-format EXE --clang-tidy EXE [--jobs N]
                   [format|tidy]...

format: every C++ file of our folders must already be formatted as .clang-format says.
tidy: every C++ source of our folders must pass the checks of .clang-tidy, with the compile
commands of the build (compile_commands.json). A source the build does not compile (the fuzz
harnesses, the start-up benchmark helpers) is checked with the build's widest command, the one
that reaches the most include folders. Clean results are remembered in BUILD/style-cache under a
hash of the preprocessed source, the check settings and the tool, so a source is checked again
only when it or anything it includes changes. Findings are printed, never remembered.
"""
import argparse
import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys

FOLDERS = ("app", "bench", "core", "dialogs", "fuzz", "resources", "samples", "tests", "window")
SUFFIXES = (".cpp", ".h")


def own_files(source):
    """Our C++ files, relative paths, sorted; fuzz corpora and build folders left out."""
    found = []
    for folder in FOLDERS:
        for root, dirs, files in os.walk(os.path.join(source, folder)):
            dirs[:] = [d for d in dirs if d not in ("corpus", "build")]
            found += [os.path.relpath(os.path.join(root, f), source)
                      for f in files if f.endswith(SUFFIXES)]
    return sorted(found)


def check_format(args, files):
    run = subprocess.run([args.clang_format, "--dry-run", "--Werror", "--style=file"] + files,
                         cwd=args.source, capture_output=True, text=True)
    if run.returncode != 0:
        print(run.stdout + run.stderr, end="")
        print("clang-format: the files above differ from .clang-format; run clang-format -i on them")
    return run.returncode == 0


def compile_commands(args, sources):
    """One entry per source: the build's own, or one made from its widest command."""
    with open(os.path.join(args.build, "compile_commands.json")) as f:
        entries = {os.path.realpath(e["file"]): e for e in json.load(f)}
    root = os.path.realpath(args.source)
    ours = [e for path, e in entries.items() if os.path.relpath(path, root) in sources]
    if not ours:
        sys.exit("check_style: the build compiles none of our sources; is it configured?")
    widest = max(ours, key=lambda e: e["command"].count(" -I") + e["command"].count("-isystem"))
    result = {}
    for rel in sources:
        path = os.path.join(root, rel)
        entry = entries.get(path)
        if entry is None:
            words = shlex.split(widest["command"])
            words[-1] = path  # CMake ends every command with the source file
            entry = {"directory": widest["directory"], "file": path,
                     "command": shlex.join(words)}
        result[rel] = entry
    return result


def preprocessed_hash(entry):
    """Hash of the source as the compiler sees it: its own text and everything it includes."""
    words = shlex.split(entry["command"])
    keep, skip = [], False
    for word in words:
        if skip:
            skip = False
        elif word in ("-o", "-MF", "-MT", "-MQ"):
            skip = True
        elif word not in ("-c", "-MD", "-MMD"):
            keep.append(word)
    run = subprocess.run(keep[:-1] + ["-E", keep[-1]], cwd=entry["directory"],
                         capture_output=True)
    if run.returncode != 0:
        return None
    return hashlib.sha256(run.stdout).hexdigest()


def check_tidy(args, sources):
    entries = compile_commands(args, sources)
    cache = os.path.join(args.build, "style-cache")
    os.makedirs(cache, exist_ok=True)
    with open(os.path.join(cache, "compile_commands.json"), "w") as f:
        json.dump(list(entries.values()), f, indent=1)
    header_filter = "^" + re.escape(os.path.realpath(args.source)) + "/(" + "|".join(FOLDERS) + ")/"
    version = subprocess.run([args.clang_tidy, "--version"], capture_output=True, text=True).stdout
    with open(os.path.join(args.source, ".clang-tidy"), "rb") as f:
        settings = f.read() + version.encode() + header_filter.encode()

    def check(rel):
        digest = preprocessed_hash(entries[rel])
        key = None
        if digest is not None:
            key = os.path.join(cache, hashlib.sha256(settings + digest.encode()).hexdigest())
            if os.path.exists(key):
                return rel, True, ""
        run = subprocess.run([args.clang_tidy, "-p", cache, "--quiet",
                              "--header-filter=" + header_filter, entries[rel]["file"]],
                             capture_output=True, text=True)
        # Findings show as warnings turned errors; a clean run may still print a count line.
        clean = run.returncode == 0 and ": error:" not in run.stdout
        if clean and key is not None:
            open(key, "w").close()
        return rel, clean, run.stdout + (run.stderr if not clean else "")

    failed, seen = [], set()
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for rel, clean, output in pool.map(check, sources):
            if clean:
                continue
            failed.append(rel)
            # A finding in a header shows once, however many sources include it.
            for block in re.split(r"\n(?=\S+:\d+:\d+: )", output):
                if block.strip() and block not in seen:
                    seen.add(block)
                    print(block.rstrip())
    if failed:
        print("clang-tidy: findings while checking " + ", ".join(failed))
    return not failed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--clang-format", default="clang-format")
    parser.add_argument("--clang-tidy", default="clang-tidy")
    parser.add_argument("--jobs", type=int, default=1)
    parser.add_argument("checks", nargs="*", choices=["format", "tidy"], default=["format", "tidy"])
    args = parser.parse_args()
    files = own_files(args.source)
    ok = True
    if "format" in args.checks:
        ok = check_format(args, files) and ok
    if "tidy" in args.checks:
        ok = check_tidy(args, [f for f in files if f.endswith(".cpp")]) and ok
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
