#!/usr/bin/env bash
# Builds every libFuzzer target with clang into build-fuzz and runs each for
# SECONDS seconds (default 20). A target is any fuzz/<name>.cpp; its program is
# build-fuzz/fuzz/fuzz_<name>. Findings are written to build-fuzz/findings/.
# ORMEL_FUZZ_SEED fixes libFuzzer's seed, so that a short run is repeatable.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=${ORMEL_FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORMEL_FUZZ=ON -DORMEL_WITH_QT=OFF -DORMEL_BENCH=OFF -DORMEL_WERROR=ON
cmake --build "$build" --target ormel_fuzzers
mkdir -p "$build/findings"
status=0
mapfile -t targets < <(find "$build/fuzz" -maxdepth 1 -type f -executable -name 'fuzz_*' | sort)
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets found in $build/fuzz" >&2
  exit 1
fi
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  echo "== $name: ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -print_final_stats=1 ${ORMEL_FUZZ_SEED:+-seed="$ORMEL_FUZZ_SEED"} \
      -artifact_prefix="$build/findings/$name-" "$corpus"; then
    echo "== $name found a fault; see $build/findings/" >&2
    status=1
  fi
done
exit $status
