// The hidden settings panel: its boxes and buttons, and the change handling that writes a
// box's setting straight into the control's fields.
#include "SettingsPanel.h"

#include "CurvePrivate.h"
#include "platform/Twips.h"

#include <knotel/Curve.h>
#include <knotel/LeadingValue.h>
#include <knotel/RuntimeError.h>

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <iterator>

namespace knotel {

namespace {

struct Control {
    const char* text;
    int left, top, width, height, tabIndex;
};

// Design texts and places, in twips relative to the control.
const Control Boxes[SettingsPanel::BoxCount] = {
    {"Caption", 5160, 5220, 1935, 285, 20},
    {"+20 XAxisLeft", 5160, 5580, 1935, 285, 19},
    {"-20 XAxisRight", 5160, 5880, 1935, 285, 18},
    {"80 YAxisTop", 540, 5700, 1935, 285, 17},
    {"20 YAxisBottom", 540, 6000, 1935, 285, 16},
    {"XAxisText", 600, 6390, 1935, 285, 15},
    {"YAxisText", 600, 6690, 1935, 285, 14},
    {"4 Dimensions", 2760, 5310, 1935, 285, 13},
    {"-20", 2760, 5610, 915, 285, 12},
    {"70", 3780, 5610, 915, 285, 11},
    {"-5", 2760, 5910, 915, 285, 10},
    {"50", 3780, 5910, 915, 285, 9},
    {"+5", 2760, 6210, 915, 285, 8},
    {"30", 3780, 6210, 915, 285, 7},
    {"+20", 2760, 6510, 915, 285, 6},
    {"20", 3780, 6510, 915, 285, 5},
    {"1 BreakPointShape", 2760, 6810, 1935, 285, 4},
};

struct Button {
    const char* name;
    const char* caption;
    Control place;
};

const Button Buttons[] = {
    {"Command_Cancel", "Avbryt", {nullptr, 5340, 6810, 1155, 315, 1}},
    {"Command_Apply", "Verkst\u00e4ll", {nullptr, 6540, 6810, 1155, 315, 2}},
    {"Command_Ok", "Ok", {nullptr, 7710, 6810, 1155, 315, 3}},
};

/** Writes LeadingValue of @p text into @p field as a single; a number beyond the single range leaves it. */
void writeSingle(float& field, const QString& text)
{
    try {
        field = toSingle(LeadingValue(text));
    } catch (const RuntimeError&) {
    }
}

/** Writes LeadingValue of @p text rounded ties-to-even; a number beyond 32 bits leaves the field. */
void writeWhole(qint32& field, const QString& text)
{
    try {
        field = roundToInt32(LeadingValue(text));
    } catch (const RuntimeError&) {
    }
}

} // namespace

SettingsPanel::SettingsPanel(CurvePrivate* curve) : QObject(curve->q)
{
    QWidget* owner = curve->q;
    std::array<std::pair<int, QWidget*>, BoxCount + std::size(Buttons)> byTabIndex;
    for (int i = 0; i < BoxCount; ++i) {
        const Control& c = Boxes[i];
        auto* box = new QLineEdit(QString::fromUtf8(c.text), owner);
        box->setObjectName(QStringLiteral("Text_Setting_%1").arg(i));
        platform::placeInTwips(box, c.left, c.top, c.width, c.height);
        box->hide();
        // Connected after the design text is in place: that text is not a change.
        connect(box, &QLineEdit::textChanged, this,
                [curve, i](const QString& text) { curve->settingChanged(i, text); });
        m_boxes[size_t(i)] = box;
        byTabIndex[size_t(i)] = {c.tabIndex, box};
    }
    for (size_t k = 0; k < std::size(Buttons); ++k) {
        const Button& b = Buttons[k];
        auto* button = new QPushButton(QString::fromUtf8(b.caption), owner);
        button->setObjectName(QString::fromLatin1(b.name));
        platform::placeInTwips(button, b.place.left, b.place.top, b.place.width, b.place.height);
        button->hide();
        byTabIndex[BoxCount + k] = {b.place.tabIndex, button};
    }
    std::sort(byTabIndex.begin(), byTabIndex.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t k = 1; k < byTabIndex.size(); ++k)
        QWidget::setTabOrder(byTabIndex[k - 1].second, byTabIndex[k].second);
}

void CurvePrivate::settingChanged(int index, const QString& text)
{
    // Straight into the fields: no has-been-set flag, no saved copy, no limit on Dimensions.
    switch (index) {
    case 0:
        CurveCaption = text;
        break;
    case 1:
        writeSingle(X_Axis_Left, text);
        break;
    case 2:
        writeSingle(X_Axis_Right, text);
        break;
    case 3:
        writeSingle(Y_Axis_Top, text);
        break;
    case 4:
        writeSingle(Y_Axis_Bottom, text);
        break;
    case 5:
        X_AxisText = text;
        break;
    case 6:
        Y_AxisText = text;
        break;
    case 7:
        writeWhole(Dimensions, text);
        break;
    case 16:
        writeWhole(BreakPointShape, text);
        break;
    default:
        if (index >= 8 && index <= 15) {
            const int slot = (index - 8) / 2;
            writeSingle(index % 2 == 0 ? PointX[slot] : PointY[slot], text);
        }
        break;
    }
    computeLayout();
    try {
        paintControl();
    } catch (const RuntimeError&) {
        // Reached from a text change, with no caller to report to.
    }
}

} // namespace knotel
