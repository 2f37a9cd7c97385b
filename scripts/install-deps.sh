#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the tools need, when missing.
set -euo pipefail
[ "${ORMEL_SKIP_DEPS:-0}" = 1 ] && exit 0
packages=(cmake ninja-build g++ ccache pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-l10n-tools
  libmodbus-dev mbpoll clang clang-format libclang-rt-14-dev xvfb xauth fonts-noto-cjk
  dpkg-dev file lintian appstream desktop-file-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
