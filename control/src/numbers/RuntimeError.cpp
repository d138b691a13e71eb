#include <knotel/RuntimeError.h>

#include <QByteArray>

namespace knotel {

namespace {

const char* wordsOf(int code) noexcept
{
    switch (code) {
    case RuntimeError::InvalidArgument:
        return "Invalid procedure call or argument";
    case RuntimeError::Overflow:
        return "Overflow";
    case RuntimeError::SubscriptOutOfRange:
        return "Subscript out of range";
    case RuntimeError::TypeMismatch:
        return "Type mismatch";
    case RuntimeError::MemberNotFound:
        return "Object doesn't support this property or method";
    default:
        return "Application-defined error";
    }
}

} // namespace

struct RuntimeError::Text {
    QString cause;
    QByteArray what;
};

RuntimeError::RuntimeError(int code, const QString& cause) : m_code(code)
{
    if (!cause.isEmpty())
        m_text = std::make_shared<const Text>(Text{cause, QByteArray(wordsOf(code)) + ": " + cause.toUtf8()});
}

QString RuntimeError::cause() const
{
    return m_text ? m_text->cause : QString();
}

RuntimeError RuntimeError::inMember(const QString& member) const
{
    return RuntimeError(m_code, m_text ? member + QLatin1String(": ") + m_text->cause : member);
}

const char* RuntimeError::what() const noexcept
{
    return m_text ? m_text->what.constData() : wordsOf(m_code);
}

} // namespace knotel
