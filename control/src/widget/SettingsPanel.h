#ifndef KNOTEL_SETTINGSPANEL_H
#define KNOTEL_SETTINGSPANEL_H

#include <QObject>

#include <array>
#include <functional>

class QLineEdit;
class QWidget;

namespace knotel {

class PointTable;
struct CurveSettings;

/**
 * The control's settings panel: the 17 text boxes Text_Setting_0 to Text_Setting_16 and the
 * buttons Command_Ok, Command_Apply and Command_Cancel, children of the control, created hidden
 * and never shown. A change of a box's text writes its setting straight into the settings or the
 * point table (no has-been-set flag, no reference copy, no limit on Dimensions), then tells the
 * control, which lays out and repaints. The buttons do nothing.
 */
class SettingsPanel : public QObject {
    Q_OBJECT
public:
    static constexpr int BoxCount = 17;

    /** Creates the panel's widgets on @p control; a box's change writes into @p settings or @p points,
     *  then calls @p written, saying whether the box gave points or their number. */
    SettingsPanel(QWidget* control, CurveSettings& settings, PointTable& points,
                  std::function<void(bool pointsWritten)> written);

    QLineEdit* box(int index) const { return m_boxes[size_t(index)]; }

private:
    void boxChanged(int index, const QString& text);

    CurveSettings& m_settings;
    PointTable& m_points;
    std::function<void(bool pointsWritten)> m_written;
    std::array<QLineEdit*, BoxCount> m_boxes{};
};

} // namespace knotel

#endif
