# Shared by the benchmark scripts: a Release build of itemdesk-cli and timing helpers.
# Sourced, not run.

bench_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tools=${SHARED_TOOLS:-$bench_root/../shared/tools}
data=${BENCH_DATA:-$bench_root/build-bench/data}
mkdir -p "$data"

build_release() {
    cmake -S "$bench_root" -B "$bench_root/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        "-DITEMDESK_MODULES=${BENCH_MODULES:-store;itemfile;grid;app;cli;bench}" >/dev/null
    cmake --build "$bench_root/build-bench" -j "$(nproc)" --target "$@" >/dev/null
}
cli=$bench_root/build-bench/cli/itemdesk-cli

# measure LABEL COMMAND...: runs the command three times after one warm-up and
# sets $seconds (median wall time) and $megabytes (largest peak resident set).
measure() {
    local label=$1
    shift
    local times=() peak=0 line
    for run in 0 1 2 3; do
        /usr/bin/time -o "$data/time.out" -f "%e %M" "$@" >/dev/null 2>&1
        line=$(tail -n 1 "$data/time.out")
        if ((run > 0)); then
            times+=("${line% *}")
            local kb=${line#* }
            ((kb > peak)) && peak=$kb
        fi
    done
    seconds=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)
    megabytes=$((peak / 1024))
    printf '%-44s %7.2f s %6d MB\n' "$label" "$seconds" "$megabytes"
}

# ratio A B: A / B with two decimals.
ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'
}
