// The canvas: exact XOR drawing, the back colour, text measuring and when it needs a picture.
#include "TestSupport.h"

#include "platform/Colour.h"

#include <QCoreApplication>
#include <QPainter>

#include <cmath>
#include <limits>

using namespace knotel;
using namespace knotel::platform;
using knotel::test::differingPixels;
using knotel::test::errorCodeOf;
using knotel::test::pixelsOfColour;

namespace {

/** A surface of 120 x 80 pixels with a scene of copy-pen drawing to XOR over. */
struct Scene {
    test::TestCanvas surface;
    Scene()
    {
        surface.resize(120, 80);
        surface.setBackColor(0xAA5500);
        surface.cls();
        surface.line(0, 40, 119, 40, 0xC0C0C0);
        surface.filledBox(10, 10, 30, 30, 0x808040);
        surface.setForeColor(0xFFFFFF);
        surface.setCurrentX(40);
        surface.setCurrentY(5);
        surface.print(QStringLiteral("+80"));
    }
};

} // namespace

TEST(Surface, XorFiguresDrawnTwiceRestoreEveryPixel)
{
    Scene s;
    const QImage before = s.surface.image();
    const qint32 pen = 0xFFFF80 ^ 0xAA5500;
    auto figures = [&] {
        s.surface.setDrawMode(DrawMode::XorPen);
        s.surface.line(3.3f, 70.7f, 115.2f, 12.4f, pen);
        s.surface.line(20, 5, 20, 75, pen);
        s.surface.box(50.5f, 50.5f, 56.5f, 56.5f, pen);
        s.surface.filledBox(60, 20, 64, 24, pen);
        s.surface.circle(80.25f, 35.75f, 3, pen);
        s.surface.setFillColor(0xFFFF80);
        s.surface.setFillStyle(FillStyle::Solid);
        s.surface.circle(95, 60, 2, pen);
        s.surface.circle(95, 60, 9, pen);
        s.surface.setFillStyle(FillStyle::Transparent);
        s.surface.setDrawMode(DrawMode::CopyPen);
    };
    figures();
    const QImage drawn = s.surface.image();
    EXPECT_GT(differingPixels(before, drawn), 100);
    figures();
    EXPECT_EQ(differingPixels(before, s.surface.image()), 0);
}

TEST(Surface, HorizontalAndVerticalLinesCoverThePixelsOfQtsOwnPen)
{
    // Axis-aligned lines are filled rather than stroked; the pixels must stay those of the pen.
    test::TestCanvas surface;
    surface.resize(120, 80);
    surface.setBackColor(0);
    surface.cls();
    QImage expected(120, 80, QImage::Format_RGB32);
    expected.fill(Qt::black);
    QPainter p(&expected);
    QPen pen(Qt::white);
    pen.setCosmetic(true);
    p.setPen(pen);
    const float ends[][4] = {{10.5f, 3.25f, 60.5f, 3.25f}, {59.99f, 7.999f, 2.0001f, 7.999f},
                             {-40, 12.5f, 500, 12.5f},     {30, 20, 31, 20},
                             {5.75f, 30.5f, 5.75f, 70.5f}, {100.0001f, 79.5f, 100.0001f, 22.9999f},
                             {110.5f, -9, 110.5f, 300},    {90.2f, 50.1f, 90.2f, 50.6f},
                             {70.3f, 60.7f, 70.9f, 60.7f}};
    for (const auto& e : ends) {
        surface.line(e[0], e[1], e[2], e[3], 0xFFFFFF);
        p.drawLine(QPointF(e[0], e[1]), QPointF(e[2], e[3]));
    }
    p.end();
    EXPECT_EQ(differingPixels(surface.image(), expected), 0);
}

TEST(Surface, XorPenOverTheBackColourShowsTheCurveColour)
{
    test::TestCanvas surface;
    surface.resize(50, 50);
    surface.setBackColor(0xFFFFFF);
    surface.cls();
    surface.setDrawMode(DrawMode::XorPen);
    surface.line(5, 25, 45, 25, 0xFFFF00); // white XOR 0xFFFF00 = 0x0000FF
    surface.setDrawMode(DrawMode::CopyPen);
    const QImage image = surface.image();
    EXPECT_GE(pixelsOfColour(image, 0x0000FF), 40);
    EXPECT_EQ(image.pixelColor(20, 25), QColor(255, 0, 0));
}

TEST(Surface, FilledBoxCoversItsCornersAndInteriorOnce)
{
    test::TestCanvas surface;
    surface.resize(20, 20);
    surface.setBackColor(0);
    surface.cls();
    surface.setDrawMode(DrawMode::XorPen);
    surface.filledBox(8, 8, 12, 12, 0x0000FF);
    EXPECT_EQ(pixelsOfColour(surface.image(), 0x0000FF), 25);
}

