// The property table of README.md against the control itself: names in interface order, types of
// the Qt properties, and the defaults that a fresh control reads.
#include "latebound/MemberTable.h"

#include <knotel/Curve.h>

#include <QFile>
#include <QMetaProperty>

#include <gtest/gtest.h>

using namespace knotel;

namespace {

struct Row {
    QString name;
    QString type;
    QString fallback;
};

QString unquoted(QString cell, QChar mark)
{
    cell = cell.trimmed();
    if (cell.size() >= 2 && cell.front() == mark && cell.back() == mark)
        cell = cell.mid(1, cell.size() - 2);
    return cell;
}

/** The rows of the table headed "| Property | Type | Default |". */
std::vector<Row> readmeRows(const QString& readme)
{
    std::vector<Row> rows;
    const QStringList lines = readme.split(QLatin1Char('\n'));
    qsizetype i = lines.indexOf(QStringLiteral("| Property | Type | Default | What it does | Errors |"));
    if (i < 0)
        return rows;
    for (i += 2; i < lines.size() && lines[i].startsWith(QLatin1Char('|')); ++i) {
        const QStringList cells = lines[i].split(QLatin1Char('|'));
        if (cells.size() != 7)
            return {};
        rows.push_back(
            {unquoted(cells[1], QLatin1Char('`')), unquoted(cells[2], QLatin1Char('`')), cells[3].trimmed()});
    }
    return rows;
}

} // namespace

TEST(Reference, ReadmeTableMatchesTheControl)
{
    QFile file(QStringLiteral(KNOTEL_README));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString readme = QString::fromUtf8(file.readAll());
    const std::vector<Row> rows = readmeRows(readme);

    int count = 0;
    const Member* table = members(&count);
    ASSERT_EQ(rows.size(), std::size_t(count - 1)) << "one row per property";
    Curve fresh;
    const QMetaObject& meta = Curve::staticMetaObject;
    for (int i = 1; i < count; ++i) {
        const Member& member = table[i];
        const Row& row = rows[std::size_t(i - 1)];
        ASSERT_EQ(row.name.toStdString(), member.name) << "row " << i;
        EXPECT_EQ(QMetaType::fromName(row.type.toUtf8()),
                  meta.property(meta.indexOfProperty(member.name)).metaType())
            << member.name << ": " << row.type.toStdString();

        const QVariant actual = fresh.get(member.id);
        bool ok = true;
        switch (member.kind) {
        case MemberKind::Int32:
            EXPECT_EQ(row.fallback.toInt(&ok, 0), actual.toInt()) << member.name;
            break;
        case MemberKind::Single:
            EXPECT_EQ(row.fallback.toFloat(&ok), actual.toFloat()) << member.name;
            break;
        case MemberKind::Text:
            EXPECT_EQ(row.fallback.toStdString(), '"' + actual.toString().toStdString() + '"');
            break;
        case MemberKind::Method:
            break;
        }
        EXPECT_TRUE(ok) << member.name << ": default " << row.fallback.toStdString();
    }
    EXPECT_EQ(QLatin1StringView(table[0].name), QLatin1StringView("RePaint"));
    EXPECT_TRUE(readme.contains(QStringLiteral("- `RePaint()`:")));
    EXPECT_GE(meta.indexOfSignal("DroppedValue(int&)"), 0);
    EXPECT_TRUE(readme.contains(QStringLiteral("- `DroppedValue(int& DropIndex)`")));
}
