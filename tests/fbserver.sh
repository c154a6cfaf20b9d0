#!/usr/bin/env bash
# Starts or stops the Firebird server the server-mode tests use, on 127.0.0.1:3050,
# with the program's database user allowed to make databases.
#   fbserver.sh start STATE_DIR | stop STATE_DIR
set -euo pipefail
cmd=$1
state=$2
mkdir -p "$state"
pidfile=$state/fbserver.pid
secdb=/var/lib/firebird/3.0/system/security3.fdb

listening() { (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; }

case "$cmd" in
start)
  if listening; then
    echo "fbserver: a server already listens on 127.0.0.1:3050; using it"
    exit 0
  fi
  # The user database is opened in-process while no server holds it.
  printf "CREATE OR ALTER USER BRIVANE PASSWORD 'tombfrel';\nGRANT CREATE DATABASE TO USER BRIVANE;\nCOMMIT;\n" |
    isql-fb -q -user SYSDBA "$secdb"
  chown firebird:firebird "$secdb"
  # Detached, its output in a file: the test runner must not wait on it.
  setsid setpriv --reuid=firebird --regid=firebird --init-groups /usr/sbin/firebird \
    >"$state/fbserver.log" 2>&1 </dev/null &
  echo $! >"$pidfile"
  for _ in $(seq 100); do listening && break; sleep 0.1; done
  listening || { echo "fbserver: server did not start"; cat "$state/fbserver.log"; exit 1; }
  echo "fbserver: listening on 127.0.0.1:3050"
  ;;
stop)
  if [ -f "$pidfile" ]; then
    kill "$(cat "$pidfile")" 2>/dev/null || true
    for _ in $(seq 50); do listening || break; sleep 0.1; done
    rm -f "$pidfile"
  fi
  ;;
esac
