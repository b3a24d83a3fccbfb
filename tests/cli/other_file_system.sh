#!/usr/bin/env bash
# tagora-convert -o onto another file system: the temporary file is made
# beside the target, where the final rename cannot cross file systems,
# also when a link on this file system leads there. The other file system
# is a tmpfs mounted in a private mount namespace; where none can be
# mounted, the test is skipped (status 77).
#   other_file_system.sh TAGORA_CONVERT
set -euo pipefail
convert=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/other"
printf '<p>%s</p>\n' "$(seq 100000)" > "$work/page.html"
"$convert" "$work/page.html" > "$work/expected.php"
printf 'old' > "$work/other/linked.php"
ln -s other/linked.php "$work/link.php"

namespace=(unshare --mount)
[[ $(id -u) == 0 ]] || namespace+=(--map-root-user)
"${namespace[@]}" true 2>/dev/null || { echo "no private mount namespace here"; exit 77; }

"${namespace[@]}" bash -s "$convert" "$work" <<'INSIDE' || exit $?
set -euo pipefail
convert=$1 work=$2
# The file already there stays visible beneath the mount: copy it over.
cp "$work/other/linked.php" "$work/linked.old"
mount -t tmpfs tmpfs "$work/other" 2>/dev/null || { echo "cannot mount a tmpfs"; exit 77; }
cp "$work/linked.old" "$work/other/linked.php"
[[ $(stat -c %d "$work/other") != $(stat -c %d "$work") ]]
"$convert" -o "$work/other/new.php" "$work/page.html"
"$convert" -o "$work/link.php" "$work/page.html"
cmp "$work/expected.php" "$work/other/new.php"
cmp "$work/expected.php" "$work/other/linked.php"
[[ -L $work/link.php ]]
leftovers=$(find "$work" -name '.*.php.*')
[[ -z $leftovers ]] || { echo "temporary files left: $leftovers"; exit 1; }
INSIDE
echo "written whole onto a tmpfs, directly and through a link"
