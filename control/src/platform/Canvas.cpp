// The canvas: its backing image and the drawing calls that paint into it.
#include "platform/Canvas.h"

#include "platform/Colour.h"
#include "platform/LabelMemo.h"
#include "platform/PixelCells.h"
#include "platform/TextLayouts.h"

#include <knotel/RuntimeError.h>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStaticText>
#include <QtMath>

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>
#include <utility>

namespace knotel::platform {

namespace {

void requireFinite(std::initializer_list<float> values)
{
    for (float v : values) {
        if (!std::isfinite(v))
            throw RuntimeError(RuntimeError::Overflow);
    }
}

DrawCall makeCall(DrawCall::Kind kind, float x1 = 0, float y1 = 0, float x2 = 0, float y2 = 0,
                  qint32 colour = 0, const QString& text = QString())
{
    DrawCall call;
    call.kind = kind;
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.colour = colour;
    call.text = text;
    return call;
}

// The pixels that a figure can touch lie within its exact bounding box widened by this much: half
// the one-pixel pen, the rounding of float coordinates to pixels and any anti-aliasing fringe.
constexpr qreal FigureMargin = 2;

// Fonts remembered; past these the oldest font is dropped.
constexpr std::size_t MaxCachedFonts = 4;

// Lines up to this far out, and at least a pixel long, take the axis-aligned fill.
constexpr double AxisLineReach = 16384;

// A recorded figure's region: its box widened by more than any pixel it touches lies beyond.
constexpr qreal RecordMargin = 3;

// Beyond this many pixels from the surface's origin Qt clips a figure in floating point, with
// errors that can move its pixels far from its box: such a figure is neither recorded nor trusted
// to stay within its box.
constexpr double FarReach = 16384;

// Figure kinds in a figure cache key, with the draw mode and styles that change their pixels.
constexpr quint32 LineFigure = 1;
constexpr quint32 BoxFigure = 2;
constexpr quint32 FilledBoxFigure = 3;
constexpr quint32 CircleFigure = 4;
constexpr quint32 XorBit = 0x10;
constexpr quint32 DotBit = 0x20;
constexpr quint32 SolidFillBit = 0x40;
constexpr quint32 ShapeBit = 0x80; ///< keyed by shape and phase, placed by the replay's offset

// The ratios at which a figure of whole cells or a circle about a whole cell gives the same
// device pixels wherever it stands (checked at every place in a test), with the number of
// logical pixels after which its device position repeats: shifts by multiples of it move the
// figure by whole device pixels.
int shapePeriod(qreal ratio)
{
    struct Entry {
        qreal ratio;
        int period;
    };
    static constexpr Entry verified[] = {{1, 1}, {1.25, 4}, {1.5, 2}, {1.75, 4},
                                         {2, 1}, {2.25, 4}, {2.5, 2}, {3, 1}};
    for (const Entry& e : verified) {
        if (e.ratio == ratio)
            return e.period;
    }
    return 0;
}

// Figures of whole cells are keyed by shape within these logical coordinates.
constexpr int ShapeLow = 4;
constexpr int ShapeHigh = 4096;

// The boxes of the figures, as their drawing places them.
QRectF boxArea(float x1, float y1, float x2, float y2)
{
    return QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
}

/** Corner pixels inclusive, touched once each, so that XOR drawing restores exactly. */
QRectF filledBoxArea(float x1, float y1, float x2, float y2)
{
    return boxArea(x1, y1, x2, y2).adjusted(0, 0, 1, 1);
}

/** About the nearest pixel (see circle()). */
QRectF circleArea(float x, float y, float radius)
{
    return QRectF(std::round(x) - radius, std::round(y) - radius, 2 * radius, 2 * radius);
}

/** The device pixels of the logical box from (@p x1, @p y1) to (@p x2, @p y2) widened by
 *  @p margin, within @p image; far-off coordinates are limited first. */
QRect deviceRegion(double x1, double y1, double x2, double y2, qreal margin, qreal ratio, const QRect& image)
{
    auto clampX = [&](double v) { return std::clamp(v * ratio, -1.0, double(image.width()) + 1); };
    auto clampY = [&](double v) { return std::clamp(v * ratio, -1.0, double(image.height()) + 1); };
    const int left = int(std::floor(clampX(std::min(x1, x2) - margin)));
    const int top = int(std::floor(clampY(std::min(y1, y2) - margin)));
    const int right = int(std::ceil(clampX(std::max(x1, x2) + margin)));
    const int bottom = int(std::ceil(clampY(std::max(y1, y2) + margin)));
    return QRect(QPoint(left, top), QPoint(right, bottom)) & image;
}

} // namespace

struct Canvas::FontCache {
    QFont font;
    int dpiX = 0;
    int dpiY = 0;
    QFontMetricsF metrics;
    TextLayouts texts;
    int serial = 0; ///< tells this font and resolution apart from every other one the surface had
};

Canvas::Canvas(CanvasHost& host) : m_host(host) {}

Canvas::~Canvas() = default;

bool Canvas::startDrawing()
{
    // The ratio is looked up when a run of drawing starts: a change of screen brings a paint
    // event, which ends the run and looks again.
    if (m_imageSize != m_host.canvasSize() || (!m_drawing && m_ratio != m_host.canvasPixelRatio()))
        renewImage();
    if (!m_drawing && !m_image.isNull()) {
        m_pixels = FigureCache::Pixels::of(m_image);
        m_drawing = true;
    }
    return m_drawing;
}

QPainter& Canvas::painter()
{
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painterFontValid = false;
    }
    m_painter->setCompositionMode(m_drawMode == DrawMode::XorPen ? QPainter::RasterOp_SourceXorDestination
                                                                 : QPainter::CompositionMode_SourceOver);
    return *m_painter;
}

