// The hidden settings panel: its boxes and buttons, and the change handling that writes a
// box's setting straight into the control's state.
#include "widget/SettingsPanel.h"

#include "engine/CurveEngine.h"
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

using Write = void (*)(CurveEngine&, const QString&);

/** Writes a single into a setting. */
template <void (CurveEngine::*Set)(float)> void setSingle(CurveEngine& e, const QString& text)
{
    if (const auto v = singleOf(text))
        (e.*Set)(*v);
}

/** Writes a whole number into a setting. */
template <void (CurveEngine::*Set)(qint32)> void setWhole(CurveEngine& e, const QString& text)
{
    if (const auto v = wholeOf(text))
        (e.*Set)(*v);
}

/** Writes the whole text into a setting. */
template <void (CurveEngine::*Set)(const QString&)> void setText(CurveEngine& e, const QString& text)
{
    (e.*Set)(text);
}

/** Moves the point at @p Slot: its current coordinate only, as a drag would. */
template <int Slot> void setPointX(CurveEngine& e, const QString& text)
{
    if (const auto v = singleOf(text))
        e.setPointStraight(Slot, *v, std::nullopt);
}
template <int Slot> void setPointY(CurveEngine& e, const QString& text)
{
    if (const auto v = singleOf(text))
        e.setPointStraight(Slot, std::nullopt, *v);
}

struct Control {
    const char* text;
    int left, top, width, height, tabIndex;
};

struct Box {
    Control place; ///< design text and place, in twips relative to the control
    Write write;
};

const Box Boxes[SettingsPanel::BoxCount] = {
    {{"Caption", 5160, 5220, 1935, 285, 20}, setText<&CurveEngine::setCurveCaption>},
    {{"+20 XAxisLeft", 5160, 5580, 1935, 285, 19}, setSingle<&CurveEngine::setX_Axis_Left>},
    {{"-20 XAxisRight", 5160, 5880, 1935, 285, 18}, setSingle<&CurveEngine::setX_Axis_Right>},
    {{"80 YAxisTop", 540, 5700, 1935, 285, 17}, setSingle<&CurveEngine::setY_Axis_Top>},
    {{"20 YAxisBottom", 540, 6000, 1935, 285, 16}, setSingle<&CurveEngine::setY_Axis_Bottom>},
    {{"XAxisText", 600, 6390, 1935, 285, 15}, setText<&CurveEngine::setX_AxisText>},
    {{"YAxisText", 600, 6690, 1935, 285, 14}, setText<&CurveEngine::setY_AxisText>},
    {{"4 Dimensions", 2760, 5310, 1935, 285, 13}, setWhole<&CurveEngine::setDimensions>},
    {{"-20", 2760, 5610, 915, 285, 12}, setPointX<0>},
    {{"70", 3780, 5610, 915, 285, 11}, setPointY<0>},
    {{"-5", 2760, 5910, 915, 285, 10}, setPointX<1>},
    {{"50", 3780, 5910, 915, 285, 9}, setPointY<1>},
    {{"+5", 2760, 6210, 915, 285, 8}, setPointX<2>},
    {{"30", 3780, 6210, 915, 285, 7}, setPointY<2>},
    {{"+20", 2760, 6510, 915, 285, 6}, setPointX<3>},
    {{"20", 3780, 6510, 915, 285, 5}, setPointY<3>},
    {{"1 BreakPointShape", 2760, 6810, 1935, 285, 4}, setWhole<&CurveEngine::setBreakPointShape>},
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

SettingsPanel::SettingsPanel(QWidget* owner, CurveEngine& engine, std::function<void()> written)
    : QObject(owner), m_engine(engine), m_written(std::move(written))
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
    Boxes[index].write(m_engine, text);
    m_written();
}

} // namespace knotel
