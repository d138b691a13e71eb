#ifndef KNOTEL_TRACKERDISPLAY_H
#define KNOTEL_TRACKERDISPLAY_H

#include <QString>
#include <QtGlobal>

class QFont;
class QLabel;
class QLineEdit;
class QWidget;

namespace knotel {

/**
 * The tracker read-out: the box Text_Value_XY in the lower right corner of the drawing surface,
 * which shows "( x / y )" while the mouse moves, and below the surface, outside the control's
 * visible area, the boxes Text_Value_X and Text_Value_Y with their captions Label_Value_X and
 * Label_Value_Y, shown while the matching axis has a text.
 *
 * The widgets are children of the control and the surface and live as long as they do.
 */
class TrackerDisplay {
public:
    /** Creates the widgets at their design places, in this order: XY box, Y caption and box, X caption and
     *  box. */
    TrackerDisplay(QWidget* control, QWidget* surface, const QFont& font);

    /** Puts the XY box in the surface's lower right corner and the X and Y boxes below the surface. */
    void place(int surfaceWidth, int surfaceHeight);

    /** Shows the X box with @p caption as its label's text; hideX() hides both. Likewise for Y. */
    void showX(const QString& caption);
    void hideX();
    void showY(const QString& caption);
    void hideY();

    /** The XY box's background, which follows the surface's. */
    void setBackColor(qint32 colour);

    /** Shows a read-out: @p x and @p y in their boxes, and both in the XY box in @p textColour. */
    void showReadout(const QString& x, const QString& y, qint32 textColour);

private:
    QWidget* m_surface;
    QLineEdit* m_xy;
    QLabel* m_labelY;
    QLineEdit* m_y;
    QLabel* m_labelX;
    QLineEdit* m_x;
};

} // namespace knotel

#endif
