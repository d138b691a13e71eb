#ifndef KNOTELBENCH_FORMTABLE_H
#define KNOTELBENCH_FORMTABLE_H

// The window's controls as drawn at design time: captions, initial texts, places and sizes in
// twips (1/1440 inch, measured from the client area's top left corner) and tab indexes.

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>

namespace knotelbench {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr int ClientWidthTwips = 9810;
inline constexpr int ClientHeightTwips = 8265;

inline constexpr TwipsRect CurvePlace{240, 150, 9165, 4815};
inline constexpr int CurveTabIndex = 48;

/** How a property box's text becomes the value written into its property. */
enum class BoxRule {
    Number,    ///< LeadingValue of the text, converted to the property's type
    WholeText, ///< the whole text, unchanged
    TrueFalse, ///< true (-1) when LeadingValue of the text is not 0, else false (0)
    None,      ///< the box feeds the buttons only
};

/** What a box stands for in the window, beside the property it may write. */
struct BoxRole {
    enum Kind {
        Property,      ///< writes its property, nothing more
        ColourHex,     ///< writes colour property `colour`; its chooser button writes the hexadecimal text
        ColourDecimal, ///< the decimal text of colour `colour`, written by its chooser button
        PointX,        ///< the X field of "Get Knotel" and "Set Knotel"
        PointY,        ///< the Y field of "Get Knotel" and "Set Knotel"
        PointIndex,    ///< the ValueIndex of the point and changed-flag buttons
        ChangedFlag,   ///< the field of "Get Changed" and "Set Changed"
    };
    Kind kind;
    int colour; ///< the index into ColourButtons for ColourHex and ColourDecimal, else 0

