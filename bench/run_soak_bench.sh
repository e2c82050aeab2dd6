#!/usr/bin/env bash
# Memory over many window openings and chords on a fresh 1280x800 Xvfb.
#   bench/run_soak_bench.sh [build dir] [operations per phase] [warm-up operations] [help|chord|about|selftest]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
operations="${2:-200}"
warmup="${3:-40}"
source "$here/start_xvfb.sh"
start_xvfb 1280x800x24
"$build/bin/bench_soak_bench" "${QUORREL_BINARY:-$build/bin/quorrel}" "$operations" "$warmup" ${4:-}
