#pragma once

#include "frame/db_error.h"
#include "frame/db_target.h"
#include "frame/dialect.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <span>
#include <QVariant>
#include <memory>
#include <optional>

namespace cr {

class PreparedStatement;
class RowCursor;

// Values bound by name: {"buildingno", 12} binds :buildingno.
using SqlParams = QList<QPair<QString, QVariant>>;

// The one database connection every window and function uses (the windows'
// `sqlca`). Statements are written in the module's SQL dialect, rendered for
// the engine by the Dialect, and always take their values as bound
// parameters. After each statement sqlCode() tells how it went, as the
// windows test it: 0 success, 100 no row found, -1 failure (sqlErrText() then
// holds the database's message, sqlError() the same as the clerk reads it).
//
// A unit of work starts with the first statement that writes and ends with
// commit() or rollback(); reads outside one run in autocommit mode.
class Sqlca {
public:
    static constexpr int Success = 0;
    static constexpr int NotFound = 100;
    static constexpr int Failure = -1;

    // Opens a connection; nullptr and a Chinese message when that fails
    // (`failure` gets it with the engine's words apart).
    static std::unique_ptr<Sqlca> connect(const DbTarget& target, QString* error, DbError* failure = nullptr);
    ~Sqlca();
    Sqlca(const Sqlca&) = delete;
    Sqlca& operator=(const Sqlca&) = delete;

    const DbTarget& target() const { return m_target; }
    const Dialect& dialect() const { return *m_dialect; }
    QSqlDatabase database() const { return m_db; }

    int sqlCode() const { return m_code; }
    QString sqlErrText() const { return m_errText; }
    // The last failure in the clerk's words, the engine's text as its detail;
    // kind None after a success.
    DbError sqlError() const;
    qint64 sqlNRows() const { return m_rows; }

    // INSERT / UPDATE / DELETE / DDL in the module dialect.
    bool execute(const QString& sql, const SqlParams& params = {});
    // First column of the first row; a null QVariant with sqlCode() 100 when
    // there is no row, -1 on failure.
    QVariant selectValue(const QString& sql, const SqlParams& params = {});
    // Whole result, positioned before the first row; nullopt on failure.
    std::optional<QSqlQuery> select(const QString& sql, const SqlParams& params = {});
    // INSERT that reads back the key the database assigned (null on failure).
    QVariant insertReturningKey(const QString& sql, const SqlParams& params, const QString& keyColumn);

    // Engine SQL as it stands (schema builder, bulk loaders); positional '?'.
    bool executeRaw(const QString& sql, const QVariantList& values = {});
    std::optional<QSqlQuery> selectRaw(const QString& sql, const QVariantList& values = {});

    // Changes how long statements wait for rows, tables or the file another
    // session holds (DbTarget::lockWaitMs) for the rest of this session.
    bool setLockWait(int milliseconds);
    // A SELECT in the module dialect read row by row (the data views'
    // retrieval); nullptr on failure.
    std::unique_ptr<RowCursor> openCursor(const QString& sql, const SqlParams& params = {});

    // Engine SQL prepared once and run again with new positional values (a
    // save writing many rows of one shape). prepare() gives nullptr on
    // failure; runPrepared() starts the unit of work for statements that
    // write, like executeRaw.
    std::unique_ptr<PreparedStatement> prepare(const QString& engineSql);
    bool runPrepared(PreparedStatement& statement, std::span<const QVariant> values, bool writes);

    bool inTransaction() const { return m_inTransaction; }
    bool begin();            // explicit start; a no-op inside a unit of work
    // Starts a unit of work that serialises with every other one locking the
    // same row (two generations of one building's houses): the second waits
    // for the first to commit and then reads what it wrote. Inside a unit of
    // work that has written already the lock is taken all the same.
    bool beginLocked(const QString& table, const QString& keyColumn, const QVariant& key);
    bool commit();
    bool rollback();

    // The community number of this office (the windows' gs_commno).
    QString commNo() const { return m_commNo; }
    void setCommNo(const QString& commNo) { m_commNo = commNo; }

    QString renderedSql(const QString& moduleSql) const;

private:
    Sqlca(const DbTarget& target, std::unique_ptr<Dialect> dialect, QSqlDatabase db, QString name);
    std::optional<QSqlQuery> run(const QString& engineSql, const SqlParams& named,
                                 const QVariantList* positional, bool writes);
    void fail(const QString& text, const QString& code = QString());
    void fail(const QSqlError& error);
    void succeed(qint64 rows);

    DbTarget m_target;
    std::unique_ptr<Dialect> m_dialect;
    QSqlDatabase m_db;
    QString m_connectionName;
    QString m_commNo;
    int m_code = 0;
    QString m_errText;
    QString m_errCode;      // the engine's code of the last failure, if it gave one
    qint64 m_rows = 0;
    bool m_inTransaction = false;
    mutable QHash<QString, QString> m_rendered;
};

} // namespace cr
