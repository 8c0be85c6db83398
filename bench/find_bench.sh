#!/usr/bin/env bash
# Finding text in the data grid over 1,000,000 item records, offscreen: a search
# that finds nothing (one column, then every visible column) and one that finds
# a match 500,000 records away, beside the sqlite3 shell scanning the same
# column for the same text. Aims: nothing found in 2 s, the far match in 1 s.
#
#   bench/find_bench.sh        (environment: see bench/common.sh)
set -euo pipefail
source "$(dirname "$0")/common.sh"
build_release itemdesk-cli grid_find_bench

db=$data/grid1m.db
if [[ ! -f $db ]]; then
    echo "generating 1,000,000 records with itemdesk-cli demo (a minute or two)..."
    "$cli" demo "$db" 1000000 >/dev/null
fi
cat "$db" >/dev/null  # hot cache

measure "sqlite3 '$db' \"SELECT count(*) FROM BabyData WHERE instr(upper(宝贝名称), upper('没有这件宝贝')) > 0\""
peer_wall=$median_wall peer_cpu=$median_cpu
echo "peer: the sqlite3 shell scanning 宝贝名称 for the text: $peer_wall s (cpu $peer_cpu s)"
QT_QPA_PLATFORM=offscreen "$build/bench/grid_find_bench" "$db" 2>/dev/null |
    while IFS=$'\t' read -r label wall cpu record; do
        printf '%-30s itemdesk %6.3f s (cpu %6.3f s) | ratio to peer %s (cpu %s) | on record %d\n' \
            "$label" "$wall" "$cpu" "$(ratio "$wall" "$peer_wall")" "$(ratio "$cpu" "$peer_cpu")" "$record"
    done
