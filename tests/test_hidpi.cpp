// The control on screens with more device pixels than logical ones; run with QT_SCALE_FACTOR set
// and two offscreen screens of different ratios. The backing image has the screen's ratio and
// follows the window to the other screen, a grid line covers exactly the device pixels of its
// logical pixel, XOR drawing stays exact, after a drag the surface and the screen show the
// picture of a full repaint, and so they do after any live update that reuses the background.
#include "PaintedCurve.h"

#include "platform/Colour.h"
#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>

#include <QBackingStore>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>

using namespace knotel;
using platform::DrawCall;
using test::differingPixels;

namespace {

/** A shown control of the evaluation program's size with seven points. */
struct Shown : test::PaintedCurve {
    Shown()
    {
        curve.setY_DashedLine_Top(65);
        curve.setActual_Value_X(-5);
        curve.setActual_Value_Y(20);
        curve.show();
        curve.RePaint();
        QCoreApplication::processEvents();
    }
    qreal ratio() const { return surface.devicePixelRatioF(); }
    /** The surface's device pixels as the screen shows them: the window's backing store. */
    QImage onScreen()
    {
        QCoreApplication::processEvents();
        QPaintDevice* device = curve.backingStore()->paintDevice();
        if (device->devType() != QInternal::Image)
            return {};
        const QImage& window = *static_cast<QImage*>(device);
        const QPoint origin = surface.mapTo(&curve, QPoint(0, 0));
        const QRect area =
            QRect(QPoint(qRound(origin.x() * ratio()), qRound(origin.y() * ratio())), surface.image().size());
        return window.copy(area & window.rect()).convertToFormat(QImage::Format_RGB32);
    }
    /** Whether the screen shows the surface's image, in the device pixels that both have and no
     *  child widget (the tracker's boxes) covers. */
    bool screenShowsImage()
    {
        QImage screen = onScreen();
        if (screen.isNull())
            return false;
        QImage image = surface.image().copy(screen.rect());
        screen.setDevicePixelRatio(1);
        image.setDevicePixelRatio(1);
        QPainter p(&screen);
        for (const QWidget* child : surface.parentWidget()->findChildren<QWidget*>()) {
            if (child != &surface && child->isVisible()) {
                const QRectF g = child->geometry();
                const QRect device = QRectF(g.topLeft() * ratio(), g.size() * ratio()).toAlignedRect();
                p.drawImage(device, image, device);
            }
        }
        p.end();
        // Row by row: the screens of the high ratios have millions of pixels.
        for (int y = 0; y < screen.height(); ++y) {
            const auto* a = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
            const auto* b = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < screen.width(); ++x) {
                if ((a[x] ^ b[x]) & 0xFFFFFF)
                    return false;
            }
        }
        return true;
    }
};

TEST(HiDpi, TheImageHasTheScreensRatioAndFollowsItToAnotherScreen)
{
    Shown s;
    ASSERT_GT(s.ratio(), 1) << "run with QT_SCALE_FACTOR above 1";
    for (int step = 0; step < 2; ++step) {
        const QImage image = s.surface.image();
        EXPECT_EQ(image.devicePixelRatio(), s.ratio());
        EXPECT_EQ(image.size(), QSize(int(std::ceil(611 * s.ratio())), int(std::ceil(321 * s.ratio()))));
        EXPECT_TRUE(s.screenShowsImage()) << "step " << step;
        s.curve.RePaint();
        EXPECT_EQ(differingPixels(s.surface.image(), image), 0) << "step " << step;
        if (step == 0) {
            // To the second screen, whose ratio is another.
            ASSERT_GE(QGuiApplication::screens().size(), 2)
                << "run with an offscreen configuration of two screens";
            const qreal before = s.ratio();
            s.curve.move(QGuiApplication::screens().at(1)->geometry().topLeft() + QPoint(40, 40));
            QCoreApplication::processEvents();
            ASSERT_NE(s.ratio(), before);
        }
    }
}

TEST(HiDpi, AGridLineCoversTheDevicePixelsOfItsLogicalPixelAndNoOthers)
{
    test::PaintedCurve p(false);
    p.repaint();
    // A vertical grid line in the middle of the plot, and a row between two horizontal ones.
    float x = -1;
    for (const DrawCall& c : p.calls) {
        if (c.kind == DrawCall::Line && c.colour == p.d.engine.settings().GridColor && c.x1 == c.x2 &&
            std::abs(c.x1 - float(p.px(0))) < 2)
            x = c.x1;
    }
    ASSERT_GE(x, 0);
    const qreal ratio = p.surface.devicePixelRatioF();
    const QImage image = p.surface.image();
    const int cell = int(std::floor(x));
    const int row = int((std::floor(p.py(35)) + 0.5) * ratio);
    const QRgb grid = platform::toQColor(p.d.engine.settings().GridColor).rgb();
    const QRgb back = platform::toQColor(p.d.engine.settings().BackColor).rgb();
    int first = -1, last = -1;
    for (int col = int((cell - 4) * ratio); col < int((cell + 5) * ratio); ++col) {
        const QRgb c = image.pixel(col, row);
        ASSERT_TRUE(c == grid || c == back) << "column " << col;
        if (c == grid) {
            EXPECT_TRUE(first < 0 || last == col - 1) << "a second run at " << col;
            first = first < 0 ? col : first;
            last = col;
        }
    }
    // The logical pixel spans device columns ratio * cell to ratio * (cell + 1), whole ones at an
    // integer ratio.
    EXPECT_NEAR(first, cell * ratio, 1);
    EXPECT_NEAR(last + 1, (cell + 1) * ratio, 1);
    if (ratio == std::floor(ratio)) {
        EXPECT_EQ(first, int(cell * ratio));
        EXPECT_EQ(last - first + 1, int(ratio));
    }
}

