#ifndef KNOTEL_SETTINGSPANEL_H
#define KNOTEL_SETTINGSPANEL_H

#include <QObject>

#include <array>
#include <functional>

class QLineEdit;
class QWidget;

namespace knotel {

class CurveEngine;

/**
 * The control's settings panel: the 17 text boxes Text_Setting_0 to Text_Setting_16 and the
 * buttons Command_Ok, Command_Apply and Command_Cancel, children of the control, created hidden
 * and never shown. A change of a box's text writes its setting straight into the engine (a point
 * gets no has-been-set flag and no reference copy, Dimensions no limit), then tells the control,
 * which lays out and repaints. The buttons do nothing.
 */
class SettingsPanel : public QObject {
    Q_OBJECT
public:
    static constexpr int BoxCount = 17;

    /** Creates the panel's widgets on @p control; a box's change writes into @p engine, then calls
     *  @p written. */
    SettingsPanel(QWidget* control, CurveEngine& engine, std::function<void()> written);

    QLineEdit* box(int index) const { return m_boxes[size_t(index)]; }

private:
    void boxChanged(int index, const QString& text);

    CurveEngine& m_engine;
    std::function<void()> m_written;
    std::array<QLineEdit*, BoxCount> m_boxes{};
};

} // namespace knotel

#endif
