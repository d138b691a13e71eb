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
    s.settings = CurveSettings{};
    s.points = PointTable{};
    s.gesture = DragGesture{};
    curve.resize(width, height);
    s.paintEnabled = false;
    s.initialize(); // the back colour, the layout, and painting enabled again
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
    QWidget* surface = CurvePrivate::get(&curve)->surface;
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
