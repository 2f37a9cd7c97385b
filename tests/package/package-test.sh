#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian and its menu entry and
# metainfo with their validators, unpacks it into a temporary root and runs the
# unpacked programs from there: ormel-cli against ormel-devsim (identify, an
# upload), and the desktop program offscreen in Japanese, which must load its
# language module from beside its executable and quit by itself.
# Reuses build/ (ORMEL_BUILD_DIR) as scripts/package.sh does.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1

passed=0
failed=0
check() { # NAME COMMAND...: one case, reported by name
  local name=$1
  shift
  if "$@"; then
    echo "ok: $name"
    passed=$((passed + 1))
  else
    echo "FAILED: $name"
    failed=$((failed + 1))
  fi
}

deb=$(./scripts/package.sh | tail -n 1)
[ -f "$deb" ] || { echo "package-test: no package was built" >&2; exit 1; }
echo "package-test: $deb"

work=$(mktemp -d)
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
    kill "$sim_pid" 2>/dev/null
    wait "$sim_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
root=$work/root
dpkg-deb -x "$deb" "$root" || { echo "package-test: dpkg-deb -x failed" >&2; exit 1; }

lintian_clean() {
  lintian --fail-on error,warning "$deb" 2>&1 | grep -v '^running with root privileges'
  return "${PIPESTATUS[0]}"
}
check "lintian reports no error or warning" lintian_clean
check "desktop entry is valid" desktop-file-validate "$root/usr/share/applications/org.ormel.ORMEL.desktop"
check "metainfo is valid" appstreamcli validate --no-net "$root/usr/share/metainfo/org.ormel.ORMEL.metainfo.xml"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
declares_qt() {
  local lib
  for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6; do
    [[ $depends == *"$lib "* ]] || { echo "missing $lib"; return 1; }
  done
  # Only run-time libraries: nothing the build alone needs.
  [[ $depends != *-dev* ]]
}
check "Depends names the Qt 6 libraries the programs link" declares_qt

layout() {
  local f missing=0
  for f in usr/lib/ormel/ORMEL usr/lib/ormel/ORMEL_jpn.txt usr/bin/ormel-cli usr/bin/ormel-devsim \
      usr/share/man/man1/ORMEL.1.gz usr/share/man/man1/ormel-cli.1.gz usr/share/man/man1/ormel-devsim.1.gz; do
    [ -f "$root/$f" ] || { echo "missing /$f"; missing=1; }
  done
  for size in 16 22 24 32 48 64 128 256; do
    f=usr/share/icons/hicolor/${size}x${size}/apps/ormel.png
    file -b "$root/$f" | grep -q "PNG image data, $size x $size" || { echo "no ${size}px icon /$f"; missing=1; }
  done
  [ "$(readlink "$root/usr/bin/ORMEL")" = ../lib/ormel/ORMEL ] || { echo "/usr/bin/ORMEL is no link to the program"; missing=1; }
  # The menu entry starts the program by the name on the PATH, with the icon installed above.
  if ! grep -qx 'Exec=ORMEL' "$root/usr/share/applications/org.ormel.ORMEL.desktop" ||
      ! grep -qx 'Icon=ormel' "$root/usr/share/applications/org.ormel.ORMEL.desktop"; then
    echo "the menu entry's Exec or Icon is not ORMEL / ormel"
    missing=1
  fi
  return $missing
}
check "the programs, module, manual pages and icons are where they belong" layout

version=$(dpkg-deb -f "$deb" Version)
versions_agree() {
  local upstream=${version%-*} page ok=0
  zcat "$root/usr/share/doc/ormel/changelog.Debian.gz" | head -n 1 | grep -qF "ormel ($version)" ||
    { echo "the changelog does not start with $version"; ok=1; }
  grep -q "<release version=\"$upstream\"" "$root/usr/share/metainfo/org.ormel.ORMEL.metainfo.xml" ||
    { echo "the metainfo has no release $upstream"; ok=1; }
  for page in "$root"/usr/share/man/man1/*.1.gz; do
    zcat "$page" | grep -q "^\.TH .*\"ORMEL $upstream\"" || { echo "$(basename "$page") is not for $upstream"; ok=1; }
  done
  return $ok
}
check "changelog, metainfo and manual pages name version $version" versions_agree

# The unpacked command-line tool against the unpacked simulator.
mkfifo "$work/sim.out"
"$root/usr/bin/ormel-devsim" --type 70 --tcp 127.0.0.1:0 >"$work/sim.out" &
sim_pid=$!
exec 3<"$work/sim.out"
endpoint=""
while IFS= read -r -t 20 line <&3; do
  case $line in tcp\ *) endpoint=${line#tcp }; break ;; esac
done
cat <&3 >/dev/null &
exec 3<&-
identify() {
  [ -n "$endpoint" ] || { echo "the simulator did not report its address"; return 1; }
  "$root/usr/bin/ormel-cli" --tcp "$endpoint" identify >"$work/identify.txt" || return 1
  cat "$work/identify.txt"
  grep -qx 'type id: 70' "$work/identify.txt"
}
check "ormel-cli identifies the simulated device" identify
upload() {
  [ -n "$endpoint" ] || return 1
  "$root/usr/bin/ormel-cli" --tcp "$endpoint" upload -o "$work/device.cfg" || return 1
  local model
  model=$(sed -n 's/^model code: //p' "$work/identify.txt")
  # Configuration files have CR LF line ends.
  tr -d '\r' <"$work/device.cfg" >"$work/device.txt"
  head -n 1 "$work/device.txt" | grep -qx '\[KTACFG\]' && grep -qx "Model=$model" "$work/device.txt"
}
check "ormel-cli uploads the device's parameter set into a file" upload

# The desktop program in Japanese: it must find ORMEL_jpn.txt beside the
# executable that /usr/bin/ORMEL links to, and end by itself.
japanese() {
  local config=$work/config
  mkdir -p "$config/QZ"
  printf '[Settings]\nDisplayLanguage=1\n' >"$config/QZ/ORMEL.conf"
  local status=0
  XDG_CONFIG_HOME=$config XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=offscreen \
    QT_LOGGING_RULES="ormel.diagnostics.debug=true" ORMEL_QUIT_AFTER_MS=0 \
    timeout 60 "$root/usr/bin/ORMEL" 2>"$work/gui.err" || status=$?
  cat "$work/gui.err"
  [ "$status" = 0 ] || { echo "ORMEL exited with $status"; return 1; }
  ! grep -q "Can't load language module" "$work/gui.err" &&
    grep -qF "Language module $root/usr/lib/ormel/ORMEL_jpn.txt loaded" "$work/gui.err"
}
check "ORMEL starts in Japanese with its language module and quits" japanese

echo "package: $passed passed, $failed failed"
[ "$failed" = 0 ]
