// Runs the QML test cases of the Curve item (tst_*.qml) with Qt Quick Test; the import path
// given on the command line says which Knotel module they load: the build's or an installed one.
#include <QtQuickTest>

QUICK_TEST_MAIN(knotel_qml)
