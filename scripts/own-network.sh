#!/usr/bin/env bash
# Runs a command in a network namespace of its own, with only a loopback
# interface, so a server it starts on 127.0.0.1:80 meets no other server on
# the machine and nothing it starts can reach beyond the machine.
#
#   scripts/own-network.sh command [args...]
#
# For example, Apache and the page checks while another server holds port 80:
#   scripts/own-network.sh scripts/wine-session.sh -- tools/apache-httpd/wine-check.sh build/windows-x64
# Needs root (unshare --net).
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 command [args...]" >&2; exit 2; }
if [ "${VELMORAN_OWN_NETWORK:-}" != 1 ]; then
  VELMORAN_OWN_NETWORK=1 exec unshare --net -- "$0" "$@"
fi
ip link set lo up
exec "$@"
