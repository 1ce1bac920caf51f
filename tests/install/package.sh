#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: built with cpack from the build tree, unpacked into a scratch root
# with dpkg -x, and its programs run from there (qm517pro finds its skins through the
# install layout). Skipped (77) only when dpkg-deb is missing.
# Usage: package.sh BUILD_DIR
set -euo pipefail
build=$1
if ! command -v dpkg-deb >/dev/null; then
    echo "debian package: SKIPPED: dpkg-deb is not installed" >&2
    exit 77
fi
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
rm -rf "$build/package"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/package/qm517pro_*.deb)
info=$(dpkg-deb --info "$deb")
grep -q "Depends: .*libqt6widgets6" <<<"$info" || {
    echo "debian package: no Qt dependency found by dpkg-shlibdeps:" >&2
    echo "$info" >&2
    exit 1
}
grep -q "postinst" <<<"$info" || { echo "debian package: no postinst" >&2; exit 1; }
grep -q "postrm" <<<"$info" || { echo "debian package: no postrm" >&2; exit 1; }
# The fonts the window is laid out for: Liberation for the Latin texts, WenQuanYi for Chinese.
for font in fonts-liberation2 fonts-wqy-microhei; do
    grep -qE "Depends: .*\b$font\b" <<<"$info" || { echo "debian package: does not depend on $font:" >&2; echo "$info" >&2; exit 1; }
done
dpkg -x "$deb" "$root"
fail=0
help=$("$root/usr/bin/qm517pro" --help) || { echo "qm517pro --help failed" >&2; fail=1; }
grep -q "read from $root/usr/share/qm517pro/" <<<"$help" || { echo "qm517pro reads its skins elsewhere: $help" >&2; fail=1; }
list=$("$root/usr/bin/qm517ctl" --emulate list) || { echo "qm517ctl --emulate list failed" >&2; fail=1; }
grep -q "mousepad: present" <<<"$list" || { echo "qm517ctl --emulate list: $list" >&2; fail=1; }
[ -f "$root/usr/lib/udev/rules.d/70-qm517pro.rules" ] || { echo "no udev rule in the package" >&2; fail=1; }
# The licence is granted in the copyright file, and the user guide comes along.
grep -q "^License: GPL-3.0+" "$root/usr/share/doc/qm517pro/copyright" ||
    { echo "the copyright file grants no licence" >&2; fail=1; }
[ -f "$root/usr/share/doc/qm517pro/README.md" ] || { echo "no README in /usr/share/doc/qm517pro" >&2; fail=1; }
version=$("$root/usr/bin/qm517pro" --version) || { echo "qm517pro --version failed" >&2; fail=1; }
grep -q "^qm517pro $(dpkg-deb -f "$deb" Version)\$" <<<"$version" ||
    { echo "qm517pro --version says '$version', the package $(dpkg-deb -f "$deb" Version)" >&2; fail=1; }
exit $fail
