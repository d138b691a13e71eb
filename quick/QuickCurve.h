#ifndef KNOTEL_QUICKCURVE_H
#define KNOTEL_QUICKCURVE_H

#include "engine/PropertyList.h"

#include <QPointF>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

namespace knotel {

class QuickCurvePrivate;

/** The plot rectangle (in item pixels) and the scales (pixels per axis unit) of the last layout, as
 *  QML reads them: `curve.plotLayout().scaleX`. */
struct QuickPlotLayout {
    Q_GADGET
    QML_VALUE_TYPE(plotLayout)
    Q_PROPERTY(int plotLeft MEMBER plotLeft CONSTANT)
    Q_PROPERTY(int plotTop MEMBER plotTop CONSTANT)
    Q_PROPERTY(int plotWidth MEMBER plotWidth CONSTANT)
    Q_PROPERTY(int plotHeight MEMBER plotHeight CONSTANT)
    Q_PROPERTY(double scaleX MEMBER scaleX CONSTANT)
    Q_PROPERTY(double scaleY MEMBER scaleY CONSTANT)

public:
    int plotLeft = 0;
    int plotTop = 0;
    int plotWidth = 0;
    int plotHeight = 0;
    double scaleX = 0;
    double scaleY = 0;
};

// A QML number crosses as a double and is converted as a late-bound host's number is: rounded to
// a 32-bit integer, or to the nearest single, an error for what does not fit.
#define KNOTEL_QML_TYPE_qint32 double
#define KNOTEL_QML_TYPE_float double
#define KNOTEL_QML_TYPE_QString QString
#define KNOTEL_QML_TYPE_int double
#define KNOTEL_QML_TYPE_bool bool
#define KNOTEL_QML_TYPE_double double

/**
 * The curve control as a Qt Quick item: `import Knotel`, then `Curve { ... }`. It is the widget's
 * engine in a Qt Quick shell, with the same properties, rules, picture and keys.
 *
 * Each property is the widget's, its name with the first letter lowered as QML wants it
 * (`dimensions`, `x_Axis_Left`, `curveCaption`, `x_Knotel`), with a change signal. A write is
 * shown at the next frame, as every Qt Quick item shows its properties; `rePaint()` shows it at
 * once. The drop is the signal `droppedValue(index)`. A failing property access throws a
 * JavaScript error that names the control's error number and its cause.
 */
class QuickCurve : public QQuickItem {
    Q_OBJECT
    QML_NAMED_ELEMENT(Curve)
#define KNOTEL_QML_PROPERTY(Type, Name, qmlName, Argument)                                                   \
    Q_PROPERTY(KNOTEL_QML_TYPE_##Type qmlName READ qmlName WRITE set##Name NOTIFY qmlName##Changed)
    KNOTEL_CURVE_PROPERTIES(KNOTEL_QML_PROPERTY)
#undef KNOTEL_QML_PROPERTY
    /** The points of the slots in use, as points; a write loads them as the widget's setPoints() does,
     *  from points or {x, y} objects. */
    Q_PROPERTY(QVariantList points READ points WRITE setPoints NOTIFY pointsChanged)
#define KNOTEL_QML_SWITCH(Type, name, Name, getter)                                                          \
    Q_PROPERTY(KNOTEL_QML_TYPE_##Type name READ name WRITE set##Name NOTIFY name##Changed)
    KNOTEL_CURVE_SWITCHES(KNOTEL_QML_SWITCH)
#undef KNOTEL_QML_SWITCH
    Q_PROPERTY(bool canUndo READ canUndo NOTIFY historyChanged)
    Q_PROPERTY(bool canRedo READ canRedo NOTIFY historyChanged)

public:
    explicit QuickCurve(QQuickItem* parent = nullptr);
    ~QuickCurve() override;

#define KNOTEL_QML_ACCESSORS(Type, Name, qmlName, Argument)                                                  \
    KNOTEL_QML_TYPE_##Type qmlName() const;                                                                  \
    void set##Name(KNOTEL_QML_TYPE_##Type value);
    KNOTEL_CURVE_PROPERTIES(KNOTEL_QML_ACCESSORS)
#undef KNOTEL_QML_ACCESSORS

    QVariantList points() const;
    void setPoints(const QVariantList& points);
#define KNOTEL_QML_SWITCH_ACCESSORS(Type, name, Name, getter)                                                \
    KNOTEL_QML_TYPE_##Type name() const;                                                                     \
    void set##Name(KNOTEL_QML_TYPE_##Type value);
    KNOTEL_CURVE_SWITCHES(KNOTEL_QML_SWITCH_ACCESSORS)
#undef KNOTEL_QML_SWITCH_ACCESSORS
    /** Whether there is an edit of the person's to undo. */
    bool canUndo() const;
    /** Whether there is an undone edit to redo. */
    bool canRedo() const;

    /** Lays out the plot and paints it at once: what the widget's RePaint does. */
    Q_INVOKABLE void rePaint();
    /** The plot rectangle and scales of the last layout: plotLeft, plotTop, plotWidth, plotHeight,
     *  scaleX, scaleY. */
    Q_INVOKABLE knotel::QuickPlotLayout plotLayout() const;
    /** Where point @p index lies in the item's coordinates, as the widget's positionOf(). */
    Q_INVOKABLE QPointF positionOf(int index) const;
    /** The axis values at @p position in the item's coordinates, as the widget's valueAt(). */
    Q_INVOKABLE QPointF valueAt(const QPointF& position) const;
    /** The slots in use whose `changed` reads -1, in slot order. */
    Q_INVOKABLE QList<int> changedPoints() const;
    /** Accepts the position of every slot in use as its reference, as a write of 0 to `changed` does. */
    Q_INVOKABLE void acceptChanges();
    /** Undoes the person's last edit, as the standard undo key does. */
    Q_INVOKABLE void undo();
    /** Redoes the last undone edit, as the standard redo key does. */
    Q_INVOKABLE void redo();
    /**
     * Applies typed texts to point @p index as the widget's value editor does: read as every typed
     * number is, under the rules of a drag; an empty text leaves its coordinate. Returns false when
     * a typed coordinate was refused, and nothing changes then.
     */
    Q_INVOKABLE bool enterValues(int index, const QString& x, const QString& y);
    /** The points in use as text, as the copy key puts them on the clipboard: a line per point, X, a
     *  tab and Y, each the shortest text that reads back to the same single. */
    Q_INVOKABLE QString copyPoints() const;
    /**
     * Replaces the points in use by those of @p text as the widget's pastePoints() does: lines of two
     * numbers separated by a tab, a comma, a semicolon or blanks. Returns false when the paste was
     * refused (pasteRefused() says why), and nothing changes then.
     */
    Q_INVOKABLE bool pastePoints(const QString& text);

Q_SIGNALS:
#define KNOTEL_QML_SIGNAL(Type, Name, qmlName, Argument) void qmlName##Changed();
    KNOTEL_CURVE_PROPERTIES(KNOTEL_QML_SIGNAL)
#undef KNOTEL_QML_SIGNAL
    void pointsChanged();
#define KNOTEL_QML_SWITCH_SIGNAL(Type, name, Name, getter) void name##Changed();
    KNOTEL_CURVE_SWITCHES(KNOTEL_QML_SWITCH_SIGNAL)
#undef KNOTEL_QML_SWITCH_SIGNAL
    /** canUndo or canRedo may have changed: the history moved, grew or was emptied. */
    void historyChanged();
    /** The person dropped point @p index, or the whole curve (-1). */
    void droppedValue(int index);
    /** A double-click on a point, or Enter or F2 on the current one, asks for exact values: a QML
     *  editor may open for point @p index and call enterValues(). Not sent while valueEntryEnabled is
     *  false. */
    void valueEntryRequested(int index);
    /** A paste was refused, from the paste key or pastePoints(), for @p reason (a sentence); nothing
     *  changed. */
    void pasteRefused(const QString& reason);

protected:
    void componentComplete() override;
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData& value) override;
    void updatePolish() override;
    QSGNode* updatePaintNode(QSGNode* node, UpdatePaintNodeData* data) override;
    void releaseResources() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void touchEvent(QTouchEvent* event) override;
    void mouseUngrabEvent() override;
    void touchUngrabEvent() override;
    void hoverMoveEvent(QHoverEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    Q_DISABLE_COPY_MOVE(QuickCurve)
    friend class QuickCurvePrivate;
    std::unique_ptr<QuickCurvePrivate> const d;
};

} // namespace knotel

#endif
