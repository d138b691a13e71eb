// The late-bound face: ids and names, conversions and errors, and creation by name.
#include "TestSupport.h"

#include "latebound/MemberTable.h"

#include <knotel/Curve.h>
#include <knotel/Registry.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaProperty>

#include <cmath>

#include <limits>
#include <memory>

using namespace knotel;
using knotel::test::errorCodeOf;

namespace {

DispId id(const Dispatch& d, const char* name)
{
    return d.idOfName(QString::fromLatin1(name));
}

} // namespace

TEST(Dispatch, IdsAreTheFixedOnesOfTheInterface)
{
    Curve c;
    EXPECT_EQ(id(c, "RePaint"), 0x6003009F);
    EXPECT_EQ(id(c, "ViewTracker"), 0x6803009B);
    EXPECT_EQ(id(c, "X_Axis_Left"), 0x6803008C);
    EXPECT_EQ(id(c, "BackColor"), 0x68030080);
    EXPECT_EQ(id(c, "Changed"), 0x68030077);
    EXPECT_EQ(id(c, "ValueIndex"), 0x68030076);
    EXPECT_EQ(id(c, "valueindex"), 0x68030076);
    EXPECT_EQ(id(c, "NoSuchMember"), -1);
    EXPECT_EQ(id(c, ""), -1);
}

TEST(Dispatch, EveryMemberIsAPropertyOrMethodOfTheClassOfTheSameType)
{
    int count = 0;
    const Member* table = members(&count);
    ASSERT_EQ(count, 39);
    const QMetaObject& meta = Curve::staticMetaObject;
    EXPECT_GE(meta.indexOfMethod("RePaint()"), 0);
    for (int i = 1; i < count; ++i) {
        const int index = meta.indexOfProperty(table[i].name);
        ASSERT_GE(index, 0) << table[i].name;
        const QMetaProperty p = meta.property(index);
        const int expected = table[i].kind == MemberKind::Int32    ? QMetaType::Int
                             : table[i].kind == MemberKind::Single ? QMetaType::Float
                                                                   : QMetaType::QString;
        EXPECT_EQ(p.metaType().id(), expected) << table[i].name;
        EXPECT_EQ(memberById(table[i].id), &table[i]);
    }
    // The typed face's own properties come after the 38 and are not reached late-bound.
    for (int i = meta.propertyOffset() + 38; i < meta.propertyCount(); ++i)
        EXPECT_EQ(memberByName(QString::fromLatin1(meta.property(i).name())), nullptr)
            << meta.property(i).name();
}

TEST(Dispatch, GetReturnsTheMembersOwnTypes)
{
    Curve c;
    EXPECT_EQ(c.get(id(c, "Dimensions")).typeId(), QMetaType::Int);
    EXPECT_EQ(c.get(id(c, "Dimensions")).toInt(), 7);
    EXPECT_EQ(c.get(id(c, "X_Axis_Left")).typeId(), QMetaType::Float);
    EXPECT_EQ(c.get(id(c, "ValueIndex")).typeId(), QMetaType::Float);
    EXPECT_EQ(c.get(id(c, "CurveColor")).typeId(), QMetaType::Int);
    EXPECT_EQ(c.get(id(c, "Y_AxisText")).toString(), "YAxisText");
}

TEST(Dispatch, NumbersConvertLikeALateBoundHost)
{
    Curve c;
    c.put(id(c, "Dimensions"), 2.5);
    EXPECT_EQ(c.Dimensions(), 2);
    c.put(id(c, "Dimensions"), 3.5f);
    EXPECT_EQ(c.Dimensions(), 4);
    c.put(id(c, "Dimensions"), QStringLiteral(" 12 "));
    EXPECT_EQ(c.Dimensions(), 12);
    c.put(id(c, "LockX_Axis"), true);
    EXPECT_EQ(c.LockX_Axis(), -1);
    c.put(id(c, "X_Axis_Left"), 0.1);
    EXPECT_EQ(c.X_Axis_Left(), 0.1f);
    c.put(id(c, "X_Axis_Left"), QStringLiteral("-12.5"));
    EXPECT_EQ(c.X_Axis_Left(), -12.5f);
    c.put(id(c, "CurveCaption"), 12.5);
    EXPECT_EQ(c.CurveCaption(), "12.5");
    c.put(id(c, "CurveCaption"), 7);
    EXPECT_EQ(c.CurveCaption(), "7");
    c.put(id(c, "ValueIndex"), 2.5);
    EXPECT_EQ(c.ValueIndex(), 2.0f);
    c.put(id(c, "ViewTracker"), 2);
    EXPECT_EQ(c.get(id(c, "ViewTracker")).toInt(), -1);
}

// The rows every face checks: see typed_writes.json.
TEST(Dispatch, TypedWritesTableConvertsAsTheLateBoundFaceDoes)
{
    QFile file(QStringLiteral(KNOTEL_TYPED_WRITES));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray rows =
        QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("rows")).toArray();
    ASSERT_FALSE(rows.isEmpty());
    for (const QJsonValue& r : rows) {
        const QJsonObject row = r.toObject();
        const QString property = row.value(QStringLiteral("property")).toString();
        SCOPED_TRACE(QJsonDocument(row).toJson(QJsonDocument::Compact).toStdString());
        Curve c;
        const DispId member = c.idOfName(property);
        const QJsonValue value = row.value(QStringLiteral("value"));
        const QVariant written = value.isObject() ? QVariant(std::nan("")) : value.toVariant();
        const QVariant before = c.get(member);
        if (row.contains(QStringLiteral("error"))) {
            try {
                c.put(member, written);
                ADD_FAILURE() << "no error";
            } catch (const RuntimeError& e) {
                EXPECT_EQ(e.code(), row.value(QStringLiteral("error")).toInt());
                EXPECT_TRUE(QString::fromUtf8(e.what()).contains(property)) << e.what();
            }
            EXPECT_EQ(c.get(member), before);
        } else {
            c.put(member, written);
            EXPECT_EQ(c.get(member).toString(), row.value(QStringLiteral("reads")).toVariant().toString());
        }
    }
}

