#!/usr/bin/env bash
# Builds the Debian package from a clean copy of the tree and tries it the way a player
# gets it: lintian must find no error and no warning; the package is installed with apt,
# the installed game must answer --version and paint its window on a virtual screen;
# then it is purged, and not one of its files may be left.
# Installs its own tools. Needs root or sudo: it installs and removes the package
# system-wide, so run it on a build or test machine. The .deb files end in build/package/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/package

scripts/install-deps.sh --package
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
apt_get() {
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get -y -qq -o DPkg::Lock::Timeout=600 "$@"
}

version=$(dpkg-parsechangelog -l debian/changelog -S Version)
arch=$(dpkg-architecture -q DEB_HOST_ARCH)
work=$(mktemp -d)
installed=0
cleanup() {
  # A check that fails after the install must not leave the package on the machine.
  [[ $installed -eq 1 ]] && apt_get purge vexadra >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
src=$work/vexadra-$version

echo "== Clean copy of the tree in $src =="
mkdir "$src"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  # What git knows, edits included; ignored build folders stay out.
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [[ -e $f ]] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$src"
else
  tar --exclude=./build -cf - . | tar -xf - -C "$src"
fi

echo "== Build dependencies from debian/control =="
apt_get build-dep "$src"

# The source package too, before the build fills the tree, so that lintian also
# checks debian/ as a whole.
(cd "$work" && dpkg-source -b "$src" >/dev/null)
echo "== dpkg-buildpackage =="
start=$(date +%s)
(cd "$src" && dpkg-buildpackage -b -us -uc -j"$(nproc)")
echo "Package built in $(($(date +%s) - start)) s"

deb=$work/vexadra_${version}_${arch}.deb
echo "== lintian =="
lintian --fail-on error,warning --display-info \
  "$work/vexadra_${version}_${arch}.changes" "$work/vexadra_${version}.dsc"
echo "lintian: no errors, no warnings"

echo "== Contents =="
dpkg-deb -c "$deb"
echo "Installed-Size: $(dpkg-deb -f "$deb" Installed-Size) KiB, .deb $(stat -c %s "$deb") bytes"
mkdir -p "$out"
cp "$work"/*.deb "$out"/

echo "== Install =="
installed=1
(cd "$work" && apt_get install "./vexadra_${version}_${arch}.deb")
dpkg-query -L vexadra >"$work/files"
for f in /usr/games/vexadra /usr/share/man/man6/vexadra.6.gz \
  /usr/share/applications/io.github.vexadra.Vexadra.desktop \
  /usr/share/metainfo/io.github.vexadra.Vexadra.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/io.github.vexadra.Vexadra.svg \
  /usr/share/icons/hicolor/48x48/apps/io.github.vexadra.Vexadra.png; do
  grep -qxF "$f" "$work/files" || { echo "the package does not install $f" >&2; exit 1; }
done

echo "== The installed game =="
# The package's own autopkgtests, against the game apt has just installed.
"$src/debian/tests/version"
"$src/debian/tests/first-paint"

echo "== Purge =="
apt_get purge vexadra
installed=0
left=()
while IFS= read -r f; do
  [[ $f != /. ]] && [[ -e $f || -L $f ]] || continue
  # A folder others share (/usr/games, the icon theme's) stays; one of ours may not.
  if [[ -d $f && ! -L $f ]] && dpkg-query -S "$f" >/dev/null 2>&1; then continue; fi
  left+=("$f")
done <"$work/files"
if [[ ${#left[@]} -ne 0 ]]; then
  printf 'left after purge: %s\n' "${left[@]}" >&2
  exit 1
fi
echo "Purged: none of the package's $(wc -l <"$work/files") paths is left"
echo "Package: $out/vexadra_${version}_${arch}.deb"
