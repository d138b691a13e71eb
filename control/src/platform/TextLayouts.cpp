#include "platform/TextLayouts.h"

namespace knotel::platform {

namespace {

// Texts in one generation; a paint pass has at most as many labels as its axes have pixels.
constexpr std::size_t GenerationSize = 4096;

} // namespace

std::size_t TextLayouts::Hash::operator()(const QString& s) const
{
    // FNV-1a over the UTF-16 code units: labels are short, and this is cheaper than qHash.
    quint64 h = 0xCBF29CE484222325ull;
    for (const QChar c : s)
        h = (h ^ c.unicode()) * 0x100000001B3ull;
    return std::size_t(h ^ (h >> 32));
}

TextLayouts::Entry& TextLayouts::entry(const QString& text)
{
    if (m_last && text == m_lastText)
        return *m_last;
    auto found = m_current.find(text);
    if (found == m_current.end()) {
        if (m_current.size() >= GenerationSize) {
            m_previous = std::move(m_current);
            m_current = Map();
        }
        auto old = m_previous.find(text);
        if (old != m_previous.end())
            found = m_current.insert(m_previous.extract(old)).position;
        else
            found = m_current.emplace(text, Entry()).first;
    }
    m_lastText = text;
    m_last = &found->second;
    return *m_last;
}

} // namespace knotel::platform
