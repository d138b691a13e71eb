#ifndef KNOTEL_SETTINGSPANEL_H
#define KNOTEL_SETTINGSPANEL_H

#include <QObject>

#include <array>

class QLineEdit;
class QPushButton;

namespace knotel {

class CurvePrivate;

/**
 * The control's settings panel: the 17 text boxes Text_Setting_0 to Text_Setting_16 and the
 * buttons Command_Ok, Command_Apply and Command_Cancel, children of the control, created hidden
 * and never shown. A change of a box's text writes its setting straight into the control's state
 * (CurvePrivate::settingChanged), then recomputes the layout and repaints. The buttons do nothing.
 */
class SettingsPanel : public QObject {
    Q_OBJECT
public:
    static constexpr int BoxCount = 17;

    explicit SettingsPanel(CurvePrivate* curve);

    QLineEdit* box(int index) const { return m_boxes[size_t(index)]; }

private:
    std::array<QLineEdit*, BoxCount> m_boxes{};
};

} // namespace knotel

#endif
