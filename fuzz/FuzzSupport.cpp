#include "FuzzSupport.h"

#include "CurvePrivate.h"
#include "MemberTable.h"
#include "platform/DrawingSurface.h"

#include <knotel/RuntimeError.h>

#include <cstring>

namespace knotel::fuzz {

void resetCurve(Curve& curve, int width, int height)
{
    CurvePrivate& s = *CurvePrivate::get(&curve);
    // Every field that initialize() leaves alone starts as 0 in a new control.
    s.X_Decimals = s.Y_Decimals = s.DisableSave = s.LockX_Axis = s.LockY_Axis = 0;
    s.LockXEndPoints = s.LockYEndPoints = s.AllowXCrossover = s.AllowYCrossover = 0;
    s.AllowCompleteCurveMove = s.ViewGrid = s.Dimensions = s.BreakPointShape = 0;
    s.X_Step = s.Y_Step = s.Actual_Value_X = s.Actual_Value_Y = 0;
    s.HideLine = s.ViewTracker = 0;
    s.Y_DashedLine_Top = s.Y_DashedLine_Bottom = 0;
    s.ValueIndex = 0;
    s.ActualValueXSet = s.ActualValueYSet = s.DashedLineTopSet = s.DashedLineBottomSet = 0;
    for (auto* table : {&s.PointX, &s.PointY, &s.SavedX, &s.SavedY, &s.MoveStartY})
        table->fill(0);
    s.PointXSet.fill(0);
    s.PointYSet.fill(0);
    s.MoveStartMouseY = s.MoveMouseY = 0;
    s.DropArgument = 0;
    curve.resize(width, height);
    s.PaintEnabled = 0;
    s.initialize(); // the defaults, the layout, and painting enabled again
}

const std::vector<DispId>& propertyIds()
{
    static const std::vector<DispId> ids = [] {
        std::vector<DispId> list;
        int count = 0;
        const Member* all = members(&count);
        for (int i = 0; i < count; ++i)
            if (all[i].kind != MemberKind::Method)
                list.push_back(all[i].id);
        return list;
    }();
    return ids;
}

PropertyValues readProperties(Curve& curve)
{
    PropertyValues p;
    for (DispId id : propertyIds()) {
        try {
            p.values.push_back(curve.get(id));
            p.errors.push_back(0);
        } catch (const RuntimeError& e) {
            p.values.emplace_back();
            p.errors.push_back(e.code());
        }
    }
    return p;
}

bool PropertyValues::operator==(const PropertyValues& other) const
{
    if (errors != other.errors || values.size() != other.values.size())
        return false;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const QVariant& a = values[i];
        const QVariant& b = other.values[i];
        if (a.typeId() != b.typeId())
            return false;
        if (a.typeId() == QMetaType::Float) { // bit for bit, so that NaN equals itself
            const float x = a.toFloat();
            const float y = b.toFloat();
            if (std::memcmp(&x, &y, sizeof x) != 0)
                return false;
        } else if (a != b) {
            return false;
        }
    }
    return true;
}

bool pictureSurvivesRePaint(Curve& curve)
{
    static QImage before;
    static QImage after;
    QWidget* surface = CurvePrivate::get(&curve)->Picture_Curve;
    if (surface->width() <= 0 || surface->height() <= 0) {
        curve.RePaint();
        return true;
    }
    if (before.size() != surface->size()) {
        before = QImage(surface->size(), QImage::Format_RGB32);
        after = QImage(surface->size(), QImage::Format_RGB32);
    }
    // The surface's paint event copies its picture; the tracker box inside it is left out.
    surface->render(&before, {}, {}, {});
    curve.RePaint();
    surface->render(&after, {}, {}, {});
    return std::memcmp(before.constBits(), after.constBits(), std::size_t(before.sizeInBytes())) == 0;
}

} // namespace knotel::fuzz
