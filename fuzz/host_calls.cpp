// A host's calls in any order: put / get / invoke over every member id and some that are not,
// values of every type, resizes down to 0 x 0 and RePaint on a shown control. Only RuntimeError
// comes out; a put that fails changes no property and no point; no point is ever stored that is
// not a finite single.
#include "FuzzSupport.h"

#include "latebound/MemberTable.h"
#include "widget/CurvePrivate.h"

#include <knotel/RuntimeError.h>

#include <QColor>
#include <QCoreApplication>
#include <QPointF>
#include <QSize>
#include <QStringList>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>

using namespace knotel;
using namespace knotel::fuzz;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

DispId pickMember(FuzzedDataProvider& in)
{
    static const std::array<DispId, 10> invalid{-1,
                                                0,
                                                1,
                                                std::numeric_limits<DispId>::min(),
                                                RePaintId + 1,
                                                FirstPropertyId - 1,
                                                LastPropertyId + 1,
                                                DroppedValueId,
                                                0x60030000,
                                                std::numeric_limits<DispId>::max()};
    const std::vector<DispId>& ids = propertyIds();
    const int choice = in.ConsumeIntegralInRange<int>(0, int(ids.size() + invalid.size()));
    if (choice < int(ids.size()))
        return ids[std::size_t(choice)];
    if (choice == int(ids.size()))
        return RePaintId;
    return invalid[std::size_t(choice) - ids.size() - 1];
}

QVariant pickValue(FuzzedDataProvider& in)
{
    static const std::array<double, 22> doubles{0,
                                                -0.0,
                                                0.5,
                                                2.5,
                                                -2.5,
                                                7,
                                                63.5,
                                                64,
                                                -3,
                                                2147483647.5,
                                                2147483648.0,
                                                -2147483648.5,
                                                -2147483649.0,
                                                3.4028234e38,
                                                3.4028236e38,
                                                1e39,
                                                1e308,
                                                kInf,
                                                -kInf,
                                                std::nan(""),
                                                std::numeric_limits<double>::denorm_min(),
                                                1e-46};
    static const std::array<const char*, 24> texts{
        "12",           " 12 ",         "1e309",      "-1e309",       "inf", "-inf",    "nan", "-0",
        "&H10",         "1,5",          "0x10",       "1.5e+",        "",    "  ",      "+1",  "1e-400",
        "3.4028236e38", "2147483647.5", "2147483648", "7 Dimensions", "1D3", "\t5\r\n", "٣",   "1e38"};
    switch (in.ConsumeIntegralInRange<int>(0, 13)) {
    case 0:
        return QVariant(in.ConsumeIntegral<qint32>());
    case 1:
        return QVariant(in.ConsumeIntegral<quint32>());
    case 2:
        return QVariant(in.ConsumeIntegral<qint64>());
    case 3:
        return QVariant(in.ConsumeIntegral<quint64>());
    case 4:
        return QVariant(in.PickValueInArray(doubles));
    case 5: {
        const quint64 bits = in.ConsumeIntegral<quint64>();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return QVariant(v);
    }
    case 6: {
        const quint32 bits = in.ConsumeIntegral<quint32>();
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return QVariant(v);
    }
    case 7:
        return QVariant(in.ConsumeBool());
    case 8:
        return QVariant(QString::fromUtf8(in.PickValueInArray(texts)));
    case 9:
        return QVariant(QString::fromStdString(in.ConsumeRandomLengthString(40)));
    case 10:
        return QVariant();
    case 11:
        return QVariant::fromValue(qint16(in.ConsumeIntegral<qint16>()));
    case 12:
        return QVariant::fromValue(static_cast<unsigned char>(in.ConsumeIntegral<quint8>()));
    default:
        switch (in.ConsumeIntegralInRange<int>(0, 5)) {
        case 0:
            return QVariant(QSize(3, 4));
        case 1:
            return QVariant(QPointF(1.5, 2));
        case 2:
            return QVariant(QByteArray("12"));
        case 3:
            return QVariant(QChar(u'7'));
        case 4:
            return QVariant(QColor(Qt::red));
        default:
            return QVariant(QStringList{QStringLiteral("1")});
        }
    }
}

bool knownCode(int code)
{
    return code == RuntimeError::Overflow || code == RuntimeError::SubscriptOutOfRange ||
           code == RuntimeError::TypeMismatch || code == RuntimeError::MemberNotFound;
}

Curve* control()
{
    static Curve* curve = [] {
        startApplication();
        auto* c = new Curve; // lives until the process ends
        c->show();
        return c;
    }();
    return curve;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Curve& curve = *control();
    CurvePrivate& s = *CurvePrivate::get(&curve);
    resetCurve(curve, 160, 120);
    FuzzedDataProvider in(data, size);
    // Texts cost most of a paint pass: mostly an input starts without the captions and scales,
    // which its puts may bring back.
    if (in.ConsumeIntegralInRange<int>(0, 3) != 0) {
        curve.setCurveCaption({});
        curve.setX_AxisText({});
        curve.setY_AxisText({});
        curve.setX_Step(0);
        curve.setY_Step(0);
    }

    // A paint pass costs far more than any other call: two per input keep the target fast.
    int paintsLeft = 2;
    for (int step = 0; step < 32 && in.remaining_bytes() > 0; ++step) {
        const int op = in.ConsumeIntegralInRange<int>(0, 99);
        switch (op < 78 ? 0 : op < 93 ? 1 : op < 98 ? 2 : op < 99 ? 3 : 4) {
        default: {
            const DispId member = pickMember(in);
            const QVariant value = pickValue(in);
            // Every property reads from these two: comparing them compares all properties.
            const CurveSettings settingsBefore = s.engine.settings();
            const PointTable pointsBefore = s.engine.points();
            try {
                curve.put(member, value);
            } catch (const RuntimeError& e) {
                FUZZ_CHECK(knownCode(e.code()));
                FUZZ_CHECK(s.engine.settings() == settingsBefore);
                FUZZ_CHECK(s.engine.points() == pointsBefore);
            }
            break;
        }
        case 1: {
            const DispId member = pickMember(in);
            try {
                const QVariant v = curve.get(member);
                FUZZ_CHECK(v.isValid());
                if (v.typeId() == QMetaType::Float)
                    FUZZ_CHECK(std::isfinite(v.toFloat()));
            } catch (const RuntimeError& e) {
                FUZZ_CHECK(knownCode(e.code()));
            }
            break;
        }
        case 2: {
            const DispId member = pickMember(in);
            if (member == RePaintId && paintsLeft-- <= 0)
                break;
            try {
                FUZZ_CHECK(!curve.invoke(member).isValid());
            } catch (const RuntimeError& e) {
                FUZZ_CHECK(e.code() == RuntimeError::MemberNotFound);
            }
            break;
        }
        case 3: { // a few small sizes: a picture's cost grows with its width, in scale labels
            static constexpr std::array<QSize, 8> sizes{
                {{160, 120}, {0, 0}, {1, 1}, {2, 1}, {1, 2}, {120, 80}, {40, 300}, {300, 200}}};
            curve.resize(in.PickValueInArray(sizes));
            break;
        }
        case 4:
            if (paintsLeft-- > 0)
                QCoreApplication::processEvents(); // the screen update: repaints a surface without a picture
            break;
        }
        // Only the host's puts write here, and a put stores finite singles only.
        for (int i = 0; i < SlotCount; ++i)
            FUZZ_CHECK(std::isfinite(s.engine.points().pointX(i)) &&
                       std::isfinite(s.engine.points().pointY(i)));
    }
    return 0;
}
