#!/usr/bin/env bash
# Installs the Debian packages that are missing, and only those.
#   install-deps.sh app    what building and running the program needs
#   install-deps.sh test   that, plus what the tests and screenshots need
#   install-deps.sh bench  that, plus what bench/race-cli.sh races against
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }

app_packages=(build-essential cmake ninja-build qt6-base-dev libgl-dev fonts-liberation)
test_packages=(php-cli xvfb xauth x11-utils imagemagick desktop-file-utils appstream)
# CI's sanitizer build and the fuzz harnesses: the distribution's clang
# with its sanitizer and libFuzzer runtimes, and llvm-profdata and
# llvm-cov for the coverage report.
test_packages+=(clang libclang-rt-dev llvm)
# LLVM's linker, which links the sanitizer build's programs faster.
test_packages+=(lld)
# UTF-8 validation in the widest SIMD form the processor has.
app_packages+=(libsimdjson-dev)
headless_packages=(xvfb xauth x11-utils imagemagick)

# tagora-convert's manual page; the interpreters that run every target's
# scripts (php-cli above; VBScript under wine) and the installed bash
# completion and manual page in the tests; the benchmark's peers.
app_packages+=(help2man)
# tagora-lsp's JSON library (headers only).
app_packages+=(nlohmann-json3-dev)
test_packages+=(wine nodejs default-jdk-headless perl python3 bash-completion groff-base bsdextrautils)
# Jasper, which compiles the JSP tests' pages as Tomcat does.
test_packages+=(libtomcat10-embed-java)
# The Debian package (dpkg-shlibdeps, lintian); the screen reader's view
# (the AT-SPI registry, its Python bindings, a D-Bus session); the launcher
# icon drawn from its SVG by another renderer; screenshots with a window
# manager.
app_packages+=(dpkg-dev)
test_packages+=(lintian at-spi2-core python3-pyatspi dbus-daemon librsvg2-bin openbox)
# Real editors filtering a selection through tagora-convert --literal.
test_packages+=(vim-nox emacs-nox)
# Real editors running tagora-lsp's code actions: Neovim's built-in client
# and Emacs's eglot.
test_packages+=(neovim elpa-eglot)
# The engine as WebAssembly (scripts/build.sh web) and its tests in
# Debian's Chromium through chromedriver; Node's own npm packs the Node
# package, Debian's where Node came without one.
test_packages+=(emscripten node-acorn chromium chromium-driver python3-selenium)
command -v npm >/dev/null || test_packages+=(npm)
bench_packages=(mawk time jq)

wanted=("${app_packages[@]}")
case "${1:-app}" in
  app) [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]] || wanted+=("${headless_packages[@]}") ;;
  test) wanted+=("${test_packages[@]}") ;;
  bench) wanted+=("${test_packages[@]}" "${bench_packages[@]}") ;;
  *) echo "usage: $0 [app|test|bench]" >&2; exit 2 ;;
esac

# The WHATWG Encoding Standard's tables, and TypeScript, esbuild, webpack,
# Vite and axe-core for the web tests, and CodeMirror with esbuild for the
# page's boxes, from npm, as their lock files pin them; installed again
# when a lock file is newer than what was installed.
install_npm_test_packages() {
  local folder
  for folder in tests/cli/whatwg tests/web/tools web/editor; do
    folder=$(cd "$(dirname "$0")/../$folder" && pwd)
    [[ $folder/node_modules/.package-lock.json -nt $folder/package-lock.json ]] \
      || (cd "$folder" && npm ci --no-audit --no-fund --silent)
  done
}
trap '[[ ${1:-app} == app ]] || install_npm_test_packages' EXIT

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
    || missing+=("$package")
done
((${#missing[@]} == 0)) && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
