#!/usr/bin/env bash
# Runs Debian's Apache in the foreground with the project's configuration
# (tools/apache/velmoran-httpd.conf), serving www/ at http://localhost/www/ on
# 127.0.0.1:80 only. Nothing under /etc is read for it or changed.
#
#   scripts/run-apache.sh                        until Ctrl+C or SIGTERM
#   scripts/run-apache.sh --until-stdin-closes   until Apache ends or standard input
#                                                reaches its end; then prints
#                                                "apache-exit N" and exits with N
#
# The second form is how httpd.exe under Wine ties Apache's life to its own: it
# hands this script one end of a socket as standard input and output and keeps
# the other, so Apache stops when httpd.exe ends, however it ends, and httpd.exe
# learns when Apache has ended.
#
# Pid file, locks and logs go to $VELMORAN_APACHE_STATE (default build/apache).
# Port 80 needs root (or CAP_NET_BIND_SERVICE on the apache2 binary); started
# as root, the worker processes run as www-data, which must be able to read www/.
# Run scripts/prepare-www.sh once first for the pose model.
set -euo pipefail
# Started from Wine, PATH may lack the system folders runuser lives in.
export PATH="$PATH:/usr/sbin:/sbin"
repo="$(cd "$(dirname "$0")/.." && pwd)"
state="$(realpath -m "${VELMORAN_APACHE_STATE:-$repo/build/apache}")"
www="$repo/www"
config="$repo/tools/apache/velmoran-httpd.conf"

tied=0
if [ "${1:-}" = "--until-stdin-closes" ]; then
  tied=1
  shift
fi
[ $# -eq 0 ] || { echo "usage: $0 [--until-stdin-closes]" >&2; exit 2; }

mkdir -p "$state/run" "$state/empty"
if [ "$(id -u)" -eq 0 ]; then
  user=www-data
  if ! runuser -u "$user" -- test -r "$www/corvale2/index.html"; then
    echo "run-apache: $user cannot read $www/corvale2/index.html; make the path readable" >&2
    exit 1
  fi
else
  user="$(id -un)"
  echo "run-apache: not root; Apache can bind port 80 only with CAP_NET_BIND_SERVICE" \
       "(setcap 'cap_net_bind_service=+ep' /usr/sbin/apache2) or a lowered" \
       "net.ipv4.ip_unprivileged_port_start" >&2
fi
[ -f "$www/vendor/pose/pose.js" ] ||
  echo "run-apache: www/vendor/pose/ is missing (scripts/prepare-www.sh); the page runs without pose detection" >&2

apache=(/usr/sbin/apache2 -DFOREGROUND -d "$state" -f "$config"
        -C "Define VELMORAN_WWW \"$www\""
        -C "Define VELMORAN_STATE \"$state\""
        -C "Define VELMORAN_USER $user")

if [ $tied -eq 0 ]; then
  exec "${apache[@]}"
fi

# Tied: the tie is duplicated to descriptor 3 because a background job's
# standard input is /dev/null. Apache itself holds no copy of the tie, so
# once it and this script are gone the other end sees the socket close.
exec 3<&0
# Wine keeps its sockets non-blocking; a read on one would fail at once with
# EAGAIN instead of waiting. Perl is part of every Debian system.
perl -MFcntl -e 'my $flags = fcntl(STDIN, F_GETFL, 0) or die "fcntl: $!";
                 fcntl(STDIN, F_SETFL, $flags & ~O_NONBLOCK) or die "fcntl: $!"' <&3
"${apache[@]}" </dev/null >&2 3<&- &
apache_pid=$!
# The watcher is a subshell of builtins only, so killing it leaves nothing
# behind that still holds the tie.
{ while read -r -u 3 _; do :; done; kill -TERM "$apache_pid" 2>/dev/null; } 0</dev/null &
watcher_pid=$!
exec 3<&-
trap 'kill -TERM "$apache_pid" 2>/dev/null || true' TERM INT HUP
# A trapped signal interrupts wait; wait again until Apache has really ended.
while :; do
  if wait "$apache_pid"; then status=0; else status=$?; fi
  kill -0 "$apache_pid" 2>/dev/null || break
done
kill -TERM "$watcher_pid" 2>/dev/null || true
wait "$watcher_pid" 2>/dev/null || true
echo "apache-exit $status"
exit "$status"
