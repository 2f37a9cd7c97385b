#!/usr/bin/env bash
# Builds the Debian package ormel (the desktop program with its Japanese module,
# ormel-cli, ormel-devsim, menu entry, icons, manual pages) from build/ and
# prints its path: build/package/ormel_VERSION-1_ARCH.deb. An existing build
# folder is reused as configured; one built with sanitizers is refused.
# ORMEL_BUILD_DIR changes build/; ORMEL_SKIP_DEPS=1 skips the package check.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
build=${ORMEL_BUILD_DIR:-build}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1} CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${ORMEL_CMAKE_ARGS:-} > /dev/null
fi
if grep -Eq '^ORMEL_SANITIZE:STRING=.+' "$build/CMakeCache.txt"; then
  echo "package.sh: $build is built with sanitizers; choose another ORMEL_BUILD_DIR" >&2
  exit 1
fi
cmake --build "$build" --target ORMEL ormel-cli ormel-devsim ormel_language_module ormel_package_docs
rm -f "$build"/package/ormel_*.deb
(cd "$build" && cpack -G DEB > cpack.log 2>&1) || { cat "$build/cpack.log" >&2; exit 1; }
ls "$build"/package/ormel_*.deb
