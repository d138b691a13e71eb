#ifndef KNOTEL_PLATFORM_LABELMEMO_H
#define KNOTEL_PLATFORM_LABELMEMO_H

#include "platform/FigureCache.h"

#include <QRect>
#include <QString>

#include <cstddef>
#include <unordered_map>
#include <vector>

namespace knotel::platform {

/**
 * Texts drawn before, kept as the pixels of their region before and after: a paint pass draws the
 * same labels at the same places over the same pixels at every pass.
 *
 * Anti-aliased glyphs blend into the pixels under them, so unlike an opaque or XOR figure a text
 * gives the same pixels only over the same pixels. Drawing a text changes no pixel outside its
 * region and each pixel within it by what lay there, so where the region holds the same pixels as
 * before the first drawing, the pixels after it are exactly what drawing again gives. A text
 * whose drawing changes a pixel in a ring of pixels around its region is not kept.
 *
 * Records hold device pixel positions of one image size and ratio: clear() when the image is
 * renewed. Past a fixed budget of pixels the memo starts afresh.
 */
class LabelMemo {
public:
    /** Everything that decides a text's pixels besides the pixels under it. */
    struct Key {
        QString text;
        int font = 0;       ///< the font and resolution, by a number the caller gives each
        quint32 colour = 0; ///< 0xAARRGGBB
        quint32 x = 0;      ///< the position's bit patterns
        quint32 y = 0;
        bool operator==(const Key& other) const = default;
    };
    using Pixels = FigureCache::Pixels;

    /**
     * Writes the pixels that the text of @p key left in its region when the region holds the
     * pixels it held before that drawing. False, changing nothing, otherwise.
     */
    bool replay(const Pixels& image, const Key& key);

    /**
     * Calls @p draw, which draws the text of @p key into the image of @p image, and keeps the
     * pixels of @p region (device pixels; every pixel the text touches) before and after, unless
     * the drawing changed one of the @p ring device pixels around it.
     */
    template <class Draw>
    void record(const Pixels& image, const Key& key, const QRect& region, int ring, Draw&& draw)
    {
        if (!begin(image, region, ring)) {
            draw();
            return;
        }
        draw();
        end(image, key);
    }

    void clear();

private:
    struct Hash {
        std::size_t operator()(const Key& k) const;
    };
    struct Record {
        QRect region;
        std::vector<quint32> before;
        std::vector<quint32> after;
    };

    bool begin(const Pixels& image, const QRect& region, int ring);
    void end(const Pixels& image, const Key& key);

    std::unordered_map<Key, Record, Hash> m_records;
    std::size_t m_pixels = 0;
    // The region being recorded, the region with its ring, and the latter's pixels before.
    QRect m_region;
    QRect m_outer;
    std::vector<quint32> m_before;
};

} // namespace knotel::platform

#endif
