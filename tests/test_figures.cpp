// Replayed figures: the drawing surface draws a figure it has drawn before by replaying what the
// first drawing did to the pixels, at the figure's place, or shifted by whole device pixels for the
// markers whose pixels are the same wherever they stand, and a label by the pixels it left where
// it finds the pixels it found before. Replays must give exactly the pixels of drawing directly,
// over any picture, at every ratio of the screens this runs on.
#include "TestSupport.h"

#include "platform/FocusMarker.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <array>
#include <cstring>
#include <functional>
#include <random>

using namespace knotel;
using namespace knotel::platform;

namespace {

/** Two surfaces on @p screen: one replays the figures it has drawn before, the other draws each. */
struct Pair {
    test::TestCanvas replaying;
    test::TestCanvas direct;

    Pair(QScreen* screen, QSize size)
    {
        direct.setFigureCacheEnabled(false);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(8);
        both([&](test::TestCanvas& s) {
            s.setScreen(screen);
            s.setFont(font);
            s.resize(size);
            s.setBackColor(0xAA5500);
            s.cls();
        });
    }
    void both(const std::function<void(test::TestCanvas&)>& f)
    {
        f(replaying);
        f(direct);
    }
    /** Whether both pictures hold the same bytes. */
    bool same() const
    {
        const QImage& a = replaying.picture();
        const QImage& b = direct.picture();
        return a.size() == b.size() && a.sizeInBytes() == b.sizeInBytes() &&
               std::memcmp(a.constBits(), b.constBits(), std::size_t(a.sizeInBytes())) == 0;
    }
};

/** A marker as the curve draws it, with the XOR pen, centred on (@p x, @p y). */
void marker(test::TestCanvas& s, int shape, float x, float y)
{
    const qint32 pen = 0x55AAFF;
    s.setDrawMode(DrawMode::XorPen);
    switch (shape) {
    case 0:
        s.circle(x, y, 3, pen);
        break;
    case 1:
        s.setFillColor(0x80FFFF);
        s.setFillStyle(FillStyle::Solid);
        s.circle(x, y, 2, pen);
        s.setFillStyle(FillStyle::Transparent);
        break;
    case 2:
        s.box(x - 3, y - 3, x + 3, y + 3, pen);
        break;
    default:
        s.filledBox(x - 2, y - 2, x + 2, y + 2, pen);
        break;
    }
    s.setDrawMode(DrawMode::CopyPen);
}

} // namespace

TEST(Figures, ReplaysGiveTheDirectDrawingsPixelsOverAnyPicture)
{
    for (QScreen* screen : QGuiApplication::screens()) {
        Pair p(screen, QSize(300, 200));
        const qreal ratio = p.direct.canvasPixelRatio();
        std::mt19937 rng(20);
        auto uniform = [&](float a, float b) { return std::uniform_real_distribution<float>(a, b)(rng); };
        // A pool of figures, some off whole pixels, some partly or wholly off the surface.
        std::vector<std::function<void(test::TestCanvas&)>> pool;
        for (int i = 0; i < 60; ++i) {
            const float x = uniform(-20, 320), y = uniform(-20, 220);
            // Some reach far off the surface: a box from a near corner to a far-off one loses
            // the near one when normalized.
            const float w = i % 10 == 4 ? -3e22f : uniform(-40, 40);
            const float h = i % 10 == 6 ? 5e24f : i % 10 == 8 ? -5e24f : uniform(-40, 40);
            const bool xorPen = i % 3 != 0;
            const bool dotted = i % 5 == 1;
            const qint32 colour = qint32(rng() & 0xFFFFFF);
            const int kind = i % 7;
            pool.push_back([=](test::TestCanvas& s) {
                s.setDrawMode(xorPen ? DrawMode::XorPen : DrawMode::CopyPen);
                s.setDrawStyle(dotted ? DrawStyle::Dot : DrawStyle::Solid);
                switch (kind) {
                case 0: // from the far end, now and then
                    if (i % 4 == 0)
                        s.line(x + w, y + h, x, y, colour);
                    else
                        s.line(x, y, x + w, y + h, colour);
                    break;
                case 1:
                    s.line(x, y, x + w, dotted ? y : y + 0.25f, colour); // along an axis, or nearly
                    break;
                case 2:
                    s.box(x, y, x + w / 4, y + h / 4, colour);
                    break;
                case 3:
                    s.filledBox(x, y, x + w / 4, y + h / 4, colour);
                    break;
                case 6:
                    // A label, in copy mode only: its glyphs blend into what lies under them.
                    s.setDrawMode(DrawMode::CopyPen);
                    s.setForeColor(colour);
                    s.setCurrentX(x);
                    s.setCurrentY(y);
                    s.print(QString::number(double(w), 'f', i % 3));
                    break;
                default:
                    s.setFillColor(colour ^ 0x00FF00);
                    s.setFillStyle(kind == 5 ? FillStyle::Solid : FillStyle::Transparent);
                    s.circle(x, y, kind == 5 ? 2 : 3, colour);
                    s.setFillStyle(FillStyle::Transparent);
                    break;
                }
                s.setDrawStyle(DrawStyle::Solid);
                s.setDrawMode(DrawMode::CopyPen);
            });
        }
        // Segments to points 10^34 pixels off, which Qt clips in floating point: their pixels on
        // the surface need not lie within their box.
        for (const auto& [x1, y1, x2, y2] : {std::array<float, 4>{121.6f, 24, -3.43384e34f, 3.04174e34f},
                                             std::array<float, 4>{-3.43384e34f, 3.04174e34f, 121.6f, 24},
                                             std::array<float, 4>{-3.42568e34f, 58.8863f, 108.791f, 24}}) {
            pool.push_back([=](test::TestCanvas& s) {
                s.setDrawMode(DrawMode::XorPen);
                s.line(x1, y1, x2, y2, 0x3F7F1F);
                s.setDrawMode(DrawMode::CopyPen);
            });
        }
        const std::size_t before = p.replaying.figureCache().replays();
        for (int step = 0; step < 3000; ++step) {
            p.both(pool[rng() % pool.size()]);
            if (step % 500 == 499) {
                // The picture under the figures changes: opaque figures replay over other pixels.
                const float x = uniform(0, 250), y = uniform(0, 150);
                p.both([&](test::TestCanvas& s) { s.filledBox(x, y, x + 40, y + 30, 0x123456); });
                ASSERT_TRUE(p.same()) << "ratio " << ratio << ", step " << step;
            }
        }
        // Labels drawn again over the picture they were first drawn over, as a paint pass does.
        for (int i = 0; i < 40; ++i) {
            const float x = uniform(-10, 290), y = uniform(-10, 190);
            const QString label = QString::number(double(uniform(-100, 100)), 'f', i % 3);
            for (int again = 0; again < 2; ++again) {
                p.both([&](test::TestCanvas& s) {
                    s.filledBox(x - 5, y - 5, x + 60, y + 25, 0x203040 + i);
                    s.setForeColor(0xC0C0C0);
                    s.setCurrentX(x);
                    s.setCurrentY(y);
                    s.print(label);
                });
            }
        }
        EXPECT_TRUE(p.same()) << "ratio " << ratio;
        EXPECT_GT(p.replaying.figureCache().replays(), before + 1000) << "ratio " << ratio;
    }
}

