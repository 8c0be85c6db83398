#!/bin/bash
# Two itemdesk-cli processes on one item database at once: two imports, an
# export during an import, a clear and a remove-duplicates, and two exports to
# one file. Each process must
# either succeed or fail with a message; the table and the export file must
# hold a state that some order of the two commands gives: nothing lost,
# doubled or blanked. Prints one line per run and a summary; exits 1 on a
# broken outcome.
#
# Environment: ITEMDESK_CLI (default build/cli/itemdesk-cli), RECORDS per
# item file (default 20000), ROUNDS per scenario (default 3), SHARED_TOOLS
# (the data generators; default ../shared/tools beside the checkout).
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cli=${ITEMDESK_CLI:-$root/build/cli/itemdesk-cli}
tools=${SHARED_TOOLS:-$root/../shared/tools}
[ -d "$tools" ] || tools=$root/../../shared/tools
records=${RECORDS:-20000}
rounds=${ROUNDS:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
broken=0

set -e
python3 "$tools/gen_items.py" --seed 1 --records "$records" --desc-chars 300 --out "$work/a.tab"
python3 "$tools/gen_items.py" --seed 2 --records "$records" --desc-chars 300 --dup-rate 0.3 \
    --out "$work/b.tab"

count() { "$cli" count "$1"; }
integrity() { python3 -c "import sqlite3,sys; print(sqlite3.connect(sys.argv[1]).execute('pragma integrity_check').fetchone()[0])" "$1"; }
# Records of an exported TAB file and how many of them are all blank.
exported() {
    iconv -f UTF-16 -t UTF-8 "$1" | tail -n +2 >"$work/lines"
    echo "$(wc -l <"$work/lines") $(grep -c -E $'^["\t]*\r?$' "$work/lines")"
}
# Starts two commands, the second after a delay; sets s1 s2 (exit statuses) and e1 e2 (messages).
race() {
    local delay=$1 first=$2 second=$3
    sh -c "$first" >"$work/o1" 2>"$work/e1" &
    local p1=$!
    sleep "$delay"
    sh -c "$second" >"$work/o2" 2>"$work/e2" &
    local p2=$!
    wait $p1; s1=$?
    wait $p2; s2=$?
    e1=$(tr '\n' ' ' <"$work/e1" | cut -c1-80)
    e2=$(tr '\n' ' ' <"$work/e2" | cut -c1-80)
}
verdict() {  # verdict OK-CONDITION TEXT
    if eval "$1"; then echo "ok     $2"; else echo "BROKEN $2"; broken=1; fi
}

"$cli" create "$work/base.db"
"$cli" import "$work/base.db" "$work/b.tab" >/dev/null
base=$(count "$work/base.db")
"$cli" dedupe "$work/base.db" >/dev/null
deduped=$(count "$work/base.db")
set +e
echo "item files: $records records each; b.tab leaves $deduped after remove duplicates"

for round in $(seq 1 "$rounds"); do
    delay=$(awk "BEGIN { print 0.2 * ($round - 1) }")

    db=$work/two.db; rm -f "$db"; "$cli" create "$db"
    race "$delay" "'$cli' import '$db' '$work/a.tab'" "'$cli' import '$db' '$work/b.tab'"
    n=$(count "$db")
    expected=$(( (s1 == 0 ? records : 0) + (s2 == 0 ? records : 0) ))
    verdict "[ $n -eq $expected ] && [ \"$(integrity "$db")\" = ok ]" \
        "two imports (+${delay}s): exits $s1/$s2, table $n [$e1|$e2]"

    db=$work/ei.db; rm -f "$db" "$work/out.csv"; "$cli" create "$db"
    "$cli" import "$db" "$work/a.tab" >/dev/null
    race "$delay" "'$cli' import '$db' '$work/b.tab'" "'$cli' export '$db' '$work/out.csv'"
    read -r lines blank < <( [ -f "$work/out.csv" ] && exported "$work/out.csv" || echo "0 0")
    verdict "[ $blank -eq 0 ] && { [ $s2 -ne 0 ] || [ $lines -eq $records ] || [ $lines -eq $((2 * records)) ]; }" \
        "export during import (+${delay}s): exits $s1/$s2, exported $lines, blank $blank [$e1|$e2]"

    db=$work/ec.db; rm -f "$db" "$work/out.csv"; cp "$work/base.db" "$db"
    "$cli" import "$db" "$work/b.tab" >/dev/null; m=$(count "$db")
    race "$delay" "'$cli' export '$db' '$work/out.csv'" "'$cli' clear '$db'"
    read -r lines blank < <( [ -f "$work/out.csv" ] && exported "$work/out.csv" || echo "0 0")
    n=$(count "$db")
    verdict "[ $blank -eq 0 ] && { [ $s1 -ne 0 ] || [ $lines -eq $m ] || [ $lines -eq 0 ]; } && { [ $s2 -ne 0 ] || [ $n -eq 0 ]; } && { [ $s2 -eq 0 ] || [ $n -eq $m ]; }" \
        "export during clear (+${delay}s): exits $s1/$s2, exported $lines of $m, table $n [$e1|$e2]"

    db=$work/ed.db; rm -f "$db" "$work/out.csv"; "$cli" create "$db"
    "$cli" import "$db" "$work/b.tab" >/dev/null
    race "$delay" "'$cli' export '$db' '$work/out.csv'" "'$cli' dedupe '$db'"
    read -r lines blank < <( [ -f "$work/out.csv" ] && exported "$work/out.csv" || echo "0 0")
    n=$(count "$db")
    verdict "[ $blank -eq 0 ] && { [ $s1 -ne 0 ] || [ $lines -eq $base ] || [ $lines -eq $deduped ]; } && { [ $s2 -ne 0 ] || [ $n -eq $deduped ]; } && { [ $s2 -eq 0 ] || [ $n -eq $base ]; }" \
        "export during dedupe (+${delay}s): exits $s1/$s2, exported $lines of $base, table $n [$e1|$e2]"

    db=$work/ee.db; rm -f "$db" "$work/out.csv"; "$cli" create "$db"
    "$cli" import "$db" "$work/a.tab" >/dev/null
    race "$delay" "'$cli' export '$db' '$work/out.csv' --existing overwrite" \
        "'$cli' export '$db' '$work/out.csv' --existing overwrite"
    read -r lines blank < <( [ -f "$work/out.csv" ] && exported "$work/out.csv" || echo "0 0")
    verdict "[ $blank -eq 0 ] && [ $lines -eq $records ] && { [ $s1 -eq 0 ] || [ $s2 -eq 0 ]; }" \
        "two exports to one file (+${delay}s): exits $s1/$s2, file holds $lines [$e1|$e2]"
done
[ $broken -eq 0 ] && echo "every outcome whole" || echo "broken outcomes above"
exit $broken