void Canvas::endPainting()
{
    m_painter.reset();
    m_drawing = false;
}

void Canvas::setFigureCacheEnabled(bool enabled)
{
    m_figuresEnabled = enabled;
    m_figures.clear();
    m_labels.clear();
    m_layers.invalidate();
}

FigureCache::Key Canvas::figureKey(quint32 kind, qint32 colour, std::initializer_list<float> geometry) const
{
    FigureCache::Key key;
    key.kind =
        kind | (m_drawMode == DrawMode::XorPen ? XorBit : 0) | (m_drawStyle == DrawStyle::Dot ? DotBit : 0);
    key.colour = quint32(colour);
    int i = 0;
    for (float v : geometry)
        key.geometry[i++] = std::bit_cast<quint32>(v);
    return key;
}

std::optional<std::pair<FigureCache::Key, QPoint>>
Canvas::shapeKey(quint32 kind, qint32 colour, const QRect& cells, const QRectF& extent, quint32 size) const
{
    // Its region whole within the image, here and wherever it is replayed: no edge cuts it.
    if (!replaying() || !insideShapeArea(extent))
        return std::nullopt;
    FigureCache::Key key = figureKey(kind | ShapeBit, colour, {});
    const QPoint phase =
        m_shapePeriod == 1 ? QPoint() : QPoint(cells.left() % m_shapePeriod, cells.top() % m_shapePeriod);
    key.geometry[0] = quint32(cells.width());
    key.geometry[1] = quint32(cells.height());
    key.geometry[2] = quint32(phase.x()) | (quint32(phase.y()) << 16);
    key.geometry[3] = size;
    const QPoint anchor = cells.topLeft() - phase;
    return std::pair{key, QPoint(qRound(anchor.x() * m_ratio), qRound(anchor.y() * m_ratio))};
}

bool Canvas::withinReach(const Extent& box)
{
    return std::fabs(box.x1) <= FarReach && std::fabs(box.y1) <= FarReach && std::fabs(box.x2) <= FarReach &&
           std::fabs(box.y2) <= FarReach;
}

void Canvas::touchedFigure(const Extent& box)
{
    // A figure reaching far out may have its pixels anywhere on the surface.
    const QSize size = m_imageSize;
    touched(withinReach(box) ? box : Extent{0, 0, double(size.width()), double(size.height())}, FigureMargin);
}

