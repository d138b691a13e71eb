#ifndef KNOTEL_PLATFORM_DRAWCALL_H
#define KNOTEL_PLATFORM_DRAWCALL_H

#include <QString>
#include <QtGlobal>

namespace knotel::platform {

enum class DrawMode { XorPen = 7, CopyPen = 13 };
enum class DrawStyle { Solid = 0, Dot = 2 };
enum class FillStyle { Solid = 0, Transparent = 1 };

/** One drawing call as the canvas received it, with the drawing state it was made in: what tests
 *  record to check positions and order, and what the canvas keeps of the layers it draws again. */
struct DrawCall {
    enum Kind { Cls, Line, Box, FilledBox, Circle, Print };
    Kind kind = Cls;
    float x1 = 0, y1 = 0, x2 = 0,
          y2 = 0;      ///< Line/box corners; circle centre in x1, y1 and radius in x2; text position
    qint32 colour = 0; ///< 0x00BBGGRR: line or outline colour, ForeColor for Print
    QString text;
    DrawStyle drawStyle = DrawStyle::Solid;
    DrawMode drawMode = DrawMode::CopyPen;
    FillStyle fillStyle = FillStyle::Transparent;
    qint32 fillColour = 0;

    /** Whether both calls draw the same pixels, a text in the same font: coordinates compared by
     *  their bit patterns, the fill only where the figure has one. */
    bool drawsAs(const DrawCall& other) const;
};

} // namespace knotel::platform

#endif
