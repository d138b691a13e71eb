#ifndef KNOTEL_PLATFORM_FOCUSMARKER_H
#define KNOTEL_PLATFORM_FOCUSMARKER_H


#include <QImage>
#include <QRect>

class QPainter;

namespace knotel::platform {

/**
 * The focus marker over the screen copy: a dashed black square over a white one, one logical
 * pixel wide, along the cells of a square.
 *
 * Qt strokes and dashes it anew at every paint, which at ratios other than 1 costs more than the
 * rest of a drag move. Its pixels are opaque white and black and do not depend on what lies
 * under them, and its coordinates are whole or half pixels, so wherever it stands it has the same
 * device pixels, moved by whole ones. So it is drawn once into a transparent image, at its true
 * coordinates and device phase, and copied to each later place; where the painter's transform
 * does not move it by whole device pixels (fractional ratios) it is drawn directly.
 */
class FocusMarker {
public:
    /** Draws the marker along the cells of @p square onto @p screen, at device pixel ratio @p ratio.
     *  A marker that reaches beyond @p bounds, the painted area in logical pixels, is drawn with the
     *  pens: Qt clips lines at the device's edge before it dashes them. */
    void draw(QPainter& screen, const QRect& square, qreal ratio, const QRect& bounds);
    /** Draws it with Qt's pens, as every copy looks. */
    static void paint(QPainter& screen, const QRect& square, qreal ratio);

private:
    QImage m_copy;   ///< the marker on a transparent ground
    QPoint m_origin; ///< the device pixel of m_copy where the square's corner lies
    QSize m_size;    ///< of the square it was drawn along
    qreal m_ratio = 0;
};

} // namespace knotel::platform

#endif
