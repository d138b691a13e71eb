#include "SettingsPanel.h"

#include "CurvePrivate.h"

#include <knotel/Curve.h>

namespace knotel {

SettingsPanel::SettingsPanel(CurvePrivate* curve) : QObject(curve->q), m_curve(curve) {}

void CurvePrivate::settingChanged(int, const QString&) {}

} // namespace knotel
