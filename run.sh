#!/usr/bin/env bash
# Builds ItemDesk and starts it on a demo database beside the executable.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

demo=build/app/Data.mdb
if [[ ! -f $demo ]]; then
    build/cli/itemdesk-cli demo "$demo" 1000
fi

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} && ${QT_QPA_PLATFORM:-} != offscreen ]]; then
    echo "run.sh: no display found (DISPLAY is not set). Start ItemDesk from a desktop session," >&2
    echo "or run it under a virtual display: xvfb-run -a ./run.sh" >&2
    exit 1
fi
exec build/app/itemdesk "$@"
