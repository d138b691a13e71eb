// What a canvas keeps of its picture between paint passes: the background, the base under the
// frame, the areas that differ from the background and the XOR figures on it.
#include "platform/LayerCache.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace knotel::platform {

namespace {

// Areas drawn over between passes are kept per column strip of this many logical pixels: a
// curve's figures cover a band across the plot, most of it between them.
constexpr int StripWidth = 32;
// XOR figures kept per pass; a curve has at most 127.
constexpr std::size_t MaxFigures = 1024;

} // namespace

bool DrawCall::drawsAs(const DrawCall& other) const
{
    auto same = [](float a, float b) { return std::bit_cast<quint32>(a) == std::bit_cast<quint32>(b); };
    const bool filled = kind == Circle;
    return kind == other.kind && same(x1, other.x1) && same(y1, other.y1) && same(x2, other.x2) &&
           same(y2, other.y2) && colour == other.colour && text == other.text &&
           drawStyle == other.drawStyle && drawMode == other.drawMode &&
           (!filled || (fillStyle == other.fillStyle && fillColour == other.fillColour));
}

void LayerCache::invalidate()
{
    m_valid = false;
    m_underFrame.clear();
    m_live.clear();
    m_nextLive.clear();
    clearDrawnOver();
    m_figures.clear();
    m_nextFigures.clear();
}

void LayerCache::keepBackground(const QImage& image)
{
    // The same size as the last time at every pass but after a resize: the memory is reused.
    if (m_background.size() != image.size() || m_background.format() != image.format())
        m_background = QImage(image.size(), image.format());
    std::memcpy(m_background.bits(), image.constBits(), std::size_t(image.sizeInBytes()));
    m_valid = true;
}

void LayerCache::restoreBackground(const Pixels& image, const QRect& device) const
{
    const std::size_t bytes = std::size_t(device.width()) * 4;
    for (int y = device.top(); y <= device.bottom(); ++y)
        std::memcpy(image.row(y) + device.left(),
                    reinterpret_cast<const quint32*>(m_background.constScanLine(y)) + device.left(), bytes);
}

void LayerCache::keepUnderFrame(const Pixels& image, const QRect& device)
{
    if (device.isEmpty())
        return;
    Patch patch{device, std::vector<quint32>(std::size_t(device.width()) * std::size_t(device.height()))};
    image.save(device, patch.pixels.data());
    m_underFrame.push_back(std::move(patch));
}

void LayerCache::restoreUnderFrame(const Pixels& image, const QRect& device) const
{
    // Latest first: where frame figures overlap, the earliest one's record holds the base.
    for (auto patch = m_underFrame.rbegin(); patch != m_underFrame.rend(); ++patch) {
        const QRect r = patch->device & device;
        if (!r.isEmpty())
            image.restore(r, patch->pixels.data(), patch->device);
    }
}

void LayerCache::endLive()
{
    std::swap(m_live, m_nextLive);
    m_nextLive.clear();
}

void LayerCache::drawnOver(const QRect& logical)
{
    if (logical.isEmpty() || m_allDrawnOver)
        return;
    const int first = std::max(logical.left(), 0) / StripWidth;
    const int last = std::max(logical.right(), 0) / StripWidth;
    if (std::size_t(last) >= m_drawnOver.size())
        m_drawnOver.resize(std::size_t(last) + 1);
    for (int i = first; i <= last; ++i) {
        const QRect part = logical & QRect(i * StripWidth, logical.top(), StripWidth, logical.height());
        QRect& strip = m_drawnOver[std::size_t(i)];
        strip = strip.isNull() ? part : strip | part;
    }
}

void LayerCache::clearDrawnOver()
{
    m_drawnOver.clear();
    m_allDrawnOver = false;
}

void LayerCache::beginFigures()
{
    m_nextFigures.clear();
    m_cursor = 0;
}

bool LayerCache::keepFigure(const DrawCall& call)
{
    if (m_cursor >= m_figures.size() || m_nextFigures.size() >= MaxFigures)
        return false;
    Drawn& last = m_figures[m_cursor];
    if (last.state != Drawn::Shown || !last.call.drawsAs(call))
        return false;
    last.state = Drawn::Kept;
    m_nextFigures.push_back({last.call, 0, last.area, Drawn::Shown});
    ++m_cursor;
    return true;
}

void LayerCache::addFigure(const DrawCall& call, const Area& area)
{
    ++m_cursor;
    if (m_nextFigures.size() >= MaxFigures) {
        drawnOver(area.logical);
        return;
    }
    m_nextFigures.push_back({call, 0, area, Drawn::Shown});
}

void LayerCache::endFigures()
{
    std::swap(m_figures, m_nextFigures);
    m_nextFigures.clear();
}

void LayerCache::forgetFigures()
{
    for (const Drawn& f : m_figures) {
        if (f.state == Drawn::Shown)
            drawnOver(f.area.logical);
    }
    m_figures.clear();
}

bool meets(const QRect& r, const std::vector<LayerCache::Area>& areas)
{
    return std::any_of(areas.begin(), areas.end(),
                       [&](const LayerCache::Area& a) { return overlaps(a.device, r); });
}

std::vector<QRect> subtracted(const QRect& r, const std::vector<LayerCache::Area>& cut)
{
    std::vector<QRect> parts{r};
    for (const LayerCache::Area& a : cut) {
        const QRect& c = a.device;
        std::vector<QRect> rest;
        for (const QRect& p : parts) {
            const QRect common = p & c;
            if (common.isEmpty()) {
                rest.push_back(p);
                continue;
            }
            // Above, below, and left and right of the common part.
            if (p.top() < common.top())
                rest.emplace_back(QPoint(p.left(), p.top()), QPoint(p.right(), common.top() - 1));
            if (common.bottom() < p.bottom())
                rest.emplace_back(QPoint(p.left(), common.bottom() + 1), QPoint(p.right(), p.bottom()));
            if (p.left() < common.left())
                rest.emplace_back(QPoint(p.left(), common.top()), QPoint(common.left() - 1, common.bottom()));
            if (common.right() < p.right())
                rest.emplace_back(QPoint(common.right() + 1, common.top()),
                                  QPoint(p.right(), common.bottom()));
        }
        parts = std::move(rest);
    }
    return parts;
}

} // namespace knotel::platform
