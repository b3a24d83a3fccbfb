#!/usr/bin/env bash
# Installs the build into a temporary staging folder (DESTDIR) and checks
# that the programs, the menu entry, the icons and the metadata are there,
# that each PNG icon has the size its folder names, and that the menu entry
# starts an installed program with an installed icon; the gzipped manual
# pages (rendered without warnings) and, for tagora-convert, bash
# completion (completing an option, an encoding, the targets and files:
# scripts after --to html). Without
# help2man the build has no manual page for tagora-convert: the rest is
# checked, then the test is reported as skipped (77).
#   check_install_tree.sh BUILD_DIR APP_ID HAS_MANUAL(1|0) PROGRAM...
# (tagora-convert among the programs)
set -uo pipefail
build=$1 app_id=$2 has_manual=$3
shift 3
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
metainfo=$root/share/metainfo/$app_id.metainfo.xml
svg=$root/share/icons/hicolor/scalable/apps/$app_id.svg
for file in "$desktop" "$metainfo" "$svg"; do
  [[ -s $file ]] || fail "${file#"$stage"} is not installed"
done
grep -q '<svg' "$svg" || fail "the scalable icon is not an SVG picture"

# A PNG's signature, then its width and height as big-endian numbers at 16.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }
for size in 32 48 64 128 256; do
  icon=$root/share/icons/hicolor/${size}x$size/apps/$app_id.png
  [[ -s $icon ]] || fail "the ${size} pixel icon is not installed"
  [[ $(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
    fail "the ${size} pixel icon is not a PNG picture"
  [[ $(png_size "$icon") == "${size}x$size" ]] ||
    fail "the ${size}x$size icon is $(png_size "$icon") pixels"
done

# Gzipped, and rendered without a warning.
check_manual_page() {
  local page=$root/share/man/man1/$1.1.gz
  [[ -s $page ]] || fail "share/man/man1/$1.1.gz is not installed"
  [[ $(head -c 2 "$page" | od -An -tx1 | tr -d ' \n') == 1f8b ]] || fail "$1.1.gz is not gzipped"
  if command -v groff >/dev/null; then
    warnings=$(gzip -dc "$page" | groff -t -man -Tutf8 -ww -z 2>&1)  # -t: tbl, as man runs it
    [[ -z $warnings ]] || fail "the manual page of $1 renders with warnings: $warnings"
  fi
}
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[[ -x $root/bin/${exec_line%% *} ]] || fail "Exec=$exec_line is not an installed program"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[[ -s $root/share/icons/hicolor/32x32/apps/$icon_name.png ]] || fail "Icon=$icon_name is not installed"
check_manual_page tagora-converter
completion=$root/share/bash-completion/completions/tagora-convert
((has_manual)) && check_manual_page tagora-convert
((has_manual)) && check_manual_page tagora-lsp
[[ -s $completion ]] || fail "${completion#"$stage"} is not installed"
# What completion offers, each line of words sorted.
complete_lines() {
  (cd "$stage/pages" && PATH="$root/bin:$PATH" bash -c '
    source /usr/share/bash-completion/bash_completion && source "$1" || exit 1
    shift
    for line; do
      COMP_LINE=$line COMP_POINT=${#line} COMP_WORDS=($line) COMPREPLY=()
      [[ $line == *" " ]] && COMP_WORDS+=("")
      COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
      _tagora_convert tagora-convert; printf "%s\n" "$(printf "%s\n" "${COMPREPLY[@]}" | sort | xargs)"
    done' _ "$completion" "$@" 2>&1)
}
# The names in the program's own complaint about an unknown name, sorted.
names_accepted() {
  "$root/bin/tagora-convert" "$1=nonesuch" </dev/null 2>&1 | sed -n 's/.*(\(targets\|one of\): \(.*\)).*/\2/p' |
    tr -d , | xargs -n1 | sort | xargs
}
if [[ -f /usr/share/bash-completion/bash_completion ]]; then
  mkdir "$stage/pages" && touch "$stage/pages/"{a.html,b.htm,c.txt}
  completed=$(complete_lines "tagora-convert --cla" "tagora-convert --encoding koi" "tagora-convert --php " \
    "tagora-convert --no-h" "tagora-convert --lit")
  [[ $completed == $'--classic\nkoi8-r\na.html b.htm\n--no-header\n--literal' ]] ||
    fail "bash completion gives '$completed' for --cla, an encoding, files, --no-h and --lit"

  # Every name the program takes, and a script of every target after
  # --to html: the files are the program's own scripts.
  to_names=$(names_accepted --to) from_names=$(names_accepted --from)
  [[ $to_names == *html* && $from_names == *php* ]] || fail "tagora-convert names no targets: '$to_names'"
  mkdir "$stage/inputs"
  for target in $from_names; do
    echo '<p>' >"$stage/inputs/script-$target.html"
    "$root/bin/tagora-convert" --to="$target" -d "$stage/pages" "$stage/inputs/script-$target.html" ||
      fail "tagora-convert --to=$target -d fails"
  done
  scripts=$(cd "$stage/pages" && ls script-* | sort | xargs)
  completed=$(complete_lines "tagora-convert --to " "tagora-convert -f " "tagora-convert --to html " \
    "tagora-convert -t html -o x " "tagora-convert --to=html " "tagora-convert --php ")
  expected=$(printf '%s\n' "$to_names" "$from_names" "$scripts" "$scripts" "$scripts" "a.html b.htm")
  [[ $completed == "$expected" ]] ||
    fail "bash completion after --to, -f and --to html gives
$completed
where the program takes
$expected"
fi
if ! ((has_manual)); then
  echo "skipped: help2man was not installed when the build was configured: no manual page for tagora-convert"
  exit 77
fi
echo PASS
