// The Qt Quick shell: an engine whose canvas the item paints, whose reports become item calls and
// QML signals, and whose properties QML reads and writes with change signals.
#include "QuickCurve.h"

#include "accessibility/CurveChart.h"
#include "platform/Canvas.h"
#include "platform/Colour.h"
#include "platform/InputCodes.h"
#include "QuickCurvePrivate.h"

#include <knotel/RuntimeError.h>

#include <QCursor>
#include <QJSEngine>
#include <QPainter>
#include <QPointer>
#include <QQuickWindow>
#include <QScreen>
#include <QUndoStack>
#include <QVariantMap>

#include <array>
#include <cmath>

namespace knotel {

namespace {

// The tracker read-out's text, 2 pixels in from its box's left edge, as in the widget's box.
constexpr int ReadoutTextMargin = 2;

/** A property read that may fail (a point slot beyond the table) as nothing. */
template <class Read> QVariant readOrNothing(Read&& value)
{
    try {
        return value();
    } catch (const RuntimeError&) {
        return {};
    }
}

} // namespace

QuickCurvePrivate::QuickCurvePrivate(QuickCurve* q) : CurveEngine(*this, q, curveFont()), q(q) {}

QRect QuickCurvePrivate::readoutBox() const
{
    const QQuickWindow* window = q->window();
    return knotel::readoutBox(canvasSize(), platform::TwipsPerPixel::of(window ? window->screen() : nullptr));
}

bool QuickCurvePrivate::notifyChanges()
{
    const QPointer<QuickCurve> alive(q);
    std::size_t i = 0;
#define KNOTEL_CHECK(Type, Name, qmlName, Argument)                                                          \
    if (alive)                                                                                               \
        notifyChange(i++, readOrNothing([this] { return QVariant::fromValue(Name()); }),                     \
                     &QuickCurve::qmlName##Changed);
    KNOTEL_CURVE_PROPERTIES(KNOTEL_CHECK)
#undef KNOTEL_CHECK
    if (alive)
        notifyChange(i++, QVariant::fromValue(pointList()), &QuickCurve::pointsChanged);
    if (alive)
        notifyChange(i++, QVariant::fromValue(int(undoStack->canUndo()) * 2 + int(undoStack->canRedo())),
                     &QuickCurve::historyChanged);
    return !alive.isNull();
}

void QuickCurvePrivate::notifyChange(std::size_t i, const QVariant& now, void (QuickCurve::*changed)())
{
    if (now == seen[i])
        return;
    seen[i] = now;
    Q_EMIT(q->*changed)();
}

void QuickCurvePrivate::report(const RuntimeError& error) const
{
    const QString message =
        QStringLiteral("Curve: error %1: %2").arg(error.code()).arg(QLatin1String(error.what()));
    if (QJSEngine* engine = qjsEngine(q))
        engine->throwError(error.code() == RuntimeError::SubscriptOutOfRange ? QJSValue::RangeError
                                                                             : QJSValue::GenericError,
                           message);
    else
        qWarning("%s", qPrintable(message));
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
    q->update(area);
}

void QuickCurvePrivate::showAreas(const QRegion& areas)
{
    q->update(areas.boundingRect());
}

void QuickCurvePrivate::showAll()
{
    q->update();
}

bool QuickCurvePrivate::hasFocus() const
{
    return q->hasActiveFocus();
}

void QuickCurvePrivate::setMousePointer(platform::MousePointer pointer)
{
    if (pointer == platform::MousePointer::Crosshair)
        q->setCursor(Qt::CrossCursor);
    else
        q->unsetCursor();
}

bool QuickCurvePrivate::raiseDrop(int index)
{
    // Bindings see the new points before the handler runs; the handler may delete the item.
    const QPointer<QuickCurve> alive(q);
    accessibility::pointMoved(q, *this, index);
    if (!notifyChanges())
        return false;
    Q_EMIT q->droppedValue(index);
    return !alive.isNull();
}

void QuickCurvePrivate::showReadout(const QString& x, const QString& y, qint32 textColour)
{
    readoutX = x;
    readoutY = y;
    readoutColour = textColour;
    q->update(readoutBox());
}

void QuickCurvePrivate::backColorChanged(qint32)
{
    q->update();
}

void QuickCurvePrivate::currentPointChanged(int index)
{
    if (q->hasActiveFocus())
        accessibility::currentPointChanged(q, *this, index);
}

void QuickCurvePrivate::valueEntryRequested(int slot, bool)
{
    if (valueEntryEnabled)
        Q_EMIT q->valueEntryRequested(slot);
}

QuickCurve::QuickCurve(QQuickItem* parent)
    : QQuickPaintedItem(parent), d(std::make_unique<QuickCurvePrivate>(this))
{
    setAcceptedMouseButtons(Qt::AllButtons);
    setAcceptHoverEvents(true);
    setActiveFocusOnTab(true);
    setFlag(ItemAcceptsInputMethod, false);
    // The canvas holds the picture; the item only copies it.
    setOpaquePainting(true);
    d->canvas.setBackColor(d->settings.BackColor);
    d->paintEnabled = true;
    d->notifyChanges();
    installQuickCurveAccessible();
}

QuickCurve::~QuickCurve() = default;

// Properties: the engine's, with QML's names, errors as JavaScript errors and change signals.
#define KNOTEL_QML_FORWARD(Type, Name, qmlName, Argument)                                                    \
    Type QuickCurve::qmlName() const                                                                         \
    {                                                                                                        \
        try {                                                                                                \
            return d->Name();                                                                                \
        } catch (const RuntimeError& error) {                                                                \
            d->report(error);                                                                                \
            return Type{};                                                                                   \
        }                                                                                                    \
    }                                                                                                        \
    void QuickCurve::set##Name(Argument value)                                                               \
    {                                                                                                        \
        try {                                                                                                \
            d->set##Name(value);                                                                             \
        } catch (const RuntimeError& error) {                                                                \
            d->report(error);                                                                                \
        }                                                                                                    \
        d->notifyChanges();                                                                                  \
    }
KNOTEL_CURVE_PROPERTIES(KNOTEL_QML_FORWARD)
#undef KNOTEL_QML_FORWARD

QList<QPointF> QuickCurve::points() const
{
    return d->pointList();
}

void QuickCurve::setPoints(const QList<QPointF>& points)
{
    try {
        d->setPointList(points);
    } catch (const RuntimeError& error) {
        d->report(error);
    }
    d->notifyChanges();
}

bool QuickCurve::isUndoEnabled() const
{
    return d->undoEnabled;
}

void QuickCurve::setUndoEnabled(bool enabled)
{
    if (enabled == d->undoEnabled)
        return;
    d->setUndoEnabled(enabled);
    Q_EMIT undoEnabledChanged();
    d->notifyChanges();
}

int QuickCurve::undoLimit() const
{
    return d->undoLimit();
}

void QuickCurve::setUndoLimit(int limit)
{
    if (limit == d->undoLimit())
        return;
    try {
        d->setUndoLimit(limit);
    } catch (const RuntimeError& error) {
        d->report(error);
        return;
    }
    Q_EMIT undoLimitChanged();
    d->notifyChanges();
}

bool QuickCurve::isValueEntryEnabled() const
{
    return d->valueEntryEnabled;
}

void QuickCurve::setValueEntryEnabled(bool enabled)
{
    if (enabled == d->valueEntryEnabled)
        return;
    d->valueEntryEnabled = enabled;
    Q_EMIT valueEntryEnabledChanged();
}

bool QuickCurve::canUndo() const
{
    return d->undoStack->canUndo();
}

bool QuickCurve::canRedo() const
{
    return d->undoStack->canRedo();
}

void QuickCurve::rePaint()
{
    d->layOut();
    d->paintControl();
}

QVariantMap QuickCurve::plotLayout() const
{
    const PlotLayout& l = d->layout;
    return {{QStringLiteral("plotLeft"), l.PlotLeft},   {QStringLiteral("plotTop"), l.PlotTop},
            {QStringLiteral("plotWidth"), l.PlotWidth}, {QStringLiteral("plotHeight"), l.PlotHeight},
            {QStringLiteral("scaleX"), l.ScaleX},       {QStringLiteral("scaleY"), l.ScaleY}};
}

QList<int> QuickCurve::changedPoints() const
{
    return d->changedPoints();
}

void QuickCurve::acceptChanges()
{
    d->acceptChanges();
    d->notifyChanges();
}

void QuickCurve::undo()
{
    // The drop of an undo sends the change signals.
    if (!d->gesture.active())
        d->undoStack->undo();
}

void QuickCurve::redo()
{
    if (!d->gesture.active())
        d->undoStack->redo();
}

bool QuickCurve::enterValues(int index, const QString& x, const QString& y)
{
    if (index < 0 || index >= d->points.slotsInUse() || d->gesture.active())
        return false;
    const auto typed = [](const QString& text) {
        return text.trimmed().isEmpty() ? std::nullopt : std::optional(text);
    };
    const CurveEngine::TypedValues result = d->applyTypedValues(index, typed(x), typed(y));
    const bool taken = !result.refusedX && !result.refusedY;
    (void)d->finishTypedValues(index, result); // the last act: a handler may delete the item
    return taken;
}

void QuickCurve::paint(QPainter* painter)
{
    platform::Canvas& canvas = d->canvas;
    canvas.shown();
    if (canvas.needsPicture())
        d->paintControl();
    canvas.endPainting();
    const QImage& picture = canvas.picture();
    if (canvas.needsPicture())
        painter->fillRect(boundingRect(), platform::toQColor(canvas.backColor()));
    else
        painter->drawImage(QPointF(0, 0), picture);
    // The read-out box is always there, over the picture, as the widget's is.
    const QRect box = d->readoutBox();
    painter->fillRect(box, platform::toQColor(d->settings.BackColor));
    if (!d->readoutX.isEmpty() || !d->readoutY.isEmpty()) {
        painter->setFont(d->canvas.font());
        painter->setPen(platform::toQColor(d->readoutColour));
        painter->drawText(box.adjusted(ReadoutTextMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          QStringLiteral("( ") + d->readoutX + QStringLiteral(" / ") + d->readoutY +
                              QStringLiteral(" )"));
    }
    const QRect marker = d->placeFocusMarker();
    if (!marker.isNull())
        d->focusMarker.draw(*painter, marker.adjusted(0, 0, -1, -1), d->canvasPixelRatio(),
                            QRect(QPoint(), d->canvasSize()));
}

bool QuickCurve::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (d->wantsKey(key->key(), platform::shiftCode(key->modifiers()))) {
            event->accept();
            return true;
        }
    }
    return QQuickPaintedItem::event(event);
}

void QuickCurve::componentComplete()
{
    QQuickPaintedItem::componentComplete();
    // The declaration's values are in: lay out and paint, as a widget's host does after loading.
    rePaint();
    update();
}

void QuickCurve::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry)
{
    QQuickPaintedItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size()) {
        d->layOut();
        update();
    }
}

