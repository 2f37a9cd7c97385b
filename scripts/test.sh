#!/usr/bin/env bash
# Installs what the build needs (Debian 12), builds everything in build/ and runs the tests.
# ORMEL_BUILD_DIR and ORMEL_CMAKE_ARGS change where and how; ORMEL_SKIP_DEPS=1 skips apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."
"$(dirname "$0")/install-deps.sh"
build=${ORMEL_BUILD_DIR:-build}
# Let checkouts in other folders share the compile cache.
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1} CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${ORMEL_BUILD_TYPE:-RelWithDebInfo} ${ORMEL_CMAKE_ARGS:-}
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
export QTEST_FUNCTION_TIMEOUT=${QTEST_FUNCTION_TIMEOUT:-120000}
ctest --test-dir "$build" --output-on-failure -j2 ${ORMEL_CTEST_ARGS:-}
