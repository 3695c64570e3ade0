#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the demo menu in examples/demo/shellmedia with Debian's image, sound and movie tools
# (imagemagick, sox, fonts-dejavu-core, gstreamer1.0-tools with plugins-base and -good). The
# result is kept in the repository; run this to remake it after changing the design.
set -euo pipefail
cd "$(dirname "$0")/../../examples/demo"
out=shellmedia
rm -rf "$out"
mkdir -p "$out/extras"
font=DejaVu-Sans
bold=DejaVu-Sans-Bold

bmp() { convert "$@" -type truecolor "BMP3:$last"; }

# Background: a deep blue gradient with a title and a soft panel behind the buttons.
last=$out/back.bmp
bmp -size 640x480 gradient:'#0b1d3a'-'#1f5c8a' \
  -fill '#ffffff18' -draw 'roundrectangle 24,120 616,420 18,18' \
  -font "$bold" -pointsize 34 -fill white -annotate +40+72 'menushell demo' \
  -font "$font" -pointsize 15 -fill '#c8dcf0' -annotate +42+100 'Point at a button, wait a moment, then click.' \
  -font "$font" -pointsize 12 -fill '#8fb0d0' -annotate +40+460 'Made with tools/media/make_demo_media.sh'

# One button at (40, y): normal, hovered, and bubble (the hovered button with its tip beside it).
# Each picture starts from the background it covers, so that its rounded corners blend in.
button() {
  local name=$1 y=$2 label=$3 tip=$4 base=$5 light=$6
  local under="$out/back.bmp[160x40+40+$y]"
  last=$out/${name}_lo.bmp
  bmp "$under" +repage -fill "$base" -stroke '#ffffff60' -draw 'roundrectangle 1,1 158,38 10,10' \
    -stroke none -font "$bold" -pointsize 16 -fill white -gravity center -annotate +0+0 "$label"
  last=$out/${name}_hi.bmp
  bmp "$under" +repage -fill "$light" -stroke white -strokewidth 2 -draw 'roundrectangle 1,1 158,38 10,10' \
    -stroke none -font "$bold" -pointsize 16 -fill '#10233f' -gravity center -annotate +0+0 "$label"
  last=$out/${name}_tip.bmp
  convert "$out/${name}_hi.bmp" \( "$out/back.bmp[400x40+200+$y]" +repage -fill '#fff7d6' \
    -draw 'roundrectangle 14,4 396,36 8,8' -draw 'polygon 14,14 4,20 14,26' \
    -font "$font" -pointsize 13 -fill '#3a2c00' -gravity west -annotate +24+0 "$tip" \) \
    +append -type truecolor "BMP3:$last"
}

button readme 136 'Read me' 'Opens a document that ships beside the menu.' '#2e7d5b' '#9fe0c0'
button browse 192 'Browse' 'Opens a folder in your file manager.' '#7a4b9e' '#d6b8f0'
button hello 248 'Say hello' 'Runs a small program.' '#b06a1c' '#ffd39a'
button finish 304 'Finish' 'Plays the closing movie, then says goodbye.' '#1c6f8f' '#a8e4f5'
button exit 360 'Exit' 'Closes the menu.' '#9e2f3a' '#f5aab2'

# Movies, 320 x 240 (the menu stretches them over its 640 x 480), MJPEG in AVI with PCM sound:
# frames drawn by ImageMagick, put together by GStreamer.
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
movie() {  # name, frame count, sound file; frames are in $frames/f000.png ...
  gst-launch-1.0 -q avimux name=mux ! filesink location="$out/$1" \
    multifilesrc location="$frames/f%03d.png" stop-index=$(($2 - 1)) caps=image/png,framerate=20/1 \
    ! pngdec ! videoconvert ! jpegenc quality=60 ! mux. \
    filesrc location="$3" ! wavparse ! audioconvert ! audio/x-raw,format=S16LE ! mux.
  rm -f "$frames"/f*.png
}
# The introduction: the title fades in while a light sweeps under it; a chime.
for i in $(seq 0 47); do
  a=$(awk "BEGIN { a = $i / 30; print (a > 1 ? 1 : a) }")
  convert -size 320x240 gradient:'#0b1d3a'-'#1f5c8a' \
    -fill "rgba(255,255,255,$a)" -font "$bold" -pointsize 30 -gravity center -annotate +0-12 'menushell' \
    -fill "rgba(200,220,240,$a)" -font "$font" -pointsize 12 -annotate +0+18 'picture menus for discs and kiosks' \
    -gravity northwest -fill '#ffffff70' -draw "rectangle $((i * 7 - 40)),150 $((i * 7)),151" \
    "$frames/$(printf 'f%03d' "$i").png"
done
sox -n -r 22050 -c 1 -b 16 "$frames/chime.wav" synth 0.5 sine 523 : synth 0.5 sine 659 : synth 1.4 sine 784 \
  fade 0 1.4 0.8 vol 0.3
