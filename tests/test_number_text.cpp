#include "numbers/NumberConversion.h"

#include <knotel/FormatValue.h>
#include <knotel/LeadingValue.h>
#include <knotel/RuntimeError.h>

#include <QLocale>
#include <QString>

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

using knotel::FormatValue;
using knotel::LeadingValue;
using knotel::RuntimeError;
using knotel::singleText;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr float kFInf = std::numeric_limits<float>::infinity();
constexpr float kFloatMax = std::numeric_limits<float>::max();
constexpr long long kOverflow = std::numeric_limits<long long>::min();

double leading(const std::string& text)
{
    return LeadingValue(QString::fromStdString(text));
}

// The RuntimeError code f throws, or 0.
template <typename F> int errorCode(F&& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.code();
    }
    return 0;
}

} // namespace

TEST(LeadingValue, ReadsTheLeadingNumber)
{
    // clang-format off
    const struct { const char* text; double expected; } cases[] = {
        {"", 0}, {"abc", 0}, {"+", 0}, {"-", 0}, {".", 0}, {"E5", 0}, {"-.", 0}, {"  7 Dimensions", 7},
        {"1 2", 12}, {"- 5", -5}, {"\t\n\r3", 3}, {"+4", 4}, {"-30,5", -30}, {".5", 0.5}, {"5.", 5},
        {"1.2.3", 1.2}, {"1e", 1}, {"1e+", 1}, {"1E-x", 1}, {"2D3", 2000}, {"2d-3", 0.002},
        {"1.5E+20", 1.5e20}, {"1 E 2", 100}, {"1e3e4", 1000}, {"0.1", 0.1}, {"007", 7}, {"-0", 0},
        {"1e400", kInf}, {"-1e400", -kInf}, {"1e-400", 0}, {"1e99999999999999999999", kInf},
        {"4.9e-324", std::numeric_limits<double>::denorm_min()},
        // Halfway between two doubles rounds to even; any further non-zero digit rounds up.
        {"9007199254740993", 9007199254740992.0}, {"9007199254740993.0000000000000000001", 9007199254740994.0},
        // Hexadecimal and octal: 16 bits up to four hex digits (octal up to &O177777) unless "&" follows.
        {"&h00FF0000&", 16711680}, {"&hFFFFFFFF&", -1}, {"&hFFFF", -1}, {"&hFFFF&", 65535}, {"&h8000", -32768},
        {"&h10000", 65536}, {"&HfF", 255}, {"&h0FFFF", 65535}, {"&H80000000", -2147483648.0},
        {"&h123456789&", 0x12345678}, {"&HFFFFG", -1}, {" & h F F", 255}, {"&H", 0}, {"&", 0}, {"&X1", 0},
        {"-&H10", 0}, {"&o177777", -1}, {"&O177777&", 65535}, {"&O100000", -32768}, {"&O200000", 65536},
        {"&O37777777777", -1}, {"&O17777777777", 2147483647}, {"&O8", 0},
        {"&O77777777777", 1073741823}, // a further 7 would overflow 32 bits
        {"&O000000000017", 1},         // at most 11 digits
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(leading(c.text), c.expected) << c.text;
    EXPECT_FALSE(std::signbit(leading("-1e-400")));
}

TEST(LeadingValue, HugeTextsReadExactly)
{
    const std::string zeros(100000, '0');
    EXPECT_EQ(leading("1" + zeros), kInf);
    EXPECT_EQ(leading("0." + zeros + "1"), 0);
    EXPECT_EQ(leading("0." + zeros + "1e100005"), 1e4);
    EXPECT_EQ(leading(zeros + "1 " + zeros + "e-100000"), 1);
    // Far beyond the digits that decide the rounding, a single non-zero digit still counts.
    EXPECT_EQ(leading("9007199254740993" + zeros + "e-100000"), 9007199254740992.0);
    EXPECT_EQ(leading("9007199254740993" + zeros + "1e-100001"), 9007199254740994.0);
    EXPECT_EQ(leading("9007199254740993." + zeros + "1"), 9007199254740994.0);
}

TEST(NumberConversion, RoundToIntTiesToEven)
{
    // clang-format off
    const struct { double value; long long int32; } cases[] = {
        {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-2.5, -2}, {0.49999999999999994, 0},
        {32767.4, 32767}, {32767.5, 32768}, {-32768.5, -32768},
        {-32768.6, -32769}, {2147483647.4, 2147483647},
        {2147483647.5, kOverflow}, {-2147483648.5, -2147483648LL},
        {-2147483648.6, kOverflow}, {kInf, kOverflow},
        {-kInf, kOverflow}, {std::nan(""), kOverflow},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.int32 == kOverflow)
            EXPECT_EQ(errorCode([&] { knotel::roundToInt32(c.value); }), RuntimeError::Overflow);
        else
            EXPECT_EQ(knotel::roundToInt32(c.value), c.int32);
    }
}