TEST(HiDpi, XorCurveDrawnTwiceRestoresEveryDevicePixel)
{
    test::PaintedCurve p;
    for (qint32 shape : {1, 2, 3, 4}) {
        p.curve.setBreakPointShape(shape);
        // Points off whole pixels, one of them beyond the plot.
        test::loadPoints(p.curve, {{-29.3f, 1.7f},
                                   {-17.1f, 12.2f},
                                   {-9.6f, 41.4f},
                                   {0.35f, 29.9f},
                                   {10.2f, 61.3f},
                                   {21.7f, 49.6f},
                                   {33.3f, 95.5f}});
        p.curve.RePaint();
        const QImage before = p.surface.image();
        p.d.engine.painter().drawCurveXor();
        EXPECT_GT(differingPixels(before, p.surface.image()), 100) << "shape " << shape;
        p.d.engine.painter().drawCurveXor();
        EXPECT_EQ(differingPixels(before, p.surface.image()), 0) << "shape " << shape;
    }
}

TEST(HiDpi, ADragLeavesTheFullRepaintsPictureOnTheSurfaceAndTheScreen)
{
    for (bool tracker : {false, true}) {
        Shown s;
        s.curve.setViewTracker(tracker ? -1 : 0);
        s.curve.setBreakPointShape(2);
        s.curve.RePaint();
        const QImage start = s.surface.image();
        const QPointF p3(s.px(0), s.py(30));
        s.press(p3);
        for (const QPointF to :
             {p3 + QPointF(2.5, -25.25), p3 + QPointF(-3.5, 12.75), p3 + QPointF(1, 400)}) {
            s.move(to);
            QCoreApplication::processEvents();
        }
        s.release(p3 + QPointF(1, 400));
        s.surface.clearFocus();
        const QImage picture = s.surface.image();
        EXPECT_GT(differingPixels(picture, start), 0) << "no drag";
        if (!tracker) { // the read-out box lies over the surface
            EXPECT_TRUE(s.screenShowsImage());
        }
        s.curve.RePaint();
        EXPECT_EQ(differingPixels(s.surface.image(), picture), 0) << "tracker " << tracker;
    }
}

/** Counts the rectangles of the paint events a widget receives, and collects their region. */
struct PaintRegions : QObject {
    int mostRects = 0;
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            const QRegion& region = static_cast<QPaintEvent*>(event)->region();
            mostRects = std::max(mostRects, int(region.rectCount()));
            painted += region;
        }
        return false;
    }
};

TEST(HiDpi, AWholeCurveMoveUpdatesTheScreenWhereItsFiguresWere)
{
    // A wide control, its wave of 64 points moved up and down: the screen update covers the
    // strips its figures touched, not their whole band, and shows the picture of a full repaint.
    Shown s;
    s.curve.resize(1500, 700);
    s.loadSixtyFour(25);
    QCoreApplication::processEvents();
    const QImage before = s.surface.image();
    PaintRegions regions;
    s.surface.installEventFilter(&regions);
    const QPointF grab = (s.pixelOf(20) + s.pixelOf(21)) / 2;
    s.press(grab);
    for (const QPointF to : {grab + QPointF(0, -40.5), grab + QPointF(0, 17.25), grab + QPointF(0, -3)}) {
        s.move(to);
        QCoreApplication::processEvents();
    }
    s.release(grab + QPointF(0, -3));
    s.surface.clearFocus();
    const QImage picture = s.surface.image();
    EXPECT_GT(differingPixels(picture, before), 0) << "no curve move";
    EXPECT_GT(regions.mostRects, 1);
    EXPECT_TRUE(s.screenShowsImage());
    s.curve.RePaint();
    EXPECT_EQ(differingPixels(s.surface.image(), picture), 0);
}

