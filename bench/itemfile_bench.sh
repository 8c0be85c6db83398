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
# Environment: BUILD (build folder, default build-bench), DATA (data folder,
# default $TMPDIR/itemdesk-bench), SHARED_DIR (default ../shared), RUNS.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
shared=${SHARED_DIR:-$root/../shared}
tools=$shared/tools
records=${1:-100000}
desc=${2:-1500}
runs=${RUNS:-3}
build=${BUILD:-$root/build-bench}
data=${DATA:-${TMPDIR:-/tmp}/itemdesk-bench}
mkdir -p "$data"
data=$(cd "$data" && pwd)

echo "== building itemdesk-cli (Release) in $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target itemdesk-cli >/dev/null
cli=$build/cli/itemdesk-cli

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

# Runs a command (a shell text) once under GNU time; sets `wall` and `cpu` (s)
# and `peak` (MB).
measure_once() {
    /usr/bin/time -f "%e %U %S %M" -o "$data/time.out" sh -c "$1" >/dev/null 2>"$data/stderr.out" || {
        cat "$data/stderr.out" >&2
        exit 1
    }
    local user system peak_kb
    read -r wall user system peak_kb <"$data/time.out"
    cpu=$(awk "BEGIN { print $user + $system }")
    peak=$((peak_kb / 1024))
}

median_of() {
    printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}

# Warm-up, then RUNS runs; sets `median_wall`, `median_cpu` (s) and `peak`
# (MB, the largest seen).
measure() {
    local walls=() cpus=() most=0
    measure_once "$1"
    for ((i = 0; i < runs; i++)); do
        measure_once "$1"
        walls+=("$wall")
        cpus+=("$cpu")
        ((peak > most)) && most=$peak
    done
    median_wall=$(median_of "${walls[@]}")
    median_cpu=$(median_of "${cpus[@]}")
    peak=$most
}

# Reports the last two measurements: ours (saved in ours_*) and the peer's.
report() {
    printf '%-7s itemdesk-cli %6.2f s (cpu %5.2f s) %4d MB | sqlite3 %6.2f s (cpu %5.2f s) %4d MB | ratio %.2f (cpu %.2f)\n' \
        "$1" "$ours_wall" "$ours_cpu" "$ours_peak" "$median_wall" "$median_cpu" "$peak" \
        "$(awk "BEGIN { print $ours_wall / $median_wall }")" \
        "$(awk "BEGIN { print $ours_cpu / $median_cpu }")"
}

work=$data/work
mkdir -p "$work"
schema=$tools/schema.sql
view=$tools/anchors/view46.sql

echo "== import ($records records)"
measure "rm -f '$work/ours.mdb'* && '$cli' create '$work/ours.mdb' && '$cli' import '$work/ours.mdb' '$data/items.tab'"
ours_wall=$median_wall ours_cpu=$median_cpu ours_peak=$peak
measure "rm -f '$work/peer.db'* && sqlite3 -batch '$work/peer.db' '.read $schema' '.read $view' '.import --csv --skip 1 $data/items.csv BabyData_in'"
report import
import_peak=$ours_peak

echo "== import ($((records / 10)) records, for memory)"
measure_once "rm -f '$work/tenth.mdb'* && '$cli' create '$work/tenth.mdb' && '$cli' import '$work/tenth.mdb' '$data/tenth.tab'"
printf 'peak memory of itemdesk-cli import: %d MB for %d records, %d MB for %d records\n' \
    "$peak" $((records / 10)) "$import_peak" "$records"

echo "== export ($records records)"
measure "'$cli' export '$work/ours.mdb' '$work/ours.tab' --existing overwrite"
ours_wall=$median_wall ours_cpu=$median_cpu ours_peak=$peak
measure "sqlite3 -batch '$work/peer.db' '.headers on' '.mode csv' '.once $work/peer.csv' '.read $tools/anchors/export_csv.sql'"
report export
# The same TAB bytes from the sqlite3 shell through iconv (sq_exp_tab), for comparison.
measure "sqlite3 -batch '$work/peer.db' '.read $tools/anchors/export_tab.sql' | iconv -f UTF-8 -t UTF-16LE >'$work/peer.tab'"
report "(tab)"

if cmp -s "$work/ours.tab" "$data/items.tab"; then
    echo "export is byte-identical to the generated file"
else
    echo "export differs from the generated file" >&2
    exit 1
fi
