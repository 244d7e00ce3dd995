#pragma once

#include "catalog/module_catalog.h"
#include "exchange/csv_format.h"
#include "exchange/import_plan.h"
#include "exchange/sheet_reader.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "support/test_db.h"

#include <QFile>
#include <QTemporaryDir>

namespace cr::exchange::test {

// A registry on each engine with the module's views, a folder for files
// and small helpers to put buildings, houses and households in.
class ExchangeTest : public cr::test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        catalog::registerViews(catalog);
        db().setCommNo(QStringLiteral("110105001001"));
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // A CSV file of the given lines (cells separated by commas), UTF-8 with BOM.
    QString csvFile(const QString& name, const QList<QStringList>& lines)
    {
        QByteArray bytes("\xEF\xBB\xBF");
        for (const QStringList& line : lines) bytes += csvLine(line);
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path(name);
    }

    ImportPlan plan(ImportKind kind, const QString& file) { return planImport(db(), kind, readSheet(file)); }

    qlonglong building(const QString& address, const QString& name)
    {
        const QVariant k = db().insertReturningKey(
            QStringLiteral("INSERT INTO tc_ge_building (commno, address, buildingname, roomtype, issave) "
                           "VALUES ('1', :a, :n, '01', '1')"),
            {{QStringLiteral("a"), address}, {QStringLiteral("n"), name}}, QStringLiteral("buildingno"));
        EXPECT_FALSE(k.isNull()) << db().sqlErrText().toStdString();
        db().commit();
        return k.toLongLong();
    }

    qlonglong house(qlonglong building, QVariant door, const QString& word, const QString& number)
    {
        const QVariant k = db().insertReturningKey(
            QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, floorno, housenumber, "
                           "issave) VALUES ('1', :b, :u, :w, 1, :n, '1')"),
            {{QStringLiteral("b"), building}, {QStringLiteral("u"), door}, {QStringLiteral("w"), word},
             {QStringLiteral("n"), number}},
            QStringLiteral("houseno"));
        EXPECT_FALSE(k.isNull()) << db().sqlErrText().toStdString();
        db().commit();
        return k.toLongLong();
    }

    void household(const QString& rprno, const QString& head)
    {
        EXPECT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_rpr (commno, rprno, hostname) VALUES ('1', :r, :h)"),
                                 {{QStringLiteral("r"), rprno}, {QStringLiteral("h"), head}}))
            << db().sqlErrText().toStdString();
        db().commit();
    }

    qlonglong count(const QString& table)
    {
        return db().selectValue(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toLongLong();
    }

    ViewCatalog catalog;
    QTemporaryDir dir;
};

// Problems as "row column: message" lines, for readable failures.
inline std::string problemsText(const ImportPlan& plan)
{
    QStringList lines;
    for (const ImportProblem& p : plan.problems) lines << p.text();
    return lines.join(QLatin1Char('\n')).toStdString();
}

} // namespace cr::exchange::test
