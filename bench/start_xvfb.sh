# Sourced by the bench scripts: starts a private Xvfb, exports DISPLAY, and
# stops the server when the script exits.
#   start_xvfb WIDTHxHEIGHTxDEPTH
# The server picks a free display itself and writes its number to a
# descriptor once it accepts connections (-displayfd, as the tests start
# theirs), so no other server can take the number between a look and a start.
start_xvfb() {
  local number_file number=""
  number_file="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 "$1" -noreset -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do
    # A whole line: the number is written with its newline.
    if [ "$(wc -l <"$number_file")" -ge 1 ]; then number="$(head -n1 "$number_file")"; break; fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  [ -n "$number" ] || { echo "Xvfb did not start" >&2; exit 2; }
  export DISPLAY=":$number"
}
