// Any text, read as UTF-8 and as UTF-16, through LeadingValue and the conversions that follow it
// in the property writes: only RuntimeError may come out, a decimal number is never NaN.
#include "FuzzCommon.h"

#include "numbers/NumberConversion.h"

#include <knotel/LeadingValue.h>
#include <knotel/RuntimeError.h>

#include <QString>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

void readNumber(QStringView text)
{
    double v = 0;
    try {
        v = knotel::LeadingValue(text);
    } catch (const knotel::RuntimeError&) {
        return;
    }
    FUZZ_CHECK(!std::isnan(v));
    for (auto convert : {+[](double x) { return double(knotel::roundToInt32(x)); },
                         +[](double x) { return double(knotel::toSingleOrThrow(x)); }}) {
        try {
            const double converted = convert(v);
            FUZZ_CHECK(std::isfinite(converted));
        } catch (const knotel::RuntimeError& e) {
            FUZZ_CHECK(e.code() == knotel::RuntimeError::Overflow);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    readNumber(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    std::vector<char16_t> units(size / 2);
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    readNumber(QStringView(units.data(), qsizetype(units.size())));
    return 0;
}
