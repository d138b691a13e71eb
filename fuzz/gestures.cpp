// Any mouse gesture on a control set up from the input, its grids and value label among it: press
// / move / release with every button, on points, on segments, in and off the plot and off the
// surface, and Escape. After every event no coordinate that was finite has become otherwise, and a
// grabbed point that started inside its axis range, or a point of a moved curve that started inside
// the plot rows, is still there. Escape during a drag puts every point back where the grab found
// it, and nothing moves until the left button is up again. Once every button is up the picture
// equals that of a fresh RePaint: the XOR redraws left no trail.
#include "FuzzSupport.h"

#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

using namespace knotel;
using namespace knotel::fuzz;

namespace {

constexpr float kFloatMax = std::numeric_limits<float>::max();

float rawFloat(FuzzedDataProvider& in)
{
    const quint32 bits = in.ConsumeIntegral<quint32>();
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

/** An axis as a host may set it: the usual, reversed, empty, huge, tiny or anything at all. */
std::pair<float, float> pickAxis(FuzzedDataProvider& in, float from, float to)
{
    switch (in.ConsumeIntegralInRange<int>(0, 9)) {
    case 0:
        return {to, from};
    case 1:
        return {from, from};
    case 2:
        return {-kFloatMax, kFloatMax};
    case 3:
        return {-3e37f, 2e38f};
    case 4:
        return {1e-30f, 1.5e-30f};
    case 5:
        return {12345678.0f, 12345680.0f};
    case 6:
        return {rawFloat(in), rawFloat(in)};
    case 7:
        return {float(in.ConsumeIntegralInRange<int>(-1000, 1000)),
                float(in.ConsumeIntegralInRange<int>(-1000, 1000))};
    default:
        return {from, to};
    }
}

qint32 pickFlag(FuzzedDataProvider& in)
{
    static constexpr std::array<qint32, 3> flags{0, -1, 1};
    return in.PickValueInArray(flags);
}

/** A value for a coordinate, mostly within [from, to] of its axis. */
float pickCoordinate(FuzzedDataProvider& in, float from, float to, int i, int count)
{
    switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 0:
        return rawFloat(in);
    case 1: // beyond an end
        return float(double(to) + (double(to) - double(from)) * in.ConsumeIntegralInRange<int>(1, 3) / 4.0);
    case 2:
        return float(double(from) - (double(to) - double(from)) * in.ConsumeIntegralInRange<int>(1, 3) / 4.0);
    case 3:
        return in.ConsumeBool() ? from : to;
    case 4: // the point in front's place
        return float(double(from) +
                     (double(to) - double(from)) * std::max(0, i - 1) / std::max(1, count - 1));
    case 5:
        return float(double(from) + (double(to) - double(from)) * in.ConsumeIntegral<quint8>() / 255.0);
    default: // spread along the axis
        return float(double(from) + (double(to) - double(from)) * i / std::max(1, count - 1));
    }
}

void setUpControl(Curve& curve, FuzzedDataProvider& in)
{
    // Mostly one small surface: its picture stays below the sanitizer's large-allocation size and is
    // kept from one input to the next, so that an input is not dominated by mapping and faulting in
    // fresh pages; the evaluation program's size is one of the others.
    static constexpr std::array<std::pair<int, int>, 6> sizes{
        {{611, 321}, {300, 200}, {160, 120}, {40, 30}, {1, 1}, {0, 0}}};
    const auto [w, h] = in.ConsumeIntegralInRange<int>(0, 7) != 0 ? sizes[2] : in.PickValueInArray(sizes);
    resetCurve(curve, w, h);

    const auto [left, right] = pickAxis(in, -30, 30);
    const auto [bottom, top] = pickAxis(in, -20, 80);
    curve.setX_Axis_Left(left);
    curve.setX_Axis_Right(right);
    curve.setY_Axis_Bottom(bottom);
    curve.setY_Axis_Top(top);
    const qint32 dimensions = in.ConsumeBool() ? 7 : in.ConsumeIntegralInRange<qint32>(-3, 70);
    curve.setDimensions(dimensions);
    curve.setLockX_Axis(pickFlag(in));
    curve.setLockY_Axis(pickFlag(in));
    curve.setLockXEndPoints(pickFlag(in));
    curve.setLockYEndPoints(pickFlag(in));
    curve.setAllowXCrossover(pickFlag(in));
    curve.setAllowYCrossover(pickFlag(in));
    curve.setAllowCompleteCurveMove(pickFlag(in));
    curve.setBreakPointShape(in.ConsumeIntegralInRange<qint32>(0, 5));
    curve.setHideLine(in.ConsumeBool() ? 0 : pickFlag(in));
    curve.setViewTracker(in.ConsumeIntegralInRange<int>(0, 3) == 0 ? pickFlag(in) : 0);
    curve.setX_Decimals(in.ConsumeIntegralInRange<qint32>(-1, 6));
    curve.setY_Decimals(in.ConsumeIntegralInRange<qint32>(-1, 6));
    curve.setViewGrid(pickFlag(in));
    // Texts cost most of a paint pass and matter little to the mouse: mostly there are none, and
    // no scales, and a scale has a few labels, so that the target keeps its speed; the XOR curve is
    // restored over them all the same. Dense scales are the host-call target's.
    static constexpr std::array<float, 4> steps{0, 10, 7.5f, -5};
    const quint16 extras = in.ConsumeIntegral<quint16>();
    if ((extras & 7) != 0) {
        curve.setCurveCaption({});
        curve.setX_AxisText({});
        curve.setY_AxisText({});
    }
    curve.setX_Step((extras & 0x38) != 0 ? 0.0f : in.PickValueInArray(steps));
    curve.setY_Step((extras & 0x1c0) != 0 ? 0.0f : in.PickValueInArray(steps));
    // Now and then grids, fine, coarse or beyond every axis, and the label of the moving point.
    static constexpr std::array<double, 6> grids{0, 0, 0.5, 7, 1e-30, 1e30};
    curve.setSnapX(in.PickValueInArray(grids));
    curve.setSnapY(in.PickValueInArray(grids));
    curve.setDragValueVisible(in.ConsumeBool());

    const int count = std::clamp(dimensions, 0, SlotCount);
    for (int i = 0; i < count; ++i) {
        curve.setValueIndex(float(i));
        const quint8 given = in.ConsumeIntegral<quint8>(); // now and then a coordinate is left out
        if (given != 1)
            curve.setX_Knotel(pickCoordinate(in, left, right, i, count));
        if (given != 2)
            curve.setY_Knotel(pickCoordinate(in, bottom, top, i, count));
    }
    curve.RePaint();
}

class Gestures {
public:
    Gestures(Curve& curve) : m_curve(curve), m_s(*CurvePrivate::get(&curve)) {}

