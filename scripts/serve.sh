#!/usr/bin/env bash
# Builds the page and serves it on http://127.0.0.1:8000/ (--port N for
# another port) until interrupted.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
port=8000
while [ $# -gt 0 ]; do
    case "$1" in
        --port) port="$2"; shift 2 ;;
        --port=*) port="${1#--port=}"; shift ;;
        *) echo "usage: $0 [--port N]" >&2; exit 2 ;;
    esac
done
"$root/scripts/build-web.sh"
say "serving http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/build-web/site"
