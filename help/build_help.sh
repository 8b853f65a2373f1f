#!/usr/bin/env bash
# Builds help.chm from the topics in this folder.
#
#   build_help.sh SRC_DIR OUT_DIR [SCREENSHOT_DIR]
#
# SRC_DIR         this folder (help/)
# OUT_DIR         receives html/ (the topics as compiled, with their pictures)
#                 and help.chm
# SCREENSHOT_DIR  pictures of the real windows, one PNG per window, written
#                 by the window tests (build/<arch>/artefacts/screenshots)
#
# Screenshots. A topic marks the place of a window's picture with a comment
# line of its own:
#
#     <!--screenshot NAME "Alternative text"-->
#
# When SCREENSHOT_DIR holds NAME.png, the line becomes a picture of it
# (images/NAME.png, listed in the project's [FILES]); when it does not, the
# line is dropped and the topic is built without the picture, so no topic
# ever points at a missing image. The names (see README.md) are:
#
#     main-window  preview-all  preview-item  preview-files  preview-entries
#     wash-item-editor  folder-child-editor  registry-child-editor
#     preferences  exclusion-list  filter-selection  wildcard-dialog
#     profile-detection  about  winapp2-import
#
# Version. A topic names the program's version by the name of its text in
# app/version.h between at signs, @QUILL_PRODUCT_TEXT@ or @QUILL_CAPTION_TEXT@;
# the staged topic shows the text itself.
#
# Compiling. chmcmd records the topic of each context number ([ALIAS]) under
# the full path it read the file from. So that the help viewer finds the
# topic, chmcmd runs with the topic folder as its root directory (chroot;
# through a user namespace when not run as root) and records /topic.htm.
set -euo pipefail

src=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
shots=${3:-}

html=$out/html
rm -rf "$html"
mkdir -p "$html"
cp "$src"/*.htm "$src"/*.css "$src"/quillmere.hhp "$src"/quillmere.hhc "$src"/quillmere.hhk "$html"/

# The version texts, as the C preprocessor composes them from app/version.h.
version_text() {
  printf '#include "app/version.h"\n%s\n' "$1" | cpp -P -I "$src/.." - | tail -n 1 |
    sed -E 's/"[[:space:]]*"//g; s/^[[:space:]]*"//; s/"[[:space:]]*$//'
}
for name in QUILL_PRODUCT_TEXT QUILL_CAPTION_TEXT; do
  text=$(version_text "$name")
  if [ -z "$text" ] || [ "$text" = "$name" ]; then
    echo "build_help.sh: app/version.h gives no $name" >&2
    exit 1
  fi
  sed -i "s|@$name@|$text|g" "$html"/*.htm
done
if grep -l '@QUILL_[A-Z_]*@' "$html"/*.htm >&2; then
  echo "build_help.sh: these topics name a version text that is not known" >&2
  exit 1
fi

# Pictures: replace each marker by its picture, or drop it.
images=()
for topic in "$html"/*.htm; do
  tmp=$topic.tmp
  : > "$tmp"
  while IFS= read -r line || [ -n "$line" ]; do
    if [[ $line =~ ^[[:space:]]*\<!--screenshot\ ([a-z0-9-]+)\ \"([^\"]*)\"--\>[[:space:]]*$ ]]; then
      name=${BASH_REMATCH[1]}
      alt=${BASH_REMATCH[2]}
      if [ -n "$shots" ] && [ -f "$shots/$name.png" ]; then
        mkdir -p "$html/images"
        cp "$shots/$name.png" "$html/images/$name.png"
        printf '<p class="screenshot"><img src="images/%s.png" alt="%s"></p>\n' "$name" "$alt" >> "$tmp"
        [[ " ${images[*]} " == *" images/$name.png "* ]] || images+=("images/$name.png")
      fi
    else
      printf '%s\n' "$line" >> "$tmp"
    fi
  done < "$topic"
  mv "$tmp" "$topic"
done
if [ ${#images[@]} -gt 0 ]; then
  # The pictures join the topics in [FILES].
  awk -v extra="$(printf '%s\n' "${images[@]}")" '
    { print }
    /^\[FILES\]/ { n = split(extra, lines, "\n"); for (i = 1; i <= n; i++) if (lines[i] != "") print lines[i] }
  ' "$html/quillmere.hhp" > "$html/quillmere.hhp.tmp"
  mv "$html/quillmere.hhp.tmp" "$html/quillmere.hhp"
fi

# A root directory holding chmcmd, the libraries it loads and the topics.
chmcmd=$(readlink -f "$(command -v chmcmd)")
root=$out/chm-root
rm -rf "$root"
mkdir -p "$root"
cp -r "$html"/. "$root"/
cp "$chmcmd" "$root/chmcmd"
libc=""
for lib in $(ldd "$chmcmd" | grep -o '/[^ ]*'); do
  mkdir -p "$root$(dirname "$lib")"
  cp -L "$lib" "$root$lib"
  case $lib in */libc.so.*) libc=$lib ;; esac
done
# Loaded at run time by chmcmd's thread support.
if [ -n "$libc" ]; then
  for extra in libpthread.so.0 libdl.so.2; do
    if [ -f "$(dirname "$libc")/$extra" ]; then
      cp -L "$(dirname "$libc")/$extra" "$root$(dirname "$libc")/$extra"
    fi
  done
fi

# As root, chroot; else, or where chroot is refused, in a user namespace.
log=$out/chmcmd.log
compiled=no
for jail in "chroot" "unshare -r chroot"; do
  [ "$jail" = chroot ] && [ "$(id -u)" -ne 0 ] && continue
  if $jail "$root" /chmcmd --no-html-scan /quillmere.hhp > "$log" 2>&1 && [ -s "$root/help.chm" ]; then
    compiled=yes
    break
  fi
done
if [ $compiled = no ]; then
  cat "$log" >&2
  echo "build_help.sh: chmcmd failed (it runs inside $root, by chroot or unshare -r chroot)" >&2
  exit 1
fi
if grep -qi 'error\|warning\|corrupt' "$log"; then
  cat "$log" >&2
  echo "build_help.sh: chmcmd reported problems" >&2
  exit 1
fi
mv "$root/help.chm" "$out/help.chm"
rm -rf "$root"
echo "build_help.sh: $out/help.chm (${#images[@]} screenshot(s))"
