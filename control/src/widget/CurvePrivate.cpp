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
#include <QScreen>

#include <utility>

namespace knotel {

CurvePrivate::CurvePrivate(Curve* q)
    : q(q), engine(*this, q), changeSignals(Curve::staticMetaObject, ChangeSignals::Names::AsDeclared)
{
}

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
    surface = new DrawingSurface(engine, q);
    surface->setObjectName(QStringLiteral("Picture_Curve"));
    const QFont font = engine.canvas().font();
    surface->setFont(font);
    placeInTwips(surface, 180, 180, 8205, 4245);

    tracker = std::make_unique<TrackerDisplay>(q, surface, font);
    tracker->setBackColor(engine.BackColor());

    settingsPanel = new SettingsPanel(q, engine, [this] {
        computeLayout();
        try {
            engine.paintControl();
        } catch (const RuntimeError&) {
            // Reached from a text change, with no caller to report to.
        }
    });
}

void CurvePrivate::rePaint()
{
    resizeHandler();
    engine.paintControl();
}

void CurvePrivate::resizeHandler()
{
    // The surface covers the whole control.
    surface->move(0, 0);
    surface->resize(q->width(), surface->height());
    surface->resize(surface->width(), q->height());
    tracker->place(surface->width(), surface->height());
    computeLayout();
}

void CurvePrivate::computeLayout()
{
    const LayoutResult result = engine.layOut();
    const CurveSettings& settings = engine.settings();
    if (result.showYTracker)
        *result.showYTracker ? tracker->showY(settings.Y_AxisText) : tracker->hideY();
    if (result.showXTracker)
        *result.showXTracker ? tracker->showX(settings.X_AxisText) : tracker->hideX();
}

void CurvePrivate::openValueEditor(int slot, bool fromKeys)
{
    if (!engine.valueEntryEnabled() || slot < 0 || slot >= engine.points().slotsInUse())
        return;
    if (!valueEditor) {
        valueEditor = new ValueEditor(
            surface, surface->font(), [this] { applyValueEditor(); },
            [this](bool refocus) { closeValueEditor(refocus); });
    }
    engine.setCurrentPoint(slot);
    const CurveSettings& settings = engine.settings();
    const FreeAxes free = freeAxes(engine.points(), settings, slot);
    const PointPosition at = engine.points().position(slot);
    valueEditor->open(slot, shownValue(at.x, settings.X_Decimals), shownValue(at.y, settings.Y_Decimals),
                      free.x, free.y, engine.positionOf(slot), fromKeys);
}

void CurvePrivate::closeValueEditor(bool refocus)
{
    if (!valueEditor || valueEditor->isHidden())
        return;
    if (refocus) {
        // Before hiding, so that Qt does not pass the focus on to another widget.
        surface->setFocus(Qt::OtherFocusReason);
        if (valueEditor->openedFromKeys())
            engine.setFocusVisible(true);
    }
    valueEditor->hide();
}

void CurvePrivate::applyValueEditor()
{
    const int slot = valueEditor->slot();
    if (slot >= engine.points().slotsInUse() || engine.dragging()) {
        closeValueEditor(true);
        return;
    }
    const CurveEngine::TypedValues typed =
        engine.applyTypedValues(slot, valueEditor->editedX(), valueEditor->editedY());
    if (typed.refusedX || typed.refusedY) {
        // Nothing moved: a refused box shows what the point kept, the other keeps what was typed;
        // the person may type again or cancel.
        const CurveSettings& settings = engine.settings();
        valueEditor->showRefused(
            typed.refusedX ? std::optional(shownValue(typed.to.x, settings.X_Decimals)) : std::nullopt,
            typed.refusedY ? std::optional(shownValue(typed.to.y, settings.Y_Decimals)) : std::nullopt);
        return;
    }
    closeValueEditor(true);
    (void)engine.finishTypedValues(slot, typed); // the last act: the host's handler may delete the control
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

qreal CurvePrivate::physicalDpi() const
{
    const QScreen* screen = surface ? surface->screen() : nullptr;
    return screen ? screen->physicalDotsPerInch() : 0.0;
}

bool CurvePrivate::raiseDrop(int index)
{
    // A handler may delete the control, and this with it; only the guard on the stack is read then.
    const QPointer<Curve> alive(q);
    int dropIndex = index;
    Q_EMIT q->DroppedValue(dropIndex);
    return !alive.isNull();
}

bool CurvePrivate::pasteRefused(const QString& reason)
{
    const QPointer<Curve> alive(q);
    Q_EMIT q->pasteRefused(reason);
    return !alive.isNull();
}

void CurvePrivate::valueEntryRequested(int slot, bool fromKeys)
{
    openValueEditor(slot, fromKeys);
}

bool CurvePrivate::changed(Change what)
{
    accessibility::announce(surface, engine, what);
    switch (what) {
    case Change::BackColor:
        tracker->setBackColor(engine.BackColor());
        break;
    case Change::ValueEntryEnabled:
        if (!engine.valueEntryEnabled())
            closeValueEditor(false);
        break;
    case Change::Readout:
        tracker->showReadout(engine.readout().x, engine.readout().y, engine.readout().textColour);
        return true;
    case Change::MousePointer:
        surface->setMousePointer(engine.mousePointer());
        return true;
    default:
        break;
    }
    return changeSignals.emitOn(q, what);
}

} // namespace knotel
