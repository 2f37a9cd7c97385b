#!/usr/bin/env bash
# Renders every window in English and Japanese to PNG under Xvfb, for review:
#   scripts/screenshots.sh [OUTDIR] [NAME-FILTER]     (default OUTDIR: out/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-out/screenshots}
build=${ORMEL_BUILD_DIR:-build}
[ -d "$build" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target ormel-screenshots
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1200x24" \
  "$build/bin/ormel-screenshots" "$out" "${2:-}"
