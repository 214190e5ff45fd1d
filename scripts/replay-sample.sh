#!/usr/bin/env bash
# Builds the replay tool, replays samples/session.jsonl into a fresh folder
# standing for drive C:, then lists the files the shell wrote and shows its
# log file (converted from the ANSI code page 949 for the terminal).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset native >/dev/null
cmake --build --preset native --target velmoran-replay
drive_c="$(mktemp -d "${TMPDIR:-/tmp}/velmoran-drive-c.XXXXXX")"
echo "== replaying samples/session.jsonl with drive C: at $drive_c"
build/native/tools/velmoran-replay --drive-c "$drive_c" < samples/session.jsonl | cut -c1-200
echo "== files written"
(cd "$drive_c" && find . -type f -printf '%p  %s bytes\n' | sort)
echo "== velmoran/errlog.txt"
iconv -f CP949 -t UTF-8 "$drive_c/velmoran/errlog.txt" | cut -c1-200
