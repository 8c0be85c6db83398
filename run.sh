#!/usr/bin/env bash
# Builds the window and itemdesk-cli, in the build folder that test.sh uses too
# so that the test build reuses the work, and starts ItemDesk on a demo
# database beside the executable.
set -euo pipefail
cd "$(dirname "$0")"

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} && ${QT_QPA_PLATFORM:-} != offscreen ]]; then
    echo "run.sh: no display found (DISPLAY is not set). Start ItemDesk from a desktop session," >&2
    echo "or run it under a virtual display: xvfb-run -a ./run.sh" >&2
    exit 1
fi

scripts/deps.sh

log=build/run-build.log
mkdir -p build
echo "building ItemDesk (first run takes about a minute)…"
if ! {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
        cmake --build build -j "$(nproc)" --target itemdesk itemdesk-cli
} >"$log" 2>&1; then
    cat "$log" >&2
    echo "run.sh: the build failed; its output above is kept in $log" >&2
    exit 1
fi

demo=build/app/Data.mdb
if [[ ! -f $demo ]]; then
    build/cli/itemdesk-cli demo "$demo" 1000 >/dev/null
    echo "created a demo database of 1000 item records: $demo"
fi

exec build/app/itemdesk "$@"
