#ifndef KNOTELBENCH_KNOTELBENCHMAIN_H
#define KNOTELBENCH_KNOTELBENCHMAIN_H

#include "ColourChooser.h"
#include "FormTable.h"
#include "RandomGenerator.h"
#include "ScreenTwips.h"

#include <knotel/Dispatch.h>

#include <QFont>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;

namespace knotelbench {

/**
 * The evaluation window: one Knotel.Curve control, created by its registered name and driven
 * only through its dispatch interface, 42 property boxes and the colour and command buttons.
 *
 * Every change of a property box's text, typed or assigned, writes the box's value into its
 * property at once; nothing is redrawn until RePaint. A box whose number does not fit its
 * property leaves the property as it was and shows its text in red. An error the control
 * reports to a button stops that button and is shown in the status line at the bottom.
 */
class KnotelbenchMain : public QWidget {
    Q_OBJECT

public:
    /**
     * Builds the window and runs the start step. @p chooser stands in for the colour dialog;
     * without one the window uses Qt's. Throws std::runtime_error when the control library
     * does not provide Knotel.Curve with the members the window uses.
     */
    explicit KnotelbenchMain(std::unique_ptr<ColourChooser> chooser = nullptr, QWidget* parent = nullptr);
    ~KnotelbenchMain() override;

    /** The hosted control's late-bound face. */
    knotel::Dispatch* control() const { return m_control; }

private:
    void createControl(const ScreenTwips& twips);
    void createBoxes(const ScreenTwips& twips);
    void createButtons(const ScreenTwips& twips);
    void lookUpMembers();
    void orderTabs();

    // Property boxes.
    void boxChanged(int index);
    void showBoxWritable(int index, bool writable, const QString& reason);
    /** Assigns a box's text; its change handling runs within the assignment, also for the same text. */
    void assignBoxText(int index, const QString& text);
    double boxValue(int index) const;

    // Buttons.
    void runCommand(const char* caption, const std::function<void()>& body);
    void getPoint();
    void setPoint();
    void getChanged();
    void setChanged();
    void rePaint();
    void createRandomValues();
    void chooseColour(int k);
    void writeValueIndexFromBox();

    knotel::Dispatch* m_control = nullptr;
    std::unique_ptr<ColourChooser> m_chooser;
    RandomGenerator m_random;

    std::array<QLineEdit*, PropertyBoxCount> m_boxes{};
    std::array<knotel::DispId, PropertyBoxCount> m_boxMember{};
    std::array<knotel::DispId, ColourButtonCount> m_colourMember{};
    knotel::DispId m_valueIndex = -1;
    knotel::DispId m_xKnotel = -1;
    knotel::DispId m_yKnotel = -1;
    knotel::DispId m_changed = -1;
    knotel::DispId m_dimensions = -1;
    knotel::DispId m_rePaint = -1;

    QLabel* m_status = nullptr;
    QFont m_smallFont;
    /** Widgets with their tab index, for the tab order. */
    std::vector<std::pair<int, QWidget*>> m_tabStops;
};

} // namespace knotelbench

#endif
