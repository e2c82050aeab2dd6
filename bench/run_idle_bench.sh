#!/usr/bin/env bash
# Measures the idle Control Panel against a bare Qt program on a fresh Xvfb.
#   bench/run_idle_bench.sh [build dir] [seconds]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
seconds="${2:-30}"
source "$here/start_xvfb.sh"
start_xvfb 1920x1080x24
"$build/bin/bench_idle_bench" "$build/bin/quorrel" "$build/bin/bench_bare_qt_timer" "$seconds"
