#!/bin/sh
# SPDX-License-Identifier: MIT
# A small program the menu runs: shows a message with whatever dialog tool the desktop has.
message='Thank you for trying menushell. Goodbye!'
for tool in zenity kdialog xmessage notify-send; do
  if command -v "$tool" >/dev/null 2>&1; then
    case $tool in
      zenity) exec zenity --info --text="$message" ;;
      kdialog) exec kdialog --msgbox "$message" ;;
      xmessage) exec xmessage -center "$message" ;;
      notify-send) exec notify-send menushell "$message" ;;
    esac
  fi
done
echo "$message"
