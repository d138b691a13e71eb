#ifndef KNOTEL_QUICKCURVEPRIVATE_H
#define KNOTEL_QUICKCURVEPRIVATE_H

#include "QuickCurve.h"

#include "engine/CurveEngine.h"
#include "platform/FocusMarker.h"

#include <QRect>
#include <QString>
#include <QVariant>

#include <array>

namespace knotel {

/**
 * The item's private side: its engine, and the engine's client, which turns the engine's reports
 * into item updates, the read-out text, QML's change signals and droppedValue.
 */
class QuickCurvePrivate : public EngineClient, public CurveEngine {
public:
    explicit QuickCurvePrivate(QuickCurve* q);

    static QuickCurvePrivate* get(QuickCurve* item) { return item->d.get(); }

    QuickCurve* const q;
    platform::FocusMarker focusMarker;
    /** The tracker read-out's texts, empty until the mouse has moved with the tracker on. */
    QString readoutX;
    QString readoutY;
    qint32 readoutColour = 0;
    /** The values that QML last saw of each property, of the points and of the history. */
    std::array<QVariant, 40> seen;

    /** The read-out box in item pixels: where the widget places its Text_Value_XY box. */
    QRect readoutBox() const;
    /** Sends the change signal of every property whose value differs from what QML last saw; false
     *  when a handler deleted the item. */
    bool notifyChanges();
    /** Sends @p changed when @p now differs from seen[@p i], which it then becomes. */
    void notifyChange(std::size_t i, const QVariant& now, void (QuickCurve::*changed)());
    /** Reports @p error to QML as a JavaScript error that names its number. */
    void report(const RuntimeError& error) const;

    // EngineClient, with the canvas's host: the item.
    QSize canvasSize() const override;
    qreal canvasPixelRatio() const override;
    QSize canvasDpi() const override;
    void showArea(const QRect& area) override;
    void showAreas(const QRegion& areas) override;
    void showAll() override;
    bool hasFocus() const override;
    void setMousePointer(platform::MousePointer pointer) override;
    bool raiseDrop(int index) override;
    void showReadout(const QString& x, const QString& y, qint32 textColour) override;
    void backColorChanged(qint32 colour) override;
    void currentPointChanged(int index) override;
    void valueEntryRequested(int slot, bool fromKeys) override;
};

/** Registers the item's accessible chart with Qt, the first call only. */
void installQuickCurveAccessible();

} // namespace knotel

#endif
