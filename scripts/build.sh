#!/usr/bin/env bash
# Configures and builds the project; configures again whenever the options
# below differ from those the build folder was configured with.
#   build.sh           Release build with the default compiler, in build/
#   build.sh asan      Debug build with clang, AddressSanitizer and
#                      UndefinedBehaviorSanitizer, asserts on, and the fuzz
#                      harnesses built with libFuzzer, in build-asan/; with
#                      TAGORA_COVERAGE=ON in the environment also clang's
#                      source-based coverage (scripts/coverage.sh)
#   build.sh web       the engine as WebAssembly with Emscripten: the page
#                      build-web/tagora.html and the Node package
#                      build-web/tagora-converter-VERSION.tgz
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
cd "$(dirname "$0")/.."

# The distribution's clang++, or else the newest versioned one installed.
find_clang() {
  command -v clang++ && return
  local newest
  newest=$(compgen -c clang++- | grep -E '^clang\+\+-[0-9]+$' | sort -V | tail -n1)
  [[ -n $newest ]] && command -v "$newest" && return
  echo "$0: no clang++ found (scripts/install-deps.sh test installs it)" >&2
  return 1
}

case "${1:-release}" in
  release)
    dir=build
    configure=(-DCMAKE_BUILD_TYPE=Release)
    ;;
  asan)
    dir=build-asan
    cxx=$(find_clang)
    sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
    # LLVM's linker where it is installed: it links these programs, with
    # their sanitizers, coverage and debug information, three times faster.
    linker=
    command -v ld.lld >/dev/null && linker=" -fuse-ld=lld"
    configure=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER="$cxx"
               -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers$linker"
               -DTAGORA_FUZZ=ON -DTAGORA_COVERAGE=${TAGORA_COVERAGE:-OFF} -DTAGORA_BUILD_BENCH=OFF)
    ;;
  web)
    dir=build-web
    configure=(-DCMAKE_BUILD_TYPE=Release -DTAGORA_WEB=ON -DTAGORA_BUILD_TESTS=OFF -DTAGORA_BUILD_BENCH=OFF
               -DTAGORA_BUILD_GUI=OFF)
    command -v emcmake >/dev/null || { echo "$0: emcmake not found (scripts/install-deps.sh test installs emscripten)" >&2; exit 2; }
    # Debian's emscripten finds its JavaScript modules (acorn) there,
    # whichever Node runs it.
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
    ;;
  *) echo "usage: $0 [release|asan|web]" >&2; exit 2 ;;
esac
cmake_configure=(cmake)
[[ $dir == build-web ]] && cmake_configure=(emcmake cmake)
# Ninja where it is installed (scripts/install-deps.sh app installs it):
# it starts compiling sooner and keeps both cores busier than make. A folder
# configured for another generator is configured afresh.
if command -v ninja >/dev/null; then
  configure+=(-G Ninja)
  if [[ -f $dir/CMakeCache.txt ]] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$dir/CMakeCache.txt"; then
    rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  fi
fi

options_file=$dir/build-sh-options
if [[ ! -f $dir/CMakeCache.txt || $(cat "$options_file" 2>/dev/null) != "${configure[*]}" ]]; then
  "${cmake_configure[@]}" -S . -B "$dir" "${configure[@]}"
  printf '%s' "${configure[*]}" >"$options_file"
fi
cmake --build "$dir" -j"$(nproc)"
