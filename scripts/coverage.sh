#!/usr/bin/env bash
# Prints the line and branch coverage of each library, from the profiles
# the sanitizer build's programs wrote while the tests ran
# (TAGORA_COVERAGE=ON scripts/build.sh asan builds them with clang's
# source-based coverage; .ci/run runs the tests with
# LLVM_PROFILE_FILE=$PWD/build-asan/profiles/%8m.profraw):
#   coverage.sh [BUILD_DIR] [--files]
# BUILD_DIR defaults to build-asan; its profiles are in BUILD_DIR/profiles
# and its subfolders (the command line's tests put there those of the runs
# as another user).
# --files also prints every file of the engine below 95% of its lines.
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
cd "$(dirname "$0")/.."
build=${1:-build-asan}
files=${2:-}
profiles=$build/profiles

compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt")
tools=$(dirname "$(readlink -f "$(command -v "$compiler")")")
profdata=$tools/llvm-profdata cov=$tools/llvm-cov
[[ -x $profdata && -x $cov ]] || { echo "$0: no llvm-profdata and llvm-cov beside $compiler" >&2; exit 2; }
raw=()
[[ -d $profiles ]] && mapfile -t raw < <(find "$profiles" -name '*.profraw' | sort)
((${#raw[@]})) || { echo "$0: no profiles in $profiles: run the tests with LLVM_PROFILE_FILE=$PWD/$profiles/%8m.profraw" >&2; exit 2; }

"$profdata" merge -sparse -o "$build/coverage.profdata" "${raw[@]}"
# Every program and test the build made that was built with coverage.
objects=()
while IFS= read -r program; do
  objects+=(-object "$program")
done < <(find "$build" -type f -executable ! -name '*.so*' ! -path '*/CMakeFiles/*' ! -path '*/profiles/*' \
           -exec grep -l --binary-files=binary __llvm_covmap {} + | sort)
# The tests, the benchmarks and generated files are left out by
# coverage_table.py, once each path is made plain: a path that ccache made
# relative is recorded beside the build folder it was compiled in.
"$cov" export -summary-only -instr-profile "$build/coverage.profdata" "${objects[@]}" >"$build/coverage.json"
python3 scripts/coverage_table.py "$build/coverage.json" "$PWD" $files