template <class Draw>
void Canvas::drawFigure(FigureCache::Key key, const Extent& box, qint32 colour, QPoint shift, Draw&& draw)
{
    if (!replaying() || !withinReach(box)) {
        draw();
        return;
    }
    if (m_figures.replay(m_pixels, key, shift))
        return;
    const bool xorPen = m_drawMode == DrawMode::XorPen;
    const QRect region =
        deviceRegion(box.x1, box.y1, box.x2, box.y2, RecordMargin, m_ratio, QRect(QPoint(), m_image.size()));
    m_figures.capture(m_pixels, key, region, xorPen ? FigureCache::Effect::Xor : FigureCache::Effect::Opaque,
                      toQColor(colour).rgba(), shift, draw);
}

template <class MakeCall, class MakeBox, class Draw>
void Canvas::layered(MakeCall&& call, MakeBox&& box, bool text, Draw&& draw)
{
    switch (m_stage) {
    case Stage::None:
        // Outside a pass XOR figures come and go one by one (a drag): the areas of the kept ones
        // will be restored instead.
        if (m_drawMode == DrawMode::XorPen && !m_layers.figures().empty())
            m_layers.forgetFigures();
        draw();
        return;
    case Stage::Clear:
        draw();
        return;
    case Stage::FrameAlone:
        m_layers.keepUnderFrame(m_pixels, layerArea(box(), text).device);
        draw();
        return;
    case Stage::Measure:
        m_layers.live().push_back({call(), text ? fontCache().serial : 0, layerArea(box(), text)});
        return;
    case Stage::Live: {
        // In a pass that reuses the background, only the calls that changed.
        const LayerCache::Area area = layerArea(box(), text);
        if (m_passMode == PassMode::Reuse) {
            const std::size_t i = m_liveCall++;
            if (i >= m_redraw.size() || !m_redraw[i])
                return;
        } else {
            m_layers.live().push_back({call(), text ? fontCache().serial : 0, area});
        }
        prepareLive(area);
        draw();
        return;
    }
    case Stage::Frame: {
        // Again where the live layer was drawn: the background holds it elsewhere.
        const LayerCache::Area area = layerArea(box(), text);
        if (!meets(area.device, m_redrawn))
            return;
        // Outside the live layer the background holds the frame already: the pixels go back.
        keepAround(area.device);
        draw();
        restoreAround(area.device, m_redrawn);
        return;
    }
    case Stage::Curve: {
        const bool figure = m_drawMode == DrawMode::XorPen && !text;
        const DrawCall made = figure ? call() : DrawCall();
        if (figure && m_layers.keepFigure(made))
            return; // the last pass's, still shown
        const LayerCache::Area area = layerArea(box(), text);
        draw();
        if (figure)
            m_layers.addFigure(made, area);
        else
            m_layers.drawnOver(area.logical);
        return;
    }
    }
}

DrawCall Canvas::inState(DrawCall call) const
{
    call.drawStyle = m_drawStyle;
    call.drawMode = m_drawMode;
    call.fillStyle = m_fillStyle;
    call.fillColour = m_fillColor;
    return call;
}

void Canvas::drawFigureAgain(const DrawCall& call)
{
    const DrawMode mode = std::exchange(m_drawMode, DrawMode::XorPen);
    const DrawStyle style = std::exchange(m_drawStyle, call.drawStyle);
    const FillStyle fillStyle = std::exchange(m_fillStyle, call.fillStyle);
    const qint32 fillColour = std::exchange(m_fillColor, call.fillColour);
    switch (call.kind) {
    case DrawCall::Line:
        drawLine(call.x1, call.y1, call.x2, call.y2, call.colour);
        break;
    case DrawCall::Box:
        drawBox(call.x1, call.y1, call.x2, call.y2, call.colour);
        break;
    case DrawCall::FilledBox:
        drawFilledBox(call.x1, call.y1, call.x2, call.y2, call.colour);
        break;
    case DrawCall::Circle:
        drawCircle(call.x1, call.y1, call.x2, call.colour);
        break;
    default:
        break;
    }
    m_drawMode = mode;
    m_drawStyle = style;
    m_fillStyle = fillStyle;
    m_fillColor = fillColour;
}

