#!/usr/bin/env bash
# Reads help.chm back with libchm's tools and checks what the help viewer
# relies on: every topic, picture, the contents and the index are in the
# file, and every context number of help/context_ids.h resolves, through the
# #IVB and #STRINGS tables, to its own topic.
#
#   chm_contents.sh HELP_CHM HELP_SOURCE_DIR
set -euo pipefail

chm=$1
src=$2

failures=0
check() {  # check CONDITION_STATUS TEXT
  if [ "$1" -eq 0 ]; then
    echo "ok   $2"
  else
    echo "FAIL $2"
    failures=$((failures + 1))
  fi
}

[ -s "$chm" ] || { echo "FAIL $chm is missing"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

enum_chmLib "$chm" > "$work/list"
extract_chmLib "$chm" "$work/x" > /dev/null
# The normal files of the archive, without their leading slash.
awk '$4 == "normal" && $5 == "file" { sub(/^\//, "", $6); print $6 }' "$work/list" | sort > "$work/files"

# Every file of the project's [FILES] section, and the contents and index.
expected=$(awk '/^\[/ { in_files = ($0 == "[FILES]") ; next } in_files && NF { print }' "$src/quillmere.hhp"
           echo quillmere.hhc; echo quillmere.hhk)
topics=0
for f in $expected; do
  grep -qx "$f" "$work/files"
  check $? "$f is in the help file"
  case $f in *.htm) topics=$((topics + 1)) ;; esac
done
check $([ "$topics" -ge 15 ]; echo $?) "the help file holds $topics topics"

# Every picture a topic shows is in the file.
for img in $(grep -oh 'src="[^"]*"' "$work"/x/*.htm | sed 's/src="//; s/"$//' | sort -u); do
  grep -qx "$img" "$work/files"
  check $? "picture $img is in the help file"
done

# Every entry of the contents and the index names a topic in the file.
for sitemap in quillmere.hhc quillmere.hhk; do
  for local in $(grep -o 'name="Local" value="[^"]*"' "$work/x/$sitemap" | sed 's/.*value="//; s/"$//; s/#.*//' | sort -u); do
    grep -qx "$local" "$work/files"
    check $? "$sitemap entry $local is a topic of the file"
  done
done

# Every topic of the file can be reached from the contents.
for topic in $(grep '\.htm$' "$work/files"); do
  grep -q "name=\"Local\" value=\"$topic[\"#]" "$work/x/quillmere.hhc"
  check $? "$topic is listed in the contents"
done

# The context map: #IVB holds its length, then pairs of context number and
# offset into #STRINGS, where the topic's name ends with a zero byte.
ivb=$work/x/#IVB
strings=$work/x/#STRINGS
check $([ -s "$ivb" ] && [ -s "$strings" ]; echo $?) "the help file has a context map (#IVB, #STRINGS)"
read -r -a words <<< "$(od -A n -t u4 -v "$ivb" | tr -s ' \n' ' ')"
declare -A topic_of
for ((i = 1; i + 1 < ${#words[@]}; i += 2)); do
  number=${words[i]}
  offset=${words[i + 1]}
  topic_of[$number]=$(tail -c +$((offset + 1)) "$strings" | tr '\0' '\n' | head -n 1)
done

# The numbers the program asks for, and the topic each must open.
declare -A wanted=(
  [kHelpMainWindow]=main_window.htm
  [kHelpEditingItems]=editing_items.htm
  [kHelpExclusionList]=exclusion_list.htm
  [kHelpPreferences]=preferences.htm
  [kHelpFilterSelection]=filter_selection.htm
  [kHelpWildcardDialog]=wildcard_dialog.htm
)
declare -A fixed=([58]=main_window.htm [31]=editing_items.htm [42]=exclusion_list.htm
                  [102]=preferences.htm [302]=filter_selection.htm [801]=wildcard_dialog.htm)
declare -A named
while read -r name number; do
  named[$name]=$number
done < <(sed -n 's/^inline constexpr int \(kHelp[A-Za-z]*\) = \([0-9]*\);.*/\1 \2/p' "$src/context_ids.h")
check $([ ${#named[@]} -eq ${#wanted[@]} ]; echo $?) "context_ids.h names ${#named[@]} context numbers"
for name in "${!wanted[@]}"; do
  number=${named[$name]:-}
  topic=${wanted[$name]}
  check $([ -n "$number" ] && [ "${fixed[$number]:-}" = "$topic" ]; echo $?) \
    "$name is context number ${number:-(none)}, the number of $topic"
  [ -n "$number" ] || continue
  stored=${topic_of[$number]:-}
  check $([ "${stored#/}" = "$topic" ]; echo $?) "context number $number opens \"${stored:-nothing}\" (expected /$topic)"
  check $([ -n "$stored" ] && grep -qx "${stored#/}" "$work/files"; echo $?) "the topic of context number $number is in the file"
done
check $([ ${#topic_of[@]} -eq ${#fixed[@]} ]; echo $?) "the context map holds ${#topic_of[@]} numbers"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
