#!/usr/bin/env bash
# Kills itemdesk-cli with SIGKILL at random moments of an import, a remove
# duplicates and an export, and checks what is left after each kill:
#   - the database passes `pragma integrity_check`;
#   - the table holds all of the import's records or none of them, and all or
#     none of the removals of duplicates;
#   - no export file is there unless it is complete (byte-identical to an
#     export that ran to its end).
#
#   tests/kill_loop.sh [KILLS] [RECORDS]      (default 20 kills each, 100000 records)
#
# Environment: CLI (default build/cli/itemdesk-cli), SHARED_TOOLS (default
# ../shared/tools), WORK (scratch folder, default a new temporary folder).
# Prints one line per kill and the counts at the end; exits 1 if any check failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kills=${1:-20}
records=${2:-100000}
cli=${CLI:-$root/build/cli/itemdesk-cli}
tools=${SHARED_TOOLS:-$root/../shared/tools}
work=${WORK:-$(mktemp -d)}
mkdir -p "$work"
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

count() {
    sqlite3 "$1" 'select count(*) from BabyData'
}

check_integrity() {
    local result
    result=$(sqlite3 "$1" 'pragma integrity_check' 2>&1)
    [[ $result == ok ]] || fail "$2: integrity_check says: $result"
}

# Seconds (with fractions) that a shell command takes.
duration_of() {
    local start end
    start=$(date +%s.%N)
    sh -c "$1" >/dev/null 2>&1
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}

# Runs a command in the background and kills it with SIGKILL after a random
# time between 0 and 1.1 times SECONDS; sets `finished` when it ended first.
run_and_kill() {
    local command=$1 seconds=$2 delay
    delay=$(awk -v s="$seconds" -v r="$RANDOM" 'BEGIN { printf "%.3f", s * 1.1 * r / 32767 }')
    sh -c "exec $command" >/dev/null 2>&1 &
    local pid=$!
    sleep "$delay"
    if kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid"
        finished=0
    else
        finished=1
    fi
    wait "$pid" 2>/dev/null
    last_delay=$delay
}

echo "== preparing $records records in $work"
items=$work/items.tab
python3 "$tools/gen_items.py" --records "$records" --desc-chars 200 --dup-rate 0.2 \
    --variant tab --out "$items" >/dev/null || exit 1
base=$work/base.mdb
rm -f "$base"*
"$cli" demo "$base" 100 >/dev/null || exit 1
base_count=$(count "$base")

# A table with duplicates, and what remove duplicates leaves of it.
dupes=$work/dupes.mdb
rm -f "$dupes"*
cp "$base" "$dupes"
"$cli" import "$dupes" "$items" >/dev/null || exit 1
dupes_count=$(count "$dupes")
cp "$dupes" "$work/deduped.mdb"
"$cli" dedupe "$work/deduped.mdb" >/dev/null || exit 1
deduped_count=$(count "$work/deduped.mdb")

# The export that runs to its end.
"$cli" export "$dupes" "$work/complete.csv" >/dev/null || exit 1

db=$work/killed.mdb
import_time=$(duration_of "rm -f '$db'*; cp '$base' '$db'; '$cli' import '$db' '$items'")
dedupe_time=$(duration_of "rm -f '$db'*; cp '$dupes' '$db'; '$cli' dedupe '$db'")
export_time=$(duration_of "rm -f '$work/out.csv'; '$cli' export '$dupes' '$work/out.csv'")
echo "full runs: import ${import_time}s, dedupe ${dedupe_time}s, export ${export_time}s"

declare -A killed none all
for operation in import dedupe export; do
    killed[$operation]=0
    none[$operation]=0
    all[$operation]=0
done

echo "== import: $kills kills"
for ((i = 1; i <= kills; i++)); do
    rm -f "$db"*
    cp "$base" "$db"
    run_and_kill "'$cli' import '$db' '$items'" "$import_time"
    killed[import]=$((killed[import] + 1 - finished))
    check_integrity "$db" "import kill $i"
    n=$(count "$db")
    if ((n == base_count)); then
        none[import]=$((none[import] + 1))
    elif ((n == base_count + records)); then
        all[import]=$((all[import] + 1))
    else
        fail "import kill $i after ${last_delay}s: $n records, neither $base_count nor $((base_count + records))"
    fi
    echo "import $i: killed after ${last_delay}s (finished first: $finished), $n records"
done

echo "== remove duplicates: $kills kills"
for ((i = 1; i <= kills; i++)); do
    rm -f "$db"*
    cp "$dupes" "$db"
    run_and_kill "'$cli' dedupe '$db'" "$dedupe_time"
    killed[dedupe]=$((killed[dedupe] + 1 - finished))
    check_integrity "$db" "dedupe kill $i"
    n=$(count "$db")
    if ((n == dupes_count)); then
        none[dedupe]=$((none[dedupe] + 1))
    elif ((n == deduped_count)); then
        all[dedupe]=$((all[dedupe] + 1))
    else
        fail "dedupe kill $i after ${last_delay}s: $n records, neither $dupes_count nor $deduped_count"
    fi
    echo "dedupe $i: killed after ${last_delay}s (finished first: $finished), $n records"
done

echo "== export: $kills kills"
out=$work/out.csv
for ((i = 1; i <= kills; i++)); do
    rm -f "$out"
    run_and_kill "'$cli' export '$dupes' '$out'" "$export_time"
    killed[export]=$((killed[export] + 1 - finished))
    check_integrity "$dupes" "export kill $i"
    if [[ ! -e $out ]]; then
        none[export]=$((none[export] + 1))
        state="no file"
    elif cmp -s "$out" "$work/complete.csv"; then
        all[export]=$((all[export] + 1))
        state="complete file"
    else
        fail "export kill $i after ${last_delay}s: an incomplete file of $(stat -c %s "$out") bytes"
        state="incomplete file"
    fi
    leftovers=$(find "$work" -maxdepth 1 -name '.out.csv.partial-*' | wc -l)
    rm -f "$work"/.out.csv.partial-*
    echo "export $i: killed after ${last_delay}s (finished first: $finished), $state, $leftovers temporary file(s) left"
done

echo "== summary ($records records)"
for operation in import dedupe export; do
    printf '%-7s %d runs, %d killed while running: %d left nothing done, %d left everything done\n' \
        "$operation" "$kills" "${killed[$operation]}" "${none[$operation]}" "${all[$operation]}"
done
echo "failed checks: $failures"
((failures == 0))
