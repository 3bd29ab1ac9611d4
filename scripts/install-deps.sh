#!/bin/sh
# Installs the Debian 12 packages that building and testing Canopex needs,
# and only those that are missing; quick when everything is there.
# Usage: scripts/install-deps.sh run|test
#   run:  what building the Linux programs needs (wxWidgets on GTK 3 for
#         the window; Python with Markdown for the user guide and the icons)
#   test: all of it, with the Windows cross-build, Wine, the test locales,
#         the virtual X screen on which the window tests run, clang with
#         libFuzzer for the fuzz targets, and the tools that make and check
#         the packages (and load the stand files with pandas)
set -eu

packages="cmake g++ make pkg-config libcli11-dev libwxgtk3.2-dev libgtk-3-dev python3 python3-markdown"
if [ "${1:-test}" = test ]; then
  packages="$packages googletest locales-all g++-mingw-w64-i686 wine wine32:i386 xvfb xauth xdotool x11-apps time"
  packages="$packages clang libclang-rt-14-dev"
  packages="$packages dpkg-dev lintian desktop-file-utils man-db gzip unzip python3-pandas"
fi

missing=""
for package in $packages; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
case "$missing" in
  *:i386*)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      $sudo dpkg --add-architecture i386
    fi
    ;;
esac
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
