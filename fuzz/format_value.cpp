// Any single (NaN, infinities, denormals) with any number of decimals through FormatValue: it
// returns a text or fails with 5, and for finite values and 0 to 20 decimals the text reads back
// through LeadingValue to the value cut at its last shown digit: the difference is below one
// unit of that digit (scaled by the exponent in exponent form) plus the seven-digit rounding of
// the value's own text.
#include "FuzzCommon.h"

#include <knotel/FormatValue.h>
#include <knotel/LeadingValue.h>
#include <knotel/RuntimeError.h>

#include <QString>

#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 5)
        return 0;
    float value;
    std::memcpy(&value, data, sizeof value);
    qint32 decimals;
    if (size >= 8) {
        std::memcpy(&decimals, data + 4, sizeof decimals);
    } else {
        decimals = qint32(data[4]) % 24 - 2; // mostly the useful range, a few negative
    }

    QString text;
    try {
        text = knotel::FormatValue(value, decimals);
    } catch (const knotel::RuntimeError& e) {
        FUZZ_CHECK(e.code() == knotel::RuntimeError::InvalidArgument);
        FUZZ_CHECK(decimals < 0 || decimals > 1024);
        return 0;
    }
    FUZZ_CHECK(decimals >= 0 && decimals <= 1024);
    if (std::isnan(value)) {
        FUZZ_CHECK(text == QLatin1String("NaN"));
        return 0;
    }
    if (std::isinf(value)) {
        FUZZ_CHECK(text == QLatin1String(value > 0 ? "+Inf" : "-Inf"));
        return 0;
    }
    if (decimals > 20)
        return 0;

    const double v = double(value);
    const double back = knotel::LeadingValue(text);
    const qsizetype e = text.indexOf(u'E');
    const int exponent = e < 0 ? 0 : text.mid(e + 1).toInt();
    const double unit = std::pow(10.0, double(exponent - decimals));
    const double rounding = std::fabs(v) * 5e-7;
    // The cut goes toward zero and never past the value's own text.
    FUZZ_CHECK(std::fabs(back - v) < unit + rounding);
    FUZZ_CHECK(std::fabs(back) <= std::fabs(v) + rounding);
    FUZZ_CHECK(back == 0 || (back > 0) == (v > 0));
    // The sign: "-" from the value's own text, "+" exactly when the text reads as non-zero.
    if (!text.startsWith(u'-'))
        FUZZ_CHECK(text.startsWith(u'+') == (back != 0));
    // The mantissa shows exactly `decimals` digits after its point.
    const QStringView mantissa = QStringView(text).left(e < 0 ? text.size() : e);
    const qsizetype point = mantissa.indexOf(u'.');
    FUZZ_CHECK(decimals == 0 ? point < 0 : mantissa.size() - point - 1 == decimals);
    return 0;
}