movie intro.avi 48 "$frames/chime.wav"
# The closing movie: a goodbye that fades to black; a falling two-note sound.
for i in $(seq 0 31); do
  a=$(awk "BEGIN { print 1 - $i / 31 }")
  convert -size 320x240 gradient:'#0b1d3a'-'#1f5c8a' -fill "rgba(0,0,0,$(awk "BEGIN { print 1 - $a }"))" \
    -draw 'rectangle 0,0 320,240' -fill "rgba(255,255,255,$a)" -font "$bold" -pointsize 28 \
    -gravity center -annotate +0+0 'Goodbye' "$frames/$(printf 'f%03d' "$i").png"
done
sox -n -r 22050 -c 1 -b 16 "$frames/bye.wav" synth 0.4 sine 784 : synth 1.2 sine 523 fade 0 1.2 0.8 vol 0.3
movie bye.avi 32 "$frames/bye.wav"

# Sounds: a short blip on hover, a rising two-note chirp on click.
sox -n -r 22050 -c 1 -b 16 "$out/over.wav" synth 0.06 sine 1320 fade 0 0.06 0.03 vol 0.4
sox -n -r 22050 -c 1 -b 16 "$out/click.wav" synth 0.07 sine 660 : synth 0.09 sine 990 fade 0 0.09 0.04 vol 0.5

# The window icon and two cursors (the hand's hot spot at its fingertip).
convert -size 32x32 xc:none -fill '#1f5c8a' -draw 'roundrectangle 1,1 30,30 7,7' \
  -fill white -draw 'rectangle 7,9 24,13' -draw 'rectangle 7,16 24,20' -draw 'rectangle 7,23 18,27' \
  -define icon:auto-resize=32,16 "$out/menu.ico"
convert -size 32x32 xc:none -fill black -stroke white -strokewidth 1 \
  -draw 'polygon 1,1 1,22 6,17 10,26 13,25 9,16 16,16' "CUR:$out/arrow.cur"
convert -size 32x32 xc:none -fill white -stroke black -strokewidth 1 \
  -draw 'roundrectangle 8,1 13,16 2,2' -draw 'roundrectangle 4,12 24,28 4,4' \
  -draw 'line 14,13 14,19' -draw 'line 19,13 19,19' "CUR:$out/hand.cur"
# ImageMagick writes the icon type and no hot spot: make them cursors, hot spot at (x, y).
hotspot() {
  printf '\x02\x00' | dd of="$1" bs=1 seek=2 conv=notrunc status=none
  printf "\\x$(printf %02x "$2")\\x00\\x$(printf %02x "$3")\\x00" |
    dd of="$1" bs=1 seek=10 conv=notrunc status=none
}
hotspot "$out/arrow.cur" 1 1
hotspot "$out/hand.cur" 10 1

# What the buttons open.
cat > "$out/readme.txt" <<'TEXT'
Welcome to the menushell demo.

This menu is made of files in the folder shellmedia: menu.shl describes the window, and one
text file per button describes its pictures, sounds and command. Change them and start the
menu again. README.md in the project explains every key.
TEXT
echo 'Files offered by this menu could go here.' > "$out/extras/about.txt"
greeter() {  # file, message: a small program that shows the message with the desktop's tools
  cat > "$out/$1" <<TEXT
#!/bin/sh
# A small program the menu runs: shows a message with whatever dialog tool the desktop has.
message='$2'
for tool in zenity kdialog xmessage notify-send; do
  if command -v "\$tool" >/dev/null 2>&1; then
    case \$tool in
      zenity) exec zenity --info --text="\$message" ;;
      kdialog) exec kdialog --msgbox "\$message" ;;
      xmessage) exec xmessage -center "\$message" ;;
      notify-send) exec notify-send menushell "\$message" ;;
    esac
  fi
done
echo "\$message"
TEXT
  chmod +x "$out/$1"
}
greeter hello.sh 'Hello from menushell!'
greeter goodbye.sh 'Thank you for trying menushell. Goodbye!'


# The descriptions, with Windows line ends and paths, as a menu authored there would have.
crlf() { sed 's/$/\r/' > "$1"; }
crlf "$out/menu.shl" <<'TEXT'
app_name = "menushell demo"
app_icon = menu.ico
app_cursor_lo = arrow.cur
app_cursor_hi = hand.cur
app_fullscreen = false
app_drawrects = false
bg_image = back.bmp
num_movies = 2
movie1 = intro.avi
movie2 = bye.avi
play_movie = true
num_buttons = 5
button1 = readme.btn
button2 = browse.btn
button3 = hello.btn
button4 = finish.btn
button5 = exit.btn
TEXT
describe() {  # file, y, command, pictures, shutdown
  local name=$1 y=$2 command=$3
  crlf "$out/$name" <<TEXT
image_lo = ${4}_lo.bmp
image_hi = ${4}_hi.bmp
image_bubble = ${4}_tip.bmp
pos_x = 40
pos_y = $y
rect_l = 40
rect_t = $y
rect_r = 200
rect_b = $((y + 40))
sound_hoover = over.wav
sound_click = click.wav
execute_cmd = "$command"
shutdown = ${5:-false}
TEXT
}
describe readme.btn 136 'shellmedia\readme.txt' readme
describe browse.btn 192 'shellmedia\extras' browse
describe hello.btn 248 'shellmedia\hello.sh' hello
describe finish.btn 304 'shellmedia\goodbye.sh' finish true
describe exit.btn 360 exit exit
echo "demo menu written to $(pwd)/$out"
