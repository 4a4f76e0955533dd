#!/usr/bin/env bash
# Installs what building, running and testing Quillmarten on Debian 12 needs, as root.
# Fast when everything is already there: it only asks apt when a package is missing.
set -euo pipefail

PACKAGES=(
  cmake make g++ libgtest-dev googletest python3 locales clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 wine wine64
  xvfb xserver-xephyr xdotool x11-utils imagemagick fonts-ipafont-gothic libx11-dev
  dpkg-dev pkg-config libwebp-dev webp
)
# Wine reads its ANSI code page from the locale: 932 needs a Japanese one.
LOCALE=ja_JP.UTF-8

if [[ $(id -u) -ne 0 ]]; then
  echo "setup: run as root (apt-get installs the packages; there is no sudo here)" >&2
  exit 1
fi

missing=()
for package in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
  [[ $status == ii* ]] || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  # amd64 only: adding i386 for wine32 breaks every Wine run on these machines.
  apt-get install -y -q "${missing[@]}"
fi

# libwebp is linked into the exe from Debian's own source package, with Debian's patches: the
# version Debian keeps patched, not whatever upstream tarball happens to be newest. Its source
# index comes from a list of the project's own; the source lands beside the builds, outside git.
SOURCES_LIST=/etc/apt/sources.list.d/quillmarten-sources.sources
WEBP_DIR=build/deps/libwebp
if [[ ! -f $SOURCES_LIST ]]; then
  echo "setup: enabling Debian's source index in $SOURCES_LIST"
  cat >"$SOURCES_LIST" <<'LIST'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
LIST
  apt-get update -q
fi
if [[ ! -f $WEBP_DIR/source/CMakeLists.txt ]]; then
  echo "setup: fetching libwebp's Debian source package into $WEBP_DIR"
  rm -rf "$WEBP_DIR"
  mkdir -p "$WEBP_DIR"
  # apt-get source unpacks the upstream source and applies Debian's patches.
  (cd "$WEBP_DIR" && apt-get source -q libwebp)
  unpacked=$(find "$WEBP_DIR" -mindepth 1 -maxdepth 1 -type d -name 'libwebp-*' | head -n 1)
  mv "$unpacked" "$WEBP_DIR/source"
fi

if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  echo "setup: generating $LOCALE"
  sed -i "s/^# *\($LOCALE UTF-8\)/\1/" /etc/locale.gen
  localedef -i ja_JP -f UTF-8 "$LOCALE"
fi

# The end-to-end tests start the program alone under a Hindi locale, for which Wine's ANSI code
# page is 65001. Without the locale the program's Unix side reads file names as ASCII, and a
# file dropped from the X desktop with a Japanese name would not reach it.
if ! locale -a 2>/dev/null | grep -qix 'hi_IN.utf8'; then
  echo "setup: generating hi_IN.UTF-8"
  localedef -i hi_IN -f UTF-8 hi_IN.UTF-8
fi

echo "setup: ready"
