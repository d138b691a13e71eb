#ifndef KNOTEL_ENGINE_POINTTEXT_H
#define KNOTEL_ENGINE_POINTTEXT_H

#include "engine/PointTable.h"

#include <QList>
#include <QString>

#include <span>

namespace knotel {

/** The most lines a pasted text may have: one per slot. */
inline constexpr int MostPastedLines = SlotCount;

/**
 * The points as copy gives them to the clipboard: a line per point, its X, a tab and its Y, each
 * line ended by a line feed. Each number is the shortest text that reads back to the same single
 * (std::to_chars), with "." as the decimal point whatever the locale: what spreadsheets read.
 */
QString pointsText(std::span<const float> xs, std::span<const float> ys);

/** A pasted text read: its points, or why it cannot be (a sentence for the person). */
struct PastedPoints {
    QList<PointPosition> points;
    QList<int> lines; ///< the line of the text each point came from, counted from 1
    QString refusal;  ///< empty when the text was read
};

/**
 * Reads pasted text: a line per point (line feeds, carriage returns or both end a line), each two
 * numbers separated by a tab, a comma, a semicolon or blanks, as spreadsheets and CSV files give
 * them; blank lines are left out, blanks around the numbers allowed. A number is a decimal number
 * with "." as its point and an optional exponent, read to the nearest single. Refused, with the
 * line named: a line that is not two such numbers, a number that is not finite or beyond the
 * single range; and a text of no line or of more than 64.
 */
PastedPoints readPoints(const QString& text);

} // namespace knotel

#endif
