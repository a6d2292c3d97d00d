#!/usr/bin/env bash
# Checks a built Debian package: every file a desktop install needs is in it,
# and lintian finds no errors. Usage: check-package.sh corvanta_X_amd64.deb
set -euo pipefail
deb=$1
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
expected=(
  /usr/bin/corvanta
  /usr/bin/corvanta-cli
  /usr/share/applications/corvanta.desktop
  /usr/share/mime/packages/corvanta.xml
  /usr/share/thumbnailers/corvanta.thumbnailer
  /usr/share/icons/hicolor/scalable/apps/corvanta.svg
  /usr/share/icons/hicolor/scalable/mimetypes/application-x-corvanta.svg
  /usr/share/metainfo/com.halden.corvanta.metainfo.xml
  /usr/share/corvanta/help/index.html
  /usr/share/man/man1/corvanta.1.gz
  /usr/share/man/man1/corvanta-cli.1.gz
  /usr/share/doc/corvanta/copyright
  /usr/share/doc/corvanta/changelog.gz
)
missing=0
for path in "${expected[@]}"; do
  grep -qxF "$path" <<<"$contents" || { echo "missing from the package: $path" >&2; missing=1; }
done
depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt6widgets6 fonts-liberation2 fonts-dseg; do
  grep -q "$lib" <<<"$depends" || { echo "the package does not depend on $lib: $depends" >&2; missing=1; }
done
[ "$missing" -eq 0 ] || exit 1
# Every packaged program carries the hardening flags.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
bash "$(dirname "$0")/check-hardening.sh" "$unpacked"/usr/bin/* || { echo "packaged programs lack hardening" >&2; exit 1; }
if command -v lintian >/dev/null 2>&1; then
  # Errors fail the check; warnings are printed for the reader.
  report=$(lintian --no-tag-display-limit "$deb" || true)
  [ -n "$report" ] && echo "$report"
  if grep -q '^E:' <<<"$report"; then
    echo "lintian reports errors" >&2
    exit 1
  fi
fi
echo "Package checked: ${#expected[@]} paths present, programs hardened, no lintian errors."
