# Shared by the benchmark scripts: a Release build and timing helpers. Sourced, not run.
#
# Environment: BENCH_BUILD (build folder, default build-bench), BENCH_DATA
# (data folder, default build-bench/data), SHARED_TOOLS (default
# ../shared/tools), RUNS (counted runs after one warm-up, default 3),
# BENCH_MODULES (folders to configure).

bench_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tools=${SHARED_TOOLS:-$bench_root/../shared/tools}
build=${BENCH_BUILD:-$bench_root/build-bench}
data=${BENCH_DATA:-$build/data}
runs=${RUNS:-3}
mkdir -p "$data"
data=$(cd "$data" && pwd)
cli=$build/cli/itemdesk-cli

build_release() {
    cmake -S "$bench_root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        "-DITEMDESK_MODULES=${BENCH_MODULES:-store;itemfile;template;grid;app;cli;bench}" >/dev/null
    cmake --build "$build" -j "$(nproc)" --target "$@" >/dev/null
}

# measure_once SHELL_TEXT: runs it once under GNU time; sets `wall` and `cpu`
# (seconds, cpu = user + system) and `peak` (MB). A failing command stops the bench.
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

# measure SHELL_TEXT [SETUP]: one warm-up, then RUNS runs, each after the
# untimed SETUP (a shell text, say a fresh copy of the file the command
# changes); sets `median_wall`, `median_cpu` (seconds) and `peak` (MB, the
# largest seen).
measure() {
    local walls=() cpus=() most=0
    [[ -n ${2:-} ]] && sh -c "$2"
    measure_once "$1"
    for ((i = 0; i < runs; i++)); do
        [[ -n ${2:-} ]] && sh -c "$2"
        measure_once "$1"
        walls+=("$wall")
        cpus+=("$cpu")
        ((peak > most)) && most=$peak
    done
    median_wall=$(median_of "${walls[@]}")
    median_cpu=$(median_of "${cpus[@]}")
    peak=$most
}

# ratio A B: A / B with two decimals.
ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'
}

# compare LABEL OURS PEER [SETUP]: measures both shell texts, each run after
# the untimed SETUP, and prints one line with the figures and the ratios of
# wall and processor time.
compare() {
    measure "$2" "${4:-}"
    local ours_wall=$median_wall ours_cpu=$median_cpu ours_peak=$peak
    measure "$3" "${4:-}"
    printf '%-30s itemdesk-cli %6.2f s (cpu %5.2f s) %4d MB | peer %6.2f s (cpu %5.2f s) %4d MB | ratio %s (cpu %s)\n' \
        "$1" "$ours_wall" "$ours_cpu" "$ours_peak" "$median_wall" "$median_cpu" "$peak" \
        "$(ratio "$ours_wall" "$median_wall")" "$(ratio "$ours_cpu" "$median_cpu")"
    ours_peak_last=$ours_peak
}
