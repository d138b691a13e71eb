#ifndef KNOTEL_VALUEEDITOR_H
#define KNOTEL_VALUEEDITOR_H

#include <QFrame>
#include <QString>

#include <functional>
#include <optional>

class QLineEdit;

namespace knotel {

/**
 * The value editor: a small frame on the drawing surface with two boxes, Text_Entry_X and
 * Text_Entry_Y, in which the person types a point's exact coordinates. Enter asks to apply them,
 * Escape and a move of the focus to any other widget close it. It only shows texts and reports
 * keys: what the texts do to the point is the control's business.
 */
class ValueEditor : public QFrame {
    Q_OBJECT
public:
    /** @p apply runs on Enter; @p cancel on Escape (with true: give the surface the focus back) and on
     *  a move of the focus elsewhere (false). */
    ValueEditor(QWidget* surface, const QFont& font, std::function<void()> apply,
                std::function<void(bool refocus)> cancel);

    /** Shows the editor for point @p slot beside @p point (surface pixels), inside the surface, with
     *  the texts @p x and @p y, a box read-only where its coordinate is locked; the X box, or else
     *  the Y box, gets the focus with its text selected. */
    void open(int slot, const QString& x, const QString& y, bool xFree, bool yFree, QPointF point,
              bool fromKeys);
    /** Shows @p x and @p y as the point's texts now, and selects the X box's (@p selectY: the Y box's). */
    void showValues(const QString& x, const QString& y, bool selectY);
    /** Shows the point's own text in each box whose value was refused (the X box's first gets the
     *  focus, selected); a box without one keeps what the person typed. */
    void showRefused(const std::optional<QString>& x, const std::optional<QString>& y);

    int slot() const { return m_slot; }
    /** Whether the editor was opened from the keyboard. */
    bool openedFromKeys() const { return m_fromKeys; }
    /** The typed text of a box whose text the person changed; nothing for one left as shown. */
    std::optional<QString> editedX() const;
    std::optional<QString> editedY() const;

    QLineEdit* xBox() const { return m_x; }
    QLineEdit* yBox() const { return m_y; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void place(QPointF point);

    QLineEdit* m_x;
    QLineEdit* m_y;
    QString m_shownX;
    QString m_shownY;
    int m_slot = -1;
    bool m_fromKeys = false;
    std::function<void()> m_apply;
    std::function<void(bool)> m_cancel;
};

} // namespace knotel

#endif
