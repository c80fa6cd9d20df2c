#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and runs the installed narrix from there with a fresh
# home: it must find its hook library and every shipped file of the source tree's data/ inside the
# installed tree (never in the build or source tree), start offscreen and end on SIGTERM. The desktop
# files and the AppStream data pass their validators.
# Usage: install_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
SOURCE=$(cd "$1" && pwd)
BUILD=$(cd "$2" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/narrix-install.XXXXXX")
PROGRAM_PID=
cleanup() {
  [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$WORK/root" cmake --install "$BUILD" >"$WORK/install.log" || { cat "$WORK/install.log"; fail "cmake --install"; }
PREFIX=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$BUILD/CMakeCache.txt")
ROOT="$WORK/root$PREFIX"
for file in bin/narrix bin/vozozo share/man/man1/narrix.1.gz share/man/man1/vozozo.1.gz \
    share/applications/net.quillmark.Narrix.desktop share/applications/net.quillmark.Narrix.ImportList.desktop \
    share/applications/net.quillmark.Vozozo.desktop \
    share/metainfo/net.quillmark.Narrix.metainfo.xml share/mime/packages/narrix.xml \
    share/icons/hicolor/scalable/apps/net.quillmark.Narrix.svg share/doc/narrix/copyright; do
  [ -f "$ROOT/$file" ] || fail "not installed: $file"
done
for size in 16 22 24 32 48 64 128 256; do
  icon="$ROOT/share/icons/hicolor/${size}x${size}/apps/net.quillmark.Narrix.png"
  [ -f "$icon" ] || fail "no ${size}-pixel icon"
  file "$icon" | grep -q "PNG image data, $size x $size" || fail "the ${size}-pixel icon is $(file -b "$icon")"
done
# No path of the build tree is compiled into what is installed (the debugging data names the sources'
# folders, which is no lookup: only the read-only data the program uses is searched).
HOOK=$(find "$ROOT/lib" -path '*/narrix/librealtime.so')
[ -n "$HOOK" ] || fail "the hook library is not installed in a narrix folder under lib/"
MODULES=$(find "$ROOT/lib" -path '*/narrix/libnarrix_*.so')
[[ "$MODULES" == *"/narrix/libnarrix_pdf.so"* ]] || fail "the PDF module is not installed beside the hook library"
# A sanitizer build records where each of its globals was compiled (generated files in the build
# folder among them): the check is for the builds that are installed.
SANITIZED=$(sed -n 's/^NARRIX_SANITIZE:BOOL=//p' "$BUILD/CMakeCache.txt")
[ "$SANITIZED" = ON ] && echo "note: sanitizer build, compiled-in paths not checked"
for binary in "$ROOT/bin/narrix" "$ROOT/bin/vozozo" "$HOOK" $MODULES; do
  [ "$SANITIZED" = ON ] && break
  objcopy -O binary --only-section=.rodata "$binary" "$WORK/rodata"
  if grep -qF "$BUILD" "$WORK/rodata"; then fail "build-tree path in $binary"; fi
  if grep -qF "$SOURCE/data" "$WORK/rodata"; then fail "the source tree's data folder in $binary"; fi
done

# A fresh home: nothing of the user's or the test's own settings.
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_DATA_HOME="$WORK/home/.local/share"
export XDG_CACHE_HOME="$WORK/home/.cache" QT_QPA_PLATFORM=offscreen NARRIX_AUDIO=null
unset NARRIX_DATA_DIR
mkdir -p "$HOME"
REPORT=$(NARRIX_REPORT_FILES=1 "$ROOT/bin/narrix")
echo "$REPORT"
expect() { # name, file of data/ (empty: always expected)
  local line
  line=$(grep "^$1: " <<<"$REPORT") || fail "no line for $1"
  if [ -z "$2" ] || [ -e "$SOURCE/data/$2" ]; then
    [[ "$line" == "$1: $ROOT/"* ]] || fail "$line (expected inside $ROOT)"
  else
    echo "note: data/$2 is not in the source tree yet"
  fi
}
[[ "$REPORT" == *"hook library: $HOOK"* ]] || fail "the installed hook library $HOOK was not found"
expect "manual" manual/index.html
expect "tips" Tips.txt
expect "channel list" channels.nxl

# The installed program starts with the fresh home and ends cleanly on SIGTERM.
NARRIX_STARTUP_PROBE=1 "$ROOT/bin/narrix" 2>"$WORK/narrix.err" &
PROGRAM_PID=$!
for _ in $(seq 300); do
  grep -q "shown after" "$WORK/narrix.err" && break
  kill -0 "$PROGRAM_PID" 2>/dev/null || { cat "$WORK/narrix.err"; fail "narrix ended at start-up"; }
  sleep 0.1
done
grep -q "shown after" "$WORK/narrix.err" || { cat "$WORK/narrix.err"; fail "narrix did not show its window"; }
kill -TERM "$PROGRAM_PID"
wait "$PROGRAM_PID" || fail "narrix ended with status $? on SIGTERM"
PROGRAM_PID=
[ -f "$XDG_CONFIG_HOME/Quillmark/Narrix.conf" ] || fail "no settings written to the fresh home"
"$ROOT/bin/vozozo" --print - -o /dev/null <<<"Hello" >/dev/null || fail "installed vozozo"

desktop-file-validate "$ROOT"/share/applications/*.desktop
appstreamcli validate --no-net --pedantic "$ROOT/share/metainfo/net.quillmark.Narrix.metainfo.xml"
echo "installed program OK"
