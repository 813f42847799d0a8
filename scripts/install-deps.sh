#!/usr/bin/env bash
# Installs the Debian packages Vexadra needs, and only those that are missing.
#   install-deps.sh          what building and playing need
#   install-deps.sh --test   also what the test suite needs (X server, xdotool, ImageMagick...)
#   install-deps.sh --package  also what scripts/package.sh needs to build, lint and try the package
set -euo pipefail

build_packages=(
  build-essential cmake pkg-config
  libwxgtk3.2-dev libsdl2-dev
  fonts-liberation2 librsvg2-bin
  gettext wx3.2-i18n
  googletest libgtest-dev
)
test_packages=(
  xvfb xauth xdotool x11-utils imagemagick python3
  tesseract-ocr tesseract-ocr-eng tesseract-ocr-deu locales
  desktop-file-utils appstream libbenchmark-dev time
  openbox wmctrl x11-xserver-utils weston
  pulseaudio pulseaudio-utils
  clang libclang-rt-14-dev
  mutter kwin-wayland kwin-x11 kwin-style-breeze dbus-x11
)
package_packages=(
  devscripts debhelper lintian dpkg-dev xvfb xauth
)

packages=("${build_packages[@]}")
case "${1:-}" in
  --test) packages+=("${test_packages[@]}") ;;
  --package) packages+=("${package_packages[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq -o DPkg::Lock::Timeout=600
  # Wait for another install to finish instead of failing on its lock.
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 "${missing[@]}"
fi

# The translation tests start the game in German and French: those locales must exist.
if [[ "${1:-}" == "--test" ]]; then
  for l in de_DE fr_FR; do
    locale -a | grep -qix "$l.utf-\?8" || "${sudo_cmd[@]}" localedef -i "$l" -f UTF-8 "$l.UTF-8"
  done
fi
