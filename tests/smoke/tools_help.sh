#!/usr/bin/env bash
# Every program of the project answers --help with its usage on standard
# output and status 0, and does nothing else: it reads no input, writes no
# file and opens no window, whatever follows --help. The Node package's
# command too, beside a stand-in for the engine it would load.
#   tools_help.sh TARGETS_JSON BIN_CJS PROGRAM...
set -uo pipefail
targets_json=$1 bin_cjs=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The Node package's command, with an engine that fails on any use but
# naming its targets.
mkdir -p "$work/package/bin"
cp "$bin_cjs" "$work/package/bin/tagora-converter.cjs"
cat >"$work/package/index.cjs" <<STUB
const used = () => { throw new Error('the engine was used'); };
module.exports = new Proxy({ targets: require('$targets_json') }, { get: (engine, name) => engine[name] ?? used });
STUB
commands=()
for program; do [[ -n $program ]] && commands+=("$program"); done  # "": not built
command -v node >/dev/null && commands+=("node $work/package/bin/tagora-converter.cjs")

mkfifo "$work/input"  # never written: a program that reads it waits
exec 3<>"$work/input"
for command in "${commands[@]}"; do
  name=$(basename "${command##* }")
  mkdir "$work/run" "$work/home"
  # A FILE after --help that is not there, an input that never comes, no display.
  (cd "$work/run" && HOME=$work/home XDG_CONFIG_HOME=$work/home DISPLAY= QT_QPA_PLATFORM=offscreen \
     timeout 20 $command --help missing.html <"$work/input" >"$work/out" 2>"$work/err")
  status=$?
  [[ $status == 0 ]] || fail "$name --help ends with status $status"
  [[ $(head -c 6 "$work/out") == [Uu]sage: ]] || fail "$name --help prints no usage: $(head -c 200 "$work/out")"
  [[ ! -s $work/err ]] || fail "$name --help says on standard error: $(head -c 200 "$work/err")"
  left=$(cd "$work" && find run home -mindepth 1 | head -3 | xargs)
  [[ -z $left ]] || fail "$name --help writes $left"
  rm -rf "$work/run" "$work/home"
done
((failures == 0)) && echo "--help of ${#commands[@]} programs checked"
exit $((failures > 0))
