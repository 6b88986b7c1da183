#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR with prefix /usr, as the Debian
# package does, and checks the tree a desktop and a user will read: every
# file in its place and nothing outside the prefix, the programs run from
# there, the desktop entry, the metainfo and the manual pages pass their
# checkers, and every icon is a PNG of its size.
#   install_tree_test.sh BUILD_DIR DESKTOP_ID
set -uo pipefail
build=$1
id=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/zq61-install-test.XXXXXX")
emulator_pid=
cleanup() {
  if [ -n "$emulator_pid" ] && kill -0 "$emulator_pid" 2>/dev/null; then
    kill "$emulator_pid"
    wait "$emulator_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
passed=0
check() {  # description command...
  local what=$1
  shift
  if "$@" >"$work/check.log" 2>&1; then
    passed=$((passed + 1))
  else
    failures=$((failures + 1))
    echo "FAILED: $what"
    sed 's/^/  /' "$work/check.log"
  fi
}

root="$work/root"
if ! DESTDIR="$root" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
  echo "FAILED: cmake --install"
  cat "$work/install.log"
  exit 1
fi
usr="$root/usr"

# Every file in its freedesktop or Debian place.
files=(
  bin/zq61 bin/zq61-cli bin/zq61-emu
  "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml"
  "share/mime/packages/$id.xml"
  "share/icons/hicolor/scalable/apps/$id.svg"
  share/man/man1/zq61.1.gz share/man/man1/zq61-cli.1.gz share/man/man1/zq61-emu.1.gz
  lib/udev/rules.d/70-zq61.rules
  share/doc/zq61/copyright share/doc/zq61/changelog.gz
)
for file in "${files[@]}"; do
  check "$file is installed" test -s "$usr/$file"
done
for program in zq61 zq61-cli zq61-emu; do
  check "$program is executable" test -x "$usr/bin/$program"
done
stray=$(cd "$root" && find . -mindepth 1 -path ./usr -prune -o -print)
check "nothing is installed outside the prefix: $stray" test -z "$stray"

# Each icon size, as a PNG of that size (width and height in its header).
png_size() {  # file -> "WxH"
  local header
  header=$(od -An -tx1 -j12 -N12 "$1" | tr -d ' \n')
  [ "${header:0:8}" = 49484452 ] || return 1  # "IHDR"
  echo "$((16#${header:8:8}))x$((16#${header:16:8}))"
}
for size in 16 32 48 64 128 256; do
  icon="$usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  check "icon ${size}x${size} is a ${size}x${size} PNG" \
    test "$(png_size "$icon" 2>/dev/null)" = "${size}x${size}"
done

# The desktop entry and the metainfo, and what they name is there.
desktop="$usr/share/applications/$id.desktop"
metainfo="$usr/share/metainfo/$id.metainfo.xml"
check "desktop-file-validate" desktop-file-validate "$desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$metainfo"
check "the desktop entry's icon is the installed icon" grep -qx "Icon=$id" "$desktop"
check "the desktop entry starts an installed program" \
  test -x "$usr/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
check "the metainfo launches the desktop entry" \
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
for binary in $(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo"); do
  check "the metainfo's binary $binary is installed" test -x "$usr/bin/$binary"
done

# The package and patch types: the installed MIME database (beside the
# system's) maps sample files to them by name, and by their first bytes when
# the name says nothing; the desktop entry opens all three.
types=(application/x-zq61-free-package application/x-zq61-commercial-package
       application/x-zq61-patch)
check "update-mime-database" update-mime-database "$usr/share/mime"
samples="$work/samples"
mkdir -p "$samples"
printf 'ZQKG\001\000\000\000' >"$samples/race.fpk"
printf 'ZPK \000\000\000\000' >"$samples/RACE.ZPK"
printf 'PTCH\001\000\000\000' >"$samples/fix.zqt"
printf 'ZQKG\001\000\000\000' >"$samples/downloaded-package"
printf 'PTCH\001\000\000\000' >"$samples/downloaded-patch"
printf 'hello\n' >"$samples/notes.fpk.txt"
content_type() {  # file -> the type the desktop's database gives it
  XDG_DATA_DIRS="$usr/share:/usr/share" XDG_DATA_HOME="$work/data" \
    gio info -a standard::content-type "$1" 2>/dev/null | sed -n 's/^ *standard::content-type: //p'
}
while read -r sample type; do
  check "$sample is $type" test "$(content_type "$samples/$sample")" = "$type"
done <<EOF_TYPES
race.fpk application/x-zq61-free-package
RACE.ZPK application/x-zq61-commercial-package
fix.zqt application/x-zq61-patch
downloaded-package application/x-zq61-free-package
downloaded-patch application/x-zq61-patch
notes.fpk.txt text/plain
EOF_TYPES
for type in "${types[@]}"; do
  check "the desktop entry opens $type" grep -Eq "^MimeType=(.*;)?$type;" "$desktop"
  check "$type has a comment and the program's icon" bash -c \
    "grep -A3 'type=\"$type\"' '$usr/share/mime/packages/$id.xml' | grep -q '<icon name=\"$id\"/>'"
done
check "the desktop entry passes the file it opens" grep -Eq '^Exec=zq61 %f$' "$desktop"

# The manual pages render without a warning of groff (all of them, more than
# lintian asks for), each with its NAME line.
for program in zq61 zq61-cli zq61-emu; do
  page="$usr/share/man/man1/$program.1.gz"
  check "man -l $program.1.gz has no warnings" bash -c \
    "LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings=w -E UTF-8 -l -Tutf8 -Z '$page' \
       2>&1 >/dev/null | (! grep .)"
  check "man -l $program.1.gz shows its name" bash -c \
    "MANWIDTH=80 man -l '$page' 2>/dev/null | grep -Eq '^ *$program +- '"
done

# The programs run from the installed tree.
check "zq61-cli --help" bash -c "'$usr/bin/zq61-cli' --help | grep -q '^usage: zq61-cli'"
check "zq61-emu --help" bash -c "'$usr/bin/zq61-emu' --help | grep -q '^usage: zq61-emu'"

# The window against the installed emulator: it answers its own questions,
# saves a picture of itself and quits.
device="$work/device"
mkdir -p "$device"
"$usr/bin/zq61-emu" --card "$work/card" --device-dir "$device" >"$work/emulator.log" 2>&1 &
emulator_pid=$!
for _ in $(seq 1 600); do
  compgen -G "$device/*/PIPE00" >/dev/null && break
  sleep 0.1
done
shot="$work/window.png"
check "zq61 runs from the installed tree and saves its window" env \
  ZQ61_DEVICE_DIR="$device" ZQ61_SCREENSHOT="$shot" QT_QPA_PLATFORM=offscreen \
  XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  timeout 240 "$usr/bin/zq61"
check "the window's picture is a PNG" test "$(od -An -c -j1 -N3 "$shot" 2>/dev/null | tr -d ' ')" = PNG

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
