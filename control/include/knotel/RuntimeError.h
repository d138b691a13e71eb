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
    /** The error numbers the control reports. */
    enum Code : int {
        /** An argument outside what the operation takes: "Invalid procedure call or argument". */
        InvalidArgument = 5,
        /** A number beyond the range of its type: "Overflow". */
        Overflow = 6,
        /** A point slot of 64 or more, or more than 64 points: "Subscript out of range". */
        SubscriptOutOfRange = 9,
        /** A value that cannot be converted to the member's type: "Type mismatch". */
        TypeMismatch = 13,
        /** No member of that dispatch id or name: "Object doesn't support this property or method". */
        MemberNotFound = 438,
    };

    /** An error with the number @p code, usually one of Code. */
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