TEST(Figures, MarkersReplayedElsewhereGiveTheirDirectPixels)
{
    // Every place along a row and along a column, then places anywhere: each marker drawn and
    // erased on both surfaces; the replaying one records it at its first place only.
    for (QScreen* screen : QGuiApplication::screens()) {
        for (int shape = 0; shape < 4; ++shape) {
            for (int sweep = 0; sweep < 3; ++sweep) {
                const QSize size = sweep == 0   ? QSize(1220, 24)
                                   : sweep == 1 ? QSize(24, 1220)
                                                : QSize(700, 500);
                Pair p(screen, size);
                const qreal ratio = p.direct.canvasPixelRatio();
                std::mt19937 rng(uint(shape * 3 + sweep));
                const std::size_t before = p.replaying.figureCache().replays();
                int places = 0;
                for (int i = 4; i < 1210; ++i) {
                    float x = float(i), y = 11.5f;
                    if (sweep == 1)
                        std::swap(x, y);
                    if (sweep == 2) {
                        if (i > 400)
                            break;
                        x = std::uniform_real_distribution<float>(6, 690)(rng);
                        y = std::uniform_real_distribution<float>(6, 490)(rng);
                    }
                    p.both([&](test::TestCanvas& s) { marker(s, shape, x, y); });
                    ASSERT_TRUE(p.same())
                        << "ratio " << ratio << ", shape " << shape << " at " << x << ", " << y;
                    p.both([&](test::TestCanvas& s) { marker(s, shape, x, y); });
                    ++places;
                }
                EXPECT_TRUE(p.same());
                // The boxes at ratio 1 are placed by their exact coordinates, not their shape.
                if (shape < 2 || ratio != 1) {
                    EXPECT_GT(p.replaying.figureCache().replays(), before + std::size_t(places))
                        << "ratio " << ratio << ", shape " << shape;
                }
            }
        }
    }
}

TEST(Figures, TheFocusMarkerCopiedElsewhereGivesItsDrawnPixels)
{
    // The marker as the paint event draws it, at every place along a row and a column and at
    // places anywhere, part of it clipped away at some, over a picture of noise: copied from its
    // first drawing, and drawn with the pens.
    for (QScreen* screen : QGuiApplication::screens()) {
        const qreal ratio = screen->devicePixelRatio();
        QImage noise(QSize(int(std::ceil(700 * ratio)), int(std::ceil(500 * ratio))), QImage::Format_RGB32);
        std::mt19937 rng(5);
        for (int y = 0; y < noise.height(); ++y) {
            auto* line = reinterpret_cast<quint32*>(noise.scanLine(y));
            for (int x = 0; x < noise.width(); ++x)
                line[x] = 0xFF000000u | (rng() & 0xFFFFFF);
        }
        noise.setDevicePixelRatio(ratio);
        QImage copied = noise, drawn = noise;
        FocusMarker marker;
        for (int i = 0; i < 1500; ++i) {
            QPoint centre = i < 600    ? QPoint(i - 8, 250)
                            : i < 1100 ? QPoint(350, i - 608)
                                       : QPoint(int(rng() % 720) - 10, int(rng() % 520) - 10);
            const QRect square(centre - QPoint(6, 6), QSize(12, 12));
            const QRect clip = i % 7 == 0 ? QRect(centre - QPoint(2, 9), QSize(9, 7)) : QRect(0, 0, 700, 500);
            {
                QPainter p(&copied);
                p.setClipRect(clip);
                marker.draw(p, square, ratio, QRect(0, 0, 700, 500));
            }
            {
                QPainter p(&drawn);
                p.setClipRect(clip);
                FocusMarker::paint(p, square, ratio);
            }
            ASSERT_EQ(copied, drawn) << "ratio " << ratio << ", marker at " << centre.x() << ", "
                                     << centre.y();
        }
        EXPECT_NE(drawn, noise);
    }
}
