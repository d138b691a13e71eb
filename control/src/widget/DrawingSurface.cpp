// The widget's drawing surface: the paint event that copies the canvas and draws the focus marker
// and the labels, its input events, which the engine handles, and the context menu of point editing.
#include "widget/DrawingSurface.h"

#include "engine/CurveEngine.h"
#include "platform/Colour.h"
#include "platform/ScreenCopy.h"

#include <QBackingStore>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPaintEvent>
#include <QPointer>

namespace knotel {

DrawingSurface::DrawingSurface(CurveEngine& engine, QWidget* parent) : QWidget(parent), m_engine(engine)
{
    // The picture lives in the canvas: Qt needs neither to clear nor to compose the widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // Touch comes as touch, not as the mouse events Qt would make of it, so a finger gets its pick.
    setAttribute(Qt::WA_AcceptTouchEvents);
}

DrawingSurface::~DrawingSurface() = default;

platform::Canvas& DrawingSurface::canvas() const
{
    return m_engine.canvas();
}

QImage DrawingSurface::image() const
{
    m_engine.canvas().endPainting();
    return m_engine.canvas().picture().copy();
}

void DrawingSurface::setMousePointer(platform::MousePointer pointer)
{
    m_pointer = pointer;
    if (pointer == platform::MousePointer::Crosshair)
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}

void DrawingSurface::paintEvent(QPaintEvent* event)
{
    const QImage* picture = m_engine.frame();
    QPainter screen(this);
    if (picture) {
        // Only the region asked for.
        platform::copyToScreen(screen, *picture, devicePixelRatioF(), event->region(),
                               backingStore() ? backingStore()->paintDevice() : nullptr);
    } else {
        screen.fillRect(event->rect(), platform::toQColor(m_engine.canvas().backColor()));
    }
    m_engine.drawFocusMarker(screen, rect());
    m_engine.drawLabels(screen);
}

void DrawingSurface::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_engine.pointEditingEnabled()) {
        event->ignore();
        return;
    }
    event->accept();
    // From the keyboard the menu is about the current point; from the mouse about what lies under it.
    const CurveEngine::PointMenu offer = m_engine.pointMenu(
        event->reason() == QContextMenuEvent::Mouse ? std::optional<QPointF>(event->pos()) : std::nullopt);
    const auto tr = [](const char* text) { return QCoreApplication::translate("knotel::Curve", text); };
    const QClipboard* clipboard = QGuiApplication::clipboard();
    // Without a parent: a handler may delete this surface while the menu runs.
    QMenu menu;
    QAction* insert = menu.addAction(tr("Insert point"));
    insert->setShortcut(Qt::Key_Insert);
    insert->setEnabled(offer.insert);
    QAction* remove = menu.addAction(tr("Delete point"));
    remove->setShortcut(Qt::Key_Delete);
    remove->setEnabled(offer.remove);
    menu.addSeparator();
    QAction* copy = menu.addAction(tr("Copy points"));
    copy->setShortcut(QKeySequence::Copy);
    QAction* paste = menu.addAction(tr("Paste points"));
    paste->setShortcut(QKeySequence::Paste);
    paste->setEnabled(offer.paste && clipboard && !clipboard->text().isEmpty());
    const QPointer<DrawingSurface> alive(this);
    const QAction* chosen = menu.exec(event->globalPos());
    if (!alive || !chosen)
        return;
    // Each is the last act: the host's handler of the drop may delete the control.
    if (chosen == insert)
        offer.insertAt
            ? (void)m_engine.insertPointAt(float(offer.insertAt->x()), float(offer.insertAt->y()), false)
            : (void)m_engine.insertPoint();
    else if (chosen == remove)
        (void)m_engine.deletePoint();
    else if (chosen == copy)
        m_engine.copyPoints();
    else if (chosen == paste)
        (void)m_engine.pastePoints(clipboard ? clipboard->text() : QString(), true);
}

bool DrawingSurface::event(QEvent* event)
{
    // A disabled surface takes no input, as QWidget::event() has it.
    if (!isEnabled() && event->isInputEvent())
        return QWidget::event(event);
    // The host's handlers of a drop or a change notice may delete the control, this surface with
    // it: nothing follows an event the engine took, or a cancel that lost the control.
    if (losesPointer(event) && !m_engine.cancelGesture())
        return true;
    if (m_engine.handleEvent(event))
        return true;
    return QWidget::event(event);
}

bool DrawingSurface::losesPointer(QEvent* event) const
{
    // The events by which a widget learns that the mouse or a finger no longer reaches it: hidden,
    // disabled, its window no longer active or blocked by a modal one, or a popup taking the mouse.
    switch (event->type()) {
    case QEvent::Hide:
    case QEvent::WindowDeactivate:
    case QEvent::WindowBlocked:
        return true;
    case QEvent::EnabledChange:
        return !isEnabled();
    case QEvent::FocusOut:
        return static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason;
    default:
        return false;
    }
}

} // namespace knotel
