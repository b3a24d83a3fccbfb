#!/usr/bin/env bash
# Installs the build into a temporary staging folder (DESTDIR) and checks
# that the programs, the menu entry, the icon and the metadata are there,
# and that the menu entry starts an installed program with an installed icon;
# for tagora-convert its manual page (rendered without warnings) and bash
# completion (completing an option, an encoding and HTML files).
#   check_install_tree.sh BUILD_DIR APP_ID PROGRAM...
set -uo pipefail
build=$1 app_id=$2
shift 2
fail() { echo "FAIL: $*" >&2; exit 1; }

stage=$(mktemp -d) log=$(mktemp)
trap 'rm -rf "$stage" "$log"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix /usr >"$log" 2>&1 ||
  { cat "$log" >&2; fail "cmake --install failed"; }
root=$stage/usr

for program in "$@"; do
  [[ -x $root/bin/$program ]] || fail "bin/$program is not installed"
done
desktop=$root/share/applications/$app_id.desktop
icon=$root/share/icons/hicolor/32x32/apps/$app_id.png
metainfo=$root/share/metainfo/$app_id.metainfo.xml
for file in "$desktop" "$icon" "$metainfo"; do
  [[ -s $file ]] || fail "${file#"$stage"} is not installed"
done

[[ $(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
  fail "the installed icon is not a PNG picture"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[[ -x $root/bin/${exec_line%% *} ]] || fail "Exec=$exec_line is not an installed program"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[[ -s $root/share/icons/hicolor/32x32/apps/$icon_name.png ]] || fail "Icon=$icon_name is not installed"
if [[ " $* " == *" tagora-convert "* ]]; then
  page=$root/share/man/man1/tagora-convert.1
  completion=$root/share/bash-completion/completions/tagora-convert
  if command -v help2man >/dev/null; then
    [[ -s $page ]] || fail "share/man/man1/tagora-convert.1 is not installed"
    if command -v groff >/dev/null; then
      warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
      [[ -z $warnings ]] || fail "the manual page renders with warnings: $warnings"
    fi
  fi
  [[ -s $completion ]] || fail "${completion#"$stage"} is not installed"
  if [[ -f /usr/share/bash-completion/bash_completion ]]; then
    mkdir "$stage/pages" && touch "$stage/pages/"{a.html,b.htm,c.txt}
    completed=$(cd "$stage/pages" && bash -c '
      source /usr/share/bash-completion/bash_completion && source "$1" || exit 1
      for line in "tagora-convert --cla" "tagora-convert --encoding koi" "tagora-convert --php "; do
        COMP_LINE=$line COMP_POINT=${#line} COMP_WORDS=($line) COMPREPLY=()
        [[ $line == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        _tagora_convert; echo "${COMPREPLY[*]}"
      done' _ "$completion" 2>&1)
    [[ $completed == $'--classic\nkoi8-r\na.html b.htm' ]] ||
      fail "bash completion gives '$completed' for --cla, an encoding and files"
  fi
fi
echo PASS