void QuickCurve::itemChange(ItemChange change, const ItemChangeData& value)
{
    QQuickPaintedItem::itemChange(change, value);
    // Another window or screen may have another pixel ratio: the next paint makes a new picture.
    if (change == ItemSceneChange || change == ItemDevicePixelRatioHasChanged)
        update();
}

void QuickCurve::mousePressEvent(QMouseEvent* event)
{
    forceActiveFocus(Qt::MouseFocusReason);
    const QPointF pos = event->position();
    d->mousePress(platform::buttonCode(event->button()), platform::shiftCode(event->modifiers()),
                  float(pos.x()), float(pos.y()));
}

void QuickCurve::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    d->mouseMove(platform::buttonCode(event->buttons()), platform::shiftCode(event->modifiers()),
                 float(pos.x()), float(pos.y()));
}

void QuickCurve::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    // The drop's handler may delete the item: nothing follows.
    d->mouseRelease(platform::buttonCode(event->button()), platform::shiftCode(event->modifiers()),
                    float(pos.x()), float(pos.y()));
}

void QuickCurve::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    if (!d->mouseDoubleClick(platform::buttonCode(event->button()), float(pos.x()), float(pos.y())))
        mousePressEvent(event);
}

void QuickCurve::hoverMoveEvent(QHoverEvent* event)
{
    const QPointF pos = event->position();
    d->mouseMove(0, platform::shiftCode(event->modifiers()), float(pos.x()), float(pos.y()));
}

void QuickCurve::keyPressEvent(QKeyEvent* event)
{
    if (!d->keyPress(event->key(), platform::shiftCode(event->modifiers())))
        event->ignore();
}

void QuickCurve::focusInEvent(QFocusEvent* event)
{
    QQuickPaintedItem::focusInEvent(event);
    d->focusIn(event->reason());
}

void QuickCurve::focusOutEvent(QFocusEvent* event)
{
    QQuickPaintedItem::focusOutEvent(event);
    d->focusOut();
}

} // namespace knotel
