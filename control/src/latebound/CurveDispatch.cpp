// The late-bound face of the control: members of the dispatch interface by fixed id and by
// name, with the value conversions of a late-bound host.
#include <knotel/Curve.h>

#include "latebound/MemberTable.h"
#include "numbers/NumberConversion.h"

#include <knotel/LeadingValue.h>
#include <knotel/RuntimeError.h>

#include <knotel/FormatValue.h>

#include <QLocale>
#include <QMetaProperty>

#include <cmath>

namespace knotel {

namespace {

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

/** A value as an error message names it: a text in quotes, anything else by its type. */
QString describe(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return QLatin1Char('"') + value.toString() + QLatin1Char('"');
    return QLatin1String(value.typeName() ? value.typeName() : "an empty value");
}

/** The number a value stands for: numbers as they are (true is -1), strings that are a plain number. */
double numberOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1.0 : 0.0;
    if (isNumber(value))
        return value.toDouble();
    if (value.typeId() == QMetaType::QString) {
        bool ok = false;
        const double v = QLocale::c().toDouble(value.toString().trimmed(), &ok);
        // A plain number beyond the double range reads as an infinity that the member's
        // conversion then refuses with Overflow.
        if (ok || std::isinf(v))
            return v;
    }
    throw RuntimeError(RuntimeError::TypeMismatch, QStringLiteral("%1 is no number").arg(describe(value)));
}

QString textOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::Float:
        return singleText(value.toFloat());
    case QMetaType::Double: {
        const double v = value.toDouble();
        return QString::number(v, 'g', QLocale::FloatingPointShortest);
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        if (isNumber(value))
            return value.toString();
        throw RuntimeError(RuntimeError::TypeMismatch, QStringLiteral("%1 is no text").arg(describe(value)));
    }
}

} // namespace

DispId Curve::idOfName(const QString& name) const
{
    const Member* member = memberByName(name);
    return member ? member->id : -1;
}

QVariant Curve::get(DispId id) const
{
    const Member* member = memberById(id);
    if (!member || member->kind == MemberKind::Method)
        throw RuntimeError(RuntimeError::MemberNotFound);
    // Straight through the class's own meta-call, so that an accessor's RuntimeError reaches the
    // caller without passing through Qt.
    const QMetaObject& meta = Curve::staticMetaObject;
    QVariant value(meta.property(meta.propertyOffset() + member->property).metaType());
    void* args[] = {value.data()};
    qt_static_metacall(const_cast<Curve*>(this), QMetaObject::ReadProperty, member->property, args);
    return value;
}

void Curve::put(DispId id, const QVariant& value)
{
    const Member* member = memberById(id);
    if (!member || member->kind == MemberKind::Method)
        throw RuntimeError(RuntimeError::MemberNotFound);
    try {
        // Convert first: a value that does not convert changes nothing.
        QVariant converted;
        switch (member->kind) {
        case MemberKind::Int32:
            converted = QVariant::fromValue(roundToInt32(numberOf(value)));
            break;
        case MemberKind::Single:
            converted = QVariant::fromValue(toSingleOrThrow(numberOf(value)));
            break;
        case MemberKind::Text:
            converted = textOf(value);
            break;
        case MemberKind::Method:
            break;
        }
        int status = -1;
        int flags = 0;
        void* args[] = {converted.data(), nullptr, &status, &flags};
        qt_static_metacall(this, QMetaObject::WriteProperty, member->property, args);
    } catch (const RuntimeError& error) {
        throw error.inMember(QLatin1String(member->name));
    }
}

QVariant Curve::invoke(DispId id)
{
    const Member* member = memberById(id);
    if (!member || member->kind != MemberKind::Method)
        throw RuntimeError(RuntimeError::MemberNotFound);
    RePaint();
    return {};
}

} // namespace knotel
