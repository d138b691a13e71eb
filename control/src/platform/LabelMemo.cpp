#include "platform/LabelMemo.h"

#include <cstring>

namespace knotel::platform {

namespace {

// Regions larger than this many device pixels are drawn without a record; past this many pixels
// of records in all, the memo starts afresh.
constexpr qint64 MaxRecordPixels = 1 << 16;
constexpr std::size_t MaxPixels = std::size_t(1) << 19;

} // namespace

std::size_t LabelMemo::Hash::operator()(const Key& k) const
{
    quint64 h = 0xCBF29CE484222325ull;
    for (const QChar c : k.text)
        h = (h ^ c.unicode()) * 0x100000001B3ull;
    for (quint32 v : {quint32(k.font), k.colour, k.x, k.y})
        h = (h ^ v) * 0x9E3779B97F4A7C15ull;
    return std::size_t(h ^ (h >> 29));
}

bool LabelMemo::replay(const Pixels& image, const Key& key)
{
    const auto found = m_records.find(key);
    if (found == m_records.end())
        return false;
    const Record& record = found->second;
    const QRect& r = record.region;
    if (!image.contains(r))
        return false;
    const std::size_t w = std::size_t(r.width());
    for (int y = r.top(), i = 0; y <= r.bottom(); ++y, ++i) {
        if (std::memcmp(image.row(y) + r.left(), record.before.data() + std::size_t(i) * w, w * 4) != 0)
            return false;
    }
    image.restore(r, record.after.data(), r);
    return true;
}

bool LabelMemo::begin(const Pixels& image, const QRect& region, int ring)
{
    const QRect bounds(0, 0, image.width, image.height);
    m_region = region & bounds;
    m_outer = region.adjusted(-ring, -ring, ring, ring) & bounds;
    if (!image.bits || m_region.isEmpty() || qint64(m_outer.width()) * m_outer.height() > MaxRecordPixels)
        return false;
    m_before.resize(std::size_t(m_outer.width()) * std::size_t(m_outer.height()));
    image.save(m_outer, m_before.data());
    return true;
}

void LabelMemo::end(const Pixels& image, const Key& key)
{
    const std::size_t ow = std::size_t(m_outer.width());
    // Nothing changed around the region: it held every pixel the text touched.
    for (int y = m_outer.top(), i = 0; y <= m_outer.bottom(); ++y, ++i) {
        const quint32* now = image.row(y);
        const quint32* before = m_before.data() + std::size_t(i) * ow - m_outer.left();
        for (int x = m_outer.left(); x <= m_outer.right(); ++x) {
            if (now[x] != before[x] && !m_region.contains(x, y))
                return;
        }
    }
    Record record;
    record.region = m_region;
    const std::size_t w = std::size_t(m_region.width());
    record.before.resize(w * std::size_t(m_region.height()));
    record.after.resize(record.before.size());
    for (int y = m_region.top(), i = 0; y <= m_region.bottom(); ++y, ++i) {
        const quint32* before =
            m_before.data() + std::size_t(y - m_outer.top()) * ow + (m_region.left() - m_outer.left());
        std::memcpy(record.before.data() + std::size_t(i) * w, before, w * 4);
        std::memcpy(record.after.data() + std::size_t(i) * w, image.row(y) + m_region.left(), w * 4);
    }
    if (m_pixels + record.before.size() > MaxPixels)
        clear();
    m_pixels += record.before.size();
    m_records.insert_or_assign(key, std::move(record));
}

void LabelMemo::clear()
{
    m_records.clear();
    m_pixels = 0;
}

} // namespace knotel::platform
