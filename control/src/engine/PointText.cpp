// The points as text: what copy writes and what paste reads, one text form for both, so that a copy
// pasted back gives the same singles bit for bit.
#include "engine/PointText.h"

#include <QCoreApplication>
#include <QStringView>

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace knotel {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("knotel::Curve", text);
}

void appendShortest(QString& text, float value)
{
    char digits[32];
    const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value);
    text += QLatin1String(digits, written.ptr);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

/** A number read from the front of [@p at, @p end): its text runs to the first character that cannot
 *  continue it. */
struct ReadNumber {
    const char* end = nullptr; ///< null: no number starts at the front
    double value = 0;
    std::optional<float> single; ///< nothing when the value is beyond the single range
};

ReadNumber readNumber(const char* at, const char* end)
{
    // std::from_chars reads no leading "+"; a sign of its own is allowed here.
    const char* digits = at < end && *at == '+' ? at + 1 : at;
    if (digits < end && (*digits == '+' || *digits == '-') && digits != at)
        return {};
    ReadNumber number;
    const std::from_chars_result wide = std::from_chars(digits, end, number.value);
    if (wide.ec == std::errc::invalid_argument)
        return {};
    number.end = wide.ptr;
    // Read again as a single, so that the shortest text of a single gives that single exactly.
    float single = 0;
    const std::from_chars_result narrow = std::from_chars(digits, end, single);
    if (narrow.ec == std::errc())
        number.single = single;
    else if (wide.ec == std::errc() && std::fabs(number.value) <= double(std::numeric_limits<float>::max()))
        number.single = float(number.value); // below the smallest single: towards 0
    return number;
}

} // namespace

QString pointsText(std::span<const float> xs, std::span<const float> ys)
{
    QString text;
    for (std::size_t i = 0; i < xs.size() && i < ys.size(); ++i) {
        appendShortest(text, xs[i]);
        text += QLatin1Char('\t');
        appendShortest(text, ys[i]);
        text += QLatin1Char('\n');
    }
    return text;
}

PastedPoints readPoints(const QString& text)
{
    const auto refused = [](const QString& reason) {
        PastedPoints none;
        none.refusal = reason;
        return none;
    };
    // The lines, ended by LF, CR LF or CR; the blank ones do not count.
    QList<std::pair<int, QStringView>> lines;
    const QStringView all(text);
    int lineNumber = 0;
    qsizetype start = 0;
    while (start <= all.size()) {
        qsizetype end = start;
        while (end < all.size() && all[end] != u'\n' && all[end] != u'\r')
            ++end;
        ++lineNumber;
        const QStringView line = all.sliced(start, end - start).trimmed();
        if (!line.isEmpty()) {
            if (lines.size() == MostPastedLines)
                return refused(tr("Not pasted: more than 64 lines, and a curve has at most 64 points."));
            lines.append({lineNumber, line});
        }
        if (end + 1 < all.size() && all[end] == u'\r' && all[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    if (lines.isEmpty())
        return refused(tr("Not pasted: the text holds no points."));

    PastedPoints pasted;
    for (const auto& [number, line] : lines) {
        const QByteArray bytes = line.toUtf8();
        const char* at = bytes.constData();
        const char* const end = at + bytes.size();
        const QString unreadable = tr("Not pasted: line %1 is not two numbers.").arg(number);
        float values[2] = {0, 0};
        for (int k = 0; k < 2; ++k) {
            if (k == 1) {
                // A tab, a comma or a semicolon, or blanks alone, between the numbers.
                const char* separator = at;
                while (at < end && isBlank(*at))
                    ++at;
                if (at < end && (*at == ',' || *at == ';')) {
                    ++at;
                    while (at < end && isBlank(*at))
                        ++at;
                } else if (at == separator) {
                    return refused(unreadable);
                }
            }
            const ReadNumber read = readNumber(at, end);
            if (!read.end)
                return refused(unreadable);
            const QString written = QString::fromUtf8(at, read.end - at);
            if (!std::isfinite(read.value))
                return refused(
                    tr("Not pasted: line %1 has %2, which is not a finite number.").arg(number).arg(written));
            if (!read.single)
                return refused(
                    tr("Not pasted: line %1 has %2, beyond the range of a single.").arg(number).arg(written));
            values[k] = *read.single;
            at = read.end;
        }
        if (at != end)
            return refused(unreadable);
        pasted.points.append({values[0], values[1]});
        pasted.lines.append(number);
    }
    return pasted;
}

} // namespace knotel
