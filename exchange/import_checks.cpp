#include "exchange/import_checks.h"

#include "exchange/registry_lookup.h"
#include "schema/id_card_number.h"

#include <QDate>
#include <QSet>
#include <QSqlQuery>

namespace cr::exchange {
namespace {

QString str(const ImportRecord& r, const char* column)
{
    return r.values.value(QLatin1String(column)).toString();
}

QString heading(ImportKind kind, const char* column)
{
    const ImportField* f = importKind(kind).field(QLatin1String(column));
    return f ? f->heading : QString();
}

QStringList valuesOf(const QList<ImportRecord>& records, const char* column)
{
    QStringList values;
    for (const ImportRecord& r : records)
        if (!str(r, column).isEmpty()) values << str(r, column);
    return values;
}

// Rows that repeat an earlier row's key are reported, not imported.
QList<ImportRecord> dropRepeats(QList<ImportRecord>& records, ImportKind kind, const char* keyHeadingColumn,
                                const std::function<QString(const ImportRecord&)>& key, ImportPlan& plan)
{
    QHash<QString, int> first;
    QList<ImportRecord> kept;
    for (const ImportRecord& r : records) {
        const QString k = key(r);
        if (first.contains(k)) {
            plan.problems << ImportProblem{r.row, heading(kind, keyHeadingColumn),
                                           QStringLiteral("与第%1行重复。").arg(first.value(k))};
            continue;
        }
        first.insert(k, r.row);
        kept << r;
    }
    return kept;
}

// An identity card number gives the birth date and the sex; what the file
// says must agree with it, and what it leaves out is taken from it.
bool completeFromIdCard(ImportRecord& r, ImportPlan& plan)
{
    const QString id = str(r, "idcard");
    const QDate birth = schema::IdCardNumber::birthDate(id);
    const QString sex = schema::IdCardNumber::isMale(id) ? QStringLiteral("1") : QStringLiteral("2");
    bool good = true;
    const QVariant given = r.values.value(QStringLiteral("birthdate"));
    if (given.isNull()) r.values.insert(QStringLiteral("birthdate"), birth);
    else if (given.toDate() != birth) {
        plan.problems << ImportProblem{r.row, heading(ImportKind::Persons, "birthdate"),
                                       QStringLiteral("与证件号码中的出生日期%1不符。")
                                           .arg(birth.toString(QStringLiteral("yyyy-MM-dd")))};
        good = false;
    }
    const QString givenSex = str(r, "sex");
    if (givenSex.isEmpty()) r.values.insert(QStringLiteral("sex"), sex);
    else if ((givenSex == QLatin1String("1") || givenSex == QLatin1String("2")) && givenSex != sex) {
        plan.problems << ImportProblem{r.row, heading(ImportKind::Persons, "sex"),
                                       QStringLiteral("与证件号码不符（号码为%1性）。")
                                           .arg(sex == QLatin1String("1") ? QStringLiteral("男") : QStringLiteral("女"))};
        good = false;
    }
    return good;
}

bool checkHouseholdsExist(Sqlca& sqlca, ImportKind kind, QList<ImportRecord>& records, ImportPlan& plan,
                          QString* error)
{
    QSet<QString> known;
    if (!existingValues(sqlca, QStringLiteral("tc_ge_rpr"), QStringLiteral("rprno"), valuesOf(records, "rprno"),
                        &known, error))
        return false;
    QList<ImportRecord> kept;
    for (const ImportRecord& r : records) {
        const QString rprno = str(r, "rprno");
        if (!rprno.isEmpty() && !known.contains(rprno)) {
            plan.problems << ImportProblem{r.row, heading(kind, "rprno"),
                                           QStringLiteral("户号“%1”尚未登记，请先导入户籍。").arg(rprno)};
            continue;
        }
        kept << r;
    }
    records = kept;
    return true;
}

void splitPresent(const QList<ImportRecord>& records, const std::function<bool(const ImportRecord&)>& registered,
                  ImportPlan& plan)
{
    for (const ImportRecord& r : records) {
        if (registered(r)) plan.present << r.row;
        else plan.toAdd << r;
    }
}

bool checkPersons(Sqlca& sqlca, QList<ImportRecord>& records, ImportPlan& plan, QString* error)
{
    QList<ImportRecord> complete;
    for (ImportRecord& r : records)
        if (completeFromIdCard(r, plan)) complete << r;
    records = dropRepeats(complete, ImportKind::Persons, "idcard",
                          [](const ImportRecord& r) { return recordKey(ImportKind::Persons, r); }, plan);
    if (!checkHouseholdsExist(sqlca, ImportKind::Persons, records, plan, error)) return false;
    QSet<QString> registered;
    if (!registeredKeys(sqlca, ImportKind::Persons, records, &registered, error)) return false;
    splitPresent(records, [&](const ImportRecord& r) { return registered.contains(recordKey(ImportKind::Persons, r)); },
                 plan);
    return true;
}

bool checkHouseholds(Sqlca& sqlca, QList<ImportRecord>& records, ImportPlan& plan, QString* error)
{
    records = dropRepeats(records, ImportKind::Households, "rprno",
                          [](const ImportRecord& r) { return recordKey(ImportKind::Households, r); }, plan);
    QSet<QString> registered;
    if (!registeredKeys(sqlca, ImportKind::Households, records, &registered, error)) return false;
    splitPresent(records, [&](const ImportRecord& r) { return registered.contains(recordKey(ImportKind::Households, r)); },
                 plan);
    return true;
}

// How a household lives in the house: 01 in its own, 02 otherwise.
std::optional<QString> housingKind(const QString& written)
{
    if (written.isEmpty()) return QString();
    static const QHash<QString, QString> kinds{
        {QStringLiteral("01"), QStringLiteral("01")}, {QStringLiteral("自有"), QStringLiteral("01")},
        {QStringLiteral("自有住房"), QStringLiteral("01")}, {QStringLiteral("产权"), QStringLiteral("01")},
        {QStringLiteral("02"), QStringLiteral("02")}, {QStringLiteral("租住"), QStringLiteral("02")},
        {QStringLiteral("借住"), QStringLiteral("02")}, {QStringLiteral("其他"), QStringLiteral("02")}};
    const auto it = kinds.constFind(written);
    if (it == kinds.constEnd()) return std::nullopt;
    return *it;
}

bool checkLinks(Sqlca& sqlca, QList<ImportRecord>& records, ImportPlan& plan, QString* error)
{
    if (!checkHouseholdsExist(sqlca, ImportKind::Links, records, plan, error)) return false;
    HouseDirectory houses;
    if (!houses.load(sqlca, error)) return false;
    QList<ImportRecord> placed;
    for (ImportRecord& r : records) {
        const HouseDirectory::Found house = houses.find(str(r, "building"), str(r, "door"), str(r, "housenumber"));
        if (house.houseno == 0) {
            plan.problems << ImportProblem{r.row, heading(ImportKind::Links, house.column.toLatin1().constData()),
                                           house.problem};
            continue;
        }
        const auto kind = housingKind(str(r, "housingkind"));
        if (!kind) {
            plan.problems << ImportProblem{r.row, heading(ImportKind::Links, "housingkind"),
                                           QStringLiteral("应为“自有”或“租住”（或代码01、02）。")};
            continue;
        }
        r.values.insert(QStringLiteral("houseno"), house.houseno);
        r.values.insert(QStringLiteral("housingkind"), kind->isEmpty() ? QVariant() : QVariant(*kind));
        placed << r;
    }
    records = dropRepeats(placed, ImportKind::Links, "housenumber",
                          [](const ImportRecord& r) { return recordKey(ImportKind::Links, r); }, plan);
    QSet<QString> registered;
    if (!registeredKeys(sqlca, ImportKind::Links, records, &registered, error)) return false;
    splitPresent(records, [&](const ImportRecord& r) { return registered.contains(recordKey(ImportKind::Links, r)); },
                 plan);
    return true;
}

} // namespace

QString recordKey(ImportKind kind, const ImportRecord& record)
{
    switch (kind) {
    case ImportKind::Persons: return str(record, "idcard");
    case ImportKind::Households: return str(record, "rprno");
    case ImportKind::Links:
        return str(record, "rprno") + QLatin1Char('/')
               + QString::number(record.values.value(QStringLiteral("houseno")).toLongLong());
    }
    return {};
}

bool registeredKeys(Sqlca& sqlca, ImportKind kind, const QList<ImportRecord>& records, QSet<QString>* keys,
                    QString* error)
{
    switch (kind) {
    case ImportKind::Persons: {
        // Numbers stored with a lower-case x are the same person.
        QStringList ids = valuesOf(records, "idcard");
        for (const QString& id : valuesOf(records, "idcard"))
            if (id.endsWith(QLatin1Char('X'))) ids << id.toLower();
        QSet<QString> found;
        if (!existingValues(sqlca, QStringLiteral("tc_ge_personinfo"), QStringLiteral("idcard"), ids, &found, error))
            return false;
        for (const QString& id : found) keys->insert(id.toUpper());
        return true;
    }
    case ImportKind::Households:
        return existingValues(sqlca, QStringLiteral("tc_ge_rpr"), QStringLiteral("rprno"), valuesOf(records, "rprno"),
                              keys, error);
    case ImportKind::Links:
        // Every link of the households in the file.
        return selectForValues(
            sqlca, QStringLiteral("SELECT rprno, houseno FROM tc_ge_rprownhouse WHERE rprno IN (%1)"),
            valuesOf(records, "rprno"),
            [keys](const QSqlQuery& q) {
                keys->insert(q.value(0).toString() + QLatin1Char('/') + QString::number(q.value(1).toLongLong()));
            },
            error);
    }
    return false;
}

bool checkRecords(Sqlca& sqlca, ImportKind kind, QList<ImportRecord>& records, ImportPlan& plan, QString* error)
{
    switch (kind) {
    case ImportKind::Persons: return checkPersons(sqlca, records, plan, error);
    case ImportKind::Households: return checkHouseholds(sqlca, records, plan, error);
    case ImportKind::Links: return checkLinks(sqlca, records, plan, error);
    }
    return false;
}

} // namespace cr::exchange
