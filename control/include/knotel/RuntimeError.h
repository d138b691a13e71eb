#ifndef KNOTEL_RUNTIMEERROR_H
#define KNOTEL_RUNTIMEERROR_H

#include <knotel/knotel_export.h>

#include <QString>

#include <exception>
#include <memory>

namespace knotel {

/**
 * A numbered run-time error, the way the control reports a failing operation to its host.
 *
 * The numbers are the classic run-time error codes that late-bound hosts know:
 * InvalidArgument (5), Overflow (6), SubscriptOutOfRange (9), TypeMismatch (13) and
 * MemberNotFound (438). what() names the error in words and, where the control knows it, its
 * cause: the member and the point ("Overflow: Y of point 3 is not a finite number").
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
    /** An error whose cause @p cause names the member, the point or the value at fault. */
    RuntimeError(int code, const QString& cause);

    /** The error number, one of Code. */
    int code() const noexcept { return m_code; }

    /** What caused the error, naming the member and the point where known ("Y of point 3 is not a
     *  finite number"); empty when the control does not say. */
    QString cause() const;

    /** The same error with @p member named in front of its cause ("Dimensions: ..."). */
    RuntimeError inMember(const QString& member) const;

    /** The error in words, for example "Overflow" for 6 ("Application-defined error" for other
     *  codes), followed by its cause when there is one: "Overflow: Y of point 3 is not a finite
     *  number". UTF-8. */
    const char* what() const noexcept override;

private:
    struct Text;
    int m_code;
    std::shared_ptr<const Text> m_text; ///< the cause and the whole text; null when there is no cause
};

} // namespace knotel

#endif
