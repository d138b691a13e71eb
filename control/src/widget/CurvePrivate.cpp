// The widget's private side: its child widgets, start-up, RePaint, the Show and Resize handlers
// that place the children and lay out the plot, the value editor, and the engine's client.
#include "widget/CurvePrivate.h"

#include "accessibility/CurveChart.h"
#include "widget/CurveAccessible.h"
#include "widget/DrawingSurface.h"
#include "widget/SettingsPanel.h"
#include "widget/TrackerDisplay.h"
#include "widget/TwipsPlacement.h"
#include "widget/ValueEditor.h"

#include <knotel/Curve.h>
#include <knotel/RuntimeError.h>

#include <QFont>
#include <QPointer>

#include <utility>

namespace knotel {

CurvePrivate::CurvePrivate(Curve* q) : CurveEngine(*this, q, curveFont()), q(q) {}

CurvePrivate::~CurvePrivate()
{
    // The children outlive the state: when QWidget's destructor closes the window or moves the
    // focus, nothing of theirs may call back into it.
    delete std::exchange(valueEditor, nullptr);
    delete std::exchange(surface, nullptr);
}

CurvePrivate* CurvePrivate::get(Curve* curve)
{
    return curve->d.get();
}

void CurvePrivate::createChildren()
{
    surface = new DrawingSurface(*this, q);
    surface->setObjectName(QStringLiteral("Picture_Curve"));
    const QFont font = canvas.font();
    surface->setFont(font);
    placeInTwips(surface, 180, 180, 8205, 4245);

    tracker = std::make_unique<TrackerDisplay>(q, surface, font);

    settingsPanel = new SettingsPanel(q, settings, points, [this](bool pointsWritten) {
        if (pointsWritten)
            clearHistory();
        computeLayout();
        try {
            paintControl();
        } catch (const RuntimeError&) {
            // Reached from a text change, with no caller to report to.
        }
    });
}

void CurvePrivate::initialize()
{
    // The settings and the point table start from their defaults.
    canvas.setBackColor(settings.BackColor);
    tracker->setBackColor(settings.BackColor);
    // Through the public interface, like a host: places the children and computes the first
    // layout; the paint pass does nothing yet.
    q->RePaint();
    paintEnabled = true;
}

void CurvePrivate::rePaint()
{
    resizeHandler();
    paintControl();
}

void CurvePrivate::showHandler()
{
    paintControl();
}

void CurvePrivate::resizeHandler()
{
    // The surface covers the whole control; it has no border, whatever the axis texts say.
    surface->move(0, 0);
    surface->resize(q->width(), surface->height());
    surface->resize(surface->width(), q->height());
    if (settings.X_AxisText.isEmpty() && settings.Y_AxisText.isEmpty())
        canvas.setBorderStyle(0);
    tracker->place(surface->width(), surface->height());
    computeLayout();
}

void CurvePrivate::computeLayout()
{
    const LayoutResult result = layOut();
    if (result.showYTracker)
        *result.showYTracker ? tracker->showY(settings.Y_AxisText) : tracker->hideY();
    if (result.showXTracker)
        *result.showXTracker ? tracker->showX(settings.X_AxisText) : tracker->hideX();
}

void CurvePrivate::openValueEditor(int slot, bool fromKeys)
{
    if (!valueEntryEnabled || slot < 0 || slot >= points.slotsInUse())
        return;
    if (!valueEditor) {
        valueEditor = new ValueEditor(
            surface, surface->font(), [this] { applyValueEditor(); },
            [this](bool refocus) { closeValueEditor(refocus); });
    }
    setCurrentPoint(slot);
    const FreeAxes free = freeAxes(points, settings, slot);
    const PointPosition at = points.position(slot);
    const PlotMapping map = mapping();
    valueEditor->open(slot, shownValue(at.x, settings.X_Decimals), shownValue(at.y, settings.Y_Decimals),
                      free.x, free.y, QPointF(map.pixelX(at.x), map.pixelY(at.y)), fromKeys);
}

void CurvePrivate::closeValueEditor(bool refocus)
{
    if (!valueEditor || valueEditor->isHidden())
        return;
    if (refocus) {
        // Before hiding, so that Qt does not pass the focus on to another widget.
        surface->setFocus(Qt::OtherFocusReason);
        if (valueEditor->openedFromKeys())
            setFocusVisible(true);
    }
    valueEditor->hide();
}

void CurvePrivate::applyValueEditor()
{
    const int slot = valueEditor->slot();
    if (slot >= points.slotsInUse() || gesture.active()) {
        closeValueEditor(true);
        return;
    }
    const TypedValues typed = applyTypedValues(slot, valueEditor->editedX(), valueEditor->editedY());
    if (typed.refusedX || typed.refusedY) {
        // Nothing moved: a refused box shows what the point kept, the other keeps what was typed;
        // the person may type again or cancel.
        valueEditor->showRefused(
            typed.refusedX ? std::optional(shownValue(typed.to.x, settings.X_Decimals)) : std::nullopt,
            typed.refusedY ? std::optional(shownValue(typed.to.y, settings.Y_Decimals)) : std::nullopt);
        return;
    }
    closeValueEditor(true);
    (void)finishTypedValues(slot, typed); // the last act: the host's handler may delete the control
}

QSize CurvePrivate::canvasSize() const
{
    return surface ? surface->size() : QSize();
}

qreal CurvePrivate::canvasPixelRatio() const
{
    return surface ? surface->devicePixelRatioF() : 1.0;
}

QSize CurvePrivate::canvasDpi() const
{
    return surface ? QSize(surface->logicalDpiX(), surface->logicalDpiY()) : QSize(96, 96);
}

void CurvePrivate::showArea(const QRect& area)
{
    if (surface)
        surface->update(area);
}

void CurvePrivate::showAreas(const QRegion& areas)
{
    if (surface)
        surface->update(areas);
}

void CurvePrivate::showAll()
{
    if (surface)
        surface->update();
}

bool CurvePrivate::hasFocus() const
{
    return surface && surface->hasFocus();
}

void CurvePrivate::setMousePointer(platform::MousePointer pointer)
{
    surface->setMousePointer(pointer);
}

bool CurvePrivate::raiseDrop(int index)
{
    // A handler may delete the control, and this with it; only the guard on the stack is read then.
    const QPointer<Curve> alive(q);
    int dropIndex = index;
    Q_EMIT q->DroppedValue(dropIndex);
    return !alive.isNull();
}

void CurvePrivate::showReadout(const QString& x, const QString& y, qint32 textColour)
{
    tracker->showReadout(x, y, textColour);
}

void CurvePrivate::backColorChanged(qint32 colour)
{
    tracker->setBackColor(colour);
}

void CurvePrivate::currentPointChanged(int index)
{
    if (surface && surface->hasFocus())
        accessibility::currentPointChanged(surface, *this, index);
}

void CurvePrivate::valueEntryRequested(int slot, bool fromKeys)
{
    openValueEditor(slot, fromKeys);
}

} // namespace knotel
