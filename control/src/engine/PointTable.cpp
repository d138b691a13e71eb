// The break-point table and its slot rules.
#include "engine/PointTable.h"

#include "numbers/NumberConversion.h"

#include <knotel/RuntimeError.h>

#include <algorithm>
#include <cstring>

namespace knotel {

std::optional<std::size_t> PointTable::indexedSlot() const
{
    // In use by the host's rule: below Dimensions, then not negative.
    if (!(m_index < m_dimensions && m_index >= 0))
        return std::nullopt;
    if (m_index >= SlotCount)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange,
                           QStringLiteral("slot %1 is in use (Dimensions %2) but beyond the %3 slots")
                               .arg(m_index)
                               .arg(m_dimensions)
                               .arg(SlotCount));
    return std::size_t(m_index);
}

float PointTable::x() const
{
    const auto i = indexedSlot();
    return i ? m_x[*i] : 0.0f;
}

float PointTable::y() const
{
    const auto i = indexedSlot();
    return i ? m_y[*i] : 0.0f;
}

bool PointTable::setX(float value)
{
    const auto i = indexedSlot();
    if (!i)
        return false;
    m_x[*i] = value;
    m_savedX[*i] = value;
    m_xGiven[*i] = true;
    return true;
}

bool PointTable::setY(float value)
{
    const auto i = indexedSlot();
    if (!i)
        return false;
    m_y[*i] = value;
    m_savedY[*i] = value;
    m_yGiven[*i] = true;
    return true;
}

bool PointTable::changed() const
{
    const auto i = indexedSlot();
    return i && pointChanged(int(*i));
}

void PointTable::setChanged(bool mark)
{
    const auto i = indexedSlot();
    if (!i)
        return;
    m_savedX[*i] = mark ? -m_x[*i] : m_x[*i];
    m_savedY[*i] = mark ? -m_y[*i] : m_y[*i];
}

void PointTable::setPoints(std::span<const float> xs, std::span<const float> ys)
{
    if (xs.size() > std::size_t(SlotCount) || xs.size() != ys.size())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    m_dimensions = qint32(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
        m_x[i] = m_savedX[i] = xs[i];
        m_y[i] = m_savedY[i] = ys[i];
        m_xGiven[i] = m_yGiven[i] = true;
    }
}

bool PointTable::pointChanged(int slot) const
{
    const auto i = std::size_t(slot);
    // Compared as floats: 0.0 and -0.0 are equal.
    return m_x[i] != m_savedX[i] || m_y[i] != m_savedY[i];
}

void PointTable::acceptPoint(int slot)
{
    const auto i = std::size_t(slot);
    m_savedX[i] = m_x[i];
    m_savedY[i] = m_y[i];
}

int PointTable::slotsInUse() const
{
    return std::clamp(m_dimensions, 0, SlotCount);
}

bool PointTable::complete() const
{
    const int count = slotsInUse();
    for (int i = 0; i < count; ++i) {
        if (!m_xGiven[std::size_t(i)] || !m_yGiven[std::size_t(i)])
            return false;
    }
    return true;
}

bool PointReadings::samePoints(const PointReadings& other) const
{
    return count == other.count &&
           std::memcmp(positions.data(), other.positions.data(), sizeof positions) == 0;
}

PointSlot PointTable::slot(int i) const
{
    const auto s = std::size_t(i);
    return {m_x[s], m_y[s], m_savedX[s], m_savedY[s], m_xGiven[s], m_yGiven[s]};
}

void PointTable::setSlot(int i, const PointSlot& slot)
{
    const auto s = std::size_t(i);
    m_x[s] = slot.x;
    m_y[s] = slot.y;
    m_savedX[s] = slot.savedX;
    m_savedY[s] = slot.savedY;
    m_xGiven[s] = slot.xGiven;
    m_yGiven[s] = slot.yGiven;
}

void PointTable::insertSlot(int at, const PointSlot& slot)
{
    const int count = slotsInUse();
    if (count >= SlotCount || at < 0 || at > count)
        return;
    for (int i = count; i > at; --i)
        setSlot(i, this->slot(i - 1));
    setSlot(at, slot);
    m_dimensions = count + 1;
}

void PointTable::removeSlot(int at)
{
    const int count = slotsInUse();
    if (at < 0 || at >= count)
        return;
    for (int i = at; i + 1 < count; ++i)
        setSlot(i, slot(i + 1));
    m_dimensions = count - 1;
}

PointReadings PointTable::readings() const
{
    PointReadings r;
    r.count = slotsInUse();
    for (int i = 0; i < r.count; ++i)
        r.positions[std::size_t(i)] = position(i);
    // A slot in use beyond the table reads as error 9.
    if (!(m_index < m_dimensions && m_index >= SlotCount)) {
        r.x = x();
        r.y = y();
        r.changed = changed();
    }
    return r;
}

void PointTable::beginCurveMove()
{
    std::copy_n(m_y.begin(), slotsInUse(), m_moveStartY.begin());
}

bool PointTable::curveMoved() const
{
    const int count = slotsInUse();
    for (int i = 0; i < count; ++i) {
        if (!sameSingle(m_y[std::size_t(i)], m_moveStartY[std::size_t(i)]))
            return true;
    }
    return false;
}

} // namespace knotel
