#!/usr/bin/env bash
# Installs the Node package's tarball offline into a new project and runs
# its tests there with node --test:
#   package_test.sh WEB_BUILD_DIR CASES_DIR TESTS_DIR TAGORA_CONVERT
set -euo pipefail
web_build=$1 cases=$2 tests=$3 cli=$4
tarball=$(ls "$web_build"/tagora-converter-*.tgz)
project=$(mktemp -d)
trap 'rm -rf "$project"' EXIT
cd "$project"
printf '{"name": "uses-tagora", "version": "1.0.0", "private": true}\n' >package.json
npm install --offline --no-audit --no-fund --ignore-scripts --cache "$project/.npm" "$tarball" >/dev/null
cp "$tests"/package.test.mjs "$tests"/package.test.cjs "$tests"/package_node.test.mjs .
TAGORA_CASES=$cases TAGORA_CONVERT=$cli node --test package.test.mjs package.test.cjs package_node.test.mjs
