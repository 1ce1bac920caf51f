# SPDX-License-Identifier: GPL-3.0-or-later
# Debian packages the build needs, and a helper that installs the missing ones.
# Sourced by scripts/test and scripts/run.

QM517_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libhidapi-dev libudev-dev libxcb1-dev libxcb-xkb-dev libxcb-xfixes0-dev
    qt6-base-dev qt6-translations-l10n fonts-wqy-microhei fonts-liberation2
    qt6-wayland weston xvfb xauth trayer dbus-daemon desktop-file-utils appstream dpkg-dev file)

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    # The same command either way: run here as root, or printed for the user to run as root.
    local command="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them as root (su -c or sudo, as your system has it), then run this again:" >&2
        echo "    $command" >&2
        exit 1
    fi
    echo "Installing ${missing[*]} ..." >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >&2
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}
