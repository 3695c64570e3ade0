# SPDX-License-Identifier: MIT
# Helpers for end-to-end tests: a private Xvfb, pixels and pointer shapes, programs started and
# awaited. Sourced, not run.

# Starts Xvfb on a free display (WIDTHxHEIGHT) and exports DISPLAY; stopped on exit. Without
# -noreset the server starts over whenever its last client leaves, pointer position and all.
# XVFB_ARGS: more arguments for the server.
start_x() {
  local size=$1 fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  # shellcheck disable=SC2086
  Xvfb -displayfd 7 -screen 0 "${size}x24" -nolisten tcp -noreset ${XVFB_ARGS:-} 7>"$fifo" 2>/dev/null &
  XVFB_PID=$!
  local display
  read -r -t 10 display <"$fifo" || { echo "Xvfb did not start"; exit 1; }
  rm -f "$fifo"
  export DISPLAY=":$display"
}

stop_x() {
  [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null || true
}

# A scratch folder ($work) as the current directory and a private X server (WIDTHxHEIGHT), both
# gone on exit, with the programs started by in_background.
start_sandbox() {
  # The desktop's scale is not the private server's.
  unset GDK_SCALE MENUSHELL_SCALE
  work=$(mktemp -d)
  background=()
  trap 'stop_background; stop_x; rm -rf "$work"' EXIT
  cd "$work"
  start_x "$1"
}

# Starts a command that runs beside the test (a window manager, a busy loop) until
# stop_background or the end of the sandbox.
in_background() {  # command...
  "$@" >/dev/null 2>&1 &
  background+=($!)
}
stop_background() {
  ((${#background[@]} == 0)) || kill "${background[@]}" 2>/dev/null || true
  background=()
}

# Both cores kept busy, until stop_background: what a loaded machine does to timing.
busy_cores() {
  for _ in 1 2; do in_background sh -c 'while :; do :; done'; done
}

# What must NOT happen can only be given time to: the one fixed wait, for that alone.
let_it_happen() {
  sleep 0.5
}

# Colour of screen pixel (x, y) as R,G,B.
pixel() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# Runs a command until it succeeds, for up to 5 s.
retry() {
  for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done
  return 1
}

# Presses KEY until a command succeeds, for up to 5 s: a message box is listed in the window
# tree before it has the keyboard, and a key pressed then is lost.
press_until() {  # key command...
  local key=$1
  shift
  for _ in $(seq 25); do
    xdotool key "$key"
    retry_briefly "$@" && return 0
  done
  return 1
}
retry_briefly() {
  for _ in 1 2; do "$@" && return 0; sleep 0.1; done
  return 1
}

is_pixel() { [[ "$(pixel "$1" "$2")" == "$3" ]]; }
expect_pixel() {  # x y R,G,B what
  retry is_pixel "$1" "$2" "$3" || { echo "FAIL: $4: pixel ($1,$2) is $(pixel "$1" "$2"), expected $3"; return 1; }
}

# The pointer's shape as $probe reads it ("WxH hot X,Y AARRGGBB", or "hidden").
is_cursor() { [[ "$("$probe" cursor)" == "$1" ]]; }
expect_cursor() {  # shape what
  retry is_cursor "$1" || { echo "FAIL: $2: cursor is $("$probe" cursor), expected $1"; return 1; }
}

expect_file() {  # file what: the file appears with content
  retry test -s "$1" || { echo "FAIL: $2: $1 never appeared"; return 1; }
}

# The 640 x 480 picture window at ($X, $Y) saved as FILE.
window_shot() {  # file
  import -window root -crop "640x480+$X+$Y" +repage "$1"
}
# Whether the picture window shows exactly the picture in FILE.
window_shows() {  # file
  window_shot "$work/shown.png"
  [[ "$(compare -metric AE "$1" "$work/shown.png" null: 2>&1)" == 0 ]]
}

# The pictures of a plain menu in FOLDER: back.bmp, and lo, hi and bubble.bmp for its buttons
# (red, green, blue 100 x 20).
menu_pictures() {  # folder
  bmp "$1/back.bmp" '#203040' 640x480
  bmp "$1/lo.bmp" '#c00000'
  bmp "$1/hi.bmp" '#00c000'
  bmp "$1/bubble.bmp" '#0000c0'
}

# A description file as authored on Windows: one "key = value" line per pair, CR LF ends.
describe() {  # file key value ...
  local file=$1
  shift
  while (($#)); do printf '%s = %s\r\n' "$1" "$2"; shift 2; done > "$file"
}

# A one-colour 24-bit BMP file.
bmp() {  # file colour [WxH]
  convert -size "${3:-100x20}" xc:"$2" -type truecolor "BMP3:$1"
}

# A one-colour 32 x 32 cursor file with its hot spot (ImageMagick writes an icon file's type).
cursor() {  # file colour hot-x hot-y
  convert -size 32x32 xc:"$2" "CUR:$1"
  printf '\x02\x00' | dd of="$1" bs=1 seek=2 conv=notrunc status=none
  printf "\\x$(printf %02x "$3")\\x00\\x$(printf %02x "$4")\\x00" |
    dd of="$1" bs=1 seek=10 conv=notrunc status=none
}

# Starts a program in the background (standard error to stderr.txt), sets $pid, and waits for
# its window titled NAME to show; sets $window.
launch() {  # name command...
  local name=$1
  shift
  "$@" 2>stderr.txt &
  pid=$!
  window=$(timeout 10 xdotool search --onlyvisible --sync --name "$name" | head -1)
}

# Waits for the program started last to end with CODE.
ends_with() {  # code what
  local code=0
  timeout 10 tail --pid="$pid" -f /dev/null || { echo "FAIL: $2: did not end"; exit 1; }
  wait "$pid" || code=$?
  [[ $code -eq $1 ]] || { echo "FAIL: $2: exit code $code"; cat stderr.txt; exit 1; }
}
