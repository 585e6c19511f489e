#!/usr/bin/env bash
# Builds the Debian package from a built tree into a scratch folder and checks it without
# installing it: its control fields, that its Depends cover every library the executable
# is linked against and the plugins and fonts it loads at run time, that it holds the
# program, its data folder, launcher, desktop files and documentation with root
# ownership and a stripped program, and that lintian reports no error and no warning.
#
#   packaging/tests/check_deb.sh <build-dir>
set -euo pipefail

build=$(cd "${1:?usage: check_deb.sh <build-dir>}" && pwd)
work=$(mktemp -d /tmp/zelto-deb-test.XXXXXX)
trap 'rm -rf "$work"' EXIT

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; echo "FAIL: cpack did not build the package" >&2; exit 1; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one package, got: ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}

version=$(sed -n 's/^project(zelto VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "zelto_${version}_${arch}.deb" ] || fail "package file is named $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Package)" = zelto ] || fail "Package is $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version is $(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || fail "Architecture is $(dpkg-deb -f "$deb" Architecture)"
for field in Maintainer Description Section; do
    [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "no $field field"
done

# The package names of the Depends field, without versions or alternatives.
depends_listed=$(dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/[[:space:]]//g' | sed '/^$/d' | sort)
depends=$(uniq <<<"$depends_listed")
# A package named twice, once found by dpkg-shlibdeps and once by hand, may carry two
# minimum versions that disagree.
twice=$(uniq -d <<<"$depends_listed" | tr '\n' ' ')
[ -z "$twice" ] || fail "Depends names more than once: $twice"
has_depend() { grep -qx "$1" <<<"$depends"; }
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6svg6 \
    libicu72 libopencc1.1 libopencc-data fonts-wqy-microhei fonts-wqy-zenhei fonts-noto-color-emoji fonts-dejavu-core fonts-dejavu-extra fonts-symbola \
    libstdc++6; do
    has_depend "$p" || fail "Depends lacks $p"
done

[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "Recommends is '$(dpkg-deb -f "$deb" Recommends)'"

mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
program="$work/root/usr/lib/zelto/zelto"
[ -x "$program" ] || fail "no executable /usr/lib/zelto/zelto"

# Every library the executable needs must come from a package it depends on.
if [ -x "$program" ]; then
    ldd "$program" >"$work/ldd.txt" 2>&1 || true
    if grep -q 'not found' "$work/ldd.txt"; then
        fail "unresolved libraries: $(grep 'not found' "$work/ldd.txt" | tr -s ' \t' ' ')"
    fi
    for lib in $(awk '$2 == "=>" && $3 ~ /^\// {print $3}' "$work/ldd.txt"); do
        # With /lib merged into /usr/lib, dpkg may know the file under either name.
        owner=""
        for candidate in "$lib" "/usr$lib" "$(readlink -f "$lib")"; do
            owner=$(dpkg -S "$candidate" 2>/dev/null | head -1 | cut -d: -f1) && [ -n "$owner" ] && break
        done
        [ -n "$owner" ] || { fail "no package owns $lib"; continue; }
        # Libraries the listed Qt and C++ packages bring along are theirs to depend on;
        # only the ones the program links by name must be in our own field.
        if readelf -d "$program" | grep -q "NEEDED.*\[$(basename "$lib")\]"; then
            has_depend "$owner" || fail "$(basename "$lib") comes from $owner, which is not in Depends"
        fi
    done
    for elf in "$program" "$work/root/usr/lib/zelto/zelto-opencc-check"; do
        if [ -e "$elf" ] && readelf -S "$elf" | grep -q '\.debug_info'; then
            fail "$(basename "$elf") still carries debug information"
        fi
    done
fi

contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/zelto ./usr/lib/zelto/zelto ./usr/lib/zelto/zelto-opencc-check ./usr/share/zelto/zeltodata.dll \
    ./usr/share/applications/com.example.zelto.desktop ./usr/share/metainfo/com.example.zelto.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/zelto.svg ./usr/share/doc/zelto/copyright \
    ./usr/share/doc/zelto/changelog.gz ./usr/share/man/man1/zelto.1.gz; do
    grep -q " $path\$" <<<"$contents" || fail "package lacks $path"
done
for png in "$build"/icons/hicolor/*/apps/zelto.png; do
    [ -e "$png" ] || continue
    path=./usr/share/icons/hicolor/${png#"$build"/icons/hicolor/}
    grep -q " $path\$" <<<"$contents" || fail "package lacks $path"
done
collections=$(grep -c ' \./usr/share/zelto/data/[0-9]*\.zelto$' <<<"$contents" || true)
[ "$collections" -eq 19 ] || fail "package holds $collections collections, expected 19"
if awk '{print $2}' <<<"$contents" | grep -qv '^root/root$'; then
    fail "files not owned by root: $(awk '$2 != "root/root" {print $6}' <<<"$contents" | head -3)"
fi
# Only the executable and its dictionary checker are architecture-dependent.
stray=$(awk '$6 ~ /^\.\/usr\/lib\/zelto\/./ && $6 != "./usr/lib/zelto/zelto" &&
    $6 != "./usr/lib/zelto/zelto-opencc-check" {print $6}' <<<"$contents")
[ -z "$stray" ] || fail "data in the program folder: $stray"
grep -qx 'Path=/usr/share/zelto' "$work/root/usr/share/applications/com.example.zelto.desktop" ||
    fail "desktop entry does not start the program in /usr/share/zelto"
if grep -rlF "$build" "$work/root" >/dev/null; then
    fail "files name the build folder: $(grep -rlF "$build" "$work/root" | head -3)"
fi

if command -v lintian >/dev/null; then
    # Errors and warnings fail; overrides, each with its reason, live in the package.
    if ! lintian --fail-on error,warning --display-level '>=warning' "$deb" >"$work/lintian.log" 2>&1; then
        cat "$work/lintian.log" >&2
        fail "lintian reports errors or warnings"
    fi
else
    fail "lintian is not installed"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "package $(basename "$deb"): all checks passed"
