#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes res/menushell.ico, the program's own icon (32 x 32 and 16 x 16), with ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/../.."
convert -size 32x32 xc:none -fill '#1f5c8a' -draw 'roundrectangle 1,1 30,30 7,7' \
  -fill '#9fe0c0' -draw 'roundrectangle 6,7 25,12 2,2' \
  -fill '#d6b8f0' -draw 'roundrectangle 6,14 25,19 2,2' \
  -fill '#ffd39a' -draw 'roundrectangle 6,21 25,26 2,2' \
  -define icon:auto-resize=32,16 res/menushell.ico
echo "wrote res/menushell.ico"
