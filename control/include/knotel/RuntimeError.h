#ifndef KNOTEL_RUNTIMEERROR_H
#define KNOTEL_RUNTIMEERROR_H

#include <knotel/knotel_export.h>

#include <exception>

namespace knotel {

/**
 * A numbered run-time error, the way the control reports a failing operation to its host.
 *
 * The numbers are the classic run-time error codes that late-bound hosts know:
 * InvalidArgument (5), Overflow (6), SubscriptOutOfRange (9), TypeMismatch (13) and
 * MemberNotFound (438). what() names the error in words.
 */
class KNOTEL_EXPORT RuntimeError : public std::exception {
public:
    enum Code : int {
        InvalidArgument = 5,
        Overflow = 6,
        SubscriptOutOfRange = 9,
        TypeMismatch = 13,
        MemberNotFound = 438,
    };

    explicit RuntimeError(int code) noexcept : m_code(code) {}

    /** The error number, one of Code. */
    int code() const noexcept { return m_code; }

    /** The error in words, for example "Overflow" for 6; "Application-defined error" for other codes. */
    const char* what() const noexcept override;

private:
    int m_code;
};

} // namespace knotel

#endif