void Canvas::renewImage()
{
    endPainting();
    m_imageSize = m_host.canvasSize();
    m_ratio = m_host.canvasPixelRatio();
    const int width = m_imageSize.width();
    const int height = m_imageSize.height();
    // Recorded figures, labels and layers hold device pixels of the old image.
    m_figures.clear();
    m_labels.clear();
    m_layers.invalidate();
    // Where figures may be keyed by shape: at a verified ratio, within the limits, and far enough
    // inside that no edge of the image cuts their region.
    m_shapePeriod = shapePeriod(m_ratio);
    m_shapeArea = QRectF();
    if (m_shapePeriod > 0 && !m_imageSize.isEmpty()) {
        const qreal low = std::max(qreal(ShapeLow), RecordMargin);
        m_shapeArea = QRectF(QPointF(low, low), QPointF(std::min(qreal(ShapeHigh), width - RecordMargin),
                                                        std::min(qreal(ShapeHigh), height - RecordMargin)));
    }
    // Pens differ with the ratio.
    m_penValid = false;
    if (m_imageSize.isEmpty()) {
        m_image = QImage();
    } else {
        // Rounded up, so that at a fractional ratio every device pixel of the canvas has a picture.
        m_image = QImage(QSize(qCeil(width * m_ratio), qCeil(height * m_ratio)), QImage::Format_RGB32);
        m_image.setDevicePixelRatio(m_ratio);
        // The host's resolution, so that text drawn here measures as textWidth() says.
        const QSize dpi = m_host.canvasDpi();
        m_image.setDotsPerMeterX(qRound(dpi.width() / 0.0254));
        m_image.setDotsPerMeterY(qRound(dpi.height() / 0.0254));
        m_image.fill(toQColor(m_backColor));
    }
    m_pictureValid = false;
    updateAll();
}

Canvas::FontCache& Canvas::fontCache() const
{
    if (m_font < 0) {
        // Text measures differently on a screen of another resolution.
        const QFont& current = m_textFont;
        const QSize dpi = m_host.canvasDpi();
        const int dpiX = dpi.width();
        const int dpiY = dpi.height();
        const auto found = std::find_if(m_fonts.begin(), m_fonts.end(), [&](const FontCache& c) {
            return c.font == current && c.dpiX == dpiX && c.dpiY == dpiY;
        });
        if (found != m_fonts.end()) {
            m_font = int(found - m_fonts.begin());
        } else {
            if (m_fonts.size() >= MaxCachedFonts)
                m_fonts.erase(m_fonts.begin());
            // Measured on an image of the host's resolution, as text is drawn.
            QImage device(1, 1, QImage::Format_RGB32);
            device.setDotsPerMeterX(qRound(dpiX / 0.0254));
            device.setDotsPerMeterY(qRound(dpiY / 0.0254));
            m_fonts.push_back(
                FontCache{current, dpiX, dpiY, QFontMetricsF(current, &device), {}, ++m_fontSerial});
            m_font = int(m_fonts.size()) - 1;
        }
    }
    return m_fonts[std::size_t(m_font)];
}

qreal Canvas::advance(const QString& text) const
{
    FontCache& cache = fontCache();
    TextLayouts::Entry& entry = cache.texts.entry(text);
    if (entry.advance < 0)
        entry.advance = cache.metrics.horizontalAdvance(text);
    return entry.advance;
}

const QStaticText& Canvas::staticText(const QString& text) const
{
    FontCache& cache = fontCache();
    TextLayouts::Entry& entry = cache.texts.entry(text);
    if (!entry.laidOut) {
        entry.text = QStaticText(text);
        entry.text.setTextFormat(Qt::PlainText);
        // Laid out for the image's device pixels, in which the painter draws it.
        entry.text.prepare(QTransform::fromScale(m_ratio, m_ratio),
                           m_painter ? m_painter->font() : cache.font);
        entry.laidOut = true;
    }
    return entry.text;
}

void Canvas::preparePen(QPainter& p, qint32 colour)
{
    // Building a pen allocates; a run of lines or markers in one colour and style reuses it.
    if (!m_penValid || m_penColour != colour || m_penStyle != m_drawStyle) {
        m_pen = QPen(toQColor(colour));
        if (m_ratio == 1) {
            m_pen.setCosmetic(true);
            m_pen.setWidth(1);
        } else {
            // One logical pixel wide. Its ends are placed by scaledLine(), so that dots fall on cells.
            m_pen.setWidthF(1);
            m_pen.setCapStyle(Qt::FlatCap);
            m_pen.setJoinStyle(Qt::MiterJoin);
        }
        m_pen.setStyle(m_drawStyle == DrawStyle::Dot ? Qt::DotLine : Qt::SolidLine);
        m_penColour = colour;
        m_penStyle = m_drawStyle;
        m_penValid = true;
    }
    p.setPen(m_pen);
}

