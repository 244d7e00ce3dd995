#include "frame/sqlca.h"

#include "frame/row_cursor.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>

namespace cr {
namespace {

QAtomicInt g_connectionCounter;

bool startsWithWrite(const QString& sql)
{
    static const char* const writes[] = {"insert", "update", "delete", "create", "drop", "alter"};
    const QString head = sql.trimmed().left(8).toLower();
    for (const char* w : writes)
        if (head.startsWith(QLatin1String(w))) return true;
    return false;
}

QString errorText(const QSqlError& e)
{
    QString t = e.databaseText().trimmed();
    if (t.isEmpty()) t = e.driverText().trimmed();
    if (t.isEmpty()) t = e.text().trimmed();
    return t;
}

} // namespace

std::unique_ptr<Sqlca> Sqlca::connect(const DbTarget& target, QString* error, DbError* failure)
{
    // A refusal of the engine, in the clerk's words with the engine's apart.
    auto refused = [&](const DbError& e) {
        if (error) *error = QStringLiteral("无法连接数据库 %1：%2").arg(target.display(), e.fullText());
        if (failure) *failure = e;
    };
    auto dialect = Dialect::create(target.engine);
    if (!QSqlDatabase::isDriverAvailable(dialect->driverName())) {
        if (error)
            *error = QStringLiteral("缺少数据库驱动 %1，请安装对应的 Qt SQL 驱动包").arg(dialect->driverName());
        return nullptr;
    }
    const QString name = QStringLiteral("cr_%1").arg(g_connectionCounter.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(dialect->driverName(), name);
        if (target.engine == Engine::Sqlite) {
            if (target.path != QLatin1String(":memory:")) {
                const QFileInfo info(target.path);
                if (!info.absoluteDir().exists()) {
                    if (error) *error = QStringLiteral("数据库文件所在的文件夹不存在：%1").arg(info.absolutePath());
                    db = QSqlDatabase();
                    QSqlDatabase::removeDatabase(name);
                    return nullptr;
                }
            }
            db.setDatabaseName(target.path);
        } else {
            db.setHostName(target.host);
            db.setPort(target.port);
            db.setUserName(target.user);
            db.setDatabaseName(target.database);
            // The address's own parameters (sslmode=require ...) go to libpq as
            // written; without a time-out of its own a dead server is given 5 s.
            QString options = target.connectOptions();
            const bool ownTimeout = std::any_of(target.options.cbegin(), target.options.cend(),
                                                [](const auto& o) { return o.first == QLatin1String("connect_timeout"); });
            if (!ownTimeout) options = (QStringLiteral("connect_timeout=5 ") + options).trimmed();
            db.setConnectOptions(options);
        }
        db.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
        if (!db.open()) {
            refused(DbError::fromEngine(target.engine, db.lastError().nativeErrorCode(), errorText(db.lastError())));
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            return nullptr;
        }
        std::unique_ptr<Sqlca> sqlca(new Sqlca(target, std::move(dialect), db, name));
        db = QSqlDatabase();
        for (const QString& s : sqlca->dialect().sessionSetup(target)) {
            if (!sqlca->executeRaw(s)) {
                refused(sqlca->sqlError());
                return nullptr;
            }
        }
        return sqlca;
    }
}

Sqlca::Sqlca(const DbTarget& target, std::unique_ptr<Dialect> dialect, QSqlDatabase db, QString name)
    : m_target(target), m_dialect(std::move(dialect)), m_db(db), m_connectionName(std::move(name))
{
}

Sqlca::~Sqlca()
{
    if (m_inTransaction) m_db.rollback();
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QString Sqlca::renderedSql(const QString& moduleSql) const
{
    auto it = m_rendered.constFind(moduleSql);
    if (it != m_rendered.constEnd()) return *it;
    const QString r = m_dialect->render(moduleSql);
    m_rendered.insert(moduleSql, r);
    return r;
}

void Sqlca::fail(const QString& text, const QString& code)
{
    m_code = Failure;
    m_errText = text;
    m_errCode = code;
    m_rows = 0;
}

void Sqlca::fail(const QSqlError& error)
{
    fail(errorText(error), error.nativeErrorCode());
}

DbError Sqlca::sqlError() const
{
    if (m_code != Failure) return {};
    return DbError::fromEngine(m_target.engine, m_errCode, m_errText);
}

void Sqlca::succeed(qint64 rows)
{
    m_code = Success;
    m_errText.clear();
    m_errCode.clear();
    m_rows = rows;
}

bool Sqlca::setLockWait(int milliseconds)
{
    if (!executeRaw(m_dialect->lockWait(milliseconds))) return false;
    m_target.lockWaitMs = milliseconds;
    return true;
}

bool Sqlca::begin()
{
    if (m_inTransaction) return true;
    if (!m_db.transaction()) {
        fail(m_db.lastError());
        return false;
    }
    m_inTransaction = true;
    return true;
}

bool Sqlca::beginLocked(const QString& table, const QString& keyColumn, const QVariant& key)
{
    const QString serialized = m_dialect->beginSerialized();
    if (!m_inTransaction && !serialized.isEmpty()) {
        QSqlQuery q(m_db);
        if (!q.exec(serialized)) {
            fail(errorText(q.lastError()));
            return false;
        }
        m_inTransaction = true;
    }
    if (!begin()) return false;
    const QString lock = m_dialect->lockRow(table, keyColumn);
    const QVariantList keyValue{key};
    if (!lock.isEmpty() && !run(lock, {}, &keyValue, false)) return false;
    succeed(0);
    return true;
}

bool Sqlca::commit()
{
    if (!m_inTransaction) {
        succeed(0);
        return true;
    }
    m_inTransaction = false;
    if (!m_db.commit()) {
        fail(m_db.lastError());
        m_db.rollback();
        return false;
    }
    succeed(0);
    return true;
}

bool Sqlca::rollback()
{
    if (!m_inTransaction) {
        succeed(0);
        return true;
    }
    m_inTransaction = false;
    if (!m_db.rollback()) {
        fail(m_db.lastError());
        return false;
    }
    succeed(0);
    return true;
}

std::optional<QSqlQuery> Sqlca::run(const QString& engineSql, const SqlParams& named,
                                    const QVariantList* positional, bool writes)
{
    if (writes && !begin()) return std::nullopt;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    const bool hasValues = positional ? !positional->isEmpty() : !named.isEmpty();
    if (!hasValues) {
        // Statements without values run as they stand: PostgreSQL cannot
        // prepare SET or DDL statements.
        if (!q.exec(engineSql)) {
            fail(q.lastError());
            return std::nullopt;
        }
        succeed(q.isSelect() ? 0 : q.numRowsAffected());
        return q;
    }
    if (!q.prepare(engineSql)) {
        fail(q.lastError());
        return std::nullopt;
    }
    if (positional) {
        for (int i = 0; i < positional->size(); ++i) q.bindValue(i, positional->at(i));
    } else {
        for (const auto& p : named) q.bindValue(QLatin1Char(':') + p.first, p.second);
    }
    if (!q.exec()) {
        fail(q.lastError());
        return std::nullopt;
    }
    succeed(q.isSelect() ? 0 : q.numRowsAffected());
    return q;
}

bool Sqlca::execute(const QString& sql, const SqlParams& params)
{
    return run(renderedSql(sql), params, nullptr, startsWithWrite(sql)).has_value();
}

QVariant Sqlca::selectValue(const QString& sql, const SqlParams& params)
{
    auto q = run(renderedSql(sql), params, nullptr, false);
    if (!q) return {};
    if (!q->next()) {
        m_code = NotFound;
        return {};
    }
    m_rows = 1;
    return q->value(0);
}

std::optional<QSqlQuery> Sqlca::select(const QString& sql, const SqlParams& params)
{
    return run(renderedSql(sql), params, nullptr, false);
}

QVariant Sqlca::insertReturningKey(const QString& sql, const SqlParams& params, const QString& keyColumn)
{
    // Both engines accept INSERT ... RETURNING (SQLite since 3.35).
    auto q = run(renderedSql(sql) + QStringLiteral(" RETURNING ") + keyColumn, params, nullptr, true);
    if (!q) return {};
    if (!q->next()) {
        fail(QStringLiteral("插入后未能读取新记录的编号"));
        return {};
    }
    m_rows = 1;
    return q->value(0);
}

std::unique_ptr<RowCursor> Sqlca::openCursor(const QString& sql, const SqlParams& params)
{
    const QString engineSql = renderedSql(sql);
    QString error;
    if (auto native = m_dialect->openCursor(m_db, engineSql, params, &error)) {
        succeed(0);
        return native;
    }
    if (!error.isEmpty()) {
        fail(error);
        return nullptr;
    }
    auto q = run(engineSql, params, nullptr, false);
    if (!q) return nullptr;
    return std::make_unique<QueryCursor>(std::move(*q));
}

std::unique_ptr<PreparedStatement> Sqlca::prepare(const QString& engineSql)
{
    QString error;
    if (auto native = m_dialect->prepareStatement(m_db, engineSql, &error)) return native;
    if (!error.isEmpty()) {
        fail(error);
        return nullptr;
    }
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(engineSql)) {
        fail(errorText(q.lastError()));
        return nullptr;
    }
    return std::make_unique<QueryCursor>(std::move(q));
}

bool Sqlca::runPrepared(PreparedStatement& statement, std::span<const QVariant> values, bool writes)
{
    if (writes && !begin()) return false;
    if (!statement.execute(values)) {
        fail(statement.error(), statement.errorCode());
        return false;
    }
    succeed(statement.rowsAffected());
    return true;
}

bool Sqlca::executeRaw(const QString& sql, const QVariantList& values)
{
    return run(sql, {}, &values, startsWithWrite(sql)).has_value();
}

std::optional<QSqlQuery> Sqlca::selectRaw(const QString& sql, const QVariantList& values)
{
    return run(sql, {}, &values, false);
}

} // namespace cr
