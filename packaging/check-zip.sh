#!/usr/bin/env bash
# Reads a portable zip back against the build it was made from: it must list
# exactly the program, the console front end when the build has one,
# const/system.txt, log.htm, help.chm and readme.txt, all in the folder
# Quillmere, each the same as the build's (the readme with Windows line ends
# and this version).
#
#   check-zip.sh PACKAGE_DIR BUILD_DIR   (reads PACKAGE_DIR/quillmere-VERSION-ARCH.zip)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$(cd "$2" && pwd)
arch=$(cat "$build/wine-arch")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip=$(cd "$1" && pwd)/quillmere-$version-$arch.zip
app=$build/app

failures=0
fail() {
  echo "check-zip.sh: $(basename "$zip"): $*" >&2
  failures=$((failures + 1))
}

if [ ! -f "$zip" ]; then
  fail "missing"
  exit 1
fi

case "$arch" in
  win32) expected=(quillmere.exe) && clis=(quillmere-cli.exe) ;;
  win64) expected=(quillmere64.exe) && clis=(quillmere-cli64.exe quillmere-cli.exe) ;;
esac
for cli in "${clis[@]}"; do
  if [ -f "$app/$cli" ]; then
    expected+=("$cli")
    break
  fi
done
expected+=(const/system.txt help.chm log.htm readme.txt)

listed=$(cmake -E tar tf "$zip" | sort)
wanted=$(printf 'Quillmere/%s\n' "${expected[@]}" | sort)
if [ "$listed" != "$wanted" ]; then
  fail "lists"$'\n'"$listed"$'\n'"instead of"$'\n'"$wanted"
fi

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
same() {
  cmp -s "$1" "$unpacked/Quillmere/$2" || fail "$2 differs from $1"
}
for f in "${expected[@]}"; do
  case "$f" in
    *.exe | help.chm) same "$app/$f" "$f" ;;
    const/system.txt | log.htm) same "$root/data/$f" "$f" ;;
  esac
done
readme=$unpacked/Quillmere/readme.txt
if [ -f "$readme" ]; then
  grep -q "^Quillmere $version " "$readme" || fail "readme.txt names another version"
  grep -q '@[A-Z_]*@' "$readme" && fail "readme.txt keeps a placeholder"
  [ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] || fail "readme.txt has lines without Windows line ends"
  grep -q "Start ${expected[0]}\." "$readme" || fail "readme.txt names another program"
fi

if [ $failures -ne 0 ]; then
  exit 1
fi
echo "check-zip.sh: $(basename "$zip") lists exactly: ${expected[*]}"
