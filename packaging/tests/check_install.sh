#!/usr/bin/env bash
# Installs a built tree under a prefix with a space in it and checks what a desktop user
# relies on: the program and data folders are complete, the launcher starts the program
# in the data folder from anywhere (also through a symbolic link, with its arguments
# intact), the desktop entry names the installed data folder, and the entry and the
# metainfo pass their validators.
# A staged install (DESTDIR) must name the final folder, not the staging one.
#
#   packaging/tests/check_install.sh <build-dir>
set -euo pipefail

build=${1:?usage: check_install.sh <build-dir>}
work=$(mktemp -d /tmp/zelto-install-test.XXXXXX)
trap 'rm -rf "$work"' EXIT

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect_file() { [ -f "$1" ] || fail "missing file ${1#"$work"/}"; }
expect_executable() { [ -x "$1" ] || fail "not executable: ${1#"$work"/}"; }
# The value of a key in the [Desktop Entry] group.
desktop_value() {
    awk -F= -v key="$2" '/^\[/ {group = $0} group == "[Desktop Entry]" && $1 == key {
        sub(/^[^=]*=/, ""); print; exit }' "$1"
}

prefix="$work/my prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log"

programdir="$prefix/lib/zelto"
datadir="$prefix/share/zelto"
expect_executable "$programdir/zelto"
expect_file "$datadir/zeltodata.dll"
for n in $(seq 1 19); do expect_file "$datadir/data/$n.zelto"; done
expect_file "$prefix/share/man/man1/zelto.1.gz"
expect_file "$prefix/share/doc/zelto/copyright"
expect_executable "$prefix/bin/zelto"
desktop="$prefix/share/applications/com.example.zelto.desktop"
metainfo="$prefix/share/metainfo/com.example.zelto.metainfo.xml"
expect_file "$desktop"
expect_file "$metainfo"
expect_file "$prefix/share/icons/hicolor/scalable/apps/zelto.svg"
# The rendered icon sizes, where the build has made them.
for png in "$build"/icons/hicolor/*/apps/zelto.png; do
    [ -e "$png" ] || continue
    expect_file "$prefix/share/icons/hicolor/${png#"$build"/icons/hicolor/}"
done
# Nothing of the build (tests, tools, libraries) belongs in an installed copy.
stray=$(cd "$prefix" && find . -type f | grep -v -e '^./lib/zelto/zelto$' -e '^./lib/zelto/zelto-opencc-check$' -e '^./bin/zelto$' -e '^./share/' || true)
[ -z "$stray" ] || fail "unexpected files installed: $stray"

# The launcher, with the real program swapped for one that reports where and how it ran.
cat >"$programdir/zelto" <<'EOF'
#!/bin/sh
pwd
for a in "$@"; do echo "arg:$a"; done
EOF
chmod +x "$programdir/zelto"
mkdir -p "$work/elsewhere/bin"
ln -s "$prefix/bin/zelto" "$work/elsewhere/bin/zelto"
for launcher in "$prefix/bin/zelto" "$work/elsewhere/bin/zelto"; do
    out=$(cd "$work/elsewhere" && "$launcher" "two words" "" 2>&1) || true
    expected=$(printf '%s\n' "$datadir" "arg:two words" "arg:")
    [ "$out" = "$expected" ] || fail "launcher $launcher ran as:
$out
expected:
$expected"
done
out=$(cd / && PATH="$prefix/bin:$PATH" zelto 2>&1) || true
[ "$out" = "$datadir" ] || fail "launcher found on the PATH ran in '$out'"

for pair in "Type=Application" "Name=Zelto签名字符2008" "Name[zh_CN]=Zelto签名字符2008" "Exec=zelto" \
    "Icon=zelto" "Terminal=false" "Categories=Utility;" "Path=$datadir"; do
    key=${pair%%=*}
    value=$(desktop_value "$desktop" "$key")
    [ "$key=$value" = "$pair" ] || fail "desktop entry has $key=$value, expected $pair"
done
[ -n "$(desktop_value "$desktop" "Comment")" ] || fail "desktop entry has no Comment"
[ -n "$(desktop_value "$desktop" "Comment[zh_CN]")" ] || fail "desktop entry has no Comment[zh_CN]"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
else
    echo "desktop-file-validate not installed: desktop entry not validated"
fi

grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
    fail "metainfo does not launch $(basename "$desktop")"
version=$(sed -n 's/^project(zelto VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$metainfo" >"$work/appstream.log" 2>&1 ||
        { cat "$work/appstream.log" >&2; fail "appstreamcli rejects the metainfo"; }
else
    echo "appstreamcli not installed: metainfo not validated"
fi

# A staged install, as packaging does it.
DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >"$work/stage.log"
path=$(desktop_value "$work/stage/usr/share/applications/com.example.zelto.desktop" Path)
[ "$path" = /usr/share/zelto ] || fail "staged desktop entry has Path=$path, expected /usr/share/zelto"
[ -x "$work/stage/usr/lib/zelto/zelto" ] || fail "staged install has no program"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install layout, launcher, desktop entry and metainfo: all checks passed"
