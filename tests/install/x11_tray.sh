#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A system tray that comes and goes: the X11 tray tests of the UI test program on Xvfb,
# with a session bus of their own, starting and stopping trayer. Skipped (77) only when
# Xvfb, trayer or dbus-run-session is missing.
# Usage: x11_tray.sh UI_TEST_PROGRAM
set -euo pipefail
program=$1
for tool in xvfb-run trayer dbus-run-session; do
    if ! command -v "$tool" >/dev/null; then
        echo "x11 tray test: SKIPPED: $tool is not installed" >&2
        exit 77
    fi
done
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Leaks are not checked here: the X and D-Bus client libraries Qt loads leave allocations of
# their own (every other test checks ours).
status=0
ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x900x24" dbus-run-session -- "$program" --gtest_filter='X11Tray.*' \
    >"$log" 2>&1 || status=$?
cat "$log"
if grep -q "\[  SKIPPED \]" "$log" || ! grep -q "\[  PASSED  \] [1-9]" "$log"; then
    echo "x11 tray test: the tests did not run on X11" >&2
    exit 1
fi
exit "$status"
