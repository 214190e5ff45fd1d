#!/usr/bin/env bash
# Lists the Chromium and Apache processes of one run of the shell: those whose
# environment carries VELMORAN_RUN_ID=ID. The run exports that variable before
# it starts velmoran.exe; Wine hands its environment on to the Unix programs
# it starts (Chromium through bash, Apache through httpd.exe), so the browser,
# its helpers and the web server's workers all carry it, while other Chromium
# or Apache processes on the machine do not.
#
#   scripts/run-processes.sh ID      one "PID COMMAND" line per process; exits 1 when there is none
set -euo pipefail
id="${1:?usage: $0 RUN_ID}"
found=1
for pid in $(pgrep -x 'chromium|chrome_crashpad|apache2' || true); do
  # A process may end between the listing and the look.
  if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "VELMORAN_RUN_ID=$id"; then
    ps -o pid=,args= -p "$pid" | cut -c1-160 || true
    found=0
  fi
done
exit $found
