#ifndef KNOTEL_PLATFORM_LAYERCACHE_H
#define KNOTEL_PLATFORM_LAYERCACHE_H

#include "platform/DrawCall.h"
#include "platform/FigureCache.h"

#include <QImage>
#include <QRect>

#include <cstddef>
#include <memory>
#include <vector>

namespace knotel::platform {

/**
 * What a canvas keeps of its picture from one paint pass to the next, so that a pass that draws
 * the same background as the last one draws only what changed.
 *
 * A paint pass draws a base (the cleared surface, arrow heads, scales), a live layer over it
 * (limit lines, actual-value marker), a frame over that (axis lines, texts, caption) and last the
 * curve with the XOR pen. While everything that base and frame are drawn from stays the same, the
 * canvas keeps:
 * - the background: the picture of base and frame alone, with the base's pixels under each frame
 *   figure;
 * - the drawing calls of the last live layer and the areas they cover;
 * - the XOR figures of the last pass, in the order drawn, and the areas drawn over since.
 *
 * The next pass restores the background where the live layer changed (the areas of its calls that
 * differ from the last pass's, and of the calls that overlap those) and where anything was drawn
 * since; draws those live calls again over the base, then the frame figures and the kept XOR
 * figures that reach them, within the areas restored; and of the XOR figures draws those that
 * differ from the last pass's at the same place in the order, erasing the last pass's others.
 *
 * That gives exactly the picture of a whole pass: drawing is pixel by pixel, so a figure gives the
 * same pixels in an area whatever lies outside it and wherever it is drawn again, and XOR figures
 * cancel pair by pair in any order.
 *
 * Areas are kept in logical pixels, as the screen is updated, and in device pixels of the image,
 * where pixels are copied: at a fractional ratio a device pixel can belong to two logical ones.
 */
class LayerCache {
public:
    using Pixels = FigureCache::Pixels;

    /** An area of the picture, in logical pixels and in the device pixels that hold them. */
    struct Area {
        QRect logical;
        QRect device;
    };

    /** A drawing call of a layer and the area it covers; for an XOR figure of the last pass,
     *  whether this pass keeps it. */
    struct Drawn {
        enum State { Shown, Kept };
        DrawCall call;
        int font = 0; ///< the font of a text, by the number the canvas gives each
        Area area;
        State state = Shown;

        bool drawsAs(const Drawn& other) const { return font == other.font && call.drawsAs(other.call); }
    };

    /** Whether a background is kept. */
    bool valid() const { return m_valid; }
    /** Forgets the background and everything kept with it: the picture was drawn afresh or erased. */
    void invalidate();

    /**
     * Whether @p key, all that the owner's base and frame are drawn from, is the last pass's;
     * keeps it for the next. Keys are compared with their operator==.
     */
    template <class Key> bool sameKey(const Key& key)
    {
        if (const auto* last = dynamic_cast<const KeyOf<Key>*>(m_key.get()); last && last->key == key)
            return true;
        m_key = std::make_unique<KeyOf<Key>>(key);
        return false;
    }

    // The background, and the base's pixels under the frame.
    /** Keeps @p image as the background: the picture of base and frame alone. */
    void keepBackground(const QImage& image);
    /** Copies the background's pixels of @p device into @p image. */
    void restoreBackground(const Pixels& image, const QRect& device) const;
    /** Keeps the pixels of @p device of @p image, which a frame figure is about to draw over. */
    void keepUnderFrame(const Pixels& image, const QRect& device);
    /** Copies the base's pixels under the frame within @p device into @p image, which holds the
     *  background there. */
    void restoreUnderFrame(const Pixels& image, const QRect& device) const;

    // The live layer.
    /** The live calls of the last pass, until this pass's replace them. */
    const std::vector<Drawn>& lastLive() const { return m_live; }
    /** The live calls of this pass. */
    std::vector<Drawn>& live() { return m_nextLive; }
    /** This pass's live calls replace the last pass's. */
    void endLive();

    // Areas drawn over outside a pass.
    /** Drawing since the last pass covered @p logical pixels: to be restored. */
    void drawnOver(const QRect& logical);
    /** Drawing since the last pass may have covered everything. */
    void drawnOverAll() { m_allDrawnOver = true; }
    bool allDrawnOver() const { return m_allDrawnOver; }
    /** The areas drawn over since the last pass (logical pixels): per column strip, the bounding
     *  rectangle of what was drawn in it, null where nothing was. */
    const std::vector<QRect>& drawnOverAreas() const { return m_drawnOver; }
    void clearDrawnOver();

    // The XOR figures.
    /** The last pass's XOR figures, in the order drawn. */
    std::vector<Drawn>& figures() { return m_figures; }
    /** Begins this pass's list of XOR figures; the last pass's stay for comparison. */
    void beginFigures();
    /** Whether the next XOR figure of this pass, @p call, is the one the last pass drew at the
     *  same place in its order and still shown: it then stays and goes to this pass's list. */
    bool keepFigure(const DrawCall& call);
    /** The next XOR figure of this pass is drawn, over @p area. Past a limit of figures it is not
     *  kept in the list, and its area counts as drawn over. */
    void addFigure(const DrawCall& call, const Area& area);
    /** Ends this pass's list; it replaces the last pass's, whose shown figures the caller erased. */
    void endFigures();
    /** The XOR figures are no longer known (drawing outside a pass): their areas count as drawn over. */
    void forgetFigures();

private:
    // The last key, of whatever type the owner gives. Not a std::any: its manager, a template of
    // the std namespace, would be exported from the library with the owner's key type.
    struct AnyKey {
        virtual ~AnyKey() = default;
    };
    template <class Key> struct KeyOf : AnyKey {
        explicit KeyOf(const Key& k) : key(k) {}
        Key key;
    };

    struct Patch {
        QRect device;
        std::vector<quint32> pixels;
    };

    bool m_valid = false;
    std::unique_ptr<AnyKey> m_key;
    QImage m_background;
    std::vector<Patch> m_underFrame;
    std::vector<Drawn> m_live;
    std::vector<Drawn> m_nextLive;
    std::vector<QRect> m_drawnOver;
    bool m_allDrawnOver = false;
    std::vector<Drawn> m_figures;
    std::vector<Drawn> m_nextFigures;
    std::size_t m_cursor = 0;
};

/** Whether two rectangles share a pixel. */
inline bool overlaps(const QRect& a, const QRect& b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom() &&
           !a.isEmpty() && !b.isEmpty();
}

/** Whether @p r meets one of the areas of @p areas, by their device pixels. */
bool meets(const QRect& r, const std::vector<LayerCache::Area>& areas);

/** The parts of @p r outside every area of @p cut, by their device pixels, as rectangles. */
std::vector<QRect> subtracted(const QRect& r, const std::vector<LayerCache::Area>& cut);

} // namespace knotel::platform

#endif
