#!/usr/bin/env bash
# Prepares the installation's defaults beside the program when they are
# missing: the initial settings (config/Quernal.ini) and an empty message
# store opened in-process (db/QUERNAL.FDB). Settings a run has written and a
# store that holds messages are left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
prog=$PWD/build
mkdir -p "$prog/config" "$prog/db"
ini=$prog/config/Quernal.ini
[ -f "$ini" ] || cp dist/config/Quernal.ini "$ini"
db=$prog/db/QUERNAL.FDB
[ -f "$db" ] || "$prog/quernal-cli" create-db "$db" >/dev/null
# Point an unset store setting at the default store.
cr=$'\r'
if grep -q "^DBPath=${cr}\?\$" "$ini"; then
  sed -i "s|^DBPath=${cr}\?\$|DBPath=$db${cr}|" "$ini"
fi
echo "defaults: settings $ini, store $db"
