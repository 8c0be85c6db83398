#!/usr/bin/env bash
# Dataset figures on 1,000,000 item records (~300-character descriptions, an
# SQLite file of about 1.3 GB), each beside the sqlite3 shell doing the same
# work; the dataset's reading backwards and its appends beside the same work
# done forwards and with fixed fields. Environment: see bench/common.sh.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build_release itemdesk-cli dataset_bench

db=$data/m1.db
if [[ ! -f $db ]]; then
    echo "generating 1,000,000 records (a few minutes)..."
    python3 "$tools/gen_items.py" --records 1000000 --desc-chars 300 --variant utf8csv --out "$data/m1.csv"
    sqlite3 -batch "$db" ".read $tools/schema.sql" ".read $tools/anchors/view46.sql" \
        ".import --csv --skip 1 $data/m1.csv BabyData_in"
fi
cat "$db" >/dev/null  # hot cache, as the peers' figures are

echo "== open the item query (itemdesk-cli count); goal: <= 1.3 x the peer, <= 300 MB"
compare "count" "'$cli' count '$db'" "sqlite3 '$db' 'select count(*) from BabyData'"

echo "== filter [宝贝名称] Like '*abc*' (opens filtered); goal: <= 1 s"
compare "count --where" "'$cli' count '$db' --where \"[宝贝名称] Like '*abc*'\"" \
    "sqlite3 '$db' \"select count(*) from BabyData where 宝贝名称 like '%abc%'\""

echo "== remove duplicates on a fresh copy each run; goal: <= 1.2 x the peer"
copy=$data/dedupe.db
compare "dedupe" "'$cli' dedupe '$copy'" "sqlite3 '$copy' < '$tools/anchors/dedupe.sql'" \
    "cp '$db' '$copy'"
rm -f "$copy"

echo "== post 100,000 appended records in one command (itemdesk-cli demo)"
measure "rm -f '$data/posted.db' && '$cli' demo '$data/posted.db' 100000"
printf '%-30s itemdesk-cli %6.2f s (cpu %5.2f s) %4d MB\n' "demo 100000" "$median_wall" "$median_cpu" "$peak"
rm -f "$data/posted.db"

echo "== read 100,000 rows last to first beside first to last; goal: <= 1.5 x"
echo "== 50,000 appends changing their fields beside the same fields; goal: <= 1.2 x"
"$build/bench/dataset_bench" "$db" "$data"
