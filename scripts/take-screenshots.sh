#!/usr/bin/env bash
# Takes the README's screenshots from the real game window under Xvfb + openbox: the main
# menu, and a level in play after the first moves of its shortest plan (as the levels tool
# solves it). Writes docs/screenshots/menu.png and docs/screenshots/level.png.
#   scripts/take-screenshots.sh [LEVEL]     (default 19; the plan's first half is played)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
level="${1:-19}"
out="$root/docs/screenshots"

"$here/install-deps.sh" run xvfb openbox xdotool imagemagick
build="${BUILD:-$root/build}"
[ -x "$build/tramolkulap" ] || make -C "$root" game

# A scratch program folder: the built game and its data, English, music off (there is no
# sound card here), and the level Play starts with.
folder="$(mktemp -d -t tk-screenshots-XXXXXX)"
xvfb_pid="" openbox_pid="" game_pid=""
cleanup() {
  for pid in "$game_pid" "$openbox_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$folder"
}
trap cleanup EXIT
cp "$build/tramolkulap" "$folder/"
for sub in levels graphics sound music help; do cp -r "$build/$sub" "$folder/"; done
printf 'fullscreen:off\r\nmusic:off\r\nlevel:%s\r\n' "$level" > "$folder/options.txt"

# Xvfb on a display it chooses itself, with openbox to manage the window as a desktop would.
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 10 number <&"$fd" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$number"
openbox --sm-disable >/dev/null 2>&1 &
openbox_pid=$!
sleep 1

export SDL_AUDIODRIVER=dummy
(cd "$folder" && exec ./tramolkulap) &
game_pid=$!
window="$(xdotool search --sync --onlyvisible --pid "$game_pid" | head -n 1)"
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true

shot() { import -window "$window" -strip -define png:compression-level=9 "$out/$1"; }
mkdir -p "$out"
# The start-up picture stands for 1.25 s, then the menu is drawn.
sleep 3
shot menu.png

# Play: the level's title stands for a while, then the board. The plan's steps are arrows,
# its quarter turns Ctrl + Left (<) and Ctrl + Right (>); each waits out its animation.
plan="$("$build/tramolkulap-levels" solve "$root/data/levels/$level.kulap" | head -n 1)"
xdotool key Return
sleep 4
half=$(( ${#plan} / 2 ))
for (( i = 0; i < half; i++ )); do
  case "${plan:i:1}" in
    L) key=Left ;; R) key=Right ;; U) key=Up ;; D) key=Down ;;
    '<') key=ctrl+Left ;; '>') key=ctrl+Right ;;
    *) continue ;;
  esac
  xdotool key "$key"
  sleep 0.7
done
sleep 1
shot level.png
echo "wrote $out/menu.png and $out/level.png (level $level, $half of the plan's ${#plan} moves played)"
