#!/usr/bin/env bash
# Item file import and export timed side by side with the sqlite3 shell.
#
#   bench/itemfile_bench.sh [RECORDS] [DESC_CHARS]      (default 100000 records, 1500 characters)
#
# Generates a TAB item file and the same records as UTF-8 CSV with
# gen_items.py, builds itemdesk-cli in Release, then reports for each command
# the median wall time of RUNS runs (default 3, after one warm-up), its ratio
# to the peer command, the median processor time (user + system, steadier on a
# shared machine) with its ratio, and the peak memory:
#   itemdesk-cli import (new database)  vs  sqlite3 .import of the CSV (sq_imp_view)
#   itemdesk-cli export TAB             vs  sqlite3 CSV export (sq_exp_csv)
#                                       and the same TAB bytes through iconv (sq_exp_tab)
# It also imports a tenth of the records to show that memory does not grow
# with the record count, and checks that the export equals the generated file.
#
# Environment: see bench/common.sh.
set -euo pipefail
source "$(dirname "$0")/common.sh"
records=${1:-100000}
desc=${2:-1500}
build_release itemdesk-cli

# Generates STEM.tab and STEM.csv unless they are there for the same options.
generate() {
    local stem=$1 count=$2 stamp="$data/$1.options"
    if [[ -f $data/$stem.tab && -f $data/$stem.csv && $(cat "$stamp" 2>/dev/null) == "$count $desc" ]]; then
        return
    fi
    echo "== generating $count records ($desc-character descriptions) as $stem.tab and $stem.csv"
    python3 "$tools/gen_items.py" --records "$count" --desc-chars "$desc" --variant tab --out "$data/$stem.tab"
    python3 "$tools/gen_items.py" --records "$count" --desc-chars "$desc" --variant utf8csv --out "$data/$stem.csv"
    echo "$count $desc" >"$stamp"
}
generate items "$records"
generate tenth $((records / 10))

work=$data/work
mkdir -p "$work"
schema=$tools/schema.sql
view=$tools/anchors/view46.sql

echo "== import ($records records)"
compare import "rm -f '$work/ours.mdb'* && '$cli' create '$work/ours.mdb' && '$cli' import '$work/ours.mdb' '$data/items.tab'" \
    "rm -f '$work/peer.db'* && sqlite3 -batch '$work/peer.db' '.read $schema' '.read $view' '.import --csv --skip 1 $data/items.csv BabyData_in'"
import_peak=$ours_peak_last

echo "== import ($((records / 10)) records, for memory)"
measure_once "rm -f '$work/tenth.mdb'* && '$cli' create '$work/tenth.mdb' && '$cli' import '$work/tenth.mdb' '$data/tenth.tab'"
printf 'peak memory of itemdesk-cli import: %d MB for %d records, %d MB for %d records\n' \
    "$peak" $((records / 10)) "$import_peak" "$records"

# Lines without a TAB continue one record; their cost must grow linearly.
notab=$data/notab.tab
if [[ ! -f $notab ]]; then
    python3 -c "import sys; sys.stdout.buffer.write(b'\\xff\\xfe' + ('h\\r\\n' + 'x' * 40 + '\\r\\n') .encode('utf-16-le') + ('y' * 40 + '\\r\\n').encode('utf-16-le') * $records)" >"$notab"
fi
echo "== import ($records lines without a TAB, against the import of $records records)"
notab_import="rm -f '$work/notab.mdb'* && '$cli' create '$work/notab.mdb' && '$cli' import '$work/notab.mdb' '$notab'"
measure "$notab_import"
printf 'lines without a TAB: %s s wall for %d lines\n' "$median_wall" "$records"

echo "== export ($records records)"
export_ours="'$cli' export '$work/ours.mdb' '$work/ours.tab' --existing overwrite"
compare "export vs sq_exp_csv" "$export_ours" \
    "sqlite3 -batch '$work/peer.db' '.headers on' '.mode csv' '.once $work/peer.csv' '.read $tools/anchors/export_csv.sql'"
# The same TAB bytes from the sqlite3 shell through iconv (sq_exp_tab), for comparison.
compare "export vs sq_exp_tab" "$export_ours" \
    "sqlite3 -batch '$work/peer.db' '.read $tools/anchors/export_tab.sql' | iconv -f UTF-8 -t UTF-16LE >'$work/peer.tab'"

if cmp -s "$work/ours.tab" "$data/items.tab"; then
    echo "export is byte-identical to the generated file"
else
    echo "export differs from the generated file" >&2
    exit 1
fi
