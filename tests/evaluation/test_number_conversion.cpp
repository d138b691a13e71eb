// The narrowing conversions of the random-values command.
#include "NumberConversion.h"

#include <knotel/RuntimeError.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using knotel::RuntimeError;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr float kFloatMax = std::numeric_limits<float>::max();
constexpr long long kOverflow = std::numeric_limits<long long>::min();

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

TEST(NumberConversion, RoundToInt16TiesToEven)
{
    // clang-format off
    const struct { double value; long long int16; } cases[] = {
        {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-2.5, -2}, {0.49999999999999994, 0},
        {32767.4, 32767}, {32767.5, kOverflow}, {-32768.5, -32768},
        {-32768.6, kOverflow}, {2147483647.4, kOverflow},
        {2147483647.5, kOverflow}, {-2147483648.5, kOverflow},
        {-2147483648.6, kOverflow}, {kInf, kOverflow},
        {-kInf, kOverflow}, {std::nan(""), kOverflow},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.int16 == kOverflow)
            EXPECT_EQ(errorCode([&] { knotelbench::roundToInt16(c.value); }), RuntimeError::Overflow);
        else
            EXPECT_EQ(knotelbench::roundToInt16(c.value), c.int16);
    }
}

} // namespace
