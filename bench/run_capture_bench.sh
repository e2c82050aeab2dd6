#!/usr/bin/env bash
# Capture plus PNG file against scrot on a fresh 1920x1080 Xvfb.
#   bench/run_capture_bench.sh [build dir] [runs]
set -euo pipefail
build="${1:-$(dirname "$0")/../build}"
runs="${2:-15}"
display=""
for n in $(seq 120 199); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 2; }
Xvfb "$display" -screen 0 1920x1080x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
DISPLAY="$display" "$build/bin/bench_capture_bench" "$runs"
