#!/usr/bin/env bash
# Import and export of 100,000 records in the main window (offscreen, the
# dialogs answered by a script) beside itemdesk-cli doing the same work
# (goal for both: <= 1.15x).
#
#   bench/window_bench.sh [RECORDS] [DESC_CHARS]      (default 100000 records, 1500 characters)
#
# The window's figure runs from the click on the command's button to the end
# of the command (window_command_bench); the CLI's is its whole process. The
# two run in turn, RUNS times each after one warm-up, and each line gives the
# medians of wall and processor time (user + system) and their ratios. Who
# goes first swaps every round; with an even RUNS each side goes first as
# often as second.
#
# Environment: see bench/common.sh.
set -euo pipefail
source "$(dirname "$0")/common.sh"
records=${1:-100000}
desc=${2:-1500}
build_release itemdesk-cli window_command_bench
window=$build/bench/window_command_bench

items=$data/items.tab
if [[ ! -f $items || $(cat "$data/items.options" 2>/dev/null) != "$records $desc" ]]; then
    echo "== generating $records records ($desc-character descriptions) as items.tab"
    python3 "$tools/gen_items.py" --records "$records" --desc-chars "$desc" --variant tab --out "$items"
    echo "$records $desc" >"$data/items.options"
fi
work=$data/window
mkdir -p "$work/cli" "$work/window"

# window_once ARGS...: runs the bench program once; sets `wall` and `cpu` (seconds).
window_once() {
    local line
    line=$(QT_QPA_PLATFORM=offscreen "$window" "$@" 2>"$data/stderr.out") || {
        cat "$data/stderr.out" >&2
        echo "$line" >&2
        exit 1
    }
    read -r wall cpu <<<"$(awk '{ gsub(/\)/, ""); print $1 / 1000, $4 / 1000 }' <<<"$line")"
    last_line=$line
}

# side_by_side LABEL CLI_PREPARE CLI_TEXT WINDOW_PREPARE WINDOW_ARGS...: runs
# the CLI and the window in turn, each after its untimed preparation, and
# prints the medians and ratios.
side_by_side() {
    local label=$1 cli_prepare=$2 cli_text=$3 window_prepare=$4
    shift 4
    local window_walls=() window_cpus=() cli_walls=() cli_cpus=()
    for ((i = 0; i <= runs; i++)); do
        # The second of a round pays for the first's file writes that the
        # system is still flushing.
        for side in $((i % 2)) $((1 - i % 2)); do
            if ((side == 0)); then
                sh -c "$cli_prepare"
                measure_once "$cli_text"
                ((i > 0)) && cli_walls+=("$wall") && cli_cpus+=("$cpu")
            else
                sh -c "$window_prepare"
                window_once "$@"
                ((i > 0)) && window_walls+=("$wall") && window_cpus+=("$cpu")
            fi
        done
    done
    local ww wc cw cc
    ww=$(median_of "${window_walls[@]}")
    wc=$(median_of "${window_cpus[@]}")
    cw=$(median_of "${cli_walls[@]}")
    cc=$(median_of "${cli_cpus[@]}")
    printf '%-8s window %6.2f s (cpu %5.2f s) | itemdesk-cli %6.2f s (cpu %5.2f s) | ratio %s (cpu %s)\n' \
        "$label" "$ww" "$wc" "$cw" "$cc" "$(ratio "$ww" "$cw")" "$(ratio "$wc" "$cc")"
    echo "         window's last run: ${last_line#* ms (cpu * ms)  }"
}

cat "$items" >/dev/null  # hot cache
echo "== $records records, goal for both ratios: <= 1.15"
side_by_side import \
    "rm -f '$work'/cli/Data.mdb* && '$cli' create '$work/cli/Data.mdb'" \
    "'$cli' import '$work/cli/Data.mdb' '$items'" \
    "rm -f '$work'/window/Data.mdb* && '$cli' create '$work/window/Data.mdb'" \
    import "$work/window" "$items"
# Both export the same database; each starts without its output file.
side_by_side export \
    "rm -f '$work/cli.csv'" \
    "'$cli' export '$work/window/Data.mdb' '$work/cli.csv'" \
    "rm -f '$work/window.csv'" \
    export "$work/window" "$work/window.csv"
if cmp -s "$work/window.csv" "$work/cli.csv"; then
    echo "the window's export equals the CLI's"
else
    echo "the window's export differs from the CLI's" >&2
    exit 1
fi