TEST(Surface, ClsFillsWithTheBackColourAndResetsThePosition)
{
    test::TestCanvas surface;
    surface.resize(30, 20);
    surface.setBackColor(0x00FF00);
    surface.setCurrentX(7);
    surface.cls();
    EXPECT_EQ(pixelsOfColour(surface.image(), 0x00FF00), 600);
    EXPECT_EQ(surface.currentX(), 0.0f);
    EXPECT_EQ(surface.currentY(), 0.0f);
}

TEST(Surface, LinesAndPrintMoveTheCurrentPosition)
{
    test::TestCanvas surface;
    surface.resize(100, 100);
    surface.line(1, 2, 30.5f, 40.25f, 0);
    EXPECT_EQ(surface.currentX(), 30.5f);
    EXPECT_EQ(surface.currentY(), 40.25f);
    surface.setCurrentX(10);
    surface.setCurrentY(10);
    const float w = surface.textWidth(QStringLiteral("abc"));
    surface.print(QStringLiteral("abc"));
    EXPECT_FLOAT_EQ(surface.currentX(), 10 + w);
    surface.print(QStringLiteral("x"), true);
    EXPECT_EQ(surface.currentX(), 0.0f);
    EXPECT_FLOAT_EQ(surface.currentY(), 10 + surface.textHeight(QStringLiteral("8")));
}

TEST(Surface, NonFiniteCoordinatesAreRefusedWithOverflow)
{
    test::TestCanvas surface;
    surface.resize(40, 40);
    surface.cls();
    const QImage before = surface.image();
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(errorCodeOf([&] { surface.line(0, 0, inf, 5, 0xFFFFFF); }), RuntimeError::Overflow);
    EXPECT_EQ(errorCodeOf([&] { surface.circle(nan, 5, 3, 0xFFFFFF); }), RuntimeError::Overflow);
    EXPECT_EQ(errorCodeOf([&] { surface.filledBox(0, 0, 5, -inf, 0xFFFFFF); }), RuntimeError::Overflow);
    EXPECT_EQ(differingPixels(before, surface.image()), 0);
    // Far outside but finite is clipped, not refused.
    EXPECT_EQ(errorCodeOf([&] { surface.line(-1e9f, 20, 1e9f, 20, 0xFFFFFF); }), 0);
}

TEST(Surface, TextIsMeasuredInTheCurrentFont)
{
    test::TestCanvas surface;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8);
    surface.setFont(font);
    const float normal = surface.textWidth(QStringLiteral("CurveCaption"));
    const float height = surface.textHeight(QStringLiteral("8"));
    EXPECT_GT(normal, 0);
    EXPECT_GT(height, 0);
    surface.setFontSize(surface.fontSize() * 1.5f);
    surface.setFontBold(true);
    EXPECT_GT(surface.textWidth(QStringLiteral("CurveCaption")), normal * 1.4f);
    EXPECT_EQ(errorCodeOf([&] { surface.setFontSize(0); }), RuntimeError::InvalidArgument);
}

TEST(Surface, APictureIsNeededOnlyWhileThereIsNoneForTheHostsSize)
{
    test::TestCanvas canvas;
    canvas.resize(40, 30);
    EXPECT_TRUE(canvas.needsPicture());
    canvas.cls();
    canvas.shown();
    EXPECT_FALSE(canvas.needsPicture());
    canvas.resize(50, 30);
    EXPECT_TRUE(canvas.needsPicture());
}

TEST(Surface, RecorderSeesEveryCallWithItsState)
{
    test::TestCanvas surface;
    surface.resize(40, 30);
    std::vector<DrawCall> calls;
    surface.setRecorder([&](const DrawCall& c) { calls.push_back(c); });
    surface.cls();
    surface.setDrawStyle(DrawStyle::Dot);
    surface.line(1, 2, 3, 4, 0x123456);
    surface.setDrawStyle(DrawStyle::Solid);
    surface.setDrawMode(DrawMode::XorPen);
    surface.circle(10, 10, 3, 7);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, DrawCall::Cls);
    EXPECT_EQ(calls[1].kind, DrawCall::Line);
    EXPECT_EQ(calls[1].drawStyle, DrawStyle::Dot);
    EXPECT_EQ(calls[1].colour, 0x123456);
    EXPECT_EQ(calls[2].drawMode, DrawMode::XorPen);
    EXPECT_EQ(calls[2].x2, 3.0f);
}

TEST(Colour, BgrValuesMapToQtColoursAndBack)
{
    EXPECT_EQ(toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0xAA5500), QColor(0, 0x55, 0xAA));
    EXPECT_EQ(fromQColor(QColor(0x80, 0xFF, 0xFF)), 0xFFFF80);
    EXPECT_EQ(toQColor(-1), QColor(255, 255, 255));
}
