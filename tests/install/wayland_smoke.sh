#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window on a Wayland session: a headless weston, and the Wayland tests of the UI test
# program run against it. Skipped (77) only when weston cannot start.
# Usage: wayland_smoke.sh UI_TEST_PROGRAM
set -euo pipefail
program=$1
runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_pid=
cleanup() {
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT
if ! command -v weston >/dev/null; then
    echo "wayland smoke test: SKIPPED: weston is not installed" >&2
    exit 77
fi
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=qm517-wayland --idle-time=0 \
    >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$runtime/qm517-wayland" ] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$runtime/qm517-wayland" ]; then
    echo "wayland smoke test: SKIPPED: weston did not start:" >&2
    cat "$runtime/weston.log" >&2
    exit 77
fi
# The test program makes a runtime folder of its own: the compositor is named by its path.
# Leaks are not checked here: the Wayland client libraries Qt loads and unloads leave
# allocations the leak checker cannot even name (every other test checks ours).
ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 \
WAYLAND_DISPLAY=$runtime/qm517-wayland QT_QPA_PLATFORM=wayland "$program" --gtest_filter='Wayland.*' 2>&1 |
    tee "$runtime/test.log"
status=${PIPESTATUS[0]}
if grep -q "\[  SKIPPED \]" "$runtime/test.log" || ! grep -q "\[  PASSED  \] [1-9]" "$runtime/test.log"; then
    echo "wayland smoke test: the tests did not run on Wayland" >&2
    exit 1
fi
exit "$status"