    void run(FuzzedDataProvider& in)
    {
        static PictureCopy atStart;
        atStart.take(m_curve);
        const Snapshot start(m_s);
        for (int step = 0; step < 48 && in.remaining_bytes() > 0; ++step) {
            const QPointF at = position(in);
            const int kind = in.ConsumeIntegralInRange<int>(0, 4);
            const Qt::MouseButton button = pickButton(in);
            const Snapshot before(m_s);
            if (kind == 0) {
                if (m_held & button)
                    continue;
                m_held |= button;
                send(QEvent::MouseButtonPress, at, button);
                if (button == Qt::LeftButton) {
                    m_cancelled.reset();
                    noteGrab();
                }
            } else if (kind == 1) {
                if (m_held == Qt::NoButton)
                    continue;
                const Qt::MouseButton up = (m_held & button) ? button : heldButton();
                m_held &= ~up;
                send(QEvent::MouseButtonRelease, at, up);
                if (up == Qt::LeftButton)
                    m_cancelled.reset();
            } else if (kind == 4) {
                const bool dragging = m_s.engine.gesture().active();
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QCoreApplication::sendEvent(m_s.surface, &escape);
                if (dragging) {
                    FUZZ_CHECK(Snapshot(m_s) == m_atGrab);
                    if (m_held & Qt::LeftButton)
                        m_cancelled = m_atGrab;
                }
            } else {
                send(QEvent::MouseMove, at, Qt::NoButton);
            }
            check(before);
            if (m_cancelled)
                FUZZ_CHECK(Snapshot(m_s) == *m_cancelled);
        }
        while (m_held != Qt::NoButton) {
            const Qt::MouseButton up = heldButton();
            m_held &= ~up;
            send(QEvent::MouseButtonRelease, m_last, up);
        }
        FUZZ_CHECK(!m_s.engine.gesture().active());
        FUZZ_CHECK(m_s.surface->mousePointer() == platform::MousePointer::Default);

        // With every point where it was, a RePaint would draw the picture of the start again.
        if (Snapshot(m_s) == start)
            FUZZ_CHECK(atStart.matches(m_curve));
        else
            FUZZ_CHECK(pictureSurvivesRePaint(m_curve));
    }

private:
    struct Snapshot {
        std::array<float, SlotCount> x, y;
        explicit Snapshot(const CurvePrivate& s)
        {
            for (int i = 0; i < SlotCount; ++i) {
                x[std::size_t(i)] = s.engine.points().pointX(i);
                y[std::size_t(i)] = s.engine.points().pointY(i);
            }
        }
        bool operator==(const Snapshot& o) const // bit for bit, so that NaN equals itself
        {
            return std::memcmp(x.data(), o.x.data(), sizeof x) == 0 &&
                   std::memcmp(y.data(), o.y.data(), sizeof y) == 0;
        }
    };

