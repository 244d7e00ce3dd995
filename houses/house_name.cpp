#include "houses/house_name.h"

#include "frame/sqlca.h"

namespace cr::houses {
namespace {

// Integer value of a key piece; a piece that is empty or not a whole number
// counts as 0, which matches no row and keeps the later queries harmless.
qlonglong numberOf(const QString& piece)
{
    bool ok = false;
    const qlonglong n = piece.trimmed().toLongLong(&ok);
    return ok ? n : 0;
}

// A NULL column is empty text in a composed name.
QString textOf(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

// One-column lookup: `previous` stays when no row is found or the query fails.
QString lookup(Sqlca& sqlca, const QString& sql, const char* param, const QVariant& value,
               const QString& previous = QString())
{
    const QVariant v = sqlca.selectValue(sql, {{QLatin1String(param), value}});
    if (sqlca.sqlCode() != Sqlca::Success) return previous;
    return textOf(v);
}

QString buildingName(Sqlca& sqlca, const QVariant& buildingNo)
{
    return lookup(sqlca, QStringLiteral("select buildingname from tc_ge_building where buildingno = :buildingno"),
                  "buildingno", buildingNo);
}

QString buildingOrDoor(Sqlca& sqlca, const QString& code)
{
    const int u = code.indexOf(QLatin1Char('U'));
    if (u < 0) return buildingName(sqlca, numberOf(code.mid(1)));

    const qlonglong buildingNo = numberOf(code.mid(1, u - 1));
    const qlonglong doorNo = numberOf(code.mid(u + 1));
    const QString building = buildingName(sqlca, buildingNo);
    // A door has no table: its name is the door word of any house row with
    // that number, whatever the building.
    const QString door =
        lookup(sqlca, QStringLiteral("select top 1 unitname from tc_ge_houseinfo where unitno = :unitno"), "unitno",
               doorNo);
    return door + QLatin1Char('(') + building + QLatin1Char(')');
}

QString house(Sqlca& sqlca, const QString& code)
{
    QString number;
    QString door;
    QVariant buildingNo = 0;
    {
        auto q = sqlca.select(QStringLiteral("select housenumber , buildingno , unitname from tc_ge_houseinfo "
                                             "where houseno = :houseno"),
                              {{QStringLiteral("houseno"), numberOf(code.mid(1))}});
        if (q && q->next()) {
            number = textOf(q->value(0));
            buildingNo = q->value(1);
            door = textOf(q->value(2));
        }
    }
    const QString building = buildingName(sqlca, buildingNo);
    return number + QLatin1Char('(') + building + door + QLatin1Char(')');
}

} // namespace

QString gf_gethousename(Sqlca& sqlca, const QString& as_housecode)
{
    if (as_housecode.isEmpty()) return QString(QLatin1String(""));
    switch (as_housecode.at(0).unicode()) {
    case 'B':
        return buildingOrDoor(sqlca, as_housecode);
    case 'H':
        return house(sqlca, as_housecode);
    case 'R':
        // The household number is text: leading zeros count.
        return lookup(sqlca, QStringLiteral("select hostname From tc_ge_rpr where rprno = :rprno"), "rprno",
                      as_housecode.mid(1));
    default:
        return QString(QLatin1String(""));
    }
}

} // namespace cr::houses
