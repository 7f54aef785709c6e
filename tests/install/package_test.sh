#!/usr/bin/env bash
# Builds the Debian package once, checks its name, its computed Depends and its contents, and runs lintian.
# Usage: package_test.sh BUILD_DIR VERSION. Exit 77 (skipped) when a tool is not installed.
set -uo pipefail
source "$(dirname "$0")/check_support.sh"
build=$1
version=$2

for tool in dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed (scripts/deps.sh installs it)"; exit 77; }
done
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$work/vopamemo_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { fail "no $(basename "$deb"): $(ls "$work")"; finish; }

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6network6 libc6 libstdc++6; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library"
done
dpkg-deb --contents "$deb" | awk '{print $6}' >"$work/contents"
for file in ./usr/bin/vopamemo ./usr/share/applications/vopamemo.desktop \
            ./usr/share/metainfo/org.vopamemo.VopaMemo.metainfo.xml ./usr/share/man/man1/vopamemo.1.gz \
            ./usr/share/icons/hicolor/48x48/apps/vopamemo.png ./usr/share/icons/hicolor/scalable/apps/vopamemo.svg \
            ./usr/share/mime/packages/vopamemo.xml ./usr/share/doc/vopamemo/copyright \
            ./usr/share/doc/vopamemo/changelog.gz; do
  grep -qx "$file" "$work/contents" || fail "package lacks $file"
done

# Errors fail the check; warnings are printed for the record.
validate lintian lintian --fail-on error --tag-display-limit 0 "$deb"
finish
