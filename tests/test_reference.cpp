// The property tables of README.md against the control itself: every Qt property of Curve, those of
// the late-bound face first and in its order, with the types of the Qt properties and the defaults
// that a fresh control reads. (The tables come from the header's comments: docs/members.py, whose
// output the test reference_readme compares with the README.)
#include "latebound/MemberTable.h"

#include <knotel/Curve.h>

#include <QFile>
#include <QMetaProperty>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace knotel;

namespace {

struct Row {
    QString name;
    QString type;
    QString fallback;
    bool lateBound; ///< in the first table, that of the late-bound face
};

QString unquoted(QString cell, QChar mark)
{
    cell = cell.trimmed();
    if (cell.size() >= 2 && cell.front() == mark && cell.back() == mark)
        cell = cell.mid(1, cell.size() - 2);
    return cell;
}

/** The rows of the tables headed "| Property | Type | Default |", in their order. */
std::vector<Row> readmeRows(const QString& readme)
{
    std::vector<Row> rows;
    const QStringList lines = readme.split(QLatin1Char('\n'));
    int table = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].startsWith(QStringLiteral("| Property | Type | Default |")))
            continue;
        ++table;
        for (i += 2; i < lines.size() && lines[i].startsWith(QLatin1Char('|')); ++i) {
            const QStringList cells = lines[i].split(QRegularExpression(QStringLiteral("(?<!\\\\)\\|")));
            if (cells.size() != 8)
                return {};
            rows.push_back({unquoted(cells[1], QLatin1Char('`')), unquoted(cells[2], QLatin1Char('`')),
                            cells[3].trimmed(), table == 1});
        }
    }
    return rows;
}

} // namespace

TEST(Reference, ReadmeTablesMatchTheControl)
{
    QFile file(QStringLiteral(KNOTEL_README));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString readme = QString::fromUtf8(file.readAll());
    const std::vector<Row> rows = readmeRows(readme);

    int count = 0;
    const Member* table = members(&count);
    const QMetaObject& meta = Curve::staticMetaObject;
    ASSERT_EQ(rows.size(), std::size_t(meta.propertyCount() - meta.propertyOffset()))
        << "one row per property";
    Curve fresh;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const QMetaProperty property = meta.property(meta.propertyOffset() + int(i));
        ASSERT_EQ(row.name.toStdString(), property.name()) << "row " << i;
        const bool lateBound = int(i) < count - 1;
        EXPECT_EQ(row.lateBound, lateBound) << property.name() << ": in the table of the late-bound face";
        if (lateBound) {
            EXPECT_EQ(QLatin1StringView(table[i + 1].name), QLatin1StringView(property.name()));
        }
        EXPECT_EQ(QMetaType::fromName(row.type.toUtf8()), property.metaType()) << property.name();

        const QVariant actual = property.read(&fresh);
        bool ok = true;
        switch (actual.typeId()) {
        case QMetaType::Int:
            EXPECT_EQ(row.fallback.toInt(&ok, 0), actual.toInt()) << property.name();
            break;
        case QMetaType::Float:
            EXPECT_EQ(row.fallback.toFloat(&ok), actual.toFloat()) << property.name();
            break;
        case QMetaType::QString:
            EXPECT_EQ(row.fallback.toStdString(), '"' + actual.toString().toStdString() + '"');
            break;
        default:
            EXPECT_EQ(row.fallback, actual.toString()) << property.name();
        }
        EXPECT_TRUE(ok) << property.name() << ": default " << row.fallback.toStdString();
    }
    EXPECT_EQ(QLatin1StringView(table[0].name), QLatin1StringView("RePaint"));
    EXPECT_TRUE(readme.contains(QStringLiteral("- `RePaint()`:")));
    EXPECT_GE(meta.indexOfSignal("DroppedValue(int&)"), 0);
    EXPECT_TRUE(readme.contains(QStringLiteral("- `DroppedValue(int& DropIndex)`")));
}