TEST(NumberConversion, ASingleFailsOnlyWhereItsNearestValueIsInfinite)
{
    EXPECT_EQ(knotel::toSingleOrThrow(0.1), 0.1f);
    EXPECT_EQ(knotel::toSingleOrThrow(-1e-40), -1e-40f);
    EXPECT_EQ(knotel::toSingleOrThrow(0x1.fffffefffp+127),
              kFloatMax); // beyond FLT_MAX, nearer to it than to 2^128
    EXPECT_EQ(knotel::toSingleOrThrow(-0x1.fffffefffp+127), -kFloatMax);
    EXPECT_EQ(knotel::toSingleOrNothing(0x1.fffffefffp+127), kFloatMax);
    EXPECT_EQ(knotel::toSingleOrInfinity(-0x1.fffffefffp+127), -kFloatMax);
    for (double v : {0x1.ffffffp+127, -0x1.ffffffp+127, 1e300, kInf, std::nan("")}) {
        EXPECT_EQ(errorCode([&] { knotel::toSingleOrThrow(v); }), RuntimeError::Overflow) << v;
        EXPECT_FALSE(knotel::toSingleOrNothing(v).has_value()) << v;
    }
    EXPECT_EQ(knotel::toSingleOrInfinity(1e300), kInf);
    EXPECT_EQ(knotel::toSingleOrInfinity(-0x1.ffffffp+127), -kInf);
    EXPECT_TRUE(std::isnan(knotel::toSingleOrInfinity(std::nan(""))));
}

