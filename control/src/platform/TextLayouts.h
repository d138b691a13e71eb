#ifndef KNOTEL_PLATFORM_TEXTLAYOUTS_H
#define KNOTEL_PLATFORM_TEXTLAYOUTS_H

#include <QRectF>
#include <QStaticText>
#include <QString>

#include <cstddef>
#include <unordered_map>

namespace knotel::platform {

/**
 * The texts of one font, each measured and laid out once: a paint pass measures and draws the
 * same labels at every pass.
 *
 * Texts are kept in two generations: those used since the last turnover and those of the one
 * before; a text found in the older one moves to the newer. A generation turns over when it is
 * full, so every text that a pass uses stays while a pass uses fewer than a generation holds,
 * however many other texts came and went: a dense scale's labels are measured once, not at
 * every pass. The last text looked up is found again without hashing, as a label is measured
 * and then drawn.
 */
class TextLayouts {
public:
    struct Entry {
        qreal advance = -1;   ///< horizontal advance, once measured
        bool laidOut = false; ///< whether text holds the prepared layout
        bool bounded = false; ///< whether bounds holds the glyphs' box
        QStaticText text;
        QRectF bounds; ///< about the baseline's start
    };

    TextLayouts() = default;
    // A copy or a move starts without the last text: it names an entry of the other one.
    TextLayouts(const TextLayouts& other) : m_current(other.m_current), m_previous(other.m_previous) {}
    TextLayouts(TextLayouts&& other) noexcept
        : m_current(std::move(other.m_current)), m_previous(std::move(other.m_previous))
    {
        other.m_last = nullptr;
    }
    TextLayouts& operator=(const TextLayouts& other)
    {
        if (this != &other) {
            m_current = other.m_current;
            m_previous = other.m_previous;
            m_last = nullptr;
        }
        return *this;
    }
    TextLayouts& operator=(TextLayouts&& other) noexcept
    {
        m_current = std::move(other.m_current);
        m_previous = std::move(other.m_previous);
        m_last = nullptr;
        other.m_last = nullptr;
        return *this;
    }

    /** The entry of @p text, an empty one when it is new; valid until the next call. */
    Entry& entry(const QString& text);

private:
    struct Hash {
        std::size_t operator()(const QString& s) const;
    };
    using Map = std::unordered_map<QString, Entry, Hash>;

    Map m_current;
    Map m_previous;
    QString m_lastText;
    Entry* m_last = nullptr;
};

} // namespace knotel::platform

#endif
