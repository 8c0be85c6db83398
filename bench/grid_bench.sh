#!/usr/bin/env bash
# The data grid over 1,000,000 item records, offscreen: moving to the first and
# to the last record and repainting should cost the same.
#
#   bench/grid_bench.sh        (environment: see bench/common.sh)
set -euo pipefail
source "$(dirname "$0")/common.sh"
build_release itemdesk-cli grid_scroll_bench

db=$data/grid1m.db
if [[ ! -f $db ]]; then
    echo "generating 1,000,000 records with itemdesk-cli demo (a minute or two)..."
    "$cli" demo "$db" 1000000 >/dev/null
fi
cat "$db" >/dev/null  # hot cache
QT_QPA_PLATFORM=offscreen "$build/bench/grid_scroll_bench" "$db"
