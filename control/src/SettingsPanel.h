#ifndef KNOTEL_SETTINGSPANEL_H
#define KNOTEL_SETTINGSPANEL_H

#include <QObject>

namespace knotel {

class CurvePrivate;

/**
 * The control's hidden settings panel: 17 text boxes and three buttons, children of the control,
 * created hidden and never shown. A change of a box's text writes its setting straight into the
 * control's state, then recomputes the layout and repaints.
 */
class SettingsPanel : public QObject {
    Q_OBJECT
public:
    explicit SettingsPanel(CurvePrivate* curve);

private:
    CurvePrivate* m_curve;
};

} // namespace knotel

#endif
