#!/usr/bin/env bash
# Takes a screenshot of the real window under Xvfb: scripts/screenshot.sh OUT.png [PROGRAM]
# The program's window is found by its caption and captured at its designed size.
set -euo pipefail
out=${1:-docs/window.png}
program=${2:-./build/bin/gleaner}
display=:$((90 + RANDOM % 9))

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $program_pid $xvfb 2>/dev/null || true' EXIT
sleep 1

DISPLAY=$display QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu ${SCREENSHOT_CHROMIUM_FLAGS:-}" \
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
