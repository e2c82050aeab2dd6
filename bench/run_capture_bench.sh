#!/usr/bin/env bash
# Capture plus PNG file against scrot on a fresh 1920x1080 Xvfb.
#   bench/run_capture_bench.sh [build dir] [runs]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
runs="${2:-15}"
source "$here/start_xvfb.sh"
start_xvfb 1920x1080x24
"$build/bin/bench_capture_bench" "$build/bin/quorrel" "$runs"