void Canvas::cls()
{
    record([&] { return inState(makeCall(DrawCall::Cls)); });
    // Each paint pass looks its font up again, so that a change of screen is seen.
    m_font = -1;
    m_currentX = 0;
    m_currentY = 0;
    if (startDrawing()) {
        if (m_stage == Stage::Clear)
            return; // the kept background serves, restored where the pass draws
        // Every pixel the opaque back colour: as a plain fill of the image's memory.
        m_image.fill(toQColor(m_backColor));
        m_pixels = FigureCache::Pixels::of(m_image);
        m_pictureValid = true;
        m_layers.invalidate();
        updateAll();
    }
}

std::optional<QRect> Canvas::solidAxisLine(float x1, float y1, float x2, float y2) const
{
    // Qt's one-pixel cosmetic pen strokes pixel by pixel. On a horizontal or vertical line at
    // least a pixel long it covers exactly the pixels whose cell holds a point of the line: from
    // floor(start) to floor(end), in the row or column floor(position). Filling that rectangle
    // gives the same pixels at a fraction of the cost; grid lines and axes are such lines.
    if (m_drawStyle != DrawStyle::Solid || (x1 != x2 && y1 != y2))
        return std::nullopt;
    for (float v : {x1, y1, x2, y2}) {
        if (std::fabs(double(v)) > AxisLineReach)
            return std::nullopt;
    }
    const bool horizontal = y1 == y2;
    const double a = horizontal ? std::min(x1, x2) : std::min(y1, y2);
    const double b = horizontal ? std::max(x1, x2) : std::max(y1, y2);
    if (!(b - a >= 1))
        return std::nullopt;
    const int across = int(std::floor(horizontal ? double(y1) : double(x1)));
    const int from = int(std::floor(a));
    const int to = int(std::floor(b));
    return horizontal ? QRect(QPoint(from, across), QPoint(to, across))
                      : QRect(QPoint(across, from), QPoint(across, to));
}

void Canvas::line(float x1, float y1, float x2, float y2, qint32 colour)
{
    requireFinite({x1, y1, x2, y2});
    auto call = [&] { return inState(makeCall(DrawCall::Line, x1, y1, x2, y2, colour)); };
    record(call);
    if (startDrawing())
        layered(
            call,
            [&] {
                return Extent{x1, y1, x2, y2};
            },
            false, [&] { drawLine(x1, y1, x2, y2, colour); });
    m_currentX = x2;
    m_currentY = y2;
}

void Canvas::drawLine(float x1, float y1, float x2, float y2, qint32 colour)
{
    const std::optional<QRect> cells = solidAxisLine(x1, y1, x2, y2);
    auto draw = [&] {
        QPainter& p = painter();
        if (cells) {
            p.fillRect(*cells, toQColor(colour));
        } else {
            preparePen(p, colour);
            if (m_ratio == 1)
                p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
            else
                scaledLine(p, x1, y1, x2, y2);
        }
    };
    const Extent box{x1, y1, x2, y2};
    if (cells && m_ratio == 1)
        // Whole pixels, one for one: the fill QPainter makes of them, straight into memory.
        FigureCache::fill(m_pixels, *cells,
                          m_drawMode == DrawMode::XorPen ? FigureCache::Effect::Xor
                                                         : FigureCache::Effect::Opaque,
                          toQColor(colour).rgba());
    else
        drawFigure(figureKey(LineFigure, colour, {x1, y1, x2, y2}), box, colour, {}, draw);
    touchedFigure(box);
}

