#!/usr/bin/env bash
# Builds the Debian package tagora-converter_VERSION_ARCH.deb with CPack,
# from a Release build with Debian's hardening flags in build-package/, and
# prints where it is; with lintian installed, prints what lintian says.
#   sudo apt install ./build-package/tagora-converter_VERSION_amd64.deb
set -euo pipefail
# --help: the comment above, which says what this does and how to call it.
[[ ${1:-} == --help ]] && { sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0; }
cd "$(dirname "$0")/.."
scripts/install-deps.sh app
dir=build-package

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
if [[ ! -f $dir/CMakeCache.txt ]]; then
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTAGORA_BUILD_TESTS=OFF \
    -DTAGORA_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
fi
cmake --build "$dir" -j"$(nproc)"
deb=$(cd "$dir" && cpack -G DEB | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p')
[[ -f $deb ]] || { echo "CPack made no package" >&2; exit 1; }
if command -v lintian >/dev/null; then
  lintian --display-info "$deb" || true
fi
echo "Package: $deb"
