// The Qt Quick shell: an engine whose picture the scene graph shows as a texture, whose reports
// become item updates and QML signals, and whose properties QML reads and writes with change
// signals.
#include "QuickCurve.h"

#include "accessibility/CurveChart.h"
#include "numbers/NumberConversion.h"
#include "platform/Colour.h"
#include "QuickCurvePrivate.h"

#include <knotel/RuntimeError.h>

#include <QCursor>
#include <QJSEngine>
#include <QPainter>
#include <QPointer>
#include <QQuickWindow>
#include <QScreen>
#include <QSGImageNode>
#include <QSGRendererInterface>
#include <QTouchEvent>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <utility>

namespace knotel {

namespace {

// The tracker read-out's text, 2 pixels in from its box's left edge, as in the widget's box.
constexpr int ReadoutTextMargin = 2;
// The picture's tiles are squares of this many item pixels: a frame after a small change hands
// the scene graph a few of them instead of the whole picture (64 measured fastest of 32 to 256).
constexpr int TileSize = 64;

// QML's numbers to the properties' types and back: a late-bound host's conversions.
template <class T> struct QmlValue;
template <> struct QmlValue<qint32> { // int
    static double to(qint32 v) { return v; }
    static qint32 from(double v) { return roundToInt32(v); }
};
template <> struct QmlValue<float> {
    static double to(float v) { return v; }
    static float from(double v) { return toSingleOrThrow(v); }
};
template <> struct QmlValue<double> {
    static double to(double v) { return v; }
    static double from(double v) { return v; }
};
template <> struct QmlValue<bool> {
    static bool to(bool v) { return v; }
    static bool from(bool v) { return v; }
};
template <> struct QmlValue<QString> {
    static QString to(const QString& v) { return v; }
    static QString from(const QString& v) { return v; }
};

/** @p value of QML's member @p member as the property's type; a value that does not fit is an error
 *  that names the member. */
template <class T, class V> T qmlValue(const V& value, const char* member)
{
    try {
        return QmlValue<T>::from(value);
    } catch (const RuntimeError& error) {
        throw error.inMember(QLatin1String(member));
    }
}

/** The point that element @p i of a QML points list stands for: a point, or an object with the
 *  numbers x and y. Throws a cause that names the element otherwise. */
QPointF pointOf(const QVariant& element, qsizetype i)
{
    if (element.typeId() == QMetaType::QPointF || element.typeId() == QMetaType::QPoint)
        return element.toPointF();
    if (element.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = element.toMap();
        const QVariant x = map.value(QStringLiteral("x"));
        const QVariant y = map.value(QStringLiteral("y"));
        const auto isNumber = [](const QVariant& v) {
            return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int ||
                   v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Float;
        };
        if (isNumber(x) && isNumber(y))
            return QPointF(x.toDouble(), y.toDouble());
    }
    throw RuntimeError(RuntimeError::TypeMismatch,
                       QStringLiteral("points[%1] is neither a point nor an {x, y} object: %2")
                           .arg(i)
                           .arg(element.toString().isEmpty() ? QString::fromLatin1(element.typeName())
                                                             : element.toString()));
}

} // namespace

QuickCurvePrivate::QuickCurvePrivate(QuickCurve* q)
    : q(q), engine(*this, q), changeSignals(QuickCurve::staticMetaObject, ChangeSignals::Names::Lowered)
{
}

QRect QuickCurvePrivate::readoutBox() const
{
    const QQuickWindow* window = q->window();
    return knotel::readoutBox(canvasSize(), platform::TwipsPerPixel::of(window ? window->screen() : nullptr));
}

void QuickCurvePrivate::newFrame()
{
    q->polish();
    q->update();
}

void QuickCurvePrivate::written()
{
    rePaintDue = true;
    newFrame();
}

template <class Write> void QuickCurvePrivate::hostWrite(Write&& write)
{
    try {
        write();
    } catch (const RuntimeError& error) {
        report(error);
        return;
    }
    written();
}

void QuickCurvePrivate::prepareFrame()
{
    if (rePaintDue) {
        rePaintDue = false;
        q->rePaint();
    }
    const QImage* frame = engine.frame();
    const qreal ratio = canvasPixelRatio();
    if (pictureChanged) {
        pictureChanged = false;
        copyTiles(frame);
    }
    if (readoutChanged) {
        // The read-out box is always there, over the picture, as the widget's is.
        readoutChanged = false;
        Image& readout = layers[Readout];
        const QRect box = readoutBox();
        readout.rect = box;
        readout.fresh = true;
        readout.image = QImage();
        if (!box.isEmpty()) {
            readout.image = QImage(box.size() * ratio, QImage::Format_RGB32);
            readout.image.setDevicePixelRatio(ratio);
            QPainter painter(&readout.image);
            const QRect local(QPoint(), box.size());
            painter.fillRect(local, platform::toQColor(engine.BackColor()));
            const CurveEngine::Readout& texts = engine.readout();
            if (!texts.x.isEmpty() || !texts.y.isEmpty()) {
                painter.setFont(engine.canvas().font());
                painter.setPen(platform::toQColor(texts.textColour));
                painter.drawText(local.adjusted(ReadoutTextMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                                 QStringLiteral("( ") + texts.x + QStringLiteral(" / ") + texts.y +
                                     QStringLiteral(" )"));
            }
        }
    }
    const QRect square = engine.placeFocusMarker();
    // The marker's cells and the pixel around them, on a clear ground.
    const QRect around = square.isNull() ? QRect() : square.adjusted(-1, -1, 1, 1);
    if (markerChanged || QRectF(around) != layers[Marker].rect) {
        markerChanged = false;
        paintOverlay(layers[Marker], around, [this](QPainter& painter) {
            engine.drawFocusMarker(painter, QRect(QPoint(), canvasSize()));
        });
    }
    if (labelsChanged) {
        labelsChanged = false;
        paintOverlay(layers[Labels], engine.labelsRect(),
                     [this](QPainter& painter) { engine.drawLabels(painter); });
    }
}

void QuickCurvePrivate::copyTiles(const QImage* frame)
{
    const QRegion changes = std::exchange(pictureChanges, QRegion());
    const QSizeF size = canvasSize();
    if (!frame) {
        // Nothing drawn yet: the back colour.
        Tile tile{QRect(0, 0, 1, 1), QRectF(QPointF(), size), QImage(1, 1, QImage::Format_RGB32)};
        tile.image.fill(platform::toQColor(engine.canvas().backColor()));
        tiles.assign(1, tile);
        return;
    }
    // Qt Quick's software renderer paints again only the nodes that changed: there the picture
    // goes in tiles of TileSize item pixels, where that is a whole number of the picture's pixels,
    // so that each shows its pixels one to one. Elsewhere, and at other ratios, in one tile: a
    // renderer that draws the whole window each frame would draw a node per tile. The last row and
    // column end where the item does, as the whole picture would.
    const qreal ratio = frame->devicePixelRatio();
    const QSize pixels = frame->size();
    const QSGRendererInterface* renderer = q->window() ? q->window()->rendererInterface() : nullptr;
    const bool software = renderer && renderer->graphicsApi() == QSGRendererInterface::Software;
    const qreal edge = TileSize * ratio;
    const int step = software && std::fabs(edge - std::round(edge)) < 1e-9
                         ? int(std::lround(edge))
                         : std::max({pixels.width(), pixels.height(), 1});
    const int columns = (pixels.width() + step - 1) / step;
    const int rows = (pixels.height() + step - 1) / step;
    std::vector<Tile> next;
    next.reserve(std::size_t(std::max(columns * rows, 0)));
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QRect device(column * step, row * step, std::min(step, pixels.width() - column * step),
                               std::min(step, pixels.height() - row * step));
            const qreal right = column == columns - 1 ? size.width() : (column + 1) * step / ratio;
            const qreal bottom = row == rows - 1 ? size.height() : (row + 1) * step / ratio;
            next.push_back(Tile{
                device, QRectF(QPointF(column * step / ratio, row * step / ratio), QPointF(right, bottom)),
                QImage(), true});
        }
    }
    const bool sameGrid =
        next.size() == tiles.size() &&
        std::equal(next.begin(), next.end(), tiles.begin(),
                   [](const Tile& a, const Tile& b) { return a.device == b.device && a.rect == b.rect; });
    if (!sameGrid)
        tiles = std::move(next);
    for (Tile& tile : tiles) {
        // A pixel past each side: an area's edge may fall within a device pixel.
        if (sameGrid && !changes.intersects(tile.rect.toAlignedRect().adjusted(-1, -1, 1, 1)))
            continue;
        tile.image = frame->copy(tile.device);
        tile.image.setDevicePixelRatio(ratio);
        tile.fresh = true;
    }
}

