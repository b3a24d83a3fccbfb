#!/usr/bin/env bash
# The package's declarations under every moduleResolution: tsc --strict
# type-checks one program as ES module and CommonJS under nodenext, under
# bundler and under node10 (CommonJS, no esModuleInterop), and each
# compiled program runs; the browser build's declarations under bundler
# with the browser condition:
#   types_test.sh WEB_BUILD_DIR TESTS_DIR
set -euo pipefail
web_build=$1 tests=$2
tools=$tests/tools/node_modules
[[ -x $tools/.bin/tsc ]] || { echo "$tools: no TypeScript (scripts/install-deps.sh test installs it)" >&2; exit 1; }
tarball=$(ls "$web_build"/tagora-converter-*.tgz)
project=$(mktemp -d)
trap 'rm -rf "$project"' EXIT
cd "$project"
printf '{"name": "uses-tagora", "version": "1.0.0", "private": true}\n' >package.json
npm install --offline --no-audit --no-fund --ignore-scripts --cache "$project/.npm" "$tarball" >/dev/null
mkdir -p node_modules/@types
ln -s "$tools/@types/node" node_modules/@types/node

tsc() { "$tools/.bin/tsc" --strict --skipLibCheck false --types node --target es2022 "$@"; }
check() {  # NAME EXTENSION RUN_EXTENSION PACKAGE_TYPE TSC_OPTIONS...
  local name=$1 extension=$2 run=$3 type=$4
  shift 4
  mkdir "$name"
  printf '{"type": "%s"}\n' "$type" >"$name/package.json"
  cp "$tests/types/check.ts" "$name/check.$extension"
  tsc --outDir "$name/out" "$@" "$name/check.$extension"
  cp "$name/package.json" "$name/out/"
  local ran
  ran=$(node "$name/out/check.$run")
  echo "$name: $ran"
}
check nodenext-esm mts mjs module --module nodenext --moduleResolution nodenext
check nodenext-cjs cts cjs commonjs --module nodenext --moduleResolution nodenext
check bundler ts js module --module esnext --moduleResolution bundler
check node10 ts js commonjs --module commonjs --moduleResolution node10
mkdir browser
cp "$tests/types/browser.ts" browser/
tsc --noEmit --module esnext --moduleResolution bundler --customConditions browser --lib es2022,dom browser/browser.ts
echo "browser: type-checked"
