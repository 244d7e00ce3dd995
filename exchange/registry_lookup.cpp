#include "exchange/registry_lookup.h"

#include "frame/sqlca.h"

#include <QRegularExpression>

namespace cr::exchange {

bool selectForValues(Sqlca& sqlca, const QString& select, const QStringList& values,
                     const std::function<void(const QSqlQuery&)>& row, QString* error)
{
    constexpr int kPortion = 100;
    for (int start = 0; start < values.size(); start += kPortion) {
        const QStringList portion = values.mid(start, kPortion);
        QVariantList bound;
        for (const QString& v : portion) bound << v;
        auto q = sqlca.selectRaw(select.arg(QStringList(portion.size(), QStringLiteral("?")).join(QLatin1Char(','))),
                                 bound);
        if (!q) {
            *error = QStringLiteral("读取登记库失败：%1").arg(sqlca.sqlErrText());
            return false;
        }
        while (q->next()) row(*q);
    }
    return true;
}

bool existingValues(Sqlca& sqlca, const QString& table, const QString& column, const QStringList& values,
                    QSet<QString>* found, QString* error)
{
    return selectForValues(sqlca, QStringLiteral("SELECT %1 FROM %2 WHERE %1 IN (%3)").arg(column, table, QStringLiteral("%1")),
                           values, [found](const QSqlQuery& q) { found->insert(q.value(0).toString()); }, error);
}

bool HouseDirectory::load(Sqlca& sqlca, QString* error)
{
    // One result at a time: a connection may stream only one.
    auto buildings = sqlca.select(QStringLiteral("SELECT buildingno, address, buildingname FROM tc_ge_building"));
    if (!buildings) {
        *error = QStringLiteral("读取楼院失败：%1").arg(sqlca.sqlErrText());
        return false;
    }
    while (buildings->next()) {
        const qlonglong no = buildings->value(0).toLongLong();
        const QString address = buildings->value(1).toString().trimmed();
        const QString name = buildings->value(2).toString().trimmed();
        if (!address.isEmpty()) m_byAddress.insert(address, no);
        if (!name.isEmpty()) m_byName.insert(name, no);
    }
    buildings.reset();
    auto houses =
        sqlca.select(QStringLiteral("SELECT houseno, buildingno, unitno, unitname, housenumber FROM tc_ge_houseinfo"));
    if (!houses) {
        *error = QStringLiteral("读取房屋失败：%1").arg(sqlca.sqlErrText());
        return false;
    }
    while (houses->next()) {
        House h;
        h.houseno = houses->value(0).toLongLong();
        h.unitno = houses->value(2).toLongLong();
        h.unitname = houses->value(3).toString().trimmed();
        h.number = houses->value(4).toString().trimmed();
        m_houses[houses->value(1).toLongLong()] << h;
    }
    return true;
}

HouseDirectory::Found HouseDirectory::find(const QString& building, const QString& door,
                                           const QString& houseNumber) const
{
    Found found;
    const QString b = building.trimmed();
    qlonglong buildingNo = 0;
    if (m_byAddress.contains(b)) buildingNo = m_byAddress.value(b);
    else if (m_byName.contains(b)) buildingNo = m_byName.value(b);
    else {
        found.problem = QStringLiteral("楼院“%1”没有登记（按楼院地址或楼院俗称查找）。").arg(b);
        found.column = QStringLiteral("building");
        return found;
    }

    // "2单元" and "2" name door 2; a text without a number names the door word.
    static const QRegularExpression numbered(QStringLiteral(R"(^\s*(\d+)\s*(.*)$)"));
    const QRegularExpressionMatch m = numbered.match(door);
    const bool anyDoor = door.trimmed().isEmpty();
    const qlonglong doorNo = m.hasMatch() ? m.captured(1).toLongLong() : 0;
    const QString number = houseNumber.trimmed();
    const QString withRoom = number.endsWith(QChar(0x5BA4)) ? number : number + QChar(0x5BA4);   // 室

    QList<qlonglong> matches;
    for (const House& h : m_houses.value(buildingNo)) {
        if (h.number != number && h.number != withRoom) continue;
        const bool doorFits = anyDoor || (m.hasMatch() ? h.unitno == doorNo
                                                       : h.unitno == 0 && h.unitname == door.trimmed());
        if (doorFits) matches << h.houseno;
    }
    found.column = anyDoor || matches.size() > 1 ? QStringLiteral("housenumber") : QStringLiteral("door");
    if (matches.size() == 1) {
        found.houseno = matches.first();
    } else if (matches.isEmpty()) {
        found.problem = anyDoor ? QStringLiteral("楼院“%1”中没有房号“%2”。").arg(b, number)
                                : QStringLiteral("楼院“%1”的“%2”中没有房号“%3”。").arg(b, door.trimmed(), number);
    } else {
        found.problem = QStringLiteral("楼院“%1”中有%2个房号“%3”，请填写楼门。").arg(b).arg(matches.size()).arg(number);
    }
    return found;
}

} // namespace cr::exchange
