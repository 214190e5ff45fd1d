# Starting and ending one run of velmoran.exe with its real engine inside a
# Wine session, for the scripts that drive it (sourced, not run):
#
#   source scripts/shell-lifecycle.sh
#   shell_run_environment ID FOLDER   marks the run's processes with ID; the runtime's trace and
#                                     Apache's state go to FOLDER
#   shell_start                       starts C:\velmoran\velmoran.exe (installed by install-shell.sh)
#   shell_close                       closes its window as a person would, and waits for it to end
#   shell_end_run                     closes httpd.exe (so Apache stops) and makes sure no Chromium
#                                     or Apache process of the run is left; those still there are
#                                     killed, listed on standard error, and the call answers 1
#
# The shell's process is this shell's child, so only this shell can wait for
# it (a child that ended stays a zombie that kill -0 still finds until then):
# that is why these are functions and not a script of their own.

shell_pid=

shell_run_environment() {
  # Marks every process of this run, Chromium's and Apache's included (scripts/run-processes.sh).
  export VELMORAN_RUN_ID="$1"
  mkdir -p "$2"
  export VELMORAN_CHROMIUM_TRACE="$2/chromium-trace.txt"
  export VELMORAN_APACHE_STATE="$2/apache"
}

shell_start() {
  wine 'C:\velmoran\velmoran.exe' &
  shell_pid=$!
}

shell_close() {
  [ -n "$shell_pid" ] || return 0
  # Without /f taskkill closes the main window, so the shell shuts down as it would for a person.
  wine taskkill /im velmoran.exe >/dev/null 2>&1 || true
  for _ in $(seq 100); do kill -0 "$shell_pid" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$shell_pid" 2>/dev/null; then
    echo "velmoran.exe did not end within 20 s of its window's closing; ended with taskkill /f" >&2
    wine taskkill /f /im velmoran.exe >/dev/null 2>&1 || true
  fi
  wait "$shell_pid" 2>/dev/null || true
  shell_pid=
}

shell_end_run() {
  # The shell leaves the server it started running; a run does not.
  wine taskkill /im httpd.exe >/dev/null 2>&1 || true
  local left
  for _ in $(seq 75); do scripts/run-processes.sh "$VELMORAN_RUN_ID" "$WINEPREFIX" >/dev/null || return 0; sleep 0.2; done
  left="$(scripts/run-processes.sh "$VELMORAN_RUN_ID" "$WINEPREFIX")" || return 0
  echo "still running after the shell ended (now killed):" >&2
  echo "$left" >&2
  awk '{print $1}' <<<"$left" | xargs -r kill -KILL 2>/dev/null || true
  return 1
}
