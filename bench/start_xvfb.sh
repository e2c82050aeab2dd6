# Sourced by the bench scripts: starts a private Xvfb on a free display
# number, exports DISPLAY, and stops the server when the script exits.
#   start_xvfb WIDTHxHEIGHTxDEPTH
start_xvfb() {
  local display="" n
  for n in $(seq 120 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
  done
  [ -n "$display" ] || { echo "no free X display number" >&2; exit 2; }
  Xvfb "$display" -screen 0 "$1" -noreset -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true' EXIT
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  export DISPLAY="$display"
}
