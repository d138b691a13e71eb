#include "FuzzSupport.h"

#include "latebound/MemberTable.h"
#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <cstring>

namespace knotel::fuzz {

void resetCurve(Curve& curve, int width, int height)
{
    CurvePrivate::get(&curve)->engine.reset();
    curve.resize(width, height);
    curve.RePaint();
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

namespace {
const QImage& pictureOf(Curve& curve)
{
    return CurvePrivate::get(&curve)->engine.canvas().picture();
}
} // namespace

void PictureCopy::take(Curve& curve)
{
    const QImage& picture = pictureOf(curve);
    m_size = picture.size();
    m_bits.resize(picture.isNull() ? 0 : picture.sizeInBytes());
    if (!m_bits.isEmpty())
        std::memcpy(m_bits.data(), picture.constBits(), std::size_t(m_bits.size()));
}

bool PictureCopy::matches(Curve& curve) const
{
    const QImage& picture = pictureOf(curve);
    return picture.size() == m_size &&
           (m_bits.isEmpty() ||
            std::memcmp(picture.constBits(), m_bits.constData(), std::size_t(m_bits.size())) == 0);
}

bool pictureSurvivesRePaint(Curve& curve)
{
    static PictureCopy before;
    before.take(curve);
    curve.RePaint();
    return before.matches(curve);
}

} // namespace knotel::fuzz
