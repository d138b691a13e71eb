// The plot's frame: arrow heads, axis lines, axis texts and caption.
#include "engine/CurvePainter.h"

#include "numbers/ErrorTolerance.h"
#include "numbers/NumberConversion.h"
#include "platform/Canvas.h"

#include <QList>

namespace knotel {

namespace {

// The Y arrow head: tip 16 px above the plot, base 6 px wide and 6 px above it; the X arrow head
// likewise to the right of the plot.
constexpr qint32 ArrowBase = 6;
constexpr qint32 ArrowTip = 16;
constexpr qint32 ArrowHalfWidth = 3;

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

} // namespace

void CurvePainter::drawArrowHeads()
{
    const PlotLayout& l = m_layout;
    platform::Canvas& s = m_canvas;
    const qint32 colour = m_settings.AxisColor;
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
        s.line(float(add32(plotRight(), ArrowBase)), float(add32(plotBottom(), ArrowHalfWidth)),
               float(add32(plotRight(), ArrowTip)), float(plotBottom()), colour);
    });
    tolerate([&] {
        s.line(float(add32(plotRight(), ArrowBase)), float(sub32(plotBottom(), ArrowHalfWidth)),
               float(add32(plotRight(), ArrowTip)), float(plotBottom()), colour);
    });
    tolerate([&] {
        s.line(float(add32(plotRight(), ArrowBase)), float(sub32(plotBottom(), ArrowHalfWidth)),
               float(add32(plotRight(), ArrowBase)), float(add32(plotBottom(), ArrowHalfWidth)), colour);
    });
}

// The frame, over the limit lines and the marker: axis lines, axis texts and caption.
void CurvePainter::drawFrame()
{
    drawAxisLines();
    m_canvas.setForeColor(m_settings.TextColor);
    drawAxisTexts();
    drawCaption();
}

// Both axis lines run on to the base of their arrow heads, on top of the grid and limit lines.
void CurvePainter::drawAxisLines()
{
    const PlotLayout& l = m_layout;
    platform::Canvas& s = m_canvas;
    tolerate([&] {
        s.line(float(l.PlotLeft), float(plotBottom()), float(add32(plotRight(), ArrowBase)),
               float(plotBottom()), m_settings.AxisColor);
    });
    tolerate([&] {
        s.line(float(l.PlotLeft), float(sub32(l.PlotTop, ArrowBase)), float(l.PlotLeft), float(plotBottom()),
               m_settings.AxisColor);
    });
}

// The Y axis text goes down the left edge one character per line, centred on the plot; each
// character is centred in a column as wide as a digit that starts 2.5 px from the edge. The X
// axis text is centred under the plot, one line plus 2 px above the bottom edge.
void CurvePainter::drawAxisTexts()
{
    const PlotLayout& l = m_layout;
    platform::Canvas& s = m_canvas;
    const QString digit = QStringLiteral("8");
    if (!m_settings.Y_AxisText.isEmpty()) {
        const QList<QString> characters = charactersOf(m_settings.Y_AxisText);
        s.setCurrentY(toSingleOrInfinity(
            (double(l.PlotHeight) - double(s.textHeight(digit)) * double(characters.size())) / 2 +
            double(l.PlotTop)));
        for (const QString& ch : characters) {
            s.setCurrentX(
                toSingleOrInfinity((double(s.textWidth(digit)) - double(s.textWidth(ch))) / 2 + 0.5 + 2));
            tolerate([&] { s.print(ch, true); });
        }
    }
    if (!m_settings.X_AxisText.isEmpty()) {
        s.setCurrentX(toSingleOrInfinity(
            (double(l.PlotWidth) - double(s.textWidth(m_settings.X_AxisText))) / 2 + double(l.PlotLeft)));
        s.setCurrentY(toSingleOrInfinity(double(s.scaleHeight()) - double(s.textHeight(digit)) - 2));
        tolerate([&] { s.print(m_settings.X_AxisText); });
    }
}

// The caption, centred across the whole surface 2 px below its top, in a font 1.5 times as large
// and bold. Afterwards Bold is off and the size is the one before.
void CurvePainter::drawCaption()
{
    const QString& caption = m_settings.CurveCaption;
    if (caption.isEmpty())
        return;
    platform::Canvas& s = m_canvas;
    const float size = s.fontSize();
    tolerate([&] { s.setFontSize(toSingleOrInfinity(double(size) * 1.5)); });
    s.setFontBold(true);
    s.setCurrentX(toSingleOrInfinity((double(s.scaleWidth()) - double(s.textWidth(caption))) / 2));
    s.setCurrentY(2);
    tolerate([&] { s.print(caption); });
    s.setFontBold(false);
    tolerate([&] { s.setFontSize(size); });
}

} // namespace knotel
