#pragma once

#include "frame/db_target.h"
#include "frame/record_references.h"

#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace cr {

class PreparedStatement;
class RowCursor;

// Everything that differs between the embedded SQLite database and the shared
// PostgreSQL database. No other code asks which engine it talks to.
//
// The windows write their SQL in the registry's historical dialect: `top 1`,
// convert(varchar(10), x), Cast(x as char(10)), space(0), isnull(a, b) and `+`
// between texts (NULL-propagating). render() turns such a statement into the
// engine's own SQL; identifiers are left unquoted so that mixed-case names
// (TC_GE_Building/BuildingNo) and lower-case ones name the same objects.
class Dialect {
public:
    virtual ~Dialect() = default;

    static std::unique_ptr<Dialect> create(Engine engine);

    virtual Engine engine() const = 0;
    virtual QString driverName() const = 0;          // Qt SQL driver
    virtual QString displayName() const = 0;         // "SQLite" / "PostgreSQL"

    // Module dialect -> engine SQL. Results are cached by the caller (Sqlca).
    QString render(const QString& moduleSql) const;

    // --- pieces used by render() and by the schema builder -------------
    virtual QString limitClause(int n) const { return QStringLiteral(" LIMIT %1").arg(n); }
    virtual QString textCast(const QString& expr, int length) const = 0;
    virtual QString identityKeyType() const = 0;     // database-assigned integer key column
    virtual QString textType(int length) const = 0;
    virtual QString decimalType(int precision, int scale) const = 0;
    virtual QString dateType() const = 0;
    virtual QString integerType() const { return QStringLiteral("INTEGER"); }

    // Statements run right after connecting (pragmas, search_path, the lock
    // wait ...).
    virtual QStringList sessionSetup(const DbTarget& target) const = 0;
    // How long a statement of this session waits for what another holds
    // before it fails as busy.
    virtual QString lockWait(int milliseconds) const = 0;

    // Settings of the session for one load of very many rows (the demo
    // community, a copy of a whole registry), and the statements that put the
    // defaults back afterwards. Empty where the engine needs nothing.
    virtual QStringList bulkLoadStart() const { return {}; }
    virtual QStringList bulkLoadEnd() const { return {}; }

    // Most bound values one statement may carry (multi-row inserts).
    virtual int maxBoundValues() const = 0;

    // --- batched writes and reads (the data view) ------------------------
    // Rows one INSERT (or keys one DELETE) carries when a save writes many
    // rows of one shape; chosen by measuring the batch house generation
    // (docs/benchmarks.md). 1 = one reused single-row statement per row.
    virtual int rowsPerStatement() const = 0;
    // A SELECT read straight from the engine's client library; nullptr when
    // the engine has no such path (the driver's query serves) or, with
    // *error set, when the statement fails.
    virtual std::unique_ptr<RowCursor> openCursor(const QSqlDatabase& db, const QString& engineSql,
                                                  const QList<QPair<QString, QVariant>>& params,
                                                  QString* error) const;
    // A statement prepared once and run again per row (or batch of rows)
    // through the engine's client library; nullptr as for openCursor.
    virtual std::unique_ptr<PreparedStatement> prepareStatement(const QSqlDatabase& db, const QString& engineSql,
                                                                QString* error) const;

    // --- serialising writers ---------------------------------------------
    // Starts a unit of work that other writers of the database wait for
    // (empty: the driver's ordinary begin).
    virtual QString beginSerialized() const { return {}; }
    // Inside a unit of work: locks one row of a table by its key until the
    // commit, one bound value (empty when beginSerialized already holds
    // every other writer off).
    virtual QString lockRow(const QString& /*table*/, const QString& /*keyColumn*/) const { return {}; }

    // After rows were inserted with explicit keys: the statement that moves
    // the key generator of table.column past the largest key (empty when the
    // engine keeps track by itself).
    virtual QString identityResync(const QString&, const QString&) const { return {}; }

    // Names of the tables and views of the database (PostgreSQL: of the
    // schema in use), the engine's own bookkeeping left out.
    virtual QString listTables() const = 0;

    // --- guards on links between tables ------------------------------------
    // Statements after which the database refuses a row whose
    // reference.column names no row of the master table, and the deletion
    // (or change of key) of a master row still named. Each passes over a
    // database that already has the guard. Rows stored before are not
    // checked; the upgrade lists them (schema/orphans.*). `name` names the
    // guard in the catalog.
    virtual QStringList referenceGuard(const RecordReference& reference, const QString& name) const = 0;

    // CREATE VIEW ... that replaces an existing view.
    virtual QString createOrReplaceView(const QString& name, const QString& select) const = 0;
};

} // namespace cr