TEST(Dispatch, FailedPutsChangeNothing)
{
    Curve c;
    const DispId dims = id(c, "Dimensions");
    const DispId left = id(c, "X_Axis_Left");
    EXPECT_EQ(errorCodeOf([&] { c.put(dims, QStringLiteral("seven")); }), RuntimeError::TypeMismatch);
    EXPECT_EQ(errorCodeOf([&] { c.put(dims, QStringLiteral("7 Dimensions")); }), RuntimeError::TypeMismatch);
    EXPECT_EQ(errorCodeOf([&] { c.put(dims, QVariant()); }), RuntimeError::TypeMismatch);
    EXPECT_EQ(errorCodeOf([&] { c.put(dims, QVariant(QSize(1, 2))); }), RuntimeError::TypeMismatch);
    EXPECT_EQ(errorCodeOf([&] { c.put(dims, 2147483648.0); }), RuntimeError::Overflow);
    EXPECT_EQ(errorCodeOf([&] { c.put(dims, -2147483649.0); }), RuntimeError::Overflow);
    EXPECT_EQ(errorCodeOf([&] { c.put(left, 1e39); }), RuntimeError::Overflow);
    EXPECT_EQ(errorCodeOf([&] { c.put(left, std::numeric_limits<double>::infinity()); }),
              RuntimeError::Overflow);
    for (const char* text : {"1e309", "-1e309", "inf"})
        for (DispId member : {dims, left})
            EXPECT_EQ(errorCodeOf([&] { c.put(member, QString::fromLatin1(text)); }), RuntimeError::Overflow)
                << text;
    EXPECT_EQ(errorCodeOf([&] { c.put(id(c, "CurveCaption"), QVariant()); }), RuntimeError::TypeMismatch);
    EXPECT_EQ(c.Dimensions(), 7);
    EXPECT_EQ(c.X_Axis_Left(), -30.0f);
    EXPECT_EQ(c.CurveCaption(), "CurveCaption");

    c.put(dims, 2147483647.0);
    EXPECT_EQ(c.Dimensions(), 2147483647);
}

TEST(Dispatch, UnknownMembersFailWithMemberNotFound)
{
    Curve c;
    EXPECT_EQ(errorCodeOf([&] { (void)c.get(12345); }), RuntimeError::MemberNotFound);
    EXPECT_EQ(errorCodeOf([&] { c.put(-1, 1); }), RuntimeError::MemberNotFound);
    EXPECT_EQ(errorCodeOf([&] { (void)c.invoke(id(c, "Dimensions")); }), RuntimeError::MemberNotFound);
    EXPECT_EQ(errorCodeOf([&] { (void)c.get(id(c, "RePaint")); }), RuntimeError::MemberNotFound);
    EXPECT_EQ(errorCodeOf([&] { (void)c.invoke(0x6803009C); }), RuntimeError::MemberNotFound);
}

TEST(Dispatch, PointMembersPassOnTheControlsErrors)
{
    Curve c;
    c.put(id(c, "Dimensions"), 70);
    c.put(id(c, "ValueIndex"), 65);
    EXPECT_EQ(errorCodeOf([&] { c.put(id(c, "X_Knotel"), 1); }), RuntimeError::SubscriptOutOfRange);
    EXPECT_EQ(errorCodeOf([&] { (void)c.get(id(c, "Changed")); }), RuntimeError::SubscriptOutOfRange);
}

TEST(Dispatch, InvokeRePaintReturnsNothingAndLaysOut)
{
    Curve c;
    c.put(id(c, "CurveColor"), 0);
    const QVariant result = c.invoke(id(c, "RePaint"));
    EXPECT_FALSE(result.isValid());
    EXPECT_EQ(c.plotLayout().XorPenColor, 0xAA5500);
    EXPECT_EQ(c.widget(), &c);
}

TEST(Registry, CreatesTheCurveByItsName)
{
    QWidget host;
    Dispatch* control = createControl(QStringLiteral("Knotel.Curve"), &host);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->widget()->parent(), &host);
    EXPECT_NE(qobject_cast<Curve*>(control->widget()), nullptr);
    EXPECT_EQ(control->get(control->idOfName(QStringLiteral("Dimensions"))).toInt(), 7);
    EXPECT_NE(createControl(QStringLiteral("knotel.curve"), &host), nullptr);
    EXPECT_EQ(createControl(QStringLiteral("Knotel.Other"), &host), nullptr);
    EXPECT_NE(CurveClassId, CurveInterfaceId);
    EXPECT_FALSE(TypeLibraryId.isNull());
}

TEST(Registry, ControlsWithoutParentBelongToTheCaller)
{
    std::unique_ptr<QWidget> owned(createControl(QStringLiteral("Knotel.Curve"))->widget());
    EXPECT_EQ(owned->parent(), nullptr);
}

TEST(Events, DroppedValueIsASignalWithAReferenceArgument)
{
    EXPECT_GE(Curve::staticMetaObject.indexOfSignal("DroppedValue(int&)"), 0);
}
