#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine.
# Does nothing, silently, when everything is already present.
#
# Survives the package mirror's bad days: `apt-get update` is retried and
# the run goes on when the indexes it needs are there; an install refused on
# version skew between architectures (amd64 libraries newer in one suite than
# their i386 twins) is retried pinned to the release; a package that truly
# cannot be installed is named on one line with the reason.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)

packages=(wine wine64 cmake g++ make googletest g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  xvfb xauth chromium fonts-wqy-microhei imagemagick librsvg2-bin fp-utils libchm-bin nsis)
# The 32-bit Wine loader only where the kernel runs 32-bit programs.
i386_packages=()
if bash "$here/wine-arch.sh" --kernel; then
  i386_packages=(wine32:i386)
fi
# The browser check runs on Node.js; machines that have no Node.js of their
# own get Debian's.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=()
for p in "${packages[@]}" "${i386_packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
apt_install=("${sudo[@]}" apt-get install -y -q --no-install-recommends)

if [ ${#i386_packages[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi

# A mirror in mid-sync fails one index or another for a while.
for attempt in 1 2 3; do
  if "${sudo[@]}" apt-get update -q; then
    break
  fi
  echo "install-deps: apt-get update failed (attempt $attempt of 3)"
  [ "$attempt" -lt 3 ] && sleep $((attempt * 10))
done

# Goes on with the indexes there are, as long as each package has a candidate.
no_candidate=()
for p in "${missing[@]}"; do
  if ! apt-cache policy "$p" 2>/dev/null | grep -q 'Candidate: [^(]'; then
    no_candidate+=("$p")
  fi
done

# Installs the packages given; on failure, again pinned to the release.
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
install_all() {
  "${apt_install[@]}" "$@" && return 0
  [ -n "$release" ] || return 1
  echo "install-deps: retrying pinned to $release"
  "${apt_install[@]}" -t "$release" "$@"
}

wanted=()
for p in "${missing[@]}"; do
  [[ " ${no_candidate[*]} " == *" $p "* ]] || wanted+=("$p")
done
if [ ${#wanted[@]} -gt 0 ] && install_all "${wanted[@]}"; then
  wanted=()
fi

# One by one, to name each package that cannot be installed and why.
failed=()
for p in "${wanted[@]}" "${no_candidate[@]}"; do
  installed "$p" && continue
  log=$(mktemp)
  if ! install_all "$p" >"$log" 2>&1; then
    reason=$(grep -E '^(E:| .* : Depends)' "$log" | head -n 1 | sed 's/^ *//')
    [[ " ${no_candidate[*]} " == *" $p "* ]] && reason="no installation candidate in the package indexes"
    echo "install-deps: cannot install $p: ${reason:-see apt-get install $p}"
    failed+=("$p")
  fi
  rm -f "$log"
done

# Without its 32-bit part the tests run on the 64-bit build alone; anything
# else missing stops the build here.
hard=()
for p in "${failed[@]}"; do
  [[ "$p" == *:i386 ]] || hard+=("$p")
done
if [ ${#failed[@]} -gt ${#hard[@]} ]; then
  echo "install-deps: the 32-bit Wine loader is missing: only the 64-bit Windows build's tests will run"
fi
[ ${#hard[@]} -eq 0 ]
