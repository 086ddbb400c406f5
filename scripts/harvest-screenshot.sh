#!/usr/bin/env bash
# A picture of a finished one-click harvest over the local imitation of the
# engines, taken in a real window under Xvfb: scripts/harvest-screenshot.sh [OUT.png]
set -euo pipefail
out=${1:-docs/harvest.png}
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb QTWEBENGINE_DISABLE_SANDBOX=1 "$(dirname "$0")/../build/bin/harvest_demo" "$out"
echo "wrote $out"
