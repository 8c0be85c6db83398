#!/usr/bin/env bash
# The dry runs beside the commands they preview, in one run:
#   dedupe --dry-run on 1,000,000 records   vs  dedupe on a fresh copy      goal: <= 1.0
#   import --dry-run of 100,000 records     vs  the import into a new file  goal: <= 0.5
#
#   bench/dryrun_bench.sh [DB] [RECORDS]
#
# DB is an item database of about 1,000,000 records (default: m1.db in the
# data folder, generated when missing); it is only read. The copy that dedupe
# changes is made before each run and is not timed. RECORDS (default 100000)
# sizes the TAB item file, generated as bench/itemfile_bench.sh does.
# Environment: see bench/common.sh.
set -euo pipefail
source "$(dirname "$0")/common.sh"
db=${1:-$data/m1.db}
records=${2:-100000}
build_release itemdesk-cli

if [[ ! -f $db ]]; then
    echo "== generating 1,000,000 records (a few minutes)"
    python3 "$tools/gen_items.py" --records 1000000 --desc-chars 300 --variant utf8csv --out "$data/m1.csv"
    sqlite3 -batch "$db" ".read $tools/schema.sql" ".read $tools/anchors/view46.sql" \
        ".import --csv --skip 1 $data/m1.csv BabyData_in"
fi
items=$data/dryrun_items.tab
if [[ ! -f $items || $(cat "$items.options" 2>/dev/null) != "$records" ]]; then
    echo "== generating $records records as $items"
    python3 "$tools/gen_items.py" --records "$records" --desc-chars 1500 --variant tab --out "$items"
    echo "$records" >"$items.options"
fi

copy=$data/dryrun_copy.mdb

report() {
    printf '%-26s %6.2f s (cpu %5.2f s) %4d MB | %-18s %6.2f s (cpu %5.2f s) %4d MB | ratio %s (cpu %s)\n' \
        "$1" "$2" "$3" "$4" "$5" "$6" "$7" "$8" "$(ratio "$2" "$6")" "$(ratio "$3" "$7")"
}

echo "== dedupe --dry-run vs dedupe, $(sqlite3 "$db" 'select count(*) from BabyData') records; goal <= 1.0"
cat "$db" >/dev/null  # hot cache for both
measure "'$cli' dedupe '$copy' --dry-run" "cp '$db' '$copy'"
dry=("$median_wall" "$median_cpu" "$peak")
measure "'$cli' dedupe '$copy'" "cp '$db' '$copy'"
report "dedupe --dry-run" "${dry[@]}" "dedupe" "$median_wall" "$median_cpu" "$peak"
rm -f "$copy"

echo "== import --dry-run vs import, $records records into a new database; goal <= 0.5"
target=$data/dryrun_import.mdb
fresh="rm -f '$target' && '$cli' create '$target'"
measure "'$cli' import '$target' '$items' --dry-run" "$fresh"
dry=("$median_wall" "$median_cpu" "$peak")
measure "'$cli' import '$target' '$items'" "$fresh"
report "import --dry-run" "${dry[@]}" "import" "$median_wall" "$median_cpu" "$peak"
rm -f "$target"