void Canvas::scaledLine(QPainter& p, float x1, float y1, float x2, float y2)
{
    QPointF a(x1, y1);
    QPointF b(x2, y2);
    if (a == b) {
        // One cell, the nearest, as the one-pixel pen draws a point.
        p.fillRect(QRect(cells::cellOf(double(x1) + 0.5, double(y1) + 0.5, canvasRect()), QSize(1, 1)),
                   p.pen().color());
        return;
    }
    if (x1 == x2 || y1 == y2) {
        // Along an axis the one-pixel pen covers whole cells, from the first point's to the last's.
        a = QPointF(std::floor(a.x()), std::floor(a.y()));
        b = QPointF(std::floor(b.x()), std::floor(b.y()));
    }
    // Through the middle of the cells, from the near edge of the first to the far edge of the
    // last: a dotted line's first dot covers the first cell.
    const QPointF middle(0.5, 0.5);
    const double length = QLineF(a, b).length();
    const QPointF half = length > 0 ? (b - a) * (0.5 / length) : QPointF();
    a += middle - half;
    b += middle + half;
    // Only the part near the surface: a far-off end would make Qt stroke (and dot) it all.
    const QRectF near =
        QRectF(canvasRect()).adjusted(-cells::Margin, -cells::Margin, cells::Margin, cells::Margin);
    const std::optional<std::pair<double, double>> kept = cells::clipSegment(a, b, near);
    if (!kept)
        return;
    const QPointF d = b - a;
    const QPointF from = a + d * kept->first;
    const QPointF to = a + d * kept->second;
    if (kept->first > 0 && m_drawStyle == DrawStyle::Dot) {
        // Dots where they would lie on the whole line.
        QPen pen = m_pen;
        pen.setDashOffset(std::fmod(QLineF(a, from).length(), 3.0));
        p.setPen(pen);
        p.drawLine(from, to);
        p.setPen(m_pen);
        return;
    }
    p.drawLine(from, to);
}

void Canvas::box(float x1, float y1, float x2, float y2, qint32 colour)
{
    requireFinite({x1, y1, x2, y2});
    auto call = [&] { return inState(makeCall(DrawCall::Box, x1, y1, x2, y2, colour)); };
    record(call);
    if (startDrawing())
        layered(
            call, [&] { return Extent::of(boxArea(x1, y1, x2, y2)); }, false,
            [&] { drawBox(x1, y1, x2, y2, colour); });
    m_currentX = x2;
    m_currentY = y2;
}

void Canvas::drawBox(float x1, float y1, float x2, float y2, qint32 colour)
{
    const QRectF r = boxArea(x1, y1, x2, y2);
    if (m_ratio == 1) {
        drawFigure(figureKey(BoxFigure, colour, {x1, y1, x2, y2}), Extent::of(r), colour, {}, [&] {
            QPainter& p = painter();
            preparePen(p, colour);
            p.setBrush(Qt::NoBrush);
            p.drawRect(r);
        });
    } else {
        // The cells of the one-pixel outline, each once.
        const QRect bounds = canvasRect();
        const QRect box(cells::cellOf(r.left(), r.top(), bounds),
                        cells::cellOf(r.right(), r.bottom(), bounds));
        auto draw = [&] {
            QPainter& p = painter();
            std::array<QRect, 4> parts;
            const int n = cells::outlineCells(box, parts);
            for (int i = 0; i < n; ++i)
                p.fillRect(parts[std::size_t(i)], toQColor(colour));
        };
        if (const auto shape = shapeKey(BoxFigure, colour, box, QRectF(box), 0))
            drawFigure(shape->first, Extent::of(QRectF(box)), colour, shape->second, draw);
        else
            drawFigure(figureKey(BoxFigure, colour, {x1, y1, x2, y2}), Extent::of(r), colour, {}, draw);
    }
    touchedFigure(Extent::of(r));
}

void Canvas::filledBox(float x1, float y1, float x2, float y2, qint32 colour)
{
    requireFinite({x1, y1, x2, y2});
    auto call = [&] { return inState(makeCall(DrawCall::FilledBox, x1, y1, x2, y2, colour)); };
    record(call);
    if (startDrawing())
        layered(
            call, [&] { return Extent::of(filledBoxArea(x1, y1, x2, y2)); }, false,
            [&] { drawFilledBox(x1, y1, x2, y2, colour); });
    m_currentX = x2;
    m_currentY = y2;
}

