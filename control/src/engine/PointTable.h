#ifndef KNOTEL_POINTTABLE_H
#define KNOTEL_POINTTABLE_H

#include "numbers/NumberConversion.h"

#include <QtGlobal>

#include <array>
#include <optional>
#include <span>

namespace knotel {

/** Number of break-point slots; the table never grows. */
inline constexpr int SlotCount = 64;

/** One coordinate of every slot. */
using CurveYs = std::array<float, SlotCount>;

/** A point's two coordinates. */
struct PointPosition {
    float x = 0;
    float y = 0;
    /** Equal singles, two NaNs counting as equal (and 0 equal to -0): a coordinate left as it was is
     *  no move. */
    bool same(const PointPosition& other) const { return sameSingle(x, other.x) && sameSingle(y, other.y); }
};

/** All that one slot holds: its point, its reference (what Changed compares with) and whether each
 *  coordinate counts as given. */
struct PointSlot {
    float x = 0;
    float y = 0;
    float savedX = 0;
    float savedY = 0;
    bool xGiven = false;
    bool yGiven = false;
};

/** What a host reads of the table, to tell what a change changed: the points in use and the
 *  indexed point's properties (nothing for one that cannot be read, error 9). */
struct PointReadings {
    int count = 0;
    std::array<PointPosition, SlotCount> positions{}; ///< the first count in use, the rest 0
    std::optional<float> x;
    std::optional<float> y;
    std::optional<bool> changed;

    /** The same points in use, bit for bit. */
    bool samePoints(const PointReadings& other) const;
};

/**
 * The break points: 64 fixed slots of current coordinates, their reference copies (what Changed
 * compares against), whether the host has given each coordinate, and the Y copy taken when a
 * whole-curve move starts.
 *
 * The host addresses one slot at a time through the index (ValueIndex). Slots 0 to
 * Dimensions - 1 are in use; a slot not in use reads 0 and ignores writes, and an in-use slot
 * beyond the table (Dimensions above 64) is an error 9. Drawing and editing address the slots in
 * use, never past slot 63.
 */
class PointTable {
public:
    bool operator==(const PointTable&) const = default;

    // The host's face, through the index.
    qint32 dimensions() const { return m_dimensions; }
    void setDimensions(qint32 dimensions) { m_dimensions = dimensions; }
    qint32 index() const { return m_index; }
    void setIndex(qint32 index) { m_index = index; }

    /** The indexed point's coordinate; 0 for a slot not in use. Throws 9 for an in-use slot past 63. */
    float x() const;
    float y() const;
    /** Sets the indexed point's coordinate and its reference, and marks the coordinate given; false
     *  when the index addresses no slot in use and the write is ignored. */
    bool setX(float value);
    bool setY(float value);
    /** True when the indexed point lies away from its reference position (0.0 equals -0.0). */
    bool changed() const;
    /**
     * Accepts the indexed point's position as its reference, or with @p mark marks it changed by
     * negating the reference, so that a point at (0, 0) cannot be marked.
     */
    void setChanged(bool mark);

    // The point list: every slot in use at once, without the index.
    /**
     * Sets Dimensions to the number of points and loads point i into slot i as the coordinate
     * writes do: current and reference position, both coordinates given. The index is left as it
     * is. Throws 9 for more than 64 points, or for lists of different lengths, changing nothing.
     */
    void setPoints(std::span<const float> xs, std::span<const float> ys);
    /** True when the point in @p slot lies away from its reference position (0.0 equals -0.0). */
    bool pointChanged(int slot) const;
    /** Accepts the position of the point in @p slot as its reference. */
    void acceptPoint(int slot);

    // The slots in use, for drawing and editing.
    /** Slots 0 to Dimensions - 1, never more than 64; 0 when Dimensions is 0 or below. */
    int slotsInUse() const;
    /** True when the host has given both coordinates of every slot in use: the line may be drawn. */
    bool complete() const;
    float pointX(int slot) const { return m_x[std::size_t(slot)]; }
    float pointY(int slot) const { return m_y[std::size_t(slot)]; }
    PointPosition position(int slot) const { return {pointX(slot), pointY(slot)}; }
    std::span<const float> xs() const { return std::span(m_x).first(std::size_t(slotsInUse())); }
    std::span<const float> ys() const { return std::span(m_y).first(std::size_t(slotsInUse())); }
    bool xGiven(int slot) const { return m_xGiven[std::size_t(slot)]; }
    bool yGiven(int slot) const { return m_yGiven[std::size_t(slot)]; }

    /** Moves a point, leaving its reference: the move then reads as Changed. */
    void movePointX(int slot, float value) { m_x[std::size_t(slot)] = value; }
    void movePointY(int slot, float value) { m_y[std::size_t(slot)] = value; }

    // Whole slots, for the person's insert, delete and paste and their undo.
    PointSlot slot(int i) const;
    void setSlot(int i, const PointSlot& slot);
    /** Puts @p slot into slot @p at (0 to slotsInUse()), moving the slots in use from there one up,
     *  and makes Dimensions one more. The slot above the last in use is overwritten; with all 64 in
     *  use nothing changes. */
    void insertSlot(int at, const PointSlot& slot);
    /** Takes slot @p at (a slot in use) out, moving the slots in use above it one down, and makes
     *  Dimensions one less. */
    void removeSlot(int at);

    /** What the host reads now. */
    PointReadings readings() const;

    /** Keeps the Y of every slot in use as the start of a whole-curve move. */
    void beginCurveMove();
    float moveStartY(int slot) const { return m_moveStartY[std::size_t(slot)]; }
    const CurveYs& moveStartYs() const { return m_moveStartY; }
    /** True when any slot in use lies higher or lower than at the start of the whole-curve move. */
    bool curveMoved() const;

private:
    /** The slot the index addresses, nothing when it is not in use; throws 9 past slot 63. */
    std::optional<std::size_t> indexedSlot() const;

    qint32 m_dimensions = 7;
    qint32 m_index = 0;
    std::array<float, SlotCount> m_x{};
    std::array<float, SlotCount> m_y{};
    std::array<float, SlotCount> m_savedX{};
    std::array<float, SlotCount> m_savedY{};
    std::array<bool, SlotCount> m_xGiven{};
    std::array<bool, SlotCount> m_yGiven{};
    std::array<float, SlotCount> m_moveStartY{};
};

} // namespace knotel

#endif