void QuickCurvePrivate::paintOverlay(Image& layer, const QRect& area,
                                     const std::function<void(QPainter&)>& draw) const
{
    layer.rect = area;
    layer.fresh = true;
    layer.image = QImage();
    if (area.isNull())
        return;
    const qreal ratio = canvasPixelRatio();
    layer.image = QImage(area.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    layer.image.setDevicePixelRatio(ratio);
    // The resolution that the canvas measures text at, so that a label's text fits its box.
    const QSize dpi = canvasDpi();
    layer.image.setDotsPerMeterX(qRound(dpi.width() / 0.0254));
    layer.image.setDotsPerMeterY(qRound(dpi.height() / 0.0254));
    layer.image.fill(Qt::transparent);
    QPainter painter(&layer.image);
    painter.translate(-area.topLeft());
    draw(painter);
}

void QuickCurvePrivate::report(const RuntimeError& error) const
{
    const QString message =
        QStringLiteral("Curve: error %1: %2").arg(error.code()).arg(QString::fromUtf8(error.what()));
    QJSEngine* js = qjsEngine(q);
    if (!js) {
        qWarning("%s", qPrintable(message));
        return;
    }
    const QJSValue::ErrorType type = error.code() == RuntimeError::SubscriptOutOfRange ? QJSValue::RangeError
                                     : error.code() == RuntimeError::TypeMismatch      ? QJSValue::TypeError
                                                                                  : QJSValue::GenericError;
    js->throwError(type, message);
}

QSize QuickCurvePrivate::canvasSize() const
{
    return QSize(qRound(q->width()), qRound(q->height()));
}

qreal QuickCurvePrivate::canvasPixelRatio() const
{
    return q->window() ? q->window()->effectiveDevicePixelRatio() : 1.0;
}

QSize QuickCurvePrivate::canvasDpi() const
{
    const QScreen* screen = q->window() ? q->window()->screen() : nullptr;
    return screen ? QSize(qRound(screen->logicalDotsPerInchX()), qRound(screen->logicalDotsPerInchY()))
                  : QSize(96, 96);
}

void QuickCurvePrivate::showArea(const QRect& area)
{
    pictureChanges += area;
    pictureChanged = true;
    markerChanged = true;
    newFrame();
}

void QuickCurvePrivate::showLabels(const QRect&)
{
    labelsChanged = true;
    newFrame();
}

bool QuickCurvePrivate::pasteRefused(const QString& reason)
{
    const QPointer<QuickCurve> alive(q);
    Q_EMIT q->pasteRefused(reason);
    return !alive.isNull();
}

bool QuickCurvePrivate::hasFocus() const
{
    return q->hasActiveFocus();
}

qreal QuickCurvePrivate::physicalDpi() const
{
    const QScreen* screen = q->window() ? q->window()->screen() : nullptr;
    return screen ? screen->physicalDotsPerInch() : 0.0;
}

bool QuickCurvePrivate::raiseDrop(int index)
{
    // The handler may delete the item.
    const QPointer<QuickCurve> alive(q);
    accessibility::pointMoved(q, engine, index);
    Q_EMIT q->droppedValue(index);
    return !alive.isNull();
}

void QuickCurvePrivate::valueEntryRequested(int slot, bool)
{
    Q_EMIT q->valueEntryRequested(slot);
}

bool QuickCurvePrivate::changed(Change what)
{
    accessibility::announce(q, engine, what);
    switch (what) {
    case Change::BackColor:
        readoutChanged = true;
        showAll();
        break;
    case Change::Readout:
        readoutChanged = true;
        newFrame();
        return true;
    case Change::MousePointer:
        engine.mousePointer() == platform::MousePointer::Crosshair ? q->setCursor(Qt::CrossCursor)
                                                                   : q->unsetCursor();
        return true;
    default:
        break;
    }
    return changeSignals.emitOn(q, what);
}

QuickCurve::QuickCurve(QQuickItem* parent) : QQuickItem(parent), d(std::make_unique<QuickCurvePrivate>(this))
{
    setFlag(ItemHasContents);
    setAcceptedMouseButtons(Qt::AllButtons);
    setAcceptHoverEvents(true);
    // Touch comes as touch, not as the mouse events Qt Quick would make of it: a finger gets its pick.
    setAcceptTouchEvents(true);
    setActiveFocusOnTab(true);
    setFlag(ItemAcceptsInputMethod, false);
    // The declaration's values come in before componentComplete() lays out and paints.
    d->engine.start([] {});
    installQuickCurveAccessible();
}

QuickCurve::~QuickCurve() = default;

// Properties: the engine's, with QML's names and numbers, errors as JavaScript errors; a write is
// shown at the next frame.
#define KNOTEL_QML_FORWARD(Type, Name, qmlName, Argument)                                                    \
    KNOTEL_QML_TYPE_##Type QuickCurve::qmlName() const                                                       \
    {                                                                                                        \
        try {                                                                                                \
            return QmlValue<Type>::to(d->engine.Name());                                                     \
        } catch (const RuntimeError& error) {                                                                \
            d->report(error);                                                                                \
            return {};                                                                                       \
        }                                                                                                    \
    }                                                                                                        \
    void QuickCurve::set##Name(KNOTEL_QML_TYPE_##Type value)                                                 \
    {                                                                                                        \
        d->hostWrite([&] { d->engine.set##Name(qmlValue<Type>(value, #qmlName)); });                         \
    }
KNOTEL_CURVE_PROPERTIES(KNOTEL_QML_FORWARD)
#undef KNOTEL_QML_FORWARD

QVariantList QuickCurve::points() const
{
    QVariantList list;
    for (const QPointF& p : d->engine.pointList())
        list.append(p);
    return list;
}

void QuickCurve::setPoints(const QVariantList& points)
{
    d->hostWrite([&] {
        QList<QPointF> list;
        list.reserve(points.size());
        for (qsizetype i = 0; i < points.size(); ++i)
            list.append(pointOf(points[i], i));
        d->engine.setPointList(list);
    });
}

#define KNOTEL_QML_FORWARD_SWITCH(Type, name, Name, getter)                                                  \
    KNOTEL_QML_TYPE_##Type QuickCurve::name() const                                                          \
    {                                                                                                        \
        return QmlValue<Type>::to(d->engine.name());                                                         \
    }                                                                                                        \
    void QuickCurve::set##Name(KNOTEL_QML_TYPE_##Type value)                                                 \
    {                                                                                                        \
        try {                                                                                                \
            d->engine.set##Name(qmlValue<Type>(value, #name));                                               \
        } catch (const RuntimeError& error) {                                                                \
            d->report(error);                                                                                \
        }                                                                                                    \
    }
KNOTEL_CURVE_SWITCHES(KNOTEL_QML_FORWARD_SWITCH)
#undef KNOTEL_QML_FORWARD_SWITCH

bool QuickCurve::canUndo() const
{
    return d->engine.undoStack()->canUndo();
}

bool QuickCurve::canRedo() const
{
    return d->engine.undoStack()->canRedo();
}

void QuickCurve::rePaint()
{
    d->engine.layOut();
    d->engine.paintControl();
}

QuickPlotLayout QuickCurve::plotLayout() const
{
    const PlotLayout& l = d->engine.layout();
    return {l.PlotLeft, l.PlotTop, l.PlotWidth, l.PlotHeight, l.ScaleX, l.ScaleY};
}

QPointF QuickCurve::positionOf(int index) const
{
    try {
        return d->engine.positionOf(index);
    } catch (const RuntimeError& error) {
        d->report(error);
        return {};
    }
}

QPointF QuickCurve::valueAt(const QPointF& position) const
{
    return d->engine.valueAt(position);
}

QList<int> QuickCurve::changedPoints() const
{
    return d->engine.changedPoints();
}

void QuickCurve::acceptChanges()
{
    d->engine.acceptChanges();
}

void QuickCurve::undo()
{
    d->engine.undo();
}

void QuickCurve::redo()
{
    d->engine.redo();
}

bool QuickCurve::enterValues(int index, const QString& x, const QString& y)
{
    return d->engine.enterValues(index, x, y);
}

QString QuickCurve::copyPoints() const
{
    return d->engine.copyText();
}

bool QuickCurve::pastePoints(const QString& text)
{
    return d->engine.pastePoints(text, false);
}

void QuickCurve::componentComplete()
{
    QQuickItem::componentComplete();
    // The declaration's values are in: lay out and paint, as a widget's host does after loading.
    d->written();
}

void QuickCurve::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size()) {
        d->engine.layOut();
        d->readoutChanged = true;
        d->showAll();
    }
}

void QuickCurve::itemChange(ItemChange change, const ItemChangeData& value)
{
    QQuickItem::itemChange(change, value);
    // Another window or screen may have another pixel ratio: the next frame makes a new picture.
    if (change == ItemSceneChange || change == ItemDevicePixelRatioHasChanged) {
        d->readoutChanged = true;
        d->labelsChanged = true;
        d->showAll();
    }
}

void QuickCurve::updatePolish()
{
    d->prepareFrame();
}

QSGNode* QuickCurve::updatePaintNode(QSGNode* node, UpdatePaintNodeData*)
{
    QQuickWindow* w = window();
    if (!w)
        return node;
    const auto show = [w](QSGImageNode* imageNode, const QImage& image, bool opaque) {
        imageNode->setTexture(w->createTextureFromImage(
            image, opaque ? QQuickWindow::TextureIsOpaque : QQuickWindow::CreateTextureOptions()));
        imageNode->setSourceRect(QRectF(QPointF(), image.size()));
    };
    const auto newImageNode = [w] {
        QSGImageNode* imageNode = w->createImageNode();
        imageNode->setOwnsTexture(true);
        imageNode->setFiltering(QSGTexture::Nearest);
        return imageNode;
    };
    if (!node) {
        // A new tree: the nodes of the last one went with it.
        node = new QSGNode;
        d->pictureNode = nullptr;
        d->tileNodes.clear();
        for (QSGImageNode*& layerNode : d->layerNodes)
            layerNode = nullptr;
        for (QuickCurvePrivate::Tile& tile : d->tiles)
            tile.fresh = true;
        for (QuickCurvePrivate::Image& layer : d->layers)
            layer.fresh = true;
    }

    // The picture: a node per tile, under one node; only the fresh tiles get a new texture.
    if (!d->pictureNode) {
        d->pictureNode = new QSGNode;
        node->prependChildNode(d->pictureNode);
    }
    if (d->tileNodes.size() != d->tiles.size()) {
        for (QSGImageNode* tileNode : d->tileNodes)
            delete tileNode; // a node takes itself out of its parent
        d->tileNodes.assign(d->tiles.size(), nullptr);
    }
    for (std::size_t i = 0; i < d->tiles.size(); ++i) {
        QuickCurvePrivate::Tile& tile = d->tiles[i];
        QSGImageNode*& tileNode = d->tileNodes[i];
        const bool added = !tileNode;
        if (added)
            tileNode = newImageNode();
        if (tile.fresh || added) {
            tile.fresh = false;
            show(tileNode, tile.image, true);
        }
        // Only when it moves: Qt Quick's software renderer paints again every node given a rect.
        if (tileNode->rect() != tile.rect)
            tileNode->setRect(tile.rect);
        // Into the tree once it has its texture: the renderer looks at it at once.
        if (added)
            d->pictureNode->appendChildNode(tileNode);
    }

    QSGNode* below = d->pictureNode; // the node to put the next layer over
    for (int i = 0; i < QuickCurvePrivate::LayerCount; ++i) {
        QuickCurvePrivate::Image& layer = d->layers[i];
        QSGImageNode*& layerNode = d->layerNodes[i];
        if (layer.image.isNull() || layer.rect.isEmpty()) {
            delete layerNode;
            layerNode = nullptr;
            continue;
        }
        const bool added = !layerNode;
        if (added)
            layerNode = newImageNode();
        if (layer.fresh || added) {
            layer.fresh = false;
            show(layerNode, layer.image, i == QuickCurvePrivate::Readout);
        }
        if (layerNode->rect() != layer.rect)
            layerNode->setRect(layer.rect);
        if (added)
            node->insertChildNodeAfter(layerNode, below);
        below = layerNode;
    }
    return node;
}

void QuickCurve::releaseResources()
{
    // The nodes go with the window's scene graph; a new one gets every image again.
    d->readoutChanged = true;
    d->showAll();
}

void QuickCurve::mousePressEvent(QMouseEvent* event)
{
    forceActiveFocus(Qt::MouseFocusReason);
    d->engine.mouseEvent(event); // the drop's handler may delete the item: nothing follows
}

void QuickCurve::mouseMoveEvent(QMouseEvent* event)
{
    d->engine.mouseEvent(event);
}

void QuickCurve::mouseReleaseEvent(QMouseEvent* event)
{
    d->engine.mouseEvent(event);
}

void QuickCurve::mouseDoubleClickEvent(QMouseEvent* event)
{
    d->engine.mouseEvent(event);
}

void QuickCurve::touchEvent(QTouchEvent* event)
{
    if (event->type() == QEvent::TouchBegin &&
        event->device()->type() == QInputDevice::DeviceType::TouchScreen)
        forceActiveFocus(Qt::MouseFocusReason);
    (void)d->engine.touchEvent(event); // the drop's handler may delete the item: nothing follows
}

// Qt Quick takes the grab away when another item or window takes the mouse or the finger, or when
// the item is hidden or disabled: a drag in progress is cancelled.
void QuickCurve::mouseUngrabEvent()
{
    (void)d->engine.cancelGesture(CurveEngine::Holder::Mouse);
}

void QuickCurve::touchUngrabEvent()
{
    (void)d->engine.cancelGesture(CurveEngine::Holder::Finger);
}

void QuickCurve::hoverMoveEvent(QHoverEvent* event)
{
    d->engine.hoverEvent(event);
}

void QuickCurve::keyPressEvent(QKeyEvent* event)
{
    (void)d->engine.keyEvent(event);
}

void QuickCurve::keyReleaseEvent(QKeyEvent* event)
{
    d->engine.keyReleased(event);
    QQuickItem::keyReleaseEvent(event);
}

void QuickCurve::focusInEvent(QFocusEvent* event)
{
    QQuickItem::focusInEvent(event);
    d->engine.focusEvent(event);
}

void QuickCurve::focusOutEvent(QFocusEvent* event)
{
    QQuickItem::focusOutEvent(event);
    d->engine.focusEvent(event);
}

bool QuickCurve::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride &&
        d->engine.shortcutOverride(static_cast<QKeyEvent*>(event)))
        return true;
    return QQuickItem::event(event);
}

} // namespace knotel
