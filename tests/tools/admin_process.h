#pragma once

// community-admin as the administrator runs it: the built program, started
// with arguments, its exit code and what it printed; and scratch databases
// of their own on the test server (community-admin works on whole databases).
#include "frame/sqlca.h"
#include "tools/admin_run.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <memory>

namespace cr::test {

using Outcome = AdminRun;

inline Outcome admin(const QStringList& args)
{
    return runAdmin(args);
}

inline ::testing::AssertionResult failsWith(const Outcome& o, int code, const QString& message)
{
    if (o.exitCode == code && o.err.contains(message)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "exit " << o.exitCode << ", stderr: " << o.err.toStdString()
                                         << ", expected " << code << " with: " << message.toStdString();
}

// A database of its own on the server named by CR_TEST_PG, dropped when it
// goes. null() when no server is named.
class ServerDatabase {
public:
    explicit ServerDatabase(const QString& tag)
    {
        const QString uri = qEnvironmentVariable("CR_TEST_PG");
        if (uri.isEmpty()) return;
        QString error;
        DbTarget target;
        if (!DbTarget::parse(uri, &target, &error) || !(m_server = Sqlca::connect(target, &error))) {
            ADD_FAILURE() << error.toStdString();
            return;
        }
        m_name = QStringLiteral("cr_%1_%2").arg(tag).arg(QCoreApplication::applicationPid());
        drop();
        QSqlQuery q(m_server->database());   // CREATE DATABASE cannot run inside a transaction
        if (!q.exec(QStringLiteral("CREATE DATABASE %1").arg(m_name))) {
            ADD_FAILURE() << "cannot create the test database " << m_name.toStdString();
            m_server.reset();
            return;
        }
        m_target = target;
        m_target.database = m_name;
    }
    ~ServerDatabase()
    {
        if (m_server) drop();
    }
    bool null() const { return !m_server; }
    QString uri() const { return m_target.display(); }
    bool drop()
    {
        QSqlQuery q(m_server->database());
        return q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(m_name));
    }

private:
    std::unique_ptr<Sqlca> m_server;
    QString m_name;
    DbTarget m_target;
};

} // namespace cr::test
