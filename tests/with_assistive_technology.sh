#!/usr/bin/env bash
# Runs a test program where an assistive technology could listen: a private D-Bus session with the
# AT-SPI bus, a virtual X server, and Qt's bridge to that bus switched on. There QAccessible is
# active, so the accessibility events the control sends are delivered (under the offscreen platform
# Qt drops them unseen).
#
# usage: with_assistive_technology.sh <program> [arguments...]   (exits 77, "skipped", when a tool is missing)
set -euo pipefail

launcher=/usr/libexec/at-spi-bus-launcher
for tool in dbus-run-session dbus-send xvfb-run timeout; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x "$launcher" ] || { echo "skipped: at-spi2-core is not installed"; exit 77; }

if [ -z "${KNOTEL_AT_SESSION:-}" ]; then
    export KNOTEL_AT_SESSION=1
    exec timeout 120 dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

"$launcher" --launch-immediately &
launcher_pid=$!
trap 'kill "$launcher_pid" 2>/dev/null || true' EXIT
# Qt's bridge turns itself on once the accessibility bus has its name.
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q "boolean true" && break
    sleep 0.1
done
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$@"
