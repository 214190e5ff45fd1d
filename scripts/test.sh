#!/usr/bin/env bash
# Runs every test: the native build, then the same tests under AddressSanitizer
# and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --workflow --preset native
cmake --workflow --preset sanitize