TEST(HiDpi, LiveUpdatesLeaveThePictureOfAWholePassOnTheSurfaceAndTheScreen)
{
    // Host writes, RePaints, gestures, resizes and moves between screens at random, given alike
    // to a control that keeps its background from pass to pass and to one that draws every pass
    // whole without replays. After every step both hold the same bytes and the screen shows them;
    // once the background is kept, a RePaint after new values alone updates less than half of
    // the screen (a whole pass updates all of it).
    Shown kept;
    Shown whole;
    whole.surface.canvas().setFigureCacheEnabled(false);
    kept.loadSixtyFour(30);
    whole.loadSixtyFour(30);
    PaintRegions regions;
    kept.surface.installEventFilter(&regions);
    std::mt19937 rng(31);
    auto uniform = [&](float a, float b) { return std::uniform_real_distribution<float>(a, b)(rng); };
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    int passes = 0; // RePaints since the background last changed
    bool onlyValuesSincePass = true;
    int liveUpdates = 0;
    for (int step = 0; step < 400; ++step) {
        enum { Value, CurveSetting, Background, Gesture } kind = Value;
        std::function<void(Shown&)> act;
        const int r = pick(100);
        const float v = uniform(-40, 100);
        const int slot = pick(64);
        const qint32 colour = qint32(rng() & 0xFFFFFF);
        if (r < 60) {
            switch (pick(5)) {
            case 0:
                act = [=](Shown& s) { s.curve.setActual_Value_X(v * 0.6f - 10); };
                break;
            case 1:
                act = [=](Shown& s) { s.curve.setActual_Value_Y(v); };
                break;
            case 2:
                act = [=](Shown& s) { s.curve.setY_DashedLine_Top(v); };
                break;
            default: {
                // A point moves a little on the wave, as a process value does.
                const float y = 30 + 30 * std::sin(float(slot) / 5) + v / 10;
                act = [=](Shown& s) {
                    s.curve.setValueIndex(float(slot));
                    s.curve.setY_Knotel(y);
                };
                break;
            }
            }
        } else if (r < 70) {
            kind = CurveSetting;
            const int what = pick(4);
            act = [=](Shown& s) {
                if (what == 0)
                    s.curve.setBreakPointShape(slot % 6);
                else if (what == 1)
                    s.curve.setHideLine(slot % 2 ? -1 : 0);
                else if (what == 2)
                    s.curve.setCurveColor(colour);
                else
                    s.curve.setDimensions(60 + slot % 5);
            };
        } else if (r < 88) {
            kind = Background;
            const int what = pick(9);
            act = [=](Shown& s) {
                knotel::Curve& c = s.curve;
                const QString text = QString::number(double(v), 'f', 1);
                switch (what) {
                case 0:
                    c.setBackColor(colour);
                    break;
                case 1:
                    c.setGridColor(colour);
                    break;
                case 2:
                    c.setTextColor(colour);
                    break;
                case 3:
                    c.setCurveCaption(slot % 3 ? text : QString());
                    break;
                case 4:
                    c.setY_AxisText(slot % 3 ? text : QString());
                    break;
                case 5:
                    c.setX_Decimals(slot % 3);
                    break;
                case 6:
                    c.setY_Step(5 + float(slot % 10));
                    break;
                case 7:
                    c.setViewGrid(slot % 3 - 1);
                    break;
                default:
                    c.resize(400 + slot * 5, 250 + slot * 3);
                    break;
                }
            };
        } else if (r < 91 && QGuiApplication::screens().size() > 1) {
            kind = Background;
            const QScreen* screen = QGuiApplication::screens().at(pick(2));
            act = [=](Shown& s) { s.curve.move(screen->geometry().topLeft() + QPoint(40, 40)); };
        } else {
            // A point dragged, or the whole curve moved by a segment, up or down.
            kind = Gesture;
            const float dy = uniform(-30, 30);
            const bool segment = slot % 2;
            act = [=](Shown& s) {
                const QPointF from = segment ? (s.pixelOf(slot) + s.pixelOf(slot + 1)) / 2 : s.pixelOf(slot);
                s.press(from);
                s.move(from + QPointF(0, dy / 2));
                s.move(from + QPointF(0, dy));
                s.release(from + QPointF(0, dy));
            };
        }
        const bool rePaint = kind != Gesture && pick(4) != 0;
        regions.painted = QRegion();
        for (Shown* s : {&kept, &whole}) {
            act(*s);
            if (rePaint)
                s->curve.RePaint();
            QCoreApplication::processEvents();
        }
        const QImage a = kept.surface.image();
        const QImage b = whole.surface.image();
        ASSERT_EQ(a.size(), b.size()) << "step " << step;
        for (int y = 0; y < a.height(); ++y)
            ASSERT_EQ(std::memcmp(a.constScanLine(y), b.constScanLine(y), std::size_t(a.bytesPerLine())), 0)
                << "step " << step << ", row " << y;
        ASSERT_TRUE(kept.screenShowsImage()) << "step " << step;
        // The first pass after a change of background draws it whole and the next keeps it; the
        // passes after those reuse it, and after new values alone update what changed.
        passes = rePaint ? (kind == Background ? 1 : passes + 1) : (kind == Background ? 0 : passes);
        onlyValuesSincePass = onlyValuesSincePass && kind == Value;
        if (rePaint && onlyValuesSincePass && passes >= 3) {
            qint64 area = 0;
            for (const QRect& rect : regions.painted)
                area += qint64(rect.width()) * rect.height();
            EXPECT_LT(area, qint64(kept.surface.width()) * kept.surface.height() / 2) << "step " << step;
            ++liveUpdates;
        }
        onlyValuesSincePass = onlyValuesSincePass || rePaint;
    }
    EXPECT_GT(liveUpdates, 50);
}

} // namespace
