#!/usr/bin/env bash
# Dataset figures on 1,000,000 item records (~300-character descriptions, an
# SQLite file of about 1.3 GB), each beside the sqlite3 shell doing the same work.
#
#   bench/store_bench.sh        (BENCH_DATA=folder to keep the generated data elsewhere)
set -euo pipefail
source "$(dirname "$0")/common.sh"
build_release itemdesk-cli

db=$data/m1.db
if [[ ! -f $db ]]; then
    echo "generating 1,000,000 records (a few minutes)..."
    python3 "$tools/gen_items.py" --records 1000000 --desc-chars 300 --variant utf8csv --out "$data/m1.csv"
    sqlite3 -batch "$db" ".read $tools/schema.sql" ".read $tools/anchors/view46.sql" \
        ".import --csv --skip 1 $data/m1.csv BabyData_in"
fi
cat "$db" >/dev/null  # hot cache, as the peers' figures are

echo "== open the item query (itemdesk-cli count); goal: <= 1.5 s, <= 300 MB"
measure "itemdesk-cli count" "$cli" count "$db"
ours=$seconds
measure "peer: sqlite3 select count(*)" sqlite3 "$db" "select count(*) from BabyData"
echo "   ratio to peer: $(ratio "$ours" "$seconds")"

echo "== filter [宝贝名称] Like '*abc*' (opens filtered); goal: <= 1 s"
measure "itemdesk-cli count --filter" "$cli" count "$db" --filter "[宝贝名称] Like '*abc*'"
ours=$seconds
measure "peer: sqlite3 count where like '%abc%'" sqlite3 "$db" \
    "select count(*) from BabyData where 宝贝名称 like '%abc%'"
echo "   ratio to peer: $(ratio "$ours" "$seconds")"

echo "== remove duplicates; goal: <= 1.2 x the peer"
copy=$data/dedupe.db
measure "itemdesk-cli dedupe (on a fresh copy)" sh -c "cp '$db' '$copy' && '$cli' dedupe '$copy'"
ours=$seconds
measure "peer: sqlite3 < anchors/dedupe.sql (fresh copy)" sh -c "cp '$db' '$copy' && sqlite3 '$copy' < '$tools/anchors/dedupe.sql'"
echo "   ratio to peer: $(ratio "$ours" "$seconds")"
rm -f "$copy"

echo "== post 100,000 appended records in one command (itemdesk-cli demo)"
measure "itemdesk-cli demo 100000" sh -c "rm -f '$data/posted.db' && '$cli' demo '$data/posted.db' 100000"
rm -f "$data/posted.db"
