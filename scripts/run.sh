#!/usr/bin/env bash
# Builds the program and runs it against the bundled device simulator (a KTA
# variant of firmware 2.40 or later on loopback Modbus/TCP). The program's settings
# live in a private folder (ORMEL_RUN_CONFIG, default build/run-config), apart
# from the user's own, with the Connect dialog preset to that simulator.
# ORMEL_SKIP_DEPS=1 skips the package check; ORMEL_BUILD_DIR changes build/.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display (DISPLAY and WAYLAND_DISPLAY are empty); ORMEL needs a desktop session." >&2
  exit 1
fi

./scripts/install-deps.sh
build=${ORMEL_BUILD_DIR:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target ORMEL ormel-devsim

simulator=$build/bin/ormel-devsim

workdir=$(mktemp -d)
sim_pid=""
stop_simulator() {
  if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  rm -rf "$workdir"
}
trap stop_simulator EXIT
trap 'exit 130' INT TERM

# Type id 70: KTA 1**1 Modbus, firmware 2.40 or later. Port 0 lets the system choose a free one.
mkfifo "$workdir/out"
"$simulator" --type 70 --tcp 127.0.0.1:0 >"$workdir/out" &
sim_pid=$!
exec 3<"$workdir/out"
endpoint=""
while IFS= read -r -t 10 line <&3; do
  case $line in
    tcp\ *) endpoint=${line#tcp }; break ;;
  esac
done
[ -n "$endpoint" ] || { echo "run.sh: the simulator did not report its address" >&2; exit 1; }
# Keep draining the simulator's output so it never blocks on a full pipe.
cat <&3 >/dev/null &
exec 3<&-
host=${endpoint%:*}
port=${endpoint##*:}
echo "run.sh: device simulator (type 70) on $host:$port"

config=${ORMEL_RUN_CONFIG:-$PWD/$build/run-config}
conf="$config/QZ/ORMEL.conf"
mkdir -p "$(dirname "$conf")"
touch "$conf"
# Replace the connection settings, keep every other section of earlier runs.
awk '/^\[/{skip=($0=="[ComSettings]")} !skip' "$conf" >"$workdir/conf"
cat >>"$workdir/conf" <<CONF
[ComSettings]
Mode=1
ServerAddress=$host
ServicePort=$port
Address=1
CONF
mv "$workdir/conf" "$conf"

status=0
XDG_CONFIG_HOME=$config "$build/bin/ORMEL" || status=$?
exit $status
