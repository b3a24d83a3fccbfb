#!/usr/bin/env bash
# Builds the Debian package of a build with CPack into a temporary folder,
# extracts it there (dpkg-deb -x) and checks it: its name and control
# fields, that it holds exactly what `cmake --install` installs and at
# least every file a user needs, and that the extracted programs run.
# With lintian installed, lintian must report no error.
#   check_package.sh BUILD_DIR CPACK VERSION APP_ID
set -uo pipefail
build=$1 cpack=$2 version=$3 app_id=$4
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
deb=$work/out/tagora-converter_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $(basename "$deb"); cpack made: $(ls "$work/out")"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == tagora-converter && $(field Version) == "$version" ]] ||
  fail "the package is $(field Package) $(field Version)"
for name in Maintainer Section Priority Homepage; do
  [[ -n $(field "$name") ]] || fail "the control field $name is empty"
done
[[ $(field Description | wc -l) -gt 3 ]] || fail "the description has no long part"
depends=$(field Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation; do
  [[ $depends == *"$library "* ]] || fail "Depends lacks $library: $depends"
done

# The package holds exactly what an install holds.
dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x failed"
DESTDIR=$work/stage cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "cmake --install failed"; }
listing() { (cd "$1" && find . ! -type d | sort); }
diff <(listing "$work/stage") <(listing "$work/root") >"$work/diff" ||
  { cat "$work/diff" >&2; fail "the package and cmake --install hold different files (< install, > package)"; }
expected=(
  usr/bin/tagora-converter usr/bin/tagora-convert usr/bin/tagora-lsp
  usr/share/man/man1/tagora-converter.1.gz usr/share/man/man1/tagora-convert.1.gz usr/share/man/man1/tagora-lsp.1.gz
  usr/share/bash-completion/completions/tagora-convert
  "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
  usr/share/doc/tagora-converter/copyright usr/share/doc/tagora-converter/changelog.gz)
for size in 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x$size/apps/$app_id.png")
done
for file in "${expected[@]}"; do
  [[ -s $work/root/$file ]] || fail "the package lacks /$file"
done

# The extracted programs run.
script=$(printf '<p class="a">x</p>' | "$work/root/usr/bin/tagora-convert") ||
  fail "the extracted tagora-convert failed"
[[ $script == "<?php"* && $script == *'echo "<p class=\"a\">x</p>";'* ]] ||
  fail "the extracted tagora-convert wrote: $script"
# tagora-lsp answers an initialize request.
answer=$(printf 'Content-Length: 58\r\n\r\n{"jsonrpc":"2.0","id":1,"method":"initialize","params":{}}' |
         "$work/root/usr/bin/tagora-lsp" 2>/dev/null) || true
[[ $answer == *'"name":"tagora-lsp"'* ]] || fail "the extracted tagora-lsp answered: $answer"
shown=$(QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/tagora-converter" --version 2>&1) ||
  fail "the extracted tagora-converter failed: $shown"
[[ $shown == *"$version"* ]] || fail "tagora-converter --version says: $shown"

if command -v lintian >/dev/null; then
  lintian --fail-on error --display-info "$deb" >"$work/lintian.log" 2>&1
  status=$?
  cat "$work/lintian.log"
  ((status == 0)) || fail "lintian reports errors"
fi
echo PASS
