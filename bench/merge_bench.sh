#!/usr/bin/env bash
# Appending another item database and postage template ids, timed beside the
# sqlite3 shell doing the same work.
#
#   bench/merge_bench.sh [RECORDS] [SOURCE_RECORDS] [TEMPLATE_RECORDS]
#                        (default 1000000, 100000 and 100000)
#
# append: itemdesk-cli append merges a source of SOURCE_RECORDS records, every
#   one matching a record of a RECORDS-record table by 宝贝链接, with new names
#   and prices; the peer is the same merge as one UPDATE ... FROM in the
#   sqlite3 shell. Both run on the same table again and again (a merge done
#   twice gives the same table). Goal: at most 3 x the peer.
# templates: itemdesk-cli templates over TEMPLATE_RECORDS records whose
#   description files are 2 KB of GBK markup each; the peer is cat of all
#   the files plus one single-row UPDATE per record in one transaction in the
#   sqlite3 shell. Goal: at most 1.5 x the peer.
# Each command's --dry-run is timed beside the command itself.
#
# Environment: see bench/common.sh.
set -euo pipefail
source "$(dirname "$0")/common.sh"
records=${1:-1000000}
source_records=${2:-100000}
template_records=${3:-100000}
build_release itemdesk-cli

# The item table's columns but ID, comma-separated, with a prefix for each.
columns() {
    sqlite3 "$1" "select group_concat('$2' || name, ', ') from pragma_table_info('BabyData') where name <> 'ID'"
}

# Generates DB with COUNT records unless it is there for the same count.
generate_table() {
    local db=$1 count=$2 desc=$3 stamp="$1.options"
    if [[ -f $db && $(cat "$stamp" 2>/dev/null) == "$count $desc" ]]; then
        return
    fi
    echo "== generating $count records ($desc-character descriptions) in $(basename "$db")"
    rm -f "$db"
    python3 "$tools/gen_items.py" --records "$count" --desc-chars "$desc" --variant utf8csv --out "$db.csv"
    sqlite3 -batch "$db" ".read $tools/schema.sql" ".read $tools/anchors/view46.sql" \
        ".import --csv --skip 1 $db.csv BabyData_in"
    rm -f "$db.csv"
    echo "$count $desc" >"$stamp"
}

# ---------------------------------------------------------------- append
table=$data/merge_table.db
source_db=$data/merge_source.db
generate_table "$table" "$records" 300
if [[ ! -f $source_db || $(cat "$source_db.options" 2>/dev/null) != "$records $source_records" ]]; then
    echo "== the source: $source_records records whose links are in the table"
    rm -f "$source_db"
    step=$((records / source_records))
    # On standard input: the schema opens with a comment that sqlite3 would take for an option.
    {
        sed 's/CREATE TABLE BabyData/CREATE TABLE Content/' "$tools/schema.sql"
        echo "ATTACH '$table' AS t;
         INSERT INTO Content($(columns "$table" "")) SELECT $(columns "$table" "") FROM t.BabyData
             WHERE ID % $step = 0 LIMIT $source_records;
         UPDATE Content SET 宝贝名称 = 宝贝名称 || '·新', 宝贝价格 = 宝贝价格 + 1;"
    } | sqlite3 -batch "$source_db"
    echo "$records $source_records" >"$source_db.options"
fi
sets=$(sqlite3 "$table" "select group_concat(name || ' = c.' || name, ', ') from pragma_table_info('BabyData') where name <> 'ID'")
cat >"$data/merge_peer.sql" <<EOF
ATTACH '$source_db' AS s;
UPDATE BabyData SET $sets FROM s.Content AS c WHERE BabyData.宝贝链接 = c.宝贝链接;
EOF
# The merge makes its index on 宝贝链接 and drops it again; one left by an interrupted run would spare it that.
sqlite3 "$table" 'DROP INDEX IF EXISTS "BabyData_宝贝链接_append"'
cat "$table" "$source_db" >/dev/null  # hot cache, as the peer's figures are

echo "== append $source_records matching records into $records; goal: <= 3 x the peer"
compare "append" "'$cli' append '$table' '$source_db'" "sqlite3 '$table' < '$data/merge_peer.sql'"
echo "== append --dry-run beside append itself"
compare "append --dry-run" "'$cli' append '$table' '$source_db' --dry-run" \
    "'$cli' append '$table' '$source_db'"

# ---------------------------------------------------------------- templates
folder=$data/descriptions
items=$data/template_items.db
if [[ ! -f $items || $(cat "$items.options" 2>/dev/null) != "$template_records" ]]; then
    echo "== $template_records description files of 2 KB and their records"
    rm -rf "$folder" "$items"
    mkdir -p "$folder"
    python3 - "$folder" "$template_records" <<'EOF'
import random, sys
folder, count = sys.argv[1], int(sys.argv[2])
r = random.Random(5)
filler = "<p>纯棉面料，透气舒适，做工精细，适合日常穿着。</p>\r\n"
keywords = ("千克", "KG", "公斤")
for i in range(1, count + 1):
    weight = "%.1f" % r.uniform(0.1, 8)
    text = filler * 20 + "<p>净重：<b>%s</b>%s</p>\r\n" % (weight, keywords[i % 3])
    data = text.encode("gbk")
    data += b"<p>" + b"x" * max(0, 2048 - len(data) - 8) + b"</p>\r\n"
    with open("%s/%d.htm" % (folder, i), "wb") as f:
        f.write(data)
EOF
    sqlite3 -batch "$items" ".read $tools/schema.sql" \
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < $template_records)
         INSERT INTO BabyData(宝贝名称, 宝贝描述) SELECT '宝贝' || i, '$folder/' || i || '.htm' FROM n;"
    {
        echo "BEGIN;"
        for ((i = 1; i <= template_records; i++)); do
            echo "UPDATE BabyData SET 邮费模版ID = '2099290' WHERE ID = $i;"
        done
        echo "COMMIT;"
    } >"$data/template_peer.sql"
    echo "$template_records" >"$items.options"
fi
find "$folder" -type f -print0 | xargs -0 cat >/dev/null  # hot cache

echo "== templates over $template_records records with 2 KB description files; goal: <= 1.5 x the peer"
compare "templates" "'$cli' templates '$items'" \
    "find '$folder' -type f -print0 | xargs -0 cat >/dev/null && sqlite3 '$items' < '$data/template_peer.sql'"
echo "== templates --dry-run beside templates itself"
compare "templates --dry-run" "'$cli' templates '$items' --dry-run" "'$cli' templates '$items'"
