#!/usr/bin/env bash
# Takes a screenshot of the real window under Xvfb: scripts/screenshot.sh OUT.png [PROGRAM]
# The program's window is found by its caption and captured at its designed size.
set -euo pipefail
out=${1:-docs/window.png}
program=${2:-./build/bin/gleaner}
display=:$((90 + RANDOM % 9))

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
program_pid=""
home_pid=""
trap 'kill $program_pid $home_pid $xvfb 2>/dev/null || true' EXIT

# Unless told otherwise, every host name goes to a local home page, so the
# picture needs no network.
flags=${SCREENSHOT_CHROMIUM_FLAGS:-}
if [ -z "$flags" ]; then
  port=$((20000 + RANDOM % 20000))
  python3 -m http.server "$port" --bind 127.0.0.1 --directory "$(dirname "$0")/../docs/screenshot-home" >/dev/null 2>&1 &
  home_pid=$!
  flags="--host-resolver-rules=\"MAP * 127.0.0.1:$port\""
fi
sleep 1

DISPLAY=$display QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu $flags" \
  "$program" >/dev/null 2>&1 &
program_pid=$!

# Wait for the window to be mapped, then for the page to settle.
window=""
for _ in $(seq 1 50); do
  window=$(DISPLAY=$display xwininfo -root -tree 2>/dev/null | awk '/拾穗/ {print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "window did not appear" >&2; exit 1; }
sleep "${SCREENSHOT_SETTLE:-4}"
DISPLAY=$display import -window "$window" "$out"
echo "wrote $out"