TEST(SingleText, OrdinaryText)
{
    // clang-format off
    const struct { float value; const char* expected; } cases[] = {
        {1 / 3.0f, "0.3333333"}, {1.66f, "1.66"}, {0.1f, "0.1"}, {42.3f, "42.3"}, {-5, "-5"}, {100, "100"},
        {1234567, "1234567"}, {9999999, "9999999"}, {9999999.5f, "1E+07"}, {12345678, "1.234568E+07"},
        {999999.94f, "999999.9"}, {3986952.5f, "3986952"}, {775292.75f, "775292.8"}, // ties to even
        {0.00001f, "0.00001"}, {std::nextafter(0.00001f, 0.0f), "9.999999E-06"}, {0.000001f, "1E-06"},
        {0, "0"}, {-0.0f, "0"}, {1.5e20f, "1.5E+20"}, {kFloatMax, "3.402823E+38"},
        {-2.345678e-10f, "-2.345678E-10"}, {-0.001234567f, "-0.001234567"},
        {std::numeric_limits<float>::denorm_min(), "1.401298E-45"}, {std::nanf(""), "NaN"},
        {kFInf, "Inf"}, {-kFInf, "-Inf"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(singleText(c.value), QLatin1String(c.expected));
}

// The text reads back as the float's value correctly rounded to 7 digits (as the C library
// rounds it) and takes the plain form exactly for 1E-5 <= |rounded| < 1E+7.
TEST(SingleText, ReadsBackAsSevenDigitValue)
{
    std::mt19937 random(12345);
    for (int i = 0; i < 20000; ++i) {
        const float v = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (!std::isfinite(v))
            continue;
        const QString text = singleText(v);
        char reference[32];
        std::snprintf(reference, sizeof reference, "%.6e", double(v));
        const double rounded = std::strtod(reference, nullptr);
        ASSERT_EQ(LeadingValue(text), rounded) << text.toStdString();
        const bool plain = rounded == 0 || (std::fabs(rounded) >= 1e-5 && std::fabs(rounded) < 1e7);
        ASSERT_EQ(!text.contains(u'E'), plain) << text.toStdString();
        const QString mantissa = text.section(u'E', 0, 0); // no trailing zeros or point
        ASSERT_FALSE(mantissa.endsWith(u'.') || (mantissa.contains(u'.') && mantissa.endsWith(u'0')))
            << text.toStdString();
    }
}

namespace {

void expectFormats()
{
    // clang-format off
    const struct { float value; qint32 decimals; const char* expected; } cases[] = {
        {1.5f, 2, "+1.50"}, {1.66f, 1, "+1.6"}, {12.5f, 3, "+12.500"}, {80, 0, "+80"}, {-20, 0, "-20"},
        {-1.9f, 0, "-1"}, {0, 1, "0.0"}, {0.04f, 1, "0.0"}, {0.5f, 0, "0"}, {-0.04f, 1, "-0.0"},
        {-0.5f, 0, "-0"}, {1 / 3.0f, 9, "+0.333333300"}, {12.5f, 1, "+12.5"}, {3, 0, "+3"}, {0, 0, "0"},
        {-0.0f, 2, "0.00"}, {123.456f, 2, "+123.45"}, {0.05f, 1, "0.0"},
        // Exponent texts: the mantissa is cut and padded, the exponent kept whole.
        {1.5e20f, 2, "+1.50E+20"}, {1e20f, 1, "+1.0E+20"}, {0.000001f, 0, "+1E-06"},
        {-1.5e20f, 6, "-1.500000E+20"}, {1.5e20f, 0, "+1E+20"}, {12345678, 8, "+1.23456800E+07"},
        {1.234567e-38f, 14, "+1.23456700000000E-38"}, {-1.234567e-38f, 3, "-1.234E-38"},
        {std::nanf(""), 2, "NaN"}, {kFInf, 0, "+Inf"}, {-kFInf, 3, "-Inf"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(FormatValue(c.value, c.decimals), QLatin1String(c.expected)) << c.expected;
    EXPECT_EQ(singleText(1234.5f), QLatin1String("1234.5"));
    EXPECT_EQ(LeadingValue(u"1.5"), 1.5);
    EXPECT_EQ(LeadingValue(u"1,5"), 1.0);
}

} // namespace

TEST(FormatValue, CutsPadsAndSigns)
{
    expectFormats();
    const QString wide = FormatValue(2.5f, 1000);
    EXPECT_EQ(wide.size(), 1003);
    EXPECT_EQ(wide.count(u'0'), 999);

    EXPECT_EQ(FormatValue(2.5f, 1024).size(), 1027);
    for (qint32 decimals : {-1, 1025, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()})
        EXPECT_EQ(errorCode([&] { FormatValue(-1, decimals); }), RuntimeError::InvalidArgument);
    EXPECT_EQ(errorCode([] { FormatValue(std::nanf(""), -5); }), RuntimeError::InvalidArgument);
}

TEST(FormatValue, SameUnderDecimalCommaLocale)
{
    const QLocale savedQt;
    const std::string savedC = std::setlocale(LC_ALL, nullptr);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    bool cLocale = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"})
        if (!cLocale)
            cLocale = std::setlocale(LC_ALL, name) != nullptr;
    if (!cLocale)
        std::printf("[   NOTE   ] no decimal-comma C locale installed; checking the Qt locale only\n");

    expectFormats();

    std::setlocale(LC_ALL, savedC.c_str());
    QLocale::setDefault(savedQt);
}
