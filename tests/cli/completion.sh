#!/usr/bin/env bash
# The bash completion of tagora-convert against the program itself: every
# option --help lists is offered, and after each one what the program
# takes there: its values (each accepted, and for targets exactly the
# names it knows), files, folders, or nothing; the files offered are
# scripts where the program then reads scripts. Short names as long ones.
#   completion.sh TAGORA_CONVERT COMPLETION_SCRIPT [WRITER TEMPLATE]
# With the writer and its template, the completion is written again, must
# be the one the build wrote, and is the one checked.
set -uo pipefail
if [[ ! -f /usr/share/bash-completion/bash_completion ]]; then
  echo "skipped: bash-completion is not installed (scripts/install-deps.sh test installs it)"
  exit 77
fi
program=$(realpath "$1") completion=$(realpath "$2")
work=$(mktemp -d) written=$(mktemp -d)
trap 'rm -rf "$work" "$written"' EXIT
if (($# >= 4)); then
  "$3" "$4" "$written/completion" "$written/options.json" || { echo "FAIL: $3 $4 failed"; exit 1; }
  cmp "$written/completion" "$completion" || { echo "FAIL: the completion written again is not $completion"; exit 1; }
  completion=$written/completion
fi
mkdir "$work/folder" && touch "$work/"{a.html,b.php,c.txt}
pages="a.html" scripts="b.php"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# What completion offers for each command line, its words sorted, kept in
# completed[LINE]; one bash for them all.
declare -A completed
complete_lines() {
  local line result
  mapfile -t result < <(cd "$work" && bash -c '
    source /usr/share/bash-completion/bash_completion && source "$1" || exit 1
    shift
    for line; do
      COMP_LINE=$line COMP_POINT=${#line} COMP_WORDS=($line) COMPREPLY=()
      [[ $line == *" " ]] && COMP_WORDS+=("")
      COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
      _tagora_convert tagora-convert 2>/dev/null; printf "%s\n" "$(printf "%s\n" "${COMPREPLY[@]}" | sort | xargs)"
    done' _ "$completion" "$@")
  ((${#result[@]} == $#)) || { echo "FAIL: the completion script does not load: ${result[*]}"; exit 1; }
  for line; do
    completed[$line]=${result[0]}
    result=("${result[@]:1}")
  done
}

# The names the program lists when a value is not one of them.
names_accepted() {
  "$program" "$1=nonesuch" </dev/null 2>&1 | sed -n 's/.*(\(targets\|one of\): \(.*\)).*/\2/p' | tr -d , | xargs -n1 | sort | xargs
}
# Whether the command line alone makes the program read scripts.
reads_scripts() {
  [[ $("$program" "$@" </dev/null 2>&1) == *"no script to convert"* ]]
}

# The options as --help lists them ("--to=TARGET", "--php"...), and their
# short names ("-t --to"...).
help_lines=$("$program" --help | grep -E '^  (-., |    )--[a-z]')
help_options=$(sed 's/^  \(-., \|    \)\(--[a-z-]*\(=[^ ]*\)\?\).*/\2/' <<<"$help_lines")
short_names=$(sed -n 's/^  \(-.\), \(--[a-z-]*\).*/\1 \2/p' <<<"$help_lines")
[[ -n $help_options ]] || fail "no options in --help"
lines=("tagora-convert --")
for spelled in $help_options; do lines+=("tagora-convert ${spelled%%=*} "); done
while read -r short long; do lines+=("tagora-convert $short "); done <<<"$short_names"
complete_lines "${lines[@]}"

offered=$(tr ' ' '\n' <<<"${completed["tagora-convert --"]}" | sort)
listed=$( (sed 's/=.*/=/' <<<"$help_options"; echo --) | sort)
[[ $offered == "$listed" ]] ||
  fail "options offered differ from --help's: $(diff <(echo "$listed") <(echo "$offered") | grep '^[<>]' | xargs)"

script_lines=()   # lines after which the scripts are offered
script_values=()  # "--to=html": values that make the program read scripts
for spelled in $help_options; do
  option=${spelled%%=*} value=${spelled#*=}
  [[ $spelled == *=* ]] || value=""
  after=${completed["tagora-convert $option "]}
  case $value in
    "")
      # --help and --version: a FILE after them that is not there is not read.
      if "$program" "$option" "$work/missing.html" </dev/null >/dev/null 2>&1; then
        [[ -z $after ]] || fail "after $option, which ends the command line, completion offers '$after'"
      elif reads_scripts "$option"; then
        [[ $after == "$scripts folder" ]] || fail "after $option completion offers '$after', not the scripts"
      else
        [[ $after == "$pages folder" ]] || fail "after $option completion offers '$after', not the pages"
      fi ;;
    FILE) [[ $after == "a.html b.php c.txt folder" ]] || fail "after $option completion offers '$after', not every file" ;;
    DIR) [[ $after == folder ]] || fail "after $option completion offers '$after', not the folders" ;;
    *)
      [[ $after != *a.html* ]] || fail "after $option completion offers files: '$after'"
      names=$(names_accepted "$option")
      [[ -z $names || $after == "$names" ]] || fail "after $option completion offers '$after', the program takes '$names'"
      for word in $after; do
        said=$("$program" "$option=$word" </dev/null 2>&1)
        [[ $said =~ unknown|takes|not\ supported|needs\ a\ value ]] && fail "$option $word is offered and refused: $said"
        if [[ $said == *"no script to convert"* ]]; then
          script_values+=("$option=$word")
          script_lines+=("tagora-convert $option $word " "tagora-convert $option=$word ")
        fi
      done ;;
  esac
done

# A short name is completed as its long one, and so is its value
# attached ("-thtml").
while read -r short long; do
  [[ ${completed["tagora-convert $short "]} == "${completed["tagora-convert $long "]}" ]] ||
    fail "$short is completed otherwise than $long"
  for value in "${script_values[@]}"; do
    [[ $value == "$long="* ]] && script_lines+=("tagora-convert $short${value#*=} ")
  done
done <<<"$short_names"
if ((${#script_lines[@]} > 0)); then
  complete_lines "${script_lines[@]}"
  for line in "${script_lines[@]}"; do
    [[ ${completed[$line]} == "$scripts folder" ]] || fail "after '${line#tagora-convert }' completion offers '${completed[$line]}', not the scripts"
  done
else
  fail "no option makes the program read scripts"
fi
((failures == 0)) && echo "bash completion: every option of --help checked"
exit $((failures > 0))
