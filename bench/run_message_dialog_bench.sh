#!/usr/bin/env bash
# Measures how long the message dialog takes to open with the longest texts.
#   bench/run_message_dialog_bench.sh [build dir] [runs]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
runs="${2:-5}"
source "$here/start_xvfb.sh"
start_xvfb 1280x800x24
runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"; kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true' EXIT
XDG_RUNTIME_DIR="$runtime" "$build/bin/bench_message_dialog_bench" "$runs"
