#ifndef KNOTEL_PLATFORM_FIGURECACHE_H
#define KNOTEL_PLATFORM_FIGURECACHE_H

#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstddef>
#include <cstring>
#include <vector>

namespace knotel::platform {

/**
 * What drawing a figure did to the pixels of a 32-bit image, kept so that drawing the same figure
 * again takes a few memory operations instead of a pass through QPainter.
 *
 * Without anti-aliasing every pixel a figure touches changes in a way that does not depend on
 * the pixel: the XOR pen combines it with a constant (a pixel touched twice with the constant
 * zero), and an opaque pen or fill replaces it with its colour. So one drawing, recorded as the
 * runs of pixels it touched and what it did to each, gives exactly the pixels of drawing it
 * again over any picture:
 *
 * - XOR figures are recorded as the exclusive or of the pixels after and before the drawing;
 *   replaying combines the image with those values.
 * - Opaque figures in one colour are recorded by drawing them over a region filled with a value
 *   other than their colour; the pixels that then hold the colour are the figure, and replaying
 *   fills them.
 *
 * A record replays where it was made (the key holds the figure's exact coordinates), or, for the
 * figures whose pixels are the same wherever they stand (the key holds their shape, not their
 * place), shifted by whole device pixels. The drawing is recorded in the image itself, at the
 * figure's true place, so the first drawing of a figure is the direct one.
 *
 * Records hold device pixel positions of one image size and ratio: clear() when the image is
 * renewed. Past a fixed budget of records the cache starts afresh.
 */
class FigureCache {
public:
    /** Everything that decides a figure's pixels on an image of a given size and ratio. */
    struct Key {
        quint32 kind = 0;         ///< figure kind, pen mode and styles, and whether geometry is a place
        quint32 colour = 0;       ///< pen colour
        quint32 fill = 0;         ///< fill colour where the figure has a fill
        quint32 geometry[4] = {}; ///< coordinates as bit patterns, or a shape and its phase

        bool operator==(const Key& other) const = default;
    };

    /** How the recorded drawing changes pixels. */
    enum class Effect { Xor, Opaque };

    /** The pixels of a 32-bit image, looked up once for a run of drawing into it. */
    struct Pixels {
        uchar* bits = nullptr;
        qsizetype stride = 0;
        int width = 0;
        int height = 0;

        /** The pixels of @p image, detached from any copy that shares them. */
        static Pixels of(QImage& image)
        {
            return image.depth() == 32
                       ? Pixels{image.bits(), image.bytesPerLine(), image.width(), image.height()}
                       : Pixels{};
        }
        quint32* row(int y) const { return reinterpret_cast<quint32*>(bits + y * stride); }
        bool contains(const QRect& r) const
        {
            return r.left() >= 0 && r.top() >= 0 && r.right() < width && r.bottom() < height;
        }
        /** Copies the pixels of @p r, row after row, to @p to: r.width() pixels a row. */
        void save(const QRect& r, quint32* to) const
        {
            const std::size_t w = std::size_t(r.width());
            for (int y = r.top(); y <= r.bottom(); ++y, to += w)
                std::memcpy(to, row(y) + r.left(), w * sizeof(quint32));
        }
        /** Puts back the pixels of @p r, a part of @p saved, from @p from, which save() filled
         *  with the pixels of @p saved. */
        void restore(const QRect& r, const quint32* from, const QRect& saved) const
        {
            const std::size_t w = std::size_t(saved.width());
            for (int y = r.top(); y <= r.bottom(); ++y)
                std::memcpy(row(y) + r.left(),
                            from + std::size_t(y - saved.top()) * w + std::size_t(r.left() - saved.left()),
                            std::size_t(r.width()) * sizeof(quint32));
        }
    };

    /**
     * Replays the record of @p key shifted by @p shift device pixels. False, changing nothing,
     * when there is none or when the shifted record would leave the image.
     */
    bool replay(const Pixels& image, const Key& key, QPoint shift = {});

    /**
     * Calls @p draw, which draws the figure of @p key into the image of @p image, and records what it did
     * within @p region (device pixels, within the image; it must hold every pixel the figure can
     * touch), its positions taken relative to @p shift. An Opaque figure is recorded by its
     * pixels of @p colour (0xAARRGGBB as the image holds it); it must have no other colour.
     * Regions larger than the budget of one record are drawn without being recorded.
     */
    template <class Draw>
    void capture(const Pixels& image, const Key& key, const QRect& region, Effect effect, quint32 colour,
                 QPoint shift, Draw&& draw)
    {
        if (!begin(image, region, effect, colour)) {
            draw();
            return;
        }
        draw();
        end(image, key, effect, colour, shift);
    }

    /** Fills @p r (device pixels, cut to the image) as an opaque fill or an XOR fill in @p colour
     *  does: a figure of whole pixels needs no record. */
    static void fill(const Pixels& image, const QRect& r, Effect effect, quint32 colour);

    /** Forgets every record. */
    void clear();

    /** Records kept, and records replayed since the cache was made, for tests. */
    std::size_t size() const { return m_records.size(); }
    std::size_t replays() const { return m_replays; }

private:
    /** A run of touched pixels in one row, or the same run in rows below it, relative to the
     *  record's origin. */
    struct Run {
        int y;
        int x;
        int length;
        int rows;  ///< rows it repeats in, from y down
        int first; ///< index of its first value in m_values (Xor)
    };
    struct Record {
        Effect effect;
        quint32 colour;
        QRect bounds; ///< of all runs, relative to the origin
        int firstRun;
        int runCount;
    };
    /** A place in the open-addressed table of keys: a record's index, or -1 when free. */
    struct Slot {
        std::size_t hash = 0;
        int record = -1;
        Key key;
    };

    static std::size_t hashOf(const Key& key);
    /** The slot that holds @p key, or the free slot where it belongs. */
    Slot& slotOf(const Key& key, std::size_t hash);
    bool begin(const Pixels& image, const QRect& region, Effect effect, quint32 colour);
    void end(const Pixels& image, const Key& key, Effect effect, quint32 colour, QPoint shift);
    void apply(const Pixels& image, const Record& record, QPoint shift) const;

    std::vector<Slot> m_slots; ///< a power of two of them, at most half in use
    std::vector<Record> m_records;
    std::vector<Run> m_runs;
    std::vector<quint32> m_values;
    std::size_t m_replays = 0;
    // The region being recorded and its pixels before the drawing.
    QRect m_region;
    std::vector<quint32> m_before;
    // While recording: the runs of the row above and of this row, in order, as indices into m_runs.
    std::vector<int> m_above;
    std::vector<int> m_row;
};

} // namespace knotel::platform

#endif
