# Helpers for end-to-end tests: a private Xvfb, screenshots and pixels. Sourced, not run.

# Starts Xvfb on a free display (WIDTHxHEIGHT) and exports DISPLAY; stopped on exit. Without
# -noreset the server starts over whenever its last client leaves, pointer position and all.
start_x() {
  local size=$1 fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 7 -screen 0 "${size}x24" -nolisten tcp -noreset 7>"$fifo" 2>/dev/null &
  XVFB_PID=$!
  local display
  read -r -t 10 display <"$fifo" || { echo "Xvfb did not start"; exit 1; }
  rm -f "$fifo"
  export DISPLAY=":$display"
}

stop_x() {
  [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null || true
}

# Colour of screen pixel (x, y) as R,G,B.
pixel() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# Waits until pixel (x, y) has colour R,G,B; fails after `tries` tenths of a second.
expect_pixel() {
  local x=$1 y=$2 want=$3 what=$4 got=""
  for _ in $(seq 1 30); do
    got=$(pixel "$x" "$y")
    [[ "$got" == "$want" ]] && return 0
    sleep 0.1
  done
  echo "FAIL: $what: pixel ($x,$y) is $got, expected $want"
  return 1
}

# Waits for a file to appear with content.
expect_file() {
  for _ in $(seq 1 50); do
    [[ -s "$1" ]] && return 0
    sleep 0.1
  done
  echo "FAIL: $2: $1 never appeared"
  return 1
}
