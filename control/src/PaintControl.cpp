// The paint pass: background, arrow heads, scales, limit lines and actual value, axis lines, axis
// texts and caption, and last the curve.
#include "CurvePrivate.h"

#include "ErrorTolerance.h"
#include "PaintSteps.h"
#include "platform/DrawingSurface.h"

#include <QList>

namespace knotel {

namespace {

using paint::plotBottom;
using paint::plotRight;
using paint::position;

// The Y arrow head: tip 16 px above the plot, base 6 px wide and 6 px above it; the X arrow head
// likewise to the right of the plot.
constexpr qint32 ArrowBase = 6;
constexpr qint32 ArrowTip = 16;
constexpr qint32 ArrowHalfWidth = 3;

void drawArrowHeads(const CurvePrivate& d, platform::DrawingSurface& s)
{
    const PlotLayout& l = d.layout;
    const qint32 colour = d.AxisColor;
    tolerate([&] {
        s.line(float(add32(l.PlotLeft, ArrowHalfWidth)), float(sub32(l.PlotTop, ArrowBase)),
               float(l.PlotLeft), float(sub32(l.PlotTop, ArrowTip)), colour);
    });
    tolerate([&] {
        s.line(float(sub32(l.PlotLeft, ArrowHalfWidth)), float(sub32(l.PlotTop, ArrowBase)),
               float(l.PlotLeft), float(sub32(l.PlotTop, ArrowTip)), colour);
    });
    tolerate([&] {
        s.line(float(sub32(l.PlotLeft, ArrowHalfWidth)), float(sub32(l.PlotTop, ArrowBase)),
               float(add32(l.PlotLeft, ArrowHalfWidth)), float(sub32(l.PlotTop, ArrowBase)), colour);
    });
    tolerate([&] {
        s.line(float(add32(plotRight(l), ArrowBase)), float(add32(plotBottom(l), ArrowHalfWidth)),
               float(add32(plotRight(l), ArrowTip)), float(plotBottom(l)), colour);
    });
    tolerate([&] {
        s.line(float(add32(plotRight(l), ArrowBase)), float(sub32(plotBottom(l), ArrowHalfWidth)),
               float(add32(plotRight(l), ArrowTip)), float(plotBottom(l)), colour);
    });
    tolerate([&] {
        s.line(float(add32(plotRight(l), ArrowBase)), float(sub32(plotBottom(l), ArrowHalfWidth)),
               float(add32(plotRight(l), ArrowBase)), float(add32(plotBottom(l), ArrowHalfWidth)), colour);
    });
}

// Both axis lines run on to the base of their arrow heads, on top of the grid and limit lines.
void drawAxisLines(const CurvePrivate& d, platform::DrawingSurface& s)
{
    const PlotLayout& l = d.layout;
    tolerate([&] {
        s.line(float(l.PlotLeft), float(plotBottom(l)), float(add32(plotRight(l), ArrowBase)),
               float(plotBottom(l)), d.AxisColor);
    });
    tolerate([&] {
        s.line(float(l.PlotLeft), float(sub32(l.PlotTop, ArrowBase)), float(l.PlotLeft), float(plotBottom(l)),
               d.AxisColor);
    });
}

/** The characters of @p text, a surrogate pair counting as one. */
QList<QString> charactersOf(const QString& text)
{
    QList<QString> characters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        characters.append(text.mid(i, length));
        i += length - 1;
    }
    return characters;
}

// The Y axis text goes down the left edge one character per line, centred on the plot; each
// character is centred in a column as wide as a digit that starts 2.5 px from the edge. The X
// axis text is centred under the plot, one line plus 2 px above the bottom edge.
void drawAxisTexts(const CurvePrivate& d, platform::DrawingSurface& s)
{
    const PlotLayout& l = d.layout;
    const QString digit = QStringLiteral("8");
    if (!d.Y_AxisText.isEmpty()) {
        const QList<QString> characters = charactersOf(d.Y_AxisText);
        tolerate([&] {
            s.setCurrentY(position(
                (double(l.PlotHeight) - double(s.textHeight(digit)) * double(characters.size())) / 2 +
                double(l.PlotTop)));
        });
        for (const QString& ch : characters) {
            tolerate([&] {
                s.setCurrentX(position((double(s.textWidth(digit)) - double(s.textWidth(ch))) / 2 + 0.5 + 2));
            });
            tolerate([&] { s.print(ch, true); });
        }
    }
    if (!d.X_AxisText.isEmpty()) {
        tolerate([&] {
            s.setCurrentX(
                position((double(l.PlotWidth) - double(s.textWidth(d.X_AxisText))) / 2 + double(l.PlotLeft)));
        });
        tolerate([&] { s.setCurrentY(position(double(s.scaleHeight()) - double(s.textHeight(digit)) - 2)); });
        tolerate([&] { s.print(d.X_AxisText); });
    }
}

// The caption, centred across the whole surface 2 px below its top, in a font 1.5 times as large
// and bold. Afterwards Bold is off and the size is the one before.
void drawCaption(const CurvePrivate& d, platform::DrawingSurface& s)
{
    if (d.CurveCaption.isEmpty())
        return;
    float size = 0;
    tolerate([&] { size = s.fontSize(); });
    tolerate([&] { s.setFontSize(position(double(size) * 1.5)); });
    tolerate([&] { s.setFontBold(true); });
    tolerate(
        [&] { s.setCurrentX(position((double(s.scaleWidth()) - double(s.textWidth(d.CurveCaption))) / 2)); });
    tolerate([&] { s.setCurrentY(2); });
    tolerate([&] { s.print(d.CurveCaption); });
    tolerate([&] { s.setFontBold(false); });
    tolerate([&] { s.setFontSize(size); });
}

} // namespace

void CurvePrivate::paintControl()
{
    if (PaintEnabled == 0)
        return;
    platform::DrawingSurface& s = *Picture_Curve;
    // A failing Cls goes to the caller. From here on every statement runs on its own: one that
    // fails is abandoned and the pass goes on with the next, so every later element is drawn.
    s.cls();
    drawArrowHeads(*this, s);
    paint::drawXScale(*this, s);
    paint::drawYScale(*this, s);
    drawLimitLines();
    drawActualValue();
    drawAxisLines(*this, s);
    tolerate([&] { s.setForeColor(TextColor); });
    drawAxisTexts(*this, s);
    drawCaption(*this, s);
    tolerate([&] { drawCurveXor(); });
}

} // namespace knotel
