#!/usr/bin/env bash
# The data grid over 1,000,000 item records, offscreen: moving to the first and
# to the last record and repainting should cost the same, and so should PgUp
# 200 times from the last record and PgDn 200 times from the first (goal:
# <= 1.5 x); the window stays under 100 MB once every record has been shown.
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
