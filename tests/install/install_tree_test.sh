#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks every installed file, runs the validators on
# them and starts the installed program, which must keep its data under XDG_DATA_HOME.
# Usage: install_tree_test.sh BUILD_DIR. Exit 77 (skipped) when a validator is not installed.
set -uo pipefail
source "$(dirname "$0")/check_support.sh"
build=$1

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }

for file in bin/vopamemo share/applications/vopamemo.desktop share/metainfo/org.vopamemo.VopaMemo.metainfo.xml \
            share/icons/hicolor/scalable/apps/vopamemo.svg share/mime/packages/vopamemo.xml share/man/man1/vopamemo.1.gz \
            share/doc/vopamemo/copyright share/doc/vopamemo/changelog.gz; do
  [ -f "$prefix/$file" ] || fail "missing $file"
done
for size in 16 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/vopamemo.png
  file "$png" | grep -q "PNG image data, $size x $size," || fail "not a $size px PNG: $png"
done
gzip -t "$prefix/share/man/man1/vopamemo.1.gz" || fail "manual page is no gzip file"

validate desktop-file-validate desktop-file-utils "$prefix/share/applications/vopamemo.desktop"
validate appstreamcli appstream validate --no-net "$prefix/share/metainfo/org.vopamemo.VopaMemo.metainfo.xml"
XDG_DATA_DIRS=$prefix/share validate update-mime-database shared-mime-info "$prefix/share/mime"
if command -v update-mime-database >/dev/null; then
  grep -q "application/x-vopamemo-book:\*.vopa" "$prefix/share/mime/globs2" || fail "*.vopa is not a VopaMemo book"
fi

# The installed program, even in a folder it could write to (as root), keeps its data per user.
data=$work/data
mkdir -p "$work/home" && mkdir -m 700 "$work/runtime"
chmod a-w "$prefix/bin"
HOME=$work/home XDG_DATA_HOME=$data XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache \
  XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen "$prefix/bin/vopamemo" &
pid=$!
# Start-up writes the settings file after the books: wait for it, not for a while.
for _ in $(seq 200); do [ -f "$data/VopaMemo/vopamemo.ini" ] && break; sleep 0.05; done
kill -TERM "$pid"
wait "$pid" || fail "installed program ended with $?"
[ -f "$data/VopaMemo/Books/Book1.vopa" ] || fail "no first book under XDG_DATA_HOME"
[ -f "$data/VopaMemo/Extra/Trash.vopa" ] || fail "no trash under XDG_DATA_HOME"
grep -q "CloseQ=" "$data/VopaMemo/vopamemo.ini" 2>/dev/null || fail "no settings file under XDG_DATA_HOME"
[ "$(ls -A "$prefix/bin")" = "vopamemo" ] || fail "the program wrote into its own folder: $(ls -A "$prefix/bin")"

finish
