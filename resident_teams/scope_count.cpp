#include "resident_teams/scope_count.h"

#include "resident_teams/prepared_select.h"
#include "resident_teams/scope_code.h"

namespace cr::resident_teams {
namespace {

// Elements of one kind are counted many at a time: their keys go into a
// VALUES list joined to the houses, so an element listed twice is counted
// twice, just as one statement per element would count it. Totals are all
// the callers get, and a sum of per-element counts that are never negative
// is the same whether it is added up element by element or in one go.
//
// Persons are the living persons (as the counting view v_tc_ge_personinfo
// counts them) of each linked household, once per link, looked up through
// the index on the person's household. Summing the view per element gave the
// same totals but made the engine group the whole person table for every
// statement: minutes for a scope of a few hundred doors.
constexpr int kBatch = 100;   // elements per statement at most

// One kind of element: how many values make its key, their SQL type, how
// the keys meet the houses (empty for households, which are counted from
// the person table alone).
struct Kind {
    int keyColumns;
    const char* type;
    const char* joinKeys;
};

const Kind kDoor{2, "BIGINT", "TC_GE_HouseInfo.BuildingNo = e.column1 AND TC_GE_HouseInfo.UnitNo = e.column2"};
const Kind kBuilding{1, "BIGINT", "TC_GE_HouseInfo.BuildingNo = e.column1"};
const Kind kHouse{1, "BIGINT", "TC_GE_HouseInfo.HouseNo = e.column1"};
const Kind kHousehold{1, "TEXT", nullptr};

// (VALUES (CAST(:v0 AS BIGINT), CAST(:v1 AS BIGINT)), ...) e
QString valuesList(const Kind& k, int rows)
{
    QStringList lines;
    int v = 0;
    for (int r = 0; r < rows; ++r) {
        QStringList cells;
        for (int c = 0; c < k.keyColumns; ++c)
            cells << QStringLiteral("CAST(:v%1 AS %2)").arg(v++).arg(QLatin1String(k.type));
        lines << QLatin1Char('(') + cells.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    return QStringLiteral("(VALUES ") + lines.join(QStringLiteral(", ")) + QStringLiteral(") e");
}

// Households linked to the houses the keys meet, and the living persons of
// each linked household, once per link: one statement gives both counts, so
// the engine walks the houses and links a single time.
QString linksAndPersonsOf(const Kind& k, int rows)
{
    return QStringLiteral("SELECT COUNT(*), SUM((SELECT COUNT(*) FROM TC_GE_PersonInfo "
                          "WHERE TC_GE_PersonInfo.RprNo = TC_GE_RprOwnHouse.RprNo "
                          "AND isnull(TC_GE_PersonInfo.IsDeath, '0') <> '1')) "
                          "FROM %1 JOIN TC_GE_HouseInfo ON %2 "
                          "JOIN TC_GE_RprOwnHouse ON TC_GE_RprOwnHouse.HouseNo = TC_GE_HouseInfo.HouseNo")
        .arg(valuesList(k, rows), QLatin1String(k.joinKeys));
}

// Every person row of single households, the deceased too.
QString personsOfHouseholds(const Kind& k, int rows)
{
    return QStringLiteral("SELECT COUNT(*) FROM %1 JOIN TC_GE_PersonInfo ON TC_GE_PersonInfo.RprNo = e.column1")
        .arg(valuesList(k, rows));
}

// A count that is null or failed adds nothing.
void add(QSqlQuery* row, int column, qlonglong& total)
{
    if (!row) return;
    const QVariant v = row->value(column);
    if (!v.isNull() && v.toLongLong() > 0) total += v.toLongLong();
}

// The keys of one kind of element, counted in batches by statements that
// are prepared once and reused for every batch. A batch that is not full is
// filled up with NULL keys, which meet nothing.
class KindCount {
public:
    KindCount(Sqlca& sqlca, const Kind& kind) : m_sqlca(sqlca), m_kind(kind) {}
    void add(const QVariantList& key) { m_keys << key; }
    void run(qlonglong& households, qlonglong& persons)
    {
        if (m_keys.isEmpty()) return;
        const int rows = int(qMin<qsizetype>(kBatch, m_keys.size()));
        PreparedSelect count(m_sqlca, m_kind.joinKeys ? linksAndPersonsOf(m_kind, rows)
                                                      : personsOfHouseholds(m_kind, rows));
        for (qsizetype first = 0; first < m_keys.size(); first += rows) {
            QList<std::pair<QString, QVariant>> values;
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < m_kind.keyColumns; ++c)
                    values.append({QStringLiteral("v%1").arg(r * m_kind.keyColumns + c),
                                   first + r < m_keys.size() ? m_keys[first + r][c] : QVariant()});
            QSqlQuery* row = count.firstRow(values);
            if (m_kind.joinKeys) {
                resident_teams::add(row, 0, households);
                resident_teams::add(row, 1, persons);
            } else {
                resident_teams::add(row, 0, persons);
            }
        }
    }

private:
    Sqlca& m_sqlca;
    const Kind& m_kind;
    QList<QVariantList> m_keys;
};

} // namespace

int gf_scope2rprnum(Sqlca& sqlca, const QString& as_scopecode, qlonglong& al_rprnum, qlonglong& al_personnum)
{
    al_rprnum = 0;
    al_personnum = 0;
    if (as_scopecode.isEmpty()) return 0;

    KindCount doors(sqlca, kDoor), buildings(sqlca, kBuilding), houses(sqlca, kHouse), households(sqlca, kHousehold);
    for (const ScopeElement& e : parseScopeCode(as_scopecode)) {
        switch (e.kind) {
        case ScopeElement::Kind::Door:
            doors.add({e.building, e.door});
            break;
        case ScopeElement::Kind::Building:
            buildings.add({e.building});
            break;
        case ScopeElement::Kind::House:
            houses.add({e.house});
            break;
        case ScopeElement::Kind::Household:
            // Counted without looking the household up.
            al_rprnum += 1;
            households.add({e.household});
            break;
        case ScopeElement::Kind::Ignored:
            break;
        }
    }
    for (KindCount* k : {&doors, &buildings, &houses, &households}) k->run(al_rprnum, al_personnum);
    return 0;
}

} // namespace cr::resident_teams
