#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when missing.
# A machine that has them all is left alone: apt-get is not called at all.
set -euo pipefail

ZELTO_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-svg-dev libqt6svg6
    libicu-dev libgl-dev libxcb1-dev libxcb-xtest0-dev libbz2-dev unicode-data unicode-cldr-core
    libopencc-dev libopencc-data opencc
    fonts-wqy-microhei fonts-wqy-zenhei fonts-dejavu-core fonts-dejavu-extra fonts-symbola fonts-noto-color-emoji
    libbenchmark-dev
    xvfb xauth openbox xdotool xclip x11-utils imagemagick trayer xterm
    sqlite3 python3 clang-format
    dpkg-dev appstream desktop-file-utils lintian man-db
    weston xwayland qt6-wayland
    dbus-daemon at-spi2-core python3-pyatspi gir1.2-atspi-2.0
)

zelto_missing_packages() {
    local p
    for p in "${ZELTO_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            echo "$p"
        fi
    done
}

zelto_ensure_packages() {
    local missing
    missing=$(zelto_missing_packages | tr '\n' ' ')
    if [ -n "${missing// /}" ]; then
        echo "Installing missing packages: $missing"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -qq
        # shellcheck disable=SC2086
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
    fi
}
