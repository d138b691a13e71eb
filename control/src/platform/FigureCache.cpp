#include "platform/FigureCache.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace knotel::platform {

namespace {

// A record covers at most this many device pixels: recording reads its whole region twice, and a
// long diagonal line would cost more to record than it saves.
constexpr qint64 MaxRecordPixels = 1 << 17;
// Past this many bytes of runs and values the cache starts afresh.
constexpr std::size_t MaxBytes = std::size_t(16) << 20;
constexpr std::size_t InitialSlots = 1024;

} // namespace

std::size_t FigureCache::hashOf(const Key& k)
{
    quint64 h = k.kind;
    for (quint32 v : {k.colour, k.fill, k.geometry[0], k.geometry[1], k.geometry[2], k.geometry[3]})
        h = (h ^ v) * 0x9E3779B97F4A7C15ull;
    return std::size_t(h ^ (h >> 29));
}

FigureCache::Slot& FigureCache::slotOf(const Key& key, std::size_t hash)
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.record < 0 || (slot.hash == hash && slot.key == key))
            return slot;
    }
}

bool FigureCache::replay(const Pixels& image, const Key& key, QPoint shift)
{
    if (m_records.empty())
        return false;
    const Slot& slot = slotOf(key, hashOf(key));
    if (slot.record < 0)
        return false;
    const Record& record = m_records[std::size_t(slot.record)];
    if (record.runCount > 0 && !image.contains(record.bounds.translated(shift)))
        return false;
    if (record.runCount > 0)
        apply(image, record, shift);
    ++m_replays;
    return true;
}

void FigureCache::apply(const Pixels& image, const Record& record, QPoint shift) const
{
    const Run* run = m_runs.data() + record.firstRun;
    const Run* end = run + record.runCount;
    if (record.effect == Effect::Opaque) {
        for (; run != end; ++run) {
            quint32* p = image.row(run->y + shift.y()) + run->x + shift.x();
            for (int r = 0; r < run->rows;
                 ++r, p = reinterpret_cast<quint32*>(reinterpret_cast<uchar*>(p) + image.stride))
                std::fill_n(p, run->length, record.colour);
        }
    } else {
        for (; run != end; ++run) {
            quint32* p = image.row(run->y + shift.y()) + run->x + shift.x();
            const quint32* v = m_values.data() + run->first;
            for (int r = 0; r < run->rows;
                 ++r, p = reinterpret_cast<quint32*>(reinterpret_cast<uchar*>(p) + image.stride)) {
                for (int i = 0; i < run->length; ++i)
                    p[i] ^= v[i];
            }
        }
    }
}

void FigureCache::fill(const Pixels& image, const QRect& r, Effect effect, quint32 colour)
{
    const QRect cut = r & QRect(0, 0, image.width, image.height);
    if (cut.isEmpty() || !image.bits)
        return;
    for (int y = cut.top(); y <= cut.bottom(); ++y) {
        quint32* p = image.row(y) + cut.left();
        if (effect == Effect::Opaque) {
            std::fill_n(p, cut.width(), colour);
        } else {
            // The XOR pen leaves the alpha byte.
            const quint32 bits = colour & 0x00FFFFFFu;
            for (int i = 0; i < cut.width(); ++i)
                p[i] ^= bits;
        }
    }
}

bool FigureCache::begin(const Pixels& image, const QRect& region, Effect effect, quint32 colour)
{
    m_region = region & QRect(0, 0, image.width, image.height);
    if (m_region.isEmpty() || qint64(m_region.width()) * m_region.height() > MaxRecordPixels || !image.bits)
        return false;
    const int w = m_region.width();
    m_before.resize(std::size_t(w) * std::size_t(m_region.height()));
    for (int y = m_region.top(), i = 0; y <= m_region.bottom(); ++y, ++i) {
        quint32* p = image.row(y) + m_region.left();
        quint32* saved = m_before.data() + std::size_t(i) * std::size_t(w);
        std::memcpy(saved, p, std::size_t(w) * sizeof(quint32));
        // Any value but the colour: afterwards the colour marks exactly the figure's pixels.
        if (effect == Effect::Opaque)
            std::fill_n(p, w, colour ^ 0x00FFFFFFu);
    }
    return true;
}

void FigureCache::end(const Pixels& image, const Key& key, Effect effect, quint32 colour, QPoint shift)
{
    if (m_runs.size() * sizeof(Run) + m_values.size() * sizeof(quint32) > MaxBytes)
        clear();
    Record record{effect, colour, QRect(), int(m_runs.size()), 0};
    const int w = m_region.width();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    m_above.clear();
    for (int y = m_region.top(), i = 0; y <= m_region.bottom(); ++y, ++i) {
        quint32* p = image.row(y) + m_region.left();
        const quint32* before = m_before.data() + std::size_t(i) * std::size_t(w);
        m_row.clear();
        if (effect == Effect::Xor && std::memcmp(p, before, std::size_t(w) * sizeof(quint32)) == 0) {
            m_above.clear();
            continue;
        }
        auto touched = [&](int at) { return effect == Effect::Xor ? p[at] != before[at] : p[at] == colour; };
        std::size_t k = 0; // the first run above not left of this one
        for (int x = 0; x < w;) {
            if (!touched(x)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < w && touched(x))
                ++x;
            const int runX = m_region.left() + start - shift.x();
            const int runY = y - shift.y();
            const int length = x - start;
            left = std::min(left, runX);
            right = std::max(right, runX + length - 1);
            top = std::min(top, runY);
            bottom = std::max(bottom, runY);
            // The same run as in the row above, with the same values: that one repeats here.
            while (k < m_above.size() && m_runs[std::size_t(m_above[k])].x < runX)
                ++k;
            if (k < m_above.size()) {
                Run& above = m_runs[std::size_t(m_above[k])];
                bool same = above.x == runX && above.length == length && above.y + above.rows == runY;
                for (int j = 0; same && effect == Effect::Xor && j < length; ++j)
                    same = m_values[std::size_t(above.first + j)] == (p[start + j] ^ before[start + j]);
                if (same) {
                    ++above.rows;
                    m_row.push_back(m_above[k]);
                    continue;
                }
            }
            m_row.push_back(int(m_runs.size()));
            m_runs.push_back(Run{runY, runX, length, 1, int(m_values.size())});
            if (effect == Effect::Xor) {
                for (int j = start; j < x; ++j)
                    m_values.push_back(p[j] ^ before[j]);
            }
            ++record.runCount;
        }
        std::swap(m_above, m_row);
        // The region back as it was, the figure drawn over it below.
        if (effect == Effect::Opaque)
            std::memcpy(p, before, std::size_t(w) * sizeof(quint32));
    }
    if (record.runCount > 0)
        record.bounds = QRect(QPoint(left, top), QPoint(right, bottom));
    if (effect == Effect::Opaque && record.runCount > 0)
        apply(image, record, shift);

    // Into the table, which grows before it is half full.
    if (m_slots.empty() || (m_records.size() + 1) * 2 > m_slots.size()) {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(std::max(InitialSlots, old.size() * 2), Slot());
        for (const Slot& s : old) {
            if (s.record >= 0)
                slotOf(s.key, s.hash) = s;
        }
    }
    const std::size_t hash = hashOf(key);
    Slot& slot = slotOf(key, hash);
    if (slot.record < 0) {
        slot = Slot{hash, int(m_records.size()), key};
        m_records.push_back(record);
    } else {
        m_records[std::size_t(slot.record)] = record;
    }
}

void FigureCache::clear()
{
    m_slots.clear();
    m_records.clear();
    m_runs.clear();
    m_values.clear();
}

} // namespace knotel::platform
