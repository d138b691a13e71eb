#include "platform/FigureCache.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace knotel::platform {

namespace {

// A record covers at most this many device pixels: recording reads its whole region twice, and a
// long diagonal line would cost more to record than it saves.
constexpr qint64 MaxRecordPixels = 1 << 17;
// Past this many bytes of records in use, the older generation is dropped.
constexpr std::size_t MaxGenerationBytes = std::size_t(8) << 20;

/** The pixels of an image's rows, looked up once per operation. */
struct Rows {
    explicit Rows(QImage& image) : bits(image.bits()), stride(image.bytesPerLine()) {}
    quint32* operator[](int y) const { return reinterpret_cast<quint32*>(bits + y * stride); }
    uchar* bits;
    qsizetype stride;
};

} // namespace

std::size_t FigureCache::KeyHash::operator()(const Key& k) const
{
    quint64 h = 0x9E3779B97F4A7C15ull;
    auto mix = [&h](quint64 v) {
        h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
        h *= 0xBF58476D1CE4E5B9ull;
    };
    mix(k.kind | (quint64(k.colour) << 32));
    mix(k.fill | (quint64(k.geometry[0]) << 32));
    mix(k.geometry[1] | (quint64(k.geometry[2]) << 32));
    mix(k.geometry[3]);
    return std::size_t(h ^ (h >> 31));
}

bool FigureCache::replay(QImage& image, const Key& key, QPoint shift)
{
    auto found = m_current.find(key);
    if (found == m_current.end()) {
        const auto old = m_previous.find(key);
        if (old == m_previous.end())
            return false;
        // Used again: into the current generation.
        Record record = std::move(old->second);
        m_previous.erase(old);
        insert(key, std::move(record));
        found = m_current.find(key);
        if (found == m_current.end())
            return false;
    }
    const Record& record = found->second;
    if (!record.bounds.isEmpty() && !image.rect().contains(record.bounds.translated(shift)))
        return false;
    apply(image, record, shift);
    ++m_replays;
    return true;
}

void FigureCache::apply(QImage& image, const Record& record, QPoint shift)
{
    if (record.runs.empty())
        return;
    const Rows rows(image);
    for (const Run& run : record.runs) {
        quint32* p = rows[run.y + shift.y()] + run.x + shift.x();
        if (record.effect == Effect::Opaque) {
            std::fill_n(p, run.length, record.colour);
        } else {
            const quint32* v = record.values.data() + run.first;
            for (int i = 0; i < run.length; ++i)
                p[i] ^= v[i];
        }
    }
}

bool FigureCache::begin(QImage& image, const QRect& region, Effect effect, quint32 colour)
{
    m_region = region & image.rect();
    if (m_region.isEmpty() || qint64(m_region.width()) * m_region.height() > MaxRecordPixels ||
        image.depth() != 32)
        return false;
    const int w = m_region.width();
    m_before.resize(std::size_t(w) * std::size_t(m_region.height()));
    const Rows rows(image);
    for (int y = m_region.top(), i = 0; y <= m_region.bottom(); ++y, ++i) {
        quint32* p = rows[y] + m_region.left();
        quint32* saved = m_before.data() + std::size_t(i) * std::size_t(w);
        std::memcpy(saved, p, std::size_t(w) * sizeof(quint32));
        // Any value but the colour: afterwards the colour marks exactly the figure's pixels.
        if (effect == Effect::Opaque)
            std::fill_n(p, w, colour ^ 0x00FFFFFFu);
    }
    return true;
}

void FigureCache::end(QImage& image, const Key& key, Effect effect, quint32 colour, QPoint shift)
{
    Record record;
    record.effect = effect;
    record.colour = colour;
    const int w = m_region.width();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    const Rows rows(image);
    for (int y = m_region.top(), i = 0; y <= m_region.bottom(); ++y, ++i) {
        quint32* p = rows[y] + m_region.left();
        const quint32* before = m_before.data() + std::size_t(i) * std::size_t(w);
        if (effect == Effect::Xor && std::memcmp(p, before, std::size_t(w) * sizeof(quint32)) == 0)
            continue;
        for (int x = 0; x < w;) {
            auto touched = [&](int at) {
                return effect == Effect::Xor ? p[at] != before[at] : p[at] == colour;
            };
            if (!touched(x)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < w && touched(x))
                ++x;
            Run run{y - shift.y(), m_region.left() + start - shift.x(), x - start, int(record.values.size())};
            if (effect == Effect::Xor) {
                for (int j = start; j < x; ++j)
                    record.values.push_back(p[j] ^ before[j]);
            }
            record.runs.push_back(run);
            left = std::min(left, run.x);
            right = std::max(right, run.x + run.length - 1);
            top = std::min(top, run.y);
            bottom = std::max(bottom, run.y);
        }
        // The region back as it was, the figure drawn over it below.
        if (effect == Effect::Opaque)
            std::memcpy(p, before, std::size_t(w) * sizeof(quint32));
    }
    if (!record.runs.empty())
        record.bounds = QRect(QPoint(left, top), QPoint(right, bottom));
    if (effect == Effect::Opaque)
        apply(image, record, shift);
    insert(key, std::move(record));
}

void FigureCache::insert(const Key& key, Record&& record)
{
    const std::size_t bytes = record.bytes();
    if (m_currentBytes + bytes > MaxGenerationBytes) {
        m_previous = std::move(m_current);
        m_current = Map();
        m_currentBytes = 0;
    }
    m_currentBytes += bytes;
    m_current.insert_or_assign(key, std::move(record));
}

void FigureCache::clear()
{
    m_current.clear();
    m_previous.clear();
    m_currentBytes = 0;
}

} // namespace knotel::platform
