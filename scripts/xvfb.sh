# Sourced: start_xvfb starts Xvfb on a display it picks itself and exports DISPLAY; stop_xvfb ends it.
XVFB_PID=""
start_xvfb() {
  local fifo n
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  # -displayfd: Xvfb takes the first free display itself, so runs side by side never collide.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r -t 20 n <"$fifo" || true
  rm -f "$fifo"
  if [ -z "${n:-}" ]; then
    echo "could not start Xvfb" >&2
    return 1
  fi
  export DISPLAY=":$n"
}
stop_xvfb() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}
