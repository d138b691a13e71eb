#ifndef KNOTEL_BENCHSUPPORT_H
#define KNOTEL_BENCHSUPPORT_H

// What the benchmarks share: the device pixel ratio they run at (the offscreen platform's scale
// factor, QT_SCALE_FACTOR), shown in each result's label, the device pixels that screen updates
// copy, and the floor of a screen update: one copy of the backing image's bytes, or of a band of
// its rows, at that ratio.

#include <QGuiApplication>
#include <QPaintEvent>
#include <QScreen>
#include <QString>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace knotel::bench {

/** The device pixel ratio of the screen the benchmarks run on. */
inline qreal ratio()
{
    return QGuiApplication::primaryScreen()->devicePixelRatio();
}

/** "ratio 2", for a result's label. */
inline std::string ratioLabel()
{
    return "ratio " + QString::number(ratio()).toStdString();
}

/**
 * Copies a band of @p rows x @p columns device pixels of one image of @p width x @p height device
 * pixels into another, row by row as a screen update copies it; the whole image by default.
 */
inline void copyBand(benchmark::State& state, int width, int height, int columns = -1, int rows = -1)
{
    columns = columns < 0 ? width : columns;
    rows = rows < 0 ? height : rows;
    const std::size_t stride = std::size_t(width) * 4;
    std::vector<unsigned char> source(stride * std::size_t(height), 0x55);
    std::vector<unsigned char> target(source.size());
    for (auto _ : state) {
        for (int y = 0; y < rows; ++y)
            std::memcpy(target.data() + std::size_t(y) * stride, source.data() + std::size_t(y) * stride,
                        std::size_t(columns) * 4);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * qint64(columns) * rows * 4);
}

/** Counts the device pixels in the regions of the paint events of the widgets it filters. */
class PaintedPixels : public QObject {
public:
    double pixels = 0;
    int paints = 0;

    /** Device pixels per paint event so far. */
    double perPaint() const { return paints ? pixels / paints : 0; }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                pixels += double(r.width()) * r.height() * ratio() * ratio();
            ++paints;
        }
        return false;
    }
};

/** The device pixels of an image of @p width x @p height logical pixels at the current ratio. */
inline int devicePixels(int logical)
{
    return int(std::ceil(logical * ratio()));
}

} // namespace knotel::bench

#endif
