#!/usr/bin/env bash
# Looks at a built .deb as a user's system would get it: the files it installs, lintian's verdict (when lintian
# is installed), and the programs run from a throwaway unpacked copy; an installed program keeps its settings in
# the user's folders, never beside itself.
# usage: scripts/check-package.sh tovrikeditor_<version>_<arch>.deb
set -euo pipefail
deb=$(realpath "$1")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for expected in /usr/bin/TovrikEditor /usr/bin/tvk /usr/share/applications/tovrikeditor.desktop \
  /usr/share/mime/packages/tovrikeditor.xml /usr/share/metainfo/tovrikeditor.metainfo.xml \
  /usr/share/icons/hicolor/16x16/apps/tovrikeditor.png /usr/share/icons/hicolor/48x48/apps/tovrikeditor.png \
  /usr/share/icons/hicolor/256x256/apps/tovrikeditor.png /usr/share/tovrikeditor/config.ini \
  /usr/share/tovrikeditor/help/index.html /usr/share/tovrikeditor/help/index.en.html /usr/share/tovrikeditor/help/help.css \
  /usr/share/tovrikeditor/translations/tovrikeditor_en.qm /usr/share/man/man1/tvk.1.gz \
  /usr/share/man/man1/TovrikEditor.1.gz /usr/share/bash-completion/completions/tvk \
  /usr/share/doc/tovrikeditor/copyright; do
  grep -qx "$expected" <<<"$files" || { echo "the package lacks $expected" >&2; exit 1; }
done
if outside=$(grep -v '^/usr/' <<<"$files" | grep -vx '/'); then
  echo "the package installs outside /usr: $outside" >&2
  exit 1
fi
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || { echo "no dependencies from the shared libraries: $depends" >&2; exit 1; }
echo "files: $(grep -c . <<<"$files") paths; Depends: $depends"

if command -v lintian >/dev/null; then
  # Errors fail the check; warnings are shown.
  lintian --tag-display-limit 0 "$deb" | tee "$root/lintian.txt" || true
  if grep -q '^E:' "$root/lintian.txt"; then
    echo "lintian reports errors" >&2
    exit 1
  fi
fi

dpkg-deb -x "$deb" "$root/fs"
grep -qx 'License: MIT' "$root/fs/usr/share/doc/tovrikeditor/copyright" &&
  grep -q '<project_license>MIT</project_license>' "$root/fs/usr/share/metainfo/tovrikeditor.metainfo.xml" ||
  { echo "the package does not state its MIT licence" >&2; exit 1; }
version=$("$root/fs/usr/bin/tvk" --version)
echo "unpacked: $version"
[[ $version == "tvk $(dpkg-deb -f "$deb" Version)" ]] || { echo "tvk --version says $version" >&2; exit 1; }
# A first run as this user, even as root: settings go to the user's config folder, nothing next to the program.
home="$root/home"
mkdir -p "$home"
printf 'BM' >"$home/a.bmp"
(cd "$home" && env -u TOVRIK_HOME HOME="$home" XDG_CONFIG_HOME="$home/.config" TOVRIK_LANG=en \
  "$root/fs/usr/bin/tvk" new --images -o pack.tvk --force a.bmp)
env -u TOVRIK_HOME HOME="$home" XDG_CONFIG_HOME="$home/.config" "$root/fs/usr/bin/tvk" list "$home/pack.tvk" >/dev/null
leftovers=$(find "$root/fs/usr/bin" -mindepth 1 ! -name TovrikEditor ! -name tvk)
[[ -z $leftovers ]] || { echo "the programs left files beside themselves: $leftovers" >&2; exit 1; }
echo "package check passed"
