// The hidden settings panel: its boxes and buttons, and the change handling that writes a
// box's setting straight into the control's state.
#include "widget/SettingsPanel.h"

#include "engine/CurveSettings.h"
#include "engine/PointTable.h"
#include "numbers/NumberConversion.h"
#include "widget/TwipsPlacement.h"

#include <knotel/LeadingValue.h>
#include <knotel/RuntimeError.h>

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <iterator>

namespace knotel {

namespace {

/** LeadingValue of @p text as a single; nothing beyond the single range, which leaves the target as it is. */
std::optional<float> singleOf(const QString& text)
{
    return toSingleOrNothing(LeadingValue(text));
}

/** LeadingValue of @p text rounded ties-to-even; nothing beyond 32 bits. */
std::optional<qint32> wholeOf(const QString& text)
{
    try {
        return roundToInt32(LeadingValue(text));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

using Write = void (*)(CurveSettings&, PointTable&, const QString&);

/** Writes a single into a setting. */
template <float CurveSettings::*Field> void setSingle(CurveSettings& s, PointTable&, const QString& text)
{
    if (const auto v = singleOf(text))
        s.*Field = *v;
}

/** Writes a whole number into a setting. */
template <qint32 CurveSettings::*Field> void setWhole(CurveSettings& s, PointTable&, const QString& text)
{
    if (const auto v = wholeOf(text))
        s.*Field = *v;
}

/** Writes the whole text into a setting. */
template <QString CurveSettings::*Field> void setText(CurveSettings& s, PointTable&, const QString& text)
{
    s.*Field = text;
}

/** Moves the point at @p Slot: its current coordinate only, as a drag would. */
template <int Slot> void setPointX(CurveSettings&, PointTable& points, const QString& text)
{
    if (const auto v = singleOf(text))
        points.movePointX(Slot, *v);
}
template <int Slot> void setPointY(CurveSettings&, PointTable& points, const QString& text)
{
    if (const auto v = singleOf(text))
        points.movePointY(Slot, *v);
}

void setDimensions(CurveSettings&, PointTable& points, const QString& text)
{
    if (const auto v = wholeOf(text))
        points.setDimensions(*v);
}

struct Control {
    const char* text;
    int left, top, width, height, tabIndex;
};

struct Box {
    Control place; ///< design text and place, in twips relative to the control
    Write write;
    bool writesPoints = false; ///< the box gives points or their number
};

const Box Boxes[SettingsPanel::BoxCount] = {
    {{"Caption", 5160, 5220, 1935, 285, 20}, setText<&CurveSettings::CurveCaption>},
    {{"+20 XAxisLeft", 5160, 5580, 1935, 285, 19}, setSingle<&CurveSettings::X_Axis_Left>},
    {{"-20 XAxisRight", 5160, 5880, 1935, 285, 18}, setSingle<&CurveSettings::X_Axis_Right>},
    {{"80 YAxisTop", 540, 5700, 1935, 285, 17}, setSingle<&CurveSettings::Y_Axis_Top>},
    {{"20 YAxisBottom", 540, 6000, 1935, 285, 16}, setSingle<&CurveSettings::Y_Axis_Bottom>},
    {{"XAxisText", 600, 6390, 1935, 285, 15}, setText<&CurveSettings::X_AxisText>},
    {{"YAxisText", 600, 6690, 1935, 285, 14}, setText<&CurveSettings::Y_AxisText>},
    {{"4 Dimensions", 2760, 5310, 1935, 285, 13}, setDimensions, true},
    {{"-20", 2760, 5610, 915, 285, 12}, setPointX<0>, true},
    {{"70", 3780, 5610, 915, 285, 11}, setPointY<0>, true},
    {{"-5", 2760, 5910, 915, 285, 10}, setPointX<1>, true},
    {{"50", 3780, 5910, 915, 285, 9}, setPointY<1>, true},
    {{"+5", 2760, 6210, 915, 285, 8}, setPointX<2>, true},
    {{"30", 3780, 6210, 915, 285, 7}, setPointY<2>, true},
    {{"+20", 2760, 6510, 915, 285, 6}, setPointX<3>, true},
    {{"20", 3780, 6510, 915, 285, 5}, setPointY<3>, true},
    {{"1 BreakPointShape", 2760, 6810, 1935, 285, 4}, setWhole<&CurveSettings::BreakPointShape>},
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

} // namespace

SettingsPanel::SettingsPanel(QWidget* owner, CurveSettings& settings, PointTable& points,
                             std::function<void(bool pointsWritten)> written)
    : QObject(owner), m_settings(settings), m_points(points), m_written(std::move(written))
{
    std::array<std::pair<int, QWidget*>, BoxCount + std::size(Buttons)> byTabIndex;
    for (int i = 0; i < BoxCount; ++i) {
        const Control& c = Boxes[i].place;
        auto* box = new QLineEdit(QString::fromUtf8(c.text), owner);
        box->setObjectName(QStringLiteral("Text_Setting_%1").arg(i));
        box->setAccessibleName(box->objectName());
        placeInTwips(box, c.left, c.top, c.width, c.height);
        box->hide();
        // Connected after the design text is in place: that text is not a change.
        connect(box, &QLineEdit::textChanged, this, [this, i](const QString& text) { boxChanged(i, text); });
        m_boxes[size_t(i)] = box;
        byTabIndex[size_t(i)] = {c.tabIndex, box};
    }
    for (size_t k = 0; k < std::size(Buttons); ++k) {
        const Button& b = Buttons[k];
        auto* button = new QPushButton(QString::fromUtf8(b.caption), owner);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setAccessibleName(button->objectName());
        placeInTwips(button, b.place.left, b.place.top, b.place.width, b.place.height);
        button->hide();
        byTabIndex[BoxCount + k] = {b.place.tabIndex, button};
    }
    std::sort(byTabIndex.begin(), byTabIndex.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t k = 1; k < byTabIndex.size(); ++k)
        QWidget::setTabOrder(byTabIndex[k - 1].second, byTabIndex[k].second);
}

void SettingsPanel::boxChanged(int index, const QString& text)
{
    Boxes[index].write(m_settings, m_points, text);
    m_written(Boxes[index].writesPoints);
}

} // namespace knotel
