// The layers of a paint pass on the canvas: whether a pass keeps its background, reuses the kept
// one or draws everything, and what each drawing call does in each stage (see LayerCache).
#include "platform/Canvas.h"

#include <QtMath>

#include <algorithm>

namespace knotel::platform {

namespace {

// The layers track an area this much wider than the one a figure's screen update covers: the
// rounding of positions to device pixels, and for text the anti-aliasing around its glyphs.
constexpr qreal FigureLayerMargin = 3;
constexpr qreal TextLayerMargin = 4;

} // namespace

LayerCache::Area Canvas::deviceArea(const QRect& logical) const
{
    if (m_ratio == 1)
        return {logical, logical & m_image.rect()};
    // The device pixels that hold any part of the logical ones.
    const QRect device(
        QPoint(qFloor(logical.left() * m_ratio), qFloor(logical.top() * m_ratio)),
        QPoint(qCeil((logical.right() + 1) * m_ratio) - 1, qCeil((logical.bottom() + 1) * m_ratio) - 1));
    return {logical, device & m_image.rect()};
}

LayerCache::Area Canvas::layerArea(const Extent& box, bool text) const
{
    // A figure reaching far out may have its pixels anywhere on the surface.
    const bool near = text || withinReach(box);
    const QSize size = m_imageSize;
    const QRect logical = pixelArea(near ? box : Extent{0, 0, double(size.width()), double(size.height())},
                                    text ? TextLayerMargin : FigureLayerMargin);
    return logical.isNull() ? LayerCache::Area{} : deviceArea(logical);
}

void Canvas::beginPass(bool sameKey)
{
    ++m_batchDepth; // the screen is updated once, when the pass ends
    m_passMode = PassMode::Plain;
    m_stage = Stage::None;
    if (!startDrawing()) {
        m_layers.invalidate();
        return;
    }
    // The canvas's part of the key: what the background is drawn in.
    const PassKey key{m_imageSize, m_ratio, m_host.canvasDpi(), m_textFont, m_backColor};
    const bool same = sameKey && key == m_passKey;
    m_passKey = key;
    // Drawn whole while its calls are recorded or replays are off, and from a drawing state other
    // than the one a pass leaves.
    const bool layered =
        m_figuresEnabled && !m_recorder && m_drawStyle == DrawStyle::Solid && m_drawMode == DrawMode::CopyPen;
    if (!same || !layered) {
        // A background seen for the first time is drawn whole: a host that changes it at every
        // pass pays nothing for keeping it.
        m_layers.invalidate();
        return;
    }
    if (m_layers.valid()) {
        m_passMode = PassMode::Reuse;
        m_stage = Stage::Clear; // its Cls keeps the picture
    } else {
        m_passMode = PassMode::Keep;
    }
    m_redrawn.clear();
    m_restored.clear();
}

void Canvas::enterStage(Stage stage)
{
    if (m_passMode == PassMode::Plain)
        return;
    // The live layer starts from the drawing state the base left, as in a whole pass.
    auto baseState = [this] {
        m_currentX = m_baseState.currentX;
        m_currentY = m_baseState.currentY;
        m_foreColor = m_baseState.foreColor;
    };
    switch (stage) {
    case Stage::FrameAlone:
        m_baseState = {m_currentX, m_currentY, m_foreColor};
        break;
    case Stage::Measure:
        baseState();
        break;
    case Stage::Live:
        if (m_passMode == PassMode::Keep)
            m_layers.keepBackground(m_image);
        else
            restoreChangedLive();
        m_liveCall = 0;
        baseState();
        break;
    case Stage::Curve:
        if (m_passMode == PassMode::Reuse)
            restoreFigures();
        m_layers.endLive();
        m_layers.beginFigures();
        break;
    default:
        break;
    }
    m_stage = stage;
}

void Canvas::restoreChangedLive()
{
    // The live calls that differ from the last pass's at the same place in the order, and the
    // areas to restore: theirs, the last pass's calls' that are gone, and what was drawn since.
    const std::vector<LayerCache::Drawn>& last = m_layers.lastLive();
    const std::vector<LayerCache::Drawn>& now = m_layers.live();
    std::vector<LayerCache::Area> restored;
    if (m_layers.allDrawnOver()) {
        restored.push_back(deviceArea(QRect(QPoint(), m_imageSize)));
    } else {
        for (const QRect& strip : m_layers.drawnOverAreas()) {
            if (!strip.isNull())
                restored.push_back(deviceArea(strip));
        }
    }
    m_layers.clearDrawnOver();
    m_redraw.assign(now.size(), false);
    for (std::size_t i = 0; i < std::max(last.size(), now.size()); ++i) {
        const bool same = i < last.size() && i < now.size() && last[i].drawsAs(now[i]);
        if (same)
            continue;
        if (i < last.size())
            restored.push_back(last[i].area);
        if (i < now.size()) {
            restored.push_back(now[i].area);
            m_redraw[i] = true;
        }
    }
    // A call that stays the same is drawn again where the area restored reaches it, and then
    // all of it: its pixels there lie over or under another call's.
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (!m_redraw[i] && meets(now[i].area.device, restored)) {
                m_redraw[i] = true;
                restored.push_back(now[i].area);
                grew = true;
            }
        }
    }
    for (const LayerCache::Area& a : restored) {
        m_layers.restoreBackground(m_pixels, a.device);
        showPixels(a.logical);
    }
    m_restored = std::move(restored);
}

