// The button texts and the random generator, without a window.
#include "RandomGenerator.h"
#include "ValueText.h"

#include <knotel/LeadingValue.h>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(ValueText, ColourTexts)
{
    const struct {
        qint32 colour;
        const char* hex;
        const char* decimal;
    } cases[] = {
        {255, "&h000000FF&", "255"},
        {0xFF0000, "&h00FF0000&", "16711680"},
        {0, "&h00000000&", "0"},
        {-1, "&hFFFFFFFF&", "-1"},
        {qint32(0x80000000u), "&h80000000&", "-2147483648"},
        {0xABCDEF, "&h00ABCDEF&", "11259375"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(knotelbench::hexColourText(c.colour), c.hex);
        EXPECT_EQ(knotelbench::decimalColourText(c.colour), c.decimal);
        EXPECT_EQ(knotel::LeadingValue(knotelbench::hexColourText(c.colour)), double(c.colour)) << c.hex;
    }
}

TEST(ValueText, PointAndFlagTexts)
{
    EXPECT_EQ(knotelbench::pointText(42.3f, "Y_Knotel"), "42.3 Y_Knotel");
    EXPECT_EQ(knotelbench::pointText(-5.0f, "X_Knotel"), "-5 X_Knotel");
    EXPECT_EQ(knotelbench::pointText(0.25f, "X_Knotel"), "0.25 X_Knotel");
    EXPECT_EQ(knotelbench::flagText(-1), "-1 Changed");
    EXPECT_EQ(knotelbench::flagText(0), "0 Changed");
}

TEST(RandomGenerator, StaysBelowOne)
{
    EXPECT_EQ(knotelbench::RandomGenerator::unitFromBits(0), 0.0f);
    EXPECT_LT(knotelbench::RandomGenerator::unitFromBits(UINT32_MAX), 1.0f);
    EXPECT_EQ(knotelbench::RandomGenerator::unitFromBits(0x80000000u), 0.5f);

    knotelbench::RandomGenerator a;
    knotelbench::RandomGenerator b;
    float sum = 0.0f;
    for (int i = 0; i < 10000; ++i) {
        const float r = a.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        ASSERT_EQ(r, b.next());
        sum += r;
    }
    EXPECT_NEAR(sum / 10000.0f, 0.5f, 0.02f);
}

} // namespace
