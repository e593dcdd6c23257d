# Sourced: starts a private virtual X server unless LUMENO_DISPLAY names one,
# and stops it when the calling script exits.
start_xvfb() {
  if [ -n "${LUMENO_DISPLAY:-}" ]; then export DISPLAY=$LUMENO_DISPLAY; return; fi
  local n=$(( (RANDOM % 400) + 100 ))
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:$n
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  trap 'stop_xvfb' EXIT
}
stop_xvfb() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
}
