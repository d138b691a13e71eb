#include <knotel/FormatValue.h>
#include <knotel/LeadingValue.h>
#include <knotel/RuntimeError.h>

#include <QVarLengthArray>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace knotel {

namespace {

// Longest ordinary text of a finite single: "-0.00001234567" (14) or "-1.234567E-38" (13).
using SingleBuffer = std::array<char, 32>;

// More decimals than any label can show; beyond this the text would only exhaust memory.
constexpr qint32 kMaxDecimals = 1024;

// Writes the ordinary text of the finite value into out and returns its length.
int writeSingle(float value, SingleBuffer& out)
{
    if (value == 0.0f) { // also negative zero
        out[0] = '0';
        return 1;
    }

    // The exact value correctly rounded to 7 significant digits: "-d.dddddde+XX".
    std::array<char, 32> sci{};
    const auto written =
        std::to_chars(sci.data(), sci.data() + sci.size(), value, std::chars_format::scientific, 6);
    const char* p = sci.data();
    const bool negative = *p == '-';
    if (negative)
        ++p;
    std::array<char, 7> digits{};
    digits[0] = p[0];
    for (int i = 1; i < 7; ++i)
        digits[i] = p[i + 1]; // p[1] is the point
    int exponent = 0;
    std::from_chars(p[9] == '+' ? p + 10 : p + 9, written.ptr, exponent); // p[8] is the 'e'

    int count = 7;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    int n = 0;
    if (negative)
        out[n++] = '-';
    if (exponent >= -5 && exponent <= 6) {
        if (exponent >= 0) {
            for (int i = 0; i <= exponent; ++i)
                out[n++] = i < count ? digits[i] : '0';
            if (count > exponent + 1) {
                out[n++] = '.';
                for (int i = exponent + 1; i < count; ++i)
                    out[n++] = digits[i];
            }
        } else {
            out[n++] = '0';
            out[n++] = '.';
            for (int i = -1; i > exponent; --i)
                out[n++] = '0';
            for (int i = 0; i < count; ++i)
                out[n++] = digits[i];
        }
    } else {
        out[n++] = digits[0];
        if (count > 1) {
            out[n++] = '.';
            for (int i = 1; i < count; ++i)
                out[n++] = digits[i];
        }
        out[n++] = 'E';
        out[n++] = exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(exponent); // at most 45 for a single
        out[n++] = static_cast<char>('0' + magnitude / 10);
        out[n++] = static_cast<char>('0' + magnitude % 10);
    }
    return n;
}

} // namespace

QString singleText(float value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
    SingleBuffer text;
    return QString::fromLatin1(text.data(), writeSingle(value, text));
}

// The mantissa of the value's ordinary text (the whole text, or the part before "E") gets a "."
// if it has none, then `decimals` zeros; it is cut after the point plus `decimals` characters
// (before the point for 0 decimals), the exponent follows whole, and a "+" goes in front when
// LeadingValue() of the result is not 0 and it does not start with "-". So (1.5E+20, 2) gives
// "+1.50E+20" and (1.234567E-38, 0) gives "+1E-38". The text is locale-independent and never has
// a ",", so there is nothing to replace by ".".
// Non-finite values give "NaN", "+Inf" and "-Inf" after the check of `decimals`.
QString FormatValue(float value, qint32 decimals)
{
    if (decimals < 0 || decimals > kMaxDecimals)
        throw RuntimeError(RuntimeError::InvalidArgument);
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("+Inf");

    SingleBuffer text;
    const int size = writeSingle(value, text);
    int mantissa = 0;
    while (mantissa < size && text[mantissa] != 'E')
        ++mantissa;
    int point = 0;
    while (point < mantissa && text[point] != '.')
        ++point;

    // The zeros are only ever needed as far as the cut keeps them.
    const qsizetype kept = decimals > 0 ? point + 1 + qsizetype{decimals} : point;
    const qsizetype length = kept + (size - mantissa);
    QVarLengthArray<QChar, 64> out(1 + length); // out[0] is room for the "+"
    for (qsizetype i = 0; i < kept; ++i)
        out[1 + i] = QLatin1Char(i < mantissa ? text[i] : i == point ? '.' : '0');
    for (int i = mantissa; i < size; ++i)
        out[1 + kept + (i - mantissa)] = QLatin1Char(text[i]);

    const QStringView result(out.data() + 1, length);
    if (length > 0 && result.front() == u'-')
        return result.toString();
    if (LeadingValue(result) == 0.0)
        return result.toString();
    out[0] = u'+';
    return QStringView(out.data(), length + 1).toString();
}

} // namespace knotel
