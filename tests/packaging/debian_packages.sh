#!/usr/bin/env bash
# The Debian packages of a build (<build>/packages/*.deb, made by cpack) as a user gets them:
# lintian (when installed) finds no error in them; they install with apt-get, which checks their
# dependencies; then a CMake host and a pkg-config host build against them with no prefix given
# and run, Debian's /usr/bin/python3 imports the Python module, Qt's qml tool loads the QML
# module, and Knotelbench starts under Xvfb and saves a screenshot
# (<build>/package-test/knotelbench.png). The packages are removed again at the end.
#
# Installing needs root. Otherwise, or when a Knotel package is installed already (it is left
# alone), the packages are unpacked into a scratch root instead, and the hosts are pointed at it.
#
# Usage: tests/packaging/debian_packages.sh <build dir>
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "$1" && pwd)
work=$build/package-test
multiarch=$(dpkg-architecture --query DEB_HOST_MULTIARCH)
packages=("$build"/packages/*.deb)
[ -f "${packages[0]}" ] || { echo "debian_packages: no packages in $build/packages" >&2; exit 1; }
names=()
for p in "${packages[@]}"; do names+=("$(dpkg-deb --field "$p" Package)"); done
rm -rf "$work"
mkdir -p "$work"

step() { echo "debian_packages: $*"; }

if command -v lintian >/dev/null; then
    step "lintian"
    verdict=0
    lintian --fail-on error "${packages[@]}" >"$work/lintian.log" 2>&1 || verdict=$?
    grep -v "^running with root privileges" "$work/lintian.log" || true
    [ "$verdict" -eq 0 ] || { echo "lintian reports errors" >&2; exit 1; }
fi

# Nothing of a build tree or another installation on the way.
unset LD_LIBRARY_PATH PYTHONPATH QML_IMPORT_PATH QML2_IMPORT_PATH PKG_CONFIG_PATH CMAKE_PREFIX_PATH
installed=()
for n in "${names[@]}"; do
    dpkg-query --show --showformat='${Status}' "$n" 2>/dev/null | grep -q "install ok installed" && installed+=("$n")
done
root=
cmake_options=()
if [ "$(id -u)" -eq 0 ] && [ ${#installed[@]} -eq 0 ]; then
    step "installing ${names[*]}"
    remove() {
        step "removing ${names[*]}"
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=120 "${names[@]}" >/dev/null
    }
    trap remove EXIT
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=120 \
        "${packages[@]}" >/dev/null
else
    [ ${#installed[@]} -eq 0 ] || step "${installed[*]} installed already: left as they are"
    root=$work/root
    step "unpacking ${names[*]} into $root"
    for p in "${packages[@]}"; do dpkg-deb --extract "$p" "$root"; done
    export LD_LIBRARY_PATH=$root/usr/lib/$multiarch
    export PYTHONPATH=$root/usr/lib/python3/dist-packages
    export QML_IMPORT_PATH=$root/usr/lib/$multiarch/qt6/qml
    export PKG_CONFIG_PATH=$root/usr/lib/$multiarch/pkgconfig
    cmake_options=(-DCMAKE_PREFIX_PATH="$root/usr")
fi
export QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software

# file_of <package> <pattern>: the one file of <package> whose path matches <pattern>.
file_of() {
    dpkg-deb --contents "$build/packages/$1"_*.deb | awk '{ print $6 }' | grep -E "$2" | sed "s|^\.|$root|"
}

step "a CMake host"
cmake -S "$here/../consumer" -B "$work/cmake-host" -G Ninja "${cmake_options[@]}" >/dev/null
cmake --build "$work/cmake-host" >/dev/null
"$work/cmake-host/consumer" "$(file_of knotel-designer-plugin '\.so$')"

step "a pkg-config host"
# Qt's headers want position-independent code in applications.
# shellcheck disable=SC2046 # the flags are words
c++ -std=c++17 -fPIC "$here/../consumer/pkgconfig_host.cpp" $(pkg-config --cflags --libs knotel) -o "$work/pkgconfig_host"
"$work/pkgconfig_host"

step "the Python module in /usr/bin/python3"
/usr/bin/python3 -c "import sys, knotel, PyQt6.QtWidgets as w
assert knotel.__file__.startswith(sys.argv[1]), knotel.__file__
app = w.QApplication([])
assert knotel.Curve().Dimensions == 7" "$root/usr/lib/python3/dist-packages/knotel/"

step "the QML module in Qt's qml tool"
cat >"$work/curve.qml" <<'EOF'
import QtQuick
import Knotel

Curve {
    width: 320
    height: 200
    Timer {
        running: true
        onTriggered: Qt.exit(parent.dimensions === 7 ? 0 : 1)
    }
}
EOF
timeout 60 /usr/lib/qt6/bin/qml "$work/curve.qml"

step "Knotelbench under Xvfb"
QT_QPA_PLATFORM=xcb timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" "$root/usr/bin/Knotelbench" --screenshot "$work/knotelbench.png"
[ -s "$work/knotelbench.png" ] || { echo "Knotelbench saved no screenshot" >&2; exit 1; }
step "${#names[@]} packages served every host; Knotelbench's window is $work/knotelbench.png"
