#!/usr/bin/env bash
# Which Windows builds this machine runs under Wine.
#
#   scripts/windows-arch.sh          the architectures, preferred first: "x86 x64" or "x64"
#   scripts/windows-arch.sh --why    one line saying which and why
#   scripts/windows-arch.sh --reason why, alone
#   scripts/windows-arch.sh --build  the build folder of the preferred one ("build/windows-x64")
#
# 32-bit Windows programs need the kernel to run i386 programs: Wine's 32-bit
# loader is one. Some kernels have that switched off (ia32_emulation=off, or a
# host that runs 64-bit user code only); there every i386 program fails with
# "Exec format error" and nothing a program does turns it back on. 64-bit
# Windows programs run through Wine's 64-bit loader on any x86-64 kernel.
#
# VELMORAN_WINDOWS_ARCH=x86 or x64 forces that one architecture, so both
# roads can be tried on a machine that runs both.
set -euo pipefail

# Whether the kernel executes an i386 program: a 96-byte static ELF that only
# calls exit(42). A kernel without 32-bit execution refuses it with ENOEXEC.
i386_runs() {
  local probe status=0
  probe="$(mktemp "${TMPDIR:-/tmp}/velmoran-i386-probe.XXXXXX")"
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

case "${VELMORAN_WINDOWS_ARCH:-}" in
  x86 | x64)
    arches="$VELMORAN_WINDOWS_ARCH"
    why="VELMORAN_WINDOWS_ARCH=$VELMORAN_WINDOWS_ARCH chooses it"
    if [ "$arches" = x86 ] && ! i386_runs; then
      echo "VELMORAN_WINDOWS_ARCH=x86, but this machine's kernel cannot run 32-bit programs (its 32-bit emulation is off)" >&2
      exit 1
    fi
    ;;
  "")
    if i386_runs; then
      arches="x86 x64"
      why="this machine runs 32-bit and 64-bit programs"
    else
      arches="x64"
      why="this machine's kernel cannot run 32-bit programs (its 32-bit emulation is off), so only the 64-bit build runs"
    fi
    ;;
  *)
    echo "VELMORAN_WINDOWS_ARCH must be x86 or x64, not '$VELMORAN_WINDOWS_ARCH'" >&2
    exit 2
    ;;
esac

case "${1:-}" in
  --why) echo "Windows programs under Wine: ${arches// / and } — ${why}" ;;
  --reason) echo "$why" ;;
  --build) echo "build/windows-${arches%% *}" ;;
  *) echo "$arches" ;;
esac
