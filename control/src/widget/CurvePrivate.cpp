// The control's private side: its child widgets, start-up, RePaint, and the Show and Resize
// handlers that place the children and lay out the plot.
#include "widget/CurvePrivate.h"

#include "engine/Layout.h"
#include "platform/DrawingSurface.h"
#include "platform/Twips.h"
#include "widget/SettingsPanel.h"
#include "widget/TrackerDisplay.h"

#include <knotel/Curve.h>
#include <knotel/RuntimeError.h>

#include <QFont>
#include <QPointer>
#include <QUndoStack>

namespace knotel {

CurvePrivate::CurvePrivate(Curve* q) : q(q) {}

CurvePrivate::~CurvePrivate()
{
    // The children outlive the state: when QWidget's destructor closes the window or moves the
    // focus, nothing of theirs may call back into it.
    if (surface) {
        surface->setFocusMarkerSource({});
        QObject::disconnect(surface, nullptr, q, nullptr);
    }
    // Deleted by a drop handler during an undo or redo: the stack is still at work, so it goes
    // once that is done.
    if (historyBusy && undoStack) {
        undoStack->setParent(nullptr);
        undoStack->deleteLater();
    }
}

CurvePrivate* CurvePrivate::get(Curve* curve)
{
    return curve->d.get();
}

void CurvePrivate::createChildren()
{
    undoStack = createEditHistory(q);
    surface = new platform::DrawingSurface(q);
    surface->setObjectName(QStringLiteral("Picture_Curve"));
    // A fixed font, installed with the library's set-up, so that text measures the same everywhere.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8.0);
    font.setStyleHint(QFont::SansSerif);
    surface->setFont(font);
    platform::placeInTwips(surface, 180, 180, 8205, 4245);

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

    QObject::connect(surface, &platform::DrawingSurface::paintRequested, q, [this] { paintControl(); });
    QObject::connect(surface, &platform::DrawingSurface::mousePressed, q,
                     [this](int b, int s, float x, float y) { mousePress(b, s, x, y); });
    QObject::connect(surface, &platform::DrawingSurface::mouseMoved, q,
                     [this](int b, int s, float x, float y) { mouseMove(b, s, x, y); });
    QObject::connect(surface, &platform::DrawingSurface::mouseReleased, q,
                     [this](int b, int s, float x, float y) { mouseRelease(b, s, x, y); });
    QObject::connect(surface, &platform::DrawingSurface::mouseDoubleClicked, q,
                     [this](int b, int, float x, float y, bool& used) { used = mouseDoubleClick(b, x, y); });
}

void CurvePrivate::initialize()
{
    // The settings and the point table start from their defaults.
    applyBackColor();
    // Through the public interface, like a host: places the children and computes the first
    // layout; the paint pass does nothing yet.
    q->RePaint();
    paintEnabled = true;
}

void CurvePrivate::applyBackColor()
{
    surface->setBackColor(settings.BackColor);
    tracker->setBackColor(settings.BackColor);
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
        surface->setBorderStyle(0);
    tracker->place(surface->width(), surface->height());
    computeLayout();
}

void CurvePrivate::computeLayout()
{
    const platform::DrawingSurface& s = *surface;
    SurfaceMetrics metrics;
    metrics.width = s.scaleWidth();
    metrics.height = s.scaleHeight();
    metrics.backColor = s.backColor();
    metrics.textWidth = [&s](const QString& text) { return s.textWidth(text); };
    metrics.lineHeight = s.textHeight(QString());

    const LayoutResult result = knotel::computeLayout(layout, settings, metrics);
    layout = result.plot;
    if (result.showYTracker)
        *result.showYTracker ? tracker->showY(settings.Y_AxisText) : tracker->hideY();
    if (result.showXTracker)
        *result.showXTracker ? tracker->showX(settings.X_AxisText) : tracker->hideX();
}

bool CurvePrivate::announceDrop(int index)
{
    // A handler may delete the control, and this with it; only the guard on the stack is read then.
    const QPointer<Curve> alive(q);
    int dropIndex = index;
    Q_EMIT q->DroppedValue(dropIndex);
    return !alive.isNull();
}

void CurvePrivate::paintControl()
{
    if (!paintEnabled)
        return;
    painter().paintControl();
}

} // namespace knotel