void Canvas::restoreFigures()
{
    // The restored areas lost the XOR figures over them: each is drawn again there, and only
    // there, where the screen is updated already.
    QRect bounds;
    for (const LayerCache::Area& a : m_restored)
        bounds |= a.device;
    m_quiet = true;
    for (const LayerCache::Drawn& f : m_layers.figures()) {
        if (overlaps(f.area.device, bounds) && meets(f.area.device, m_restored)) {
            keepAround(f.area.device);
            drawFigureAgain(f.call);
            restoreAround(f.area.device, m_restored);
        }
    }
    m_quiet = false;
}

void Canvas::prepareLive(const LayerCache::Area& area)
{
    // The picture holds the background there; the base under the frame where the live layer has
    // not drawn yet.
    for (const QRect& r : subtracted(area.device, m_redrawn))
        m_layers.restoreUnderFrame(m_pixels, r);
    m_redrawn.push_back(area);
}

void Canvas::endPass(bool failed)
{
    if (m_stage == Stage::Curve) {
        // The last pass's XOR figures that this one did not draw again.
        for (LayerCache::Drawn& f : m_layers.figures()) {
            if (f.state == LayerCache::Drawn::Shown)
                drawFigureAgain(f.call); // which erases it
        }
        m_layers.endFigures();
    } else if (m_passMode != PassMode::Plain) {
        failed = true; // ended before its curve
    }
    if (failed)
        m_layers.invalidate();
    if (!m_passAreas.empty()) {
        if (!m_allDue)
            showPassAreas();
        m_passAreas.clear();
    }
    // The curve's figures, collected in strips, before the stage ends: they are not drawn over.
    if (--m_batchDepth == 0)
        flushUpdates();
    m_stage = Stage::None;
    m_passMode = PassMode::Plain;
}

void Canvas::showPassAreas()
{
    // The areas of a figure's lines and its text, and of its old and new place, overlap or lie
    // side by side: merged where their bounding rectangle covers no more, they are a few
    // rectangles, which Qt's region arithmetic takes at a fraction of the cost.
    std::vector<QRect> merged;
    for (QRect r : m_passAreas) {
        for (std::size_t i = 0; i < merged.size();) {
            const QRect both = merged[i] | r;
            if (qint64(both.width()) * both.height() <=
                qint64(merged[i].width()) * merged[i].height() + qint64(r.width()) * r.height()) {
                r = both;
                merged[i] = merged.back();
                merged.pop_back();
                i = 0;
            } else {
                ++i;
            }
        }
        merged.push_back(r);
    }
    if (merged.size() == 1) {
        m_host.showArea(merged.front());
        return;
    }
    QRegion region;
    for (const QRect& r : merged)
        region += r;
    m_host.showAreas(region);
}

void Canvas::keepAround(const QRect& device)
{
    m_around.resize(std::size_t(device.width()) * std::size_t(device.height()));
    m_pixels.save(device, m_around.data());
}

void Canvas::restoreAround(const QRect& device, const std::vector<LayerCache::Area>& drawn)
{
    for (const QRect& r : subtracted(device, drawn))
        m_pixels.restore(r, m_around.data(), device);
}

} // namespace knotel::platform