void Canvas::drawFilledBox(float x1, float y1, float x2, float y2, qint32 colour)
{
    const QRectF r = filledBoxArea(x1, y1, x2, y2);
    if (m_ratio == 1) {
        // One fill of whole pixels: as quick as a replay.
        painter().fillRect(r, toQColor(colour));
    } else {
        const QRect box = cells::fillCells(r, canvasRect());
        auto draw = [&] { painter().fillRect(box, toQColor(colour)); };
        if (const auto shape = shapeKey(FilledBoxFigure, colour, box, QRectF(box), 0))
            drawFigure(shape->first, Extent::of(QRectF(box)), colour, shape->second, draw);
        else
            drawFigure(figureKey(FilledBoxFigure, colour, {x1, y1, x2, y2}), Extent::of(r), colour, {}, draw);
    }
    touchedFigure(Extent::of(r));
}

void Canvas::circle(float x, float y, float radius, qint32 colour)
{
    requireFinite({x, y, radius});
    auto call = [&] { return inState(makeCall(DrawCall::Circle, x, y, radius, 0, colour)); };
    record(call);
    if (startDrawing())
        layered(
            call, [&] { return Extent::of(circleArea(x, y, radius)); }, false,
            [&] { drawCircle(x, y, radius, colour); });
}

void Canvas::drawCircle(float x, float y, float radius, qint32 colour)
{
    // About the nearest pixel: a whole-pixel bounding box lets Qt's raster engine draw the
    // circle with its midpoint algorithm, three times as fast as its general path for these
    // small markers, and every marker gets the same symmetric shape.
    const QPointF centre(std::round(x), std::round(y));
    // At other ratios about the middle of that pixel: the pen covers the ring of cells that
    // the one-pixel pen covers, and the fill reaches just to its inner edge.
    const bool filled = m_fillStyle == FillStyle::Solid;
    auto draw = [&] {
        const bool scaled = m_ratio != 1;
        const QPointF middle = scaled ? centre + QPointF(0.5, 0.5) : centre;
        const qreal reach = std::fabs(radius) + cells::Margin;
        const bool visible =
            !scaled || QRectF(canvasRect()).adjusted(-reach, -reach, reach, reach).contains(middle);
        QPainter& p = painter();
        if (filled && visible) {
            if (scaled) {
                // As a path, sampled at device pixel centres like the pen's ring: they meet
                // without a gap and without a pixel filled twice.
                QPainterPath disc;
                const qreal inner = std::max(qreal(std::fabs(radius)) - 0.5, 0.0);
                disc.addEllipse(middle, inner, inner);
                p.fillPath(disc, toQColor(m_fillColor));
            } else {
                p.setPen(Qt::NoPen);
                p.setBrush(toQColor(m_fillColor));
                p.drawEllipse(centre, radius, radius);
            }
        }
        if (visible) {
            preparePen(p, colour);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(middle, radius, radius);
        }
    };
    const QRectF box = circleArea(x, y, radius);
    if (m_drawMode != DrawMode::XorPen && filled) {
        draw(); // two colours: not one opaque figure
    } else {
        const quint32 fill = filled ? SolidFillBit : 0;
        // The centre whole pixels within the shape area: safe to make ints of.
        const QRectF extent = box.normalized();
        std::optional<std::pair<FigureCache::Key, QPoint>> shape;
        if (insideShapeArea(extent))
            shape = shapeKey(CircleFigure | fill, colour,
                             QRect(QPoint(int(centre.x()), int(centre.y())), QSize(1, 1)), extent,
                             std::bit_cast<quint32>(radius));
        if (shape) {
            shape->first.fill = filled ? quint32(m_fillColor) : 0;
            drawFigure(shape->first, Extent::of(box), colour, shape->second, draw);
        } else {
            FigureCache::Key key =
                figureKey(CircleFigure | fill, colour, {float(centre.x()), float(centre.y()), radius});
            key.fill = filled ? quint32(m_fillColor) : 0;
            drawFigure(key, Extent::of(box), colour, {}, draw);
        }
    }
    touchedFigure(Extent::of(box));
}