    static bool within(float v, float a, float b) { return std::min(a, b) <= v && v <= std::max(a, b); }

    Qt::MouseButton pickButton(FuzzedDataProvider& in)
    {
        static constexpr std::array<Qt::MouseButton, 4> buttons{Qt::LeftButton, Qt::LeftButton,
                                                                Qt::RightButton, Qt::MiddleButton};
        return in.PickValueInArray(buttons);
    }

    Qt::MouseButton heldButton() const
    {
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            if (m_held & b)
                return b;
        return Qt::NoButton;
    }

    QPointF position(FuzzedDataProvider& in)
    {
        const PlotMapping map = m_s.engine.mapping();
        const PlotLayout& l = m_s.engine.layout();
        const int count = m_s.engine.points().slotsInUse();
        const double dx = in.ConsumeIntegralInRange<int>(-10, 10) * 0.5;
        const double dy = in.ConsumeIntegralInRange<int>(-10, 10) * 0.5;
        double x = m_last.x();
        double y = m_last.y();
        switch (in.ConsumeIntegralInRange<int>(0, 6)) {
        case 0:
        case 1: // on a point
            if (count > 0) {
                const int j = in.ConsumeIntegralInRange<int>(0, count - 1);
                x = map.pixelX(m_s.engine.points().pointX(j));
                y = map.pixelY(m_s.engine.points().pointY(j));
            }
            break;
        case 2: // on a segment
            if (count > 1) {
                const int j = in.ConsumeIntegralInRange<int>(0, count - 2);
                const double t = in.ConsumeIntegralInRange<int>(1, 15) / 16.0;
                x = map.pixelX(m_s.engine.points().pointX(j)) * (1 - t) +
                    map.pixelX(m_s.engine.points().pointX(j + 1)) * t;
                y = map.pixelY(m_s.engine.points().pointY(j)) * (1 - t) +
                    map.pixelY(m_s.engine.points().pointY(j + 1)) * t;
            }
            break;
        case 3: // anywhere on the plot
            x = l.PlotLeft + l.PlotWidth * in.ConsumeIntegral<quint8>() / 255.0;
            y = l.PlotTop + l.PlotHeight * in.ConsumeIntegral<quint8>() / 255.0;
            break;
        case 4: // off the plot, on the surface
            x = in.ConsumeBool() ? l.PlotLeft * 0.5 : l.PlotLeft + l.PlotWidth + 3;
            y = in.ConsumeBool() ? l.PlotTop * 0.5 : l.PlotTop + l.PlotHeight + 3;
            break;
        case 5: // off the surface
            x = in.ConsumeIntegralInRange<int>(-3000, 3000);
            y = in.ConsumeIntegralInRange<int>(-3000, 3000);
            break;
        default: // on from the last position
            break;
        }
        if (!std::isfinite(x) || std::fabs(x) > 1e6 || !std::isfinite(y) || std::fabs(y) > 1e6)
            x = y = -5;
        m_last = QPointF(x + dx, y + dy);
        return m_last;
    }

