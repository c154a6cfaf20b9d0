#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) into build-fuzz/
# and runs one of them on a seed corpus.
#   tools/fuzz.sh [TARGET] [libFuzzer options...]     e.g. tools/fuzz.sh fuzz_mime -runs=1000000
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:-fuzz_mime}
shift || true
bash tools/install-deps.sh
san="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUERNAL_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $san" \
  -DCMAKE_EXE_LINKER_FLAGS="$san" >/dev/null
ninja -C build-fuzz -j2 "$target"
corpus=build-fuzz/corpus-$target
mkdir -p "$corpus"
case "$target" in
  fuzz_mime) cp -n tests/data/mime/*.eml "$corpus"/ ;;
  fuzz_tnef) cp -n tests/fuzz/corpus/fuzz_tnef/* "$corpus"/ ;;
esac
regress=tests/fuzz/regressions/$target
mkdir -p "$regress"
# Crash inputs kept from earlier runs must stay fixed.
if compgen -G "$regress/*" >/dev/null; then
  "build-fuzz/$target" "$regress"/*
fi
exec "build-fuzz/$target" -artifact_prefix=build-fuzz/ "$@" "$corpus"
