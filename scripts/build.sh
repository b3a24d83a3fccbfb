#!/usr/bin/env bash
# Configures (once) and builds the project.
#   build.sh           Release build with the default compiler, in build/
#   build.sh asan      Debug build with clang, AddressSanitizer and
#                      UndefinedBehaviorSanitizer, asserts on, and the fuzz
#                      harnesses built with libFuzzer, in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-release}" in
  release)
    dir=build
    configure=(-DCMAKE_BUILD_TYPE=Release)
    ;;
  asan)
    dir=build-asan
    cxx=clang++-14
    command -v "$cxx" >/dev/null || cxx=clang++
    sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
    configure=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER="$cxx"
               -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers"
               -DTAGORA_FUZZ=ON -DTAGORA_BUILD_BENCH=OFF)
    ;;
  *) echo "usage: $0 [release|asan]" >&2; exit 2 ;;
esac

[[ -f $dir/CMakeCache.txt ]] || cmake -S . -B "$dir" "${configure[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