    void send(QEvent::Type type, QPointF at, Qt::MouseButton button)
    {
        QWidget* surface = m_s.surface;
        QMouseEvent event(type, at, surface->mapToGlobal(at), button, m_held, Qt::NoModifier);
        QCoreApplication::sendEvent(surface, &event);
    }

    /** After a press of the left button: what was grabbed, and where it started. */
    void noteGrab()
    {
        m_atGrab = Snapshot(m_s);
        if (m_s.engine.gesture().point) {
            const int d = *m_s.engine.gesture().point;
            m_dragStartInsideX = within(m_s.engine.points().pointX(d), m_s.engine.settings().X_Axis_Left,
                                        m_s.engine.settings().X_Axis_Right);
            m_dragStartInsideY = within(m_s.engine.points().pointY(d), m_s.engine.settings().Y_Axis_Bottom,
                                        m_s.engine.settings().Y_Axis_Top);
        }
        if (m_s.engine.gesture().curveMoving) {
            const PlotMapping map = m_s.engine.mapping();
            const double top = m_s.engine.layout().PlotTop;
            const double bottom = top + m_s.engine.layout().PlotHeight;
            for (int i = 0; i < SlotCount; ++i) {
                const double p = map.pixelY(m_s.engine.points().moveStartY(i));
                m_rowInside[i] = std::isfinite(p) && top <= p && p <= bottom;
            }
        }
    }

    void check(const Snapshot& before)
    {
        for (int i = 0; i < SlotCount; ++i) {
            if (std::isfinite(before.x[std::size_t(i)]))
                FUZZ_CHECK(std::isfinite(m_s.engine.points().pointX(i)));
            if (std::isfinite(before.y[std::size_t(i)]))
                FUZZ_CHECK(std::isfinite(m_s.engine.points().pointY(i)));
        }
        if (m_s.engine.gesture().point) {
            const int d = *m_s.engine.gesture().point;
            if (m_dragStartInsideX)
                FUZZ_CHECK(within(m_s.engine.points().pointX(d), m_s.engine.settings().X_Axis_Left,
                                  m_s.engine.settings().X_Axis_Right));
            if (m_dragStartInsideY)
                FUZZ_CHECK(within(m_s.engine.points().pointY(d), m_s.engine.settings().Y_Axis_Bottom,
                                  m_s.engine.settings().Y_Axis_Top));
        }
        if (m_s.engine.gesture().curveMoving) {
            // The limit works on pixels of the mouse, which are singles: a hundredth of a pixel of slack.
            const PlotMapping map = m_s.engine.mapping();
            const double top = m_s.engine.layout().PlotTop;
            const double bottom = top + m_s.engine.layout().PlotHeight;
            for (int i = 0; i < m_s.engine.points().slotsInUse(); ++i) {
                if (!m_rowInside[i])
                    continue;
                const double p = map.pixelY(m_s.engine.points().pointY(i));
                FUZZ_CHECK(top - 0.01 <= p && p <= bottom + 0.01);
            }
        }
    }

    Curve& m_curve;
    CurvePrivate& m_s;
    Qt::MouseButtons m_held = Qt::NoButton;
    QPointF m_last{-5, -5};
    /** The points when the left button last grabbed, and, from an Escape during its drag until
     *  the left button is up, the points the drag was put back to. */
    Snapshot m_atGrab{m_s};
    std::optional<Snapshot> m_cancelled;
    bool m_dragStartInsideX = false;
    bool m_dragStartInsideY = false;
    std::array<bool, SlotCount> m_rowInside{};
};

Curve* control()
{
    static Curve* curve = [] {
        startApplication();
        return new Curve; // lives until the process ends
    }();
    return curve;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Curve& curve = *control();
    FuzzedDataProvider in(data, size);
    setUpControl(curve, in);
    Gestures(curve).run(in);
    return 0;
}
