#!/usr/bin/env python3
"""Writes a compilation database on which clang-tidy checks the Windows-only sources.

    windows-tidy-database.py NATIVE_DB WINDOWS_DB OUT_DIR

NATIVE_DB and WINDOWS_DB are the compile_commands.json of a native tree and of a
mingw-w64 cross tree, both configured without unity files. OUT_DIR receives a
compile_commands.json holding the cross tree's commands for the project's
sources that the native tree does not compile, or compiles with other code
under a Windows conditional. Each command is turned into one clang understands:
the cross compiler's target, and the cross compiler's own C++ library and
system headers, which clang does not find for that target by itself (it looks
for the host's). Prints the number of sources kept.
"""

import argparse
import json
import os
import re
import shlex
import subprocess
import sys

ROOT = os.path.realpath(os.path.join(os.path.dirname(__file__), ".."))
WINDOWS_CONDITIONAL = re.compile(r"^\s*#\s*(?:el)?if.*\b(?:_WIN32|_WIN64|__MINGW32__|__MINGW64__|_MSC_VER)\b", re.M)


def command_arguments(entry):
    if "arguments" in entry:
        return list(entry["arguments"])
    return shlex.split(entry["command"])


def cross_include_dirs(compiler):
    """The cross compiler's #include <...> directories, split around its own
    builtin headers (intrinsics, limits.h...), which clang replaces with its own:
    the C++ library comes before them, the system headers after."""
    probe = subprocess.run([compiler, "-E", "-x", "c++", "-", "-v"], stdin=subprocess.DEVNULL,
                           capture_output=True, text=True, check=True)
    lines = probe.stderr.splitlines()
    start = lines.index("#include <...> search starts here:") + 1
    end = lines.index("End of search list.", start)
    searched = [os.path.realpath(line.strip()) for line in lines[start:end]]
    builtin = {
        os.path.realpath(subprocess.run([compiler, f"-print-file-name={name}"], capture_output=True,
                                        text=True, check=True).stdout.strip())
        for name in ("include", "include-fixed")
    }
    first_builtin = next((i for i, folder in enumerate(searched) if folder in builtin), None)
    if first_builtin is None:
        sys.exit(f"{compiler}: its own header folders are not among those it searches")
    before = [folder for folder in searched[:first_builtin] if folder not in builtin]
    after = [folder for folder in searched[first_builtin:] if folder not in builtin]
    return before, after


def target_of(compiler):
    return subprocess.run([compiler, "-dumpmachine"], capture_output=True, text=True, check=True).stdout.strip()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("native_db")
    parser.add_argument("windows_db")
    parser.add_argument("out_dir")
    options = parser.parse_args()

    with open(options.native_db, encoding="utf-8") as stream:
        native = {os.path.realpath(entry["file"]) for entry in json.load(stream)}
    with open(options.windows_db, encoding="utf-8") as stream:
        windows = json.load(stream)

    flags_by_compiler = {}
    kept = []
    for entry in windows:
        source = os.path.realpath(os.path.join(entry["directory"], entry["file"]))
        if not source.startswith(ROOT + os.sep) or not source.endswith(".cpp"):
            continue  # third-party sources, resource scripts
        if source in native:
            with open(source, encoding="utf-8") as stream:
                if not WINDOWS_CONDITIONAL.search(stream.read()):
                    continue
        arguments = command_arguments(entry)
        compiler = arguments[0]
        if compiler not in flags_by_compiler:
            before, after = cross_include_dirs(compiler)
            # -nostdlibinc drops the host's folders clang would search and keeps its own
            # builtin headers, which come after the C++ library and before the system's.
            flags_by_compiler[compiler] = (
                [f"--target={target_of(compiler)}", "-nostdlibinc"]
                + [f"-isystem{folder}" for folder in before]
                + [f"-idirafter{folder}" for folder in after])
        kept.append({
            "directory": entry["directory"],
            "file": source,
            "arguments": ["clang++"] + flags_by_compiler[compiler] + arguments[1:],
        })

    os.makedirs(options.out_dir, exist_ok=True)
    with open(os.path.join(options.out_dir, "compile_commands.json"), "w", encoding="utf-8") as stream:
        json.dump(kept, stream, indent=1)
    print(len(kept))


if __name__ == "__main__":
    main()
