#!/usr/bin/env bash
# Builds the benchmarks and runs them once, printing the figures. Each figure
# comes with its floor from the same run: the raw-socket client for Modbus/TCP,
# the wire time and inter-frame pause for the serial path, requests x the raw
# round trip for whole transfers. The Modbus/TCP runs are pinned to one core,
# so master, simulator and raw client share it alike and the ratio compares
# like with like.
# ORMEL_BUILD_DIR picks the build directory (default build-bench, Release);
# extra arguments go to the benchmark program (e.g. --benchmark_min_time=2).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ORMEL_BUILD_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORMEL_BENCH=ON -DORMEL_WITH_GUI=OFF \
  ${ORMEL_CMAKE_ARGS:-} > /dev/null
cmake --build "$build" --target bench_modbus -j2
program="$build/bin/bench_modbus"
pin=()
if command -v taskset > /dev/null; then
  pin=(taskset -c 0)
fi

echo "== Modbus/TCP round trips, master against a raw-socket client (one core)"
"${pin[@]}" "$program" --benchmark_filter='BM_Tcp' "$@" 2>/dev/null
echo
echo "== Modbus-RTU over a pseudo-terminal, per request above wire time and pause (38400 baud)"
"$program" --benchmark_filter='BM_Rtu' "$@" 2>/dev/null
echo
echo "== Whole KTA second-generation set over Modbus/TCP, against requests x raw round trip (one core)"
"${pin[@]}" "$program" --benchmark_filter='BM_(Upload|Download)' "$@" 2>/dev/null
echo
echo "== The standard monitor window at full poll rate over Modbus/TCP: GUI thread CPU, paints, resident size"
gui_build=${ORMEL_GUI_BUILD_DIR:-build}
[ -d "$gui_build" ] || cmake -S . -B "$gui_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${ORMEL_CMAKE_ARGS:-} > /dev/null
cmake --build "$gui_build" --target bench_monitor_window
QT_QPA_PLATFORM=offscreen "$gui_build/bin/bench_monitor_window" 10 2>/dev/null
