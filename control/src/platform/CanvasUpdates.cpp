// The canvas's changed areas: the pixels each drawing call can have touched, reported to the
// host at once or collected in a batch and reported as a few rectangles when it ends.
#include "platform/Canvas.h"

#include <climits>
#include <cmath>

namespace knotel::platform {

namespace {

// A batch collects the boxes of its drawing calls per column strip of this many pixels: the
// bounding rectangle of a curve's figures spans its whole band, most of it unchanged, and a
// rectangle per box costs a copy call each and a region of many bands in Qt's bookkeeping.
constexpr int DueStripWidth = 32;
// What a screen update costs per rectangle, in device pixels copied in the same time: copied
// directly, and through QPainter, where each clip is also cut from the whole region.
constexpr double DirectRectangleCost = 1024;
constexpr double RectangleCost = 4096;
constexpr double ClipCost = 64;
// The rows of a strip's rectangle are widened to whole bands of this many pixels.
constexpr int DueBandHeight = 32;

qint64 area(const QRect& r)
{
    return qint64(r.width()) * r.height();
}

} // namespace

QRect Canvas::pixelArea(const Extent& box, qreal margin) const
{
    // In plain arithmetic: this runs for every figure of a curve move. The box widened by the
    // margin and cut to the canvas; whole pixels by truncation, the values being positive.
    const double x1 = box.x1, x2 = box.x2, y1 = box.y1, y2 = box.y2;
    const QSize size = m_imageSize; // the host's, within a run of drawing
    const double left = std::max(std::min(x1, x2) - margin, 0.0);
    const double top = std::max(std::min(y1, y2) - margin, 0.0);
    const double right = std::min(std::max(x1, x2) + margin, double(size.width()));
    const double bottom = std::min(std::max(y1, y2) + margin, double(size.height()));
    if (!(left < right && top < bottom))
        return {};
    const int r = int(right);
    const int b = int(bottom);
    return QRect(QPoint(int(left), int(top)), QPoint(r - (r < right ? 0 : 1), b - (b < bottom ? 0 : 1)));
}

void Canvas::touched(const Extent& box, qreal margin)
{
    if (m_quiet)
        return;
    if (m_allDue) {
        // Drawing over a kept picture before the screen has shown it: what changed is not known.
        if (m_stage == Stage::None && m_layers.valid())
            m_layers.drawnOverAll();
        return;
    }
    const QRect pixels = pixelArea(box, margin);
    if (!pixels.isNull())
        showPixels(pixels);
}

void Canvas::showPixels(const QRect& pixels)
{
    // A pass that reuses the background shows its restored areas, live layer and frame at its end.
    if (m_passMode == PassMode::Reuse && m_stage != Stage::Curve) {
        m_passAreas.push_back(pixels);
        return;
    }
    if (m_batchDepth == 0) {
        if (m_stage == Stage::None && m_layers.valid())
            m_layers.drawnOver(pixels);
        m_host.showArea(pixels);
        return;
    }
    // The part of the box in each column strip widens that strip's rectangle.
    const int first = pixels.left() / DueStripWidth;
    const int last = pixels.right() / DueStripWidth;
    if (std::size_t(last) >= m_due.size())
        m_due.resize(std::size_t(last) + 1);
    for (int i = first; i <= last; ++i) {
        QRect& due = m_due[std::size_t(i)];
        const int l = std::max(pixels.left(), i * DueStripWidth);
        const int rt = std::min(pixels.right(), (i + 1) * DueStripWidth - 1);
        if (due.isNull())
            due.setCoords(l, pixels.top(), rt, pixels.bottom());
        else
            due.setCoords(std::min(due.left(), l), std::min(due.top(), pixels.top()),
                          std::max(due.right(), rt), std::max(due.bottom(), pixels.bottom()));
    }
    m_dueFirst = std::min(m_dueFirst, first);
    m_dueLast = std::max(m_dueLast, last);
}

void Canvas::updateAll()
{
    m_allDue = true;
    clearDue();
    m_host.showAll();
}

void Canvas::clearDue()
{
    for (int i = m_dueFirst; i <= m_dueLast; ++i)
        m_due[std::size_t(i)] = QRect();
    m_dueFirst = INT_MAX;
    m_dueLast = -1;
}

void Canvas::flushUpdates()
{
    if (m_dueLast < 0)
        return;
    if (!m_allDue) {
        // The strips' rectangles with their rows widened to whole bands, so that neighbours join
        // and a band of rows holds a few rectangles side by side, as Qt keeps a region; or their
        // bounding rectangle, whichever copies for less: each rectangle costs a copy of its own,
        // and through QPainter also a clip cut from the whole region.
        const int band = DueBandHeight;
        const int lastRow = m_host.canvasSize().height() - 1;
        QRect bounds;
        int top = INT_MAX, bottom = -1;
        for (int i = m_dueFirst; i <= m_dueLast; ++i) {
            QRect& due = m_due[std::size_t(i)];
            if (due.isNull())
                continue;
            bounds |= due;
            due.setTop(due.top() / band * band);
            due.setBottom(std::min(due.bottom() / band * band + band - 1, lastRow));
            top = std::min(top, due.top());
            bottom = std::max(bottom, due.bottom());
        }
        // Band by band, the strips that cover it, neighbours joined; a band with the same
        // rectangles side by side as the band above joins that one.
        std::vector<QRect>& rects = m_dueRects;
        rects.clear();
        qint64 rectsArea = 0;
        std::size_t above = 0; // the first rectangle of the band above
        for (int y = top; y <= bottom; y += band) {
            const int rowEnd = std::min(y + band - 1, lastRow);
            const std::size_t first = rects.size();
            QRect run;
            for (int i = m_dueFirst; i <= m_dueLast; ++i) {
                const QRect& due = m_due[std::size_t(i)];
                if (due.isNull() || due.top() > y || due.bottom() < rowEnd)
                    continue;
                if (!run.isNull() && run.right() + 1 >= due.left()) {
                    run.setRight(due.right());
                    continue;
                }
                if (!run.isNull())
                    rects.push_back(run);
                run = QRect(QPoint(due.left(), y), QPoint(due.right(), rowEnd));
            }
            if (!run.isNull())
                rects.push_back(run);
            const std::size_t count = rects.size() - first;
            bool same = count > 0 && first - above == count && rects[above].bottom() + 1 == y;
            for (std::size_t i = 0; same && i < count; ++i)
                same = rects[above + i].left() == rects[first + i].left() &&
                       rects[above + i].right() == rects[first + i].right();
            if (same) {
                for (std::size_t i = 0; i < count; ++i)
                    rects[above + i].setBottom(rowEnd);
                rects.resize(first);
            } else {
                above = first;
            }
        }
        for (const QRect& r : rects)
            rectsArea += area(r);
        const double n = double(rects.size());
        const bool direct = m_ratio == std::floor(m_ratio);
        const double perRect = direct ? DirectRectangleCost : RectangleCost + n * ClipCost;
        const double devicePixels = m_ratio * m_ratio;
        const bool byRects = rects.size() > 1 && n * perRect + double(rectsArea) * devicePixels <
                                                     perRect + double(area(bounds)) * devicePixels;
        if (byRects) {
            QRegion region;
            region.setRects(rects.data(), int(rects.size()));
            m_host.showAreas(region);
        } else {
            m_host.showArea(bounds);
        }
        // Drawn over a kept picture outside a pass: restored at the next one.
        if (m_stage == Stage::None && m_layers.valid()) {
            if (byRects) {
                for (const QRect& r : rects)
                    m_layers.drawnOver(r);
            } else {
                m_layers.drawnOver(bounds);
            }
        }
    }
    clearDue();
}

} // namespace knotel::platform
