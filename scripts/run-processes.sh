#!/usr/bin/env bash
# Lists the Chromium and Apache processes of one run of the shell, and of no
# other run on the machine:
#  - those whose environment carries VELMORAN_RUN_ID=ID: the run exports it
#    before it starts velmoran.exe, and Wine hands its environment on to the
#    Unix programs it starts (Chromium through bash, Apache through
#    httpd.exe), so Chromium's first process, its crash handlers and Apache's
#    processes carry it;
#  - those whose command line names a file under PREFIX: Chromium's zygotes,
#    renderers and helpers start with a cleaned environment, but every one of
#    them is told its user data folder, which lies in the prefix.
#
#   scripts/run-processes.sh ID PREFIX   one "PID COMMAND" line per process; exits 1 when there is none
set -euo pipefail
id="${1:?usage: $0 RUN_ID PREFIX}"
prefix="${2:?usage: $0 RUN_ID PREFIX}"
found=1
for process in /proc/[0-9]*; do
  # comm holds at most 15 characters: chrome_crashpad_handler reads chrome_crashpad.
  case "$(cat "$process/comm" 2>/dev/null)" in
    chromium | chrome_crashpad | apache2) ;;
    *) continue ;;
  esac
  # A process may end between the listing and the look.
  if { tr '\0' '\n' <"$process/environ"; } 2>/dev/null | grep -aqxF "VELMORAN_RUN_ID=$id" ||
    { tr '\0' ' ' <"$process/cmdline"; } 2>/dev/null | grep -aqF "$prefix/"; then
    ps -o pid=,args= -p "${process#/proc/}" | cut -c1-160 || true
    found=0
  fi
done
exit $found
