#!/usr/bin/env bash
# Makes the package of one Windows build: a portable zip and a setup program.
#
#   make-package.sh BUILD_DIR OUT_DIR
#
# writes OUT_DIR/quillmere-VERSION-ARCH.zip and
# OUT_DIR/quillmere-VERSION-ARCH-setup.exe. The version is the project's (its
# app/version.h, as the build folder was configured), the architecture the
# build's. Both hold the program, the console front end when the build has
# put one beside the program (quillmere-cli.exe, or quillmere-cli64.exe in
# the 64-bit build), const\system.txt, log.htm, help.chm and readme.txt; the
# zip holds them in a folder Quillmere (check-zip.sh reads it back).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)

fail() {
  echo "make-package.sh: $*" >&2
  exit 1
}

[ -f "$build/wine-arch" ] || fail "$build is not a configured Windows build"
arch=$(cat "$build/wine-arch")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"

case "$arch" in
  win32)
    program=quillmere.exe
    clis=(quillmere-cli.exe)
    arch_name="32-bit"
    ;;
  win64)
    program=quillmere64.exe
    clis=(quillmere-cli64.exe quillmere-cli.exe)
    arch_name="64-bit"
    ;;
  *) fail "unknown architecture '$arch'" ;;
esac

app=$build/app
# Only files of the build's own architecture are packed.
built_program() {
  [ -f "$app/$1" ] || return 1
  [ "$(bash "$root/scripts/pe-arch.sh" "$app/$1")" = "$arch" ] ||
    fail "$app/$1 is not a $arch program"
}
built_program "$program" || fail "$app/$program is missing: build $build first"
[ -f "$app/help.chm" ] || fail "$app/help.chm is missing: build $build first"
cli=""
for name in "${clis[@]}"; do
  if built_program "$name"; then
    cli=$name
    break
  fi
done

base=quillmere-$version-$arch
stage=$out/.stage-$arch
rm -rf "$stage"
folder=$stage/Quillmere
mkdir -p "$folder/const"

# The package's files, relative to its folder, in the order they are packed.
files=("$program")
cp "$app/$program" "$folder/"
if [ -n "$cli" ]; then
  files+=("$cli")
  cp "$app/$cli" "$folder/"
fi
cp "$root/data/const/system.txt" "$folder/const/"
cp "$root/data/log.htm" "$folder/"
cp "$app/help.chm" "$folder/"
files+=(const/system.txt log.htm help.chm readme.txt)

# The readme, with Windows line ends.
cli_section=""
printf -v files_lines '  %-21sthe program' "$program"
if [ -n "$cli" ]; then
  cli_section=$'\n'"$cli washes from a command prompt, a script or Task Scheduler,"$'\n'
  cli_section+="with the same wash items, settings, exclusions and log as the window:"$'\n'
  cli_section+="\"$cli --help\" lists its commands."$'\n'
  printf -v cli_line '  %-21sthe console front end' "$cli"
  files_lines+=$'\n'$cli_line
fi
VERSION=$version ARCH=$arch ARCH_NAME=$arch_name PROGRAM=$program CLI_SECTION=$cli_section \
  PROGRAM_FILES=$files_lines awk '{
    gsub(/@VERSION@/, ENVIRON["VERSION"]); gsub(/@ARCH_NAME@/, ENVIRON["ARCH_NAME"])
    gsub(/@ARCH@/, ENVIRON["ARCH"]); gsub(/@PROGRAM@/, ENVIRON["PROGRAM"])
    gsub(/@PROGRAM_FILES@/, ENVIRON["PROGRAM_FILES"]); gsub(/@CLI_SECTION@/, ENVIRON["CLI_SECTION"])
    print
  }' "$here/readme.txt" | sed 's/$/\r/' >"$folder/readme.txt"

# The same moment for every file: the zip depends on the contents alone.
stamp=$(TZ=UTC git -C "$root" log -1 --date=format-local:'%Y-%m-%d %H:%M:%S UTC' --format=%cd 2>/dev/null ||
  echo "2000-01-01 00:00:00 UTC")

zip=$out/$base.zip
rm -f "$zip"
(
  cd "$stage"
  cmake -E tar cf "$zip" --format=zip --mtime="$stamp" "${files[@]/#/Quillmere/}"
)

# The installer's lists of files to install and to remove.
nsh=$stage/files.nsh
{
  echo "!macro InstallPackageFiles"
  for f in "${files[@]}"; do
    dir=$(dirname "$f")
    if [ "$dir" = . ]; then
      echo "  SetOutPath \"\$INSTDIR\""
    else
      echo "  SetOutPath \"\$INSTDIR\\${dir//\//\\}\""
    fi
    echo "  File \"$folder/$f\""
  done
  echo "!macroend"
  echo "!macro RemovePackageFiles"
  for f in "${files[@]}"; do
    echo "  Delete \"\$INSTDIR\\${f//\//\\}\""
  done
  echo "!macroend"
} >"$nsh"

setup=$out/$base-setup.exe
rm -f "$setup"
makensis -V2 -NOCD -DVERSION="$version" -DARCH="$arch" -DPROGRAM="$program" \
  -DFILES="$nsh" -DOUTFILE="$setup" "$here/quillmere.nsi"
rm -rf "$stage"

echo "make-package.sh: $zip"
echo "make-package.sh: $setup"