void Canvas::print(const QString& text, bool lineBreak)
{
    requireFinite({m_currentX, m_currentY});
    auto call = [&] {
        return inState(makeCall(DrawCall::Print, m_currentX, m_currentY, 0, 0, m_foreColor, text));
    };
    record(call);
    FontCache& cache = fontCache();
    const QFontMetricsF& m = cache.metrics;
    if (startDrawing()) {
        auto draw = [&] {
            QPainter* p = &painter();
            if (!m_painterFontValid) {
                p->setFont(m_textFont);
                m_painterFontValid = true;
            }
            if (!m_textPenValid || m_textPenColour != m_foreColor) {
                m_textPen = QPen(toQColor(m_foreColor));
                m_textPenColour = m_foreColor;
                m_textPenValid = true;
            }
            p->setPen(m_textPen);
            p->drawStaticText(QPointF(m_currentX, m_currentY), staticText(text));
        };
        // The glyphs' box covers every pixel they touch; the text cell covers the rest of the line.
        TextLayouts::Entry& entry = cache.texts.entry(text);
        if (!entry.bounded) {
            entry.bounds = m.boundingRect(text);
            entry.bounded = true;
        }
        const QRectF glyphs = entry.bounds.translated(m_currentX, m_currentY + m.ascent());
        const QRectF box = glyphs | QRectF(m_currentX, m_currentY, advance(text), m.height());
        layered(
            call, [&] { return Extent::of(box); }, true,
            [&] {
                if (m_drawMode == DrawMode::CopyPen && replaying() && withinReach(Extent::of(box))) {
                    const LabelMemo::Key key{text, cache.serial, toQColor(m_foreColor).rgba(),
                                             std::bit_cast<quint32>(m_currentX),
                                             std::bit_cast<quint32>(m_currentY)};
                    if (!m_labels.replay(m_pixels, key))
                        m_labels.record(m_pixels, key,
                                        deviceRegion(box.x(), box.y(), box.x() + box.width(),
                                                     box.y() + box.height(), FigureMargin, m_ratio,
                                                     QRect(QPoint(), m_image.size())),
                                        qCeil(FigureMargin * m_ratio), draw);
                } else {
                    draw();
                }
                if (!m_allDue)
                    touched(box, FigureMargin);
            });
    }
    if (lineBreak) {
        m_currentX = 0;
        m_currentY = float(double(m_currentY) + m.height());
    } else {
        m_currentX = float(double(m_currentX) + advance(text));
    }
}

void Canvas::setCurrentX(float x)
{
    m_currentX = x;
}

void Canvas::setCurrentY(float y)
{
    m_currentY = y;
}

float Canvas::textWidth(const QString& text) const
{
    return float(advance(text));
}

float Canvas::textHeight(const QString& text) const
{
    // One line of text, whatever its characters: the height of the font's text cell.
    Q_UNUSED(text);
    return float(fontCache().metrics.height());
}

void Canvas::setFont(const QFont& font)
{
    m_textFont = font;
    m_font = -1;
    m_painterFontValid = false;
}

float Canvas::fontSize() const
{
    return float(m_textFont.pointSizeF());
}

void Canvas::setFontSize(float points)
{
    if (!(points > 0) || !std::isfinite(points))
        throw RuntimeError(RuntimeError::InvalidArgument);
    QFont f = m_textFont;
    f.setPointSizeF(points);
    setFont(f);
}

void Canvas::setFontBold(bool bold)
{
    QFont f = m_textFont;
    f.setBold(bold);
    setFont(f);
}

void Canvas::setBackColor(qint32 colour)
{
    m_backColor = colour;
    // A new back colour erases the picture to it at once; the owner's next paint pass draws again.
    if (!m_image.isNull() && imageFits(m_ratio) && startDrawing()) {
        m_image.fill(toQColor(m_backColor));
        m_pixels = FigureCache::Pixels::of(m_image);
        m_layers.invalidate();
        updateAll();
    }
}

QImage Canvas::image()
{
    endPainting();
    return m_image.copy();
}

bool Canvas::needsPicture() const
{
    return !imageFits(m_host.canvasPixelRatio()) || !m_pictureValid;
}

void Canvas::shown()
{
    m_allDue = false;
    endPainting();
}

} // namespace knotel::platform