    friend constexpr bool operator==(const BoxRole&, const BoxRole&) = default;
};

inline constexpr BoxRole WritesProperty{BoxRole::Property, 0};
inline constexpr BoxRole PointX{BoxRole::PointX, 0};
inline constexpr BoxRole PointY{BoxRole::PointY, 0};
inline constexpr BoxRole PointIndex{BoxRole::PointIndex, 0};
inline constexpr BoxRole ChangedFlag{BoxRole::ChangedFlag, 0};
constexpr BoxRole ColourHex(int k)
{
    return {BoxRole::ColourHex, k};
}
constexpr BoxRole ColourDecimal(int k)
{
    return {BoxRole::ColourDecimal, k};
}

struct PropertyBox {
    const char* initialText;
    const char* property; ///< nullptr for BoxRule::None
    BoxRule rule;
    BoxRole role;
    int left;
    int top;
    int tabIndex;
};

inline constexpr int PropertyBoxCount = 42;

inline constexpr std::array<PropertyBox, PropertyBoxCount> PropertyBoxes{{
    {"", "CurveColor", BoxRule::Number, ColourHex(0), 2040, 5070, 1},
    {"", "BackColor", BoxRule::Number, ColourHex(1), 2040, 5370, 3},
    {"", "GridColor", BoxRule::Number, ColourHex(2), 2040, 5670, 6},
    {"", "AxisColor", BoxRule::Number, ColourHex(3), 2040, 5970, 8},
    {"", "TextColor", BoxRule::Number, ColourHex(4), 2040, 6270, 10},
    {"", "ActualValueColor", BoxRule::Number, ColourHex(5), 2040, 6570, 12},
    {"", nullptr, BoxRule::None, ColourDecimal(0), 3540, 5070, 18},
    {"", nullptr, BoxRule::None, ColourDecimal(1), 3540, 5370, 17},
    {"", nullptr, BoxRule::None, ColourDecimal(2), 3540, 5670, 16},
    {"", nullptr, BoxRule::None, ColourDecimal(3), 3540, 5970, 15},
    {"", nullptr, BoxRule::None, ColourDecimal(4), 3540, 6270, 14},
    {"", nullptr, BoxRule::None, ColourDecimal(5), 3540, 6570, 13},
    {"0 X_Decimals", "X_Decimals", BoxRule::Number, WritesProperty, 240, 6870, 19},
    {"0 Y_Decimals", "Y_Decimals", BoxRule::Number, WritesProperty, 240, 7170, 20},
    {"0 LockXAxis", "LockX_Axis", BoxRule::Number, WritesProperty, 1740, 6870, 21},
    {"1 LockYAxis", "LockY_Axis", BoxRule::Number, WritesProperty, 1740, 7170, 22},
    {"1 LockXEndPoints", "LockXEndPoints", BoxRule::Number, WritesProperty, 3240, 6870, 23},
    {"0 LockYEndPoints", "LockYEndPoints", BoxRule::Number, WritesProperty, 3240, 7170, 24},
    {"0 AllowXCrossover", "AllowXCrossover", BoxRule::Number, WritesProperty, 4860, 5070, 25},
    {"1 AllowYCrossover", "AllowYCrossover", BoxRule::Number, WritesProperty, 4860, 5370, 26},
    {"1 AllowCompleteCurveMove", "AllowCompleteCurveMove", BoxRule::Number, WritesProperty, 4860, 5670, 27},
    {"1 ViewGrid", "ViewGrid", BoxRule::Number, WritesProperty, 4860, 5970, 28},
    {"7 Dimensions", "Dimensions", BoxRule::Number, WritesProperty, 4860, 6270, 29},
    {"4 BreakPointShape", "BreakPointShape", BoxRule::Number, WritesProperty, 4860, 6570, 30},
    {"10 X_Step", "X_Step", BoxRule::Number, WritesProperty, 6360, 5670, 31},
    {"10 Y_Step", "Y_Step", BoxRule::Number, WritesProperty, 6360, 5970, 32},
    {"22.5 Actual_Value_X", "Actual_Value_X", BoxRule::Number, WritesProperty, 4860, 6870, 33},
    {"26.7 Actual_Value_Y", "Actual_Value_Y", BoxRule::Number, WritesProperty, 4860, 7170, 34},
    {"70 Y_DashedLine_Top", "Y_DashedLine_Top", BoxRule::Number, WritesProperty, 6360, 5070, 35},
    {"30 Y_DashedLine_Bottom", "Y_DashedLine_Bottom", BoxRule::Number, WritesProperty, 6360, 5370, 36},
    {"CurveCaption", "CurveCaption", BoxRule::WholeText, WritesProperty, 6360, 6270, 37},
    {"XAxisText", "X_AxisText", BoxRule::WholeText, WritesProperty, 7860, 5970, 38},
    {"YAxisText", "Y_AxisText", BoxRule::WholeText, WritesProperty, 7860, 6270, 39},
    {"-5 X_Knotel", nullptr, BoxRule::None, PointX, 7860, 5070, 40},
    {"42.3 Y_Knotel", nullptr, BoxRule::None, PointY, 7860, 5370, 41},
    {"0 ValueIndex", nullptr, BoxRule::None, PointIndex, 7860, 5670, 42},
    {"0 Changed", nullptr, BoxRule::None, ChangedFlag, 7860, 7140, 45},
    {"80 Y_Axis_Top", "Y_Axis_Top", BoxRule::Number, WritesProperty, 4860, 7470, 49},
    {"20 Y_Axis_Bottom", "Y_Axis_Bottom", BoxRule::Number, WritesProperty, 4860, 7770, 50},
    {"0 ViewTracker", "ViewTracker", BoxRule::TrueFalse, WritesProperty, 3240, 7500, 52},
    {"-30 X_Axis_Left", "X_Axis_Left", BoxRule::Number, WritesProperty, 240, 7500, 53},
    {"30 X_Axis_Right", "X_Axis_Right", BoxRule::Number, WritesProperty, 1740, 7500, 54},
}};

/** The decimal colour boxes are narrower than the others. */
constexpr TwipsRect placeOfBox(int index)
{
    const PropertyBox& box = PropertyBoxes[static_cast<std::size_t>(index)];
    return {box.left, box.top, box.role.kind == BoxRole::ColourDecimal ? 1275 : 1455, 285};
}

/** The index of the box with @p role; a role that no box has throws std::out_of_range, or does not compile.
 */
constexpr int boxWith(BoxRole role)
{
    for (int i = 0; i < PropertyBoxCount; ++i)
        if (PropertyBoxes[static_cast<std::size_t>(i)].role == role)
            return i;
    throw std::out_of_range("no property box has this role");
}

/** The index of the box that writes @p property; a property that no box writes does not compile. */
consteval int boxWriting(std::string_view property)
{
    for (int i = 0; i < PropertyBoxCount; ++i) {
        const char* written = PropertyBoxes[static_cast<std::size_t>(i)].property;
        if (written && property == written)
            return i;
    }
    throw std::out_of_range("no property box writes this property");
}

/** The boxes the point and changed-flag buttons use as their fields. */
inline constexpr int BoxX = boxWith(PointX);
inline constexpr int BoxY = boxWith(PointY);
inline constexpr int BoxIndex = boxWith(PointIndex);
inline constexpr int BoxChanged = boxWith(ChangedFlag);

/** Colour button k and its property; box ColourHex(k) takes the hexadecimal text, ColourDecimal(k) the
 * decimal one. */
struct ColourButton {
    const char* caption; ///< also the name of the colour property
    TwipsRect place;
    int tabIndex;
};

inline constexpr int ColourButtonCount = 6;

inline constexpr std::array<ColourButton, ColourButtonCount> ColourButtons{{
    {"CurveColor", {240, 5070, 1755, 285}, 2},
    {"BackColor", {240, 5370, 1755, 285}, 4},
    {"GridColor", {240, 5670, 1755, 285}, 5},
    {"AxisColor", {240, 5970, 1755, 285}, 7},
    {"TextColor", {240, 6270, 1755, 285}, 9},
    {"ActualValueColor", {240, 6570, 1755, 285}, 11},
}};

// Every colour button has its two boxes (boxWith() does not compile otherwise), the hexadecimal one
// writes the button's property, and no role other than WritesProperty is given twice.
static_assert([] {
    for (int k = 0; k < ColourButtonCount; ++k) {
        const PropertyBox& hex = PropertyBoxes[static_cast<std::size_t>(boxWith(ColourHex(k)))];
        const std::string_view colour = ColourButtons[static_cast<std::size_t>(k)].caption;
        if (boxWith(ColourDecimal(k)) == boxWith(ColourHex(k)) || colour != std::string_view(hex.property))
            return false;
    }
    for (int i = 0; i < PropertyBoxCount; ++i) {
        const BoxRole role = PropertyBoxes[static_cast<std::size_t>(i)].role;
        if (role != WritesProperty && boxWith(role) != i)
            return false;
    }
    return true;
}());

enum class Command { RePaint, Read, Write, GetChanged, Values, SetChanged };

struct CommandButton {
    Command command;
    const char* name;
    const char* caption;
    TwipsRect place;
    int tabIndex;
};

inline constexpr std::array<CommandButton, 6> CommandButtons{{
    {Command::RePaint, "Command_RePaint", "Knotel.Curve.RePaint", {6360, 6600, 1455, 525}, 0},
    {Command::Read, "Command_Read", "Get Knotel", {7860, 6600, 1455, 255}, 43},
    {Command::Write, "Command_Write", "Set Knotel", {7860, 6870, 1455, 255}, 44},
    {Command::GetChanged, "Command_GetChanged", "Get Changed", {6360, 7170, 1455, 255}, 46},
    {Command::Values, "Command_Values", "Create som random values", {6480, 7740, 2775, 255}, 47},
    {Command::SetChanged, "Command_SetChanged", "Set Changed", {6360, 7440, 1455, 255}, 51},
}};

/** The line where a button reports an error of the control, in the free space below the ViewTracker and X
 * axis boxes. */
inline constexpr TwipsRect StatusPlace{240, 7815, 4500, 435};

} // namespace knotelbench

#endif
