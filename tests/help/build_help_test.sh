#!/usr/bin/env bash
# build_help.sh and its pictures: a topic shows the picture of its window
# when the screenshot folder has one, and is built without it otherwise;
# the pictures go into help.chm.
#
#   build_help_test.sh HELP_SOURCE_DIR WORK_DIR
set -euo pipefail

src=$1
work=$2
rm -rf "$work"
mkdir -p "$work/shots"

failures=0
check() {  # check CONDITION_STATUS TEXT
  if [ "$1" -eq 0 ]; then echo "ok   $2"; else echo "FAIL $2"; failures=$((failures + 1)); fi
}

# Every marker names a picture of the documented set.
documented=$(sed -n 's/^| `\([a-z0-9-]*\)` | .*/\1/p' "$src/README.md" | sort -u)
for name in $(grep -oh '<!--screenshot [a-z0-9-]* ' "$src"/*.htm | awk '{ print $2 }' | sort -u); do
  grep -qx "$name" <<< "$documented"
  check $? "the picture \"$name\" marked in a topic is a documented name"
done

# Without pictures: no topic shows one.
bash "$src/build_help.sh" "$src" "$work/none" "$work/shots" > /dev/null
check $(! grep -q '<img' "$work/none/html/"*.htm; echo $?) "without screenshots no topic shows a picture"
check $(! grep -ql '<!--screenshot' "$work/none/html/"*.htm; echo $?) "no marker is left in a topic"
check $([ -s "$work/none/help.chm" ]; echo $?) "help.chm is built without screenshots"
check $(! grep -ql '@QUILL_' "$work/none/html/"*.htm; echo $?) "no version placeholder is left in a topic"
check $(grep -q '"Quillmere V[0-9]*\.[0-9][0-9] (Build [0-9]*)"' "$work/none/html/about.htm"; echo $?) \
  "about.htm names the version as the About dialog shows it"
check $(grep -q 'captioned "Quillmere V[0-9]*\.[0-9][0-9] Build [0-9]*"' "$work/none/html/main_window.htm"; echo $?) \
  "main_window.htm names the window's caption"

# With the preferences dialog's picture: that topic shows it, and help.chm holds it.
convert -size 120x80 xc:'#0a5f89' "$work/shots/preferences.png"
bash "$src/build_help.sh" "$src" "$work/one" "$work/shots" > /dev/null
check $(grep -q '<img src="images/preferences.png" alt="The Preferences dialog">' "$work/one/html/preferences.htm"; echo $?) \
  "preferences.htm shows images/preferences.png"
check $([ "$(grep -l '<img' "$work/one/html/"*.htm | wc -l)" -eq 1 ]; echo $?) "no other topic shows a picture"
check $(cmp -s "$work/shots/preferences.png" "$work/one/html/images/preferences.png"; echo $?) "the picture is copied as it is"
enum_chmLib "$work/one/help.chm" > "$work/one/list"
check $(grep -q '[[:space:]]/images/preferences.png$' "$work/one/list"; echo $?) "help.chm holds the picture"

rm -rf "$work"
if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
