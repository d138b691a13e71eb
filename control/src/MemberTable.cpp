// The members of the control's dispatch interface, in interface order, with their fixed ids.
#include "MemberTable.h"

#include <knotel/Curve.h>

#include <iterator>

namespace knotel {

namespace {

const Member Members[] = {
    {RePaintId, "RePaint", MemberKind::Method, nullptr, nullptr},
    {0x6803009B, "ViewTracker", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.ViewTracker())); },
     [](Curve& c, const QVariant& v) { c.setViewTracker(v.toInt()); }},
    {0x6803009A, "X_Decimals", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.X_Decimals())); },
     [](Curve& c, const QVariant& v) { c.setX_Decimals(v.toInt()); }},
    {0x68030099, "Y_Decimals", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.Y_Decimals())); },
     [](Curve& c, const QVariant& v) { c.setY_Decimals(v.toInt()); }},
    {0x68030098, "Y_DashedLine_Top", MemberKind::Single,
     [](const Curve& c) { return QVariant(float(c.Y_DashedLine_Top())); },
     [](Curve& c, const QVariant& v) { c.setY_DashedLine_Top(v.toFloat()); }},
    {0x68030097, "Y_DashedLine_Bottom", MemberKind::Single,
     [](const Curve& c) { return QVariant(float(c.Y_DashedLine_Bottom())); },
     [](Curve& c, const QVariant& v) { c.setY_DashedLine_Bottom(v.toFloat()); }},
    {0x68030096, "DisableSave", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.DisableSave())); },
     [](Curve& c, const QVariant& v) { c.setDisableSave(v.toInt()); }},
    {0x68030095, "LockX_Axis", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.LockX_Axis())); },
     [](Curve& c, const QVariant& v) { c.setLockX_Axis(v.toInt()); }},
    {0x68030094, "HideLine", MemberKind::Int32, [](const Curve& c) { return QVariant(int(c.HideLine())); },
     [](Curve& c, const QVariant& v) { c.setHideLine(v.toInt()); }},
    {0x68030093, "LockY_Axis", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.LockY_Axis())); },
     [](Curve& c, const QVariant& v) { c.setLockY_Axis(v.toInt()); }},
    {0x68030092, "LockXEndPoints", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.LockXEndPoints())); },
     [](Curve& c, const QVariant& v) { c.setLockXEndPoints(v.toInt()); }},
    {0x68030091, "LockYEndPoints", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.LockYEndPoints())); },
     [](Curve& c, const QVariant& v) { c.setLockYEndPoints(v.toInt()); }},
    {0x68030090, "AllowXCrossover", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.AllowXCrossover())); },
     [](Curve& c, const QVariant& v) { c.setAllowXCrossover(v.toInt()); }},
    {0x6803008F, "AllowYCrossover", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.AllowYCrossover())); },
     [](Curve& c, const QVariant& v) { c.setAllowYCrossover(v.toInt()); }},
    {0x6803008E, "AllowCompleteCurveMove", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.AllowCompleteCurveMove())); },
     [](Curve& c, const QVariant& v) { c.setAllowCompleteCurveMove(v.toInt()); }},
    {0x6803008D, "ViewGrid", MemberKind::Int32, [](const Curve& c) { return QVariant(int(c.ViewGrid())); },
     [](Curve& c, const QVariant& v) { c.setViewGrid(v.toInt()); }},
    {0x6803008C, "X_Axis_Left", MemberKind::Single,
     [](const Curve& c) { return QVariant(float(c.X_Axis_Left())); },
     [](Curve& c, const QVariant& v) { c.setX_Axis_Left(v.toFloat()); }},
    {0x6803008B, "X_Axis_Right", MemberKind::Single,
     [](const Curve& c) { return QVariant(float(c.X_Axis_Right())); },
     [](Curve& c, const QVariant& v) { c.setX_Axis_Right(v.toFloat()); }},
    {0x6803008A, "Y_Axis_Top", MemberKind::Single,
     [](const Curve& c) { return QVariant(float(c.Y_Axis_Top())); },
     [](Curve& c, const QVariant& v) { c.setY_Axis_Top(v.toFloat()); }},
    {0x68030089, "Y_Axis_Bottom", MemberKind::Single,
     [](const Curve& c) { return QVariant(float(c.Y_Axis_Bottom())); },
     [](Curve& c, const QVariant& v) { c.setY_Axis_Bottom(v.toFloat()); }},
    {0x68030088, "Dimensions", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.Dimensions())); },
     [](Curve& c, const QVariant& v) { c.setDimensions(v.toInt()); }},
    {0x68030087, "BreakPointShape", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.BreakPointShape())); },
     [](Curve& c, const QVariant& v) { c.setBreakPointShape(v.toInt()); }},
    {0x68030086, "X_Step", MemberKind::Single, [](const Curve& c) { return QVariant(float(c.X_Step())); },
     [](Curve& c, const QVariant& v) { c.setX_Step(v.toFloat()); }},
    {0x68030085, "Y_Step", MemberKind::Single, [](const Curve& c) { return QVariant(float(c.Y_Step())); },
     [](Curve& c, const QVariant& v) { c.setY_Step(v.toFloat()); }},
    {0x68030084, "Actual_Value_X", MemberKind::Single,
     [](const Curve& c) { return QVariant(float(c.Actual_Value_X())); },
     [](Curve& c, const QVariant& v) { c.setActual_Value_X(v.toFloat()); }},
    {0x68030083, "Actual_Value_Y", MemberKind::Single,
     [](const Curve& c) { return QVariant(float(c.Actual_Value_Y())); },
     [](Curve& c, const QVariant& v) { c.setActual_Value_Y(v.toFloat()); }},
    {0x68030082, "CurveColor", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.CurveColor())); },
     [](Curve& c, const QVariant& v) { c.setCurveColor(v.toInt()); }},
    {0x68030081, "GridColor", MemberKind::Int32, [](const Curve& c) { return QVariant(int(c.GridColor())); },
     [](Curve& c, const QVariant& v) { c.setGridColor(v.toInt()); }},
    {0x68030080, "BackColor", MemberKind::Int32, [](const Curve& c) { return QVariant(int(c.BackColor())); },
     [](Curve& c, const QVariant& v) { c.setBackColor(v.toInt()); }},
    {0x6803007F, "AxisColor", MemberKind::Int32, [](const Curve& c) { return QVariant(int(c.AxisColor())); },
     [](Curve& c, const QVariant& v) { c.setAxisColor(v.toInt()); }},
    {0x6803007E, "TextColor", MemberKind::Int32, [](const Curve& c) { return QVariant(int(c.TextColor())); },
     [](Curve& c, const QVariant& v) { c.setTextColor(v.toInt()); }},
    {0x6803007D, "ActualValueColor", MemberKind::Int32,
     [](const Curve& c) { return QVariant(int(c.ActualValueColor())); },
     [](Curve& c, const QVariant& v) { c.setActualValueColor(v.toInt()); }},
    {0x6803007C, "CurveCaption", MemberKind::Text, [](const Curve& c) { return QVariant(c.CurveCaption()); },
     [](Curve& c, const QVariant& v) { c.setCurveCaption(v.toString()); }},
    {0x6803007B, "X_AxisText", MemberKind::Text, [](const Curve& c) { return QVariant(c.X_AxisText()); },
     [](Curve& c, const QVariant& v) { c.setX_AxisText(v.toString()); }},
    {0x6803007A, "Y_AxisText", MemberKind::Text, [](const Curve& c) { return QVariant(c.Y_AxisText()); },
     [](Curve& c, const QVariant& v) { c.setY_AxisText(v.toString()); }},
    {0x68030079, "X_Knotel", MemberKind::Single, [](const Curve& c) { return QVariant(float(c.X_Knotel())); },
     [](Curve& c, const QVariant& v) { c.setX_Knotel(v.toFloat()); }},
    {0x68030078, "Y_Knotel", MemberKind::Single, [](const Curve& c) { return QVariant(float(c.Y_Knotel())); },
     [](Curve& c, const QVariant& v) { c.setY_Knotel(v.toFloat()); }},
    {0x68030077, "Changed", MemberKind::Int32, [](const Curve& c) { return QVariant(int(c.Changed())); },
     [](Curve& c, const QVariant& v) { c.setChanged(v.toInt()); }},
    {0x68030076, "ValueIndex", MemberKind::Single,
     [](const Curve& c) { return QVariant(float(c.ValueIndex())); },
     [](Curve& c, const QVariant& v) { c.setValueIndex(v.toFloat()); }},
};

static_assert(std::size(Members) == 1 + PropertyCount, "one entry per property, ids contiguous");

} // namespace

const Member* memberById(DispId id)
{
    if (id == RePaintId)
        return &Members[0];
    if (id < FirstPropertyId || id > LastPropertyId)
        return nullptr;
    return &Members[1 + (LastPropertyId - id)];
}

const Member* memberByName(const QString& name)
{
    for (const Member& member : Members) {
        if (name.compare(QLatin1StringView(member.name), Qt::CaseInsensitive) == 0)
            return &member;
    }
    return nullptr;
}

const Member* members(int* count)
{
    *count = int(std::size(Members));
    return Members;
}

} // namespace knotel
