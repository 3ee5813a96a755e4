#!/usr/bin/env bash
# Runs a Windows program under Wine in the prefix named by WINEPREFIX (never ~/.wine).
set -euo pipefail
if [ -z "${WINEPREFIX:-}" ]; then
  echo "wine-exec: WINEPREFIX is not set; refusing to use ~/.wine" >&2
  exit 125
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
