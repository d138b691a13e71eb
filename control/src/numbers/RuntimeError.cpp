#include <knotel/RuntimeError.h>

namespace knotel {

const char* RuntimeError::what() const noexcept
{
    switch (m_code) {
    case InvalidArgument:
        return "Invalid procedure call or argument";
    case Overflow:
        return "Overflow";
    case SubscriptOutOfRange:
        return "Subscript out of range";
    case TypeMismatch:
        return "Type mismatch";
    case MemberNotFound:
        return "Object doesn't support this property or method";
    default:
        return "Application-defined error";
    }
}

} // namespace knotel
