#pragma once

// A SQLite file in a folder of its own for tests that need more than one
// session on it (locks) or a file on disk (not a database, another
// program's tables).

#include "frame/sqlca.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace cr::test {

class SqliteFile {
public:
    QString path() const { return m_dir.filePath(QStringLiteral("office.db")); }

    // A session on the file that waits lockWaitMs for what another holds.
    std::unique_ptr<Sqlca> open(int lockWaitMs = 5000) const
    {
        DbTarget target;
        target.path = path();
        target.lockWaitMs = lockWaitMs;
        QString error;
        auto sqlca = Sqlca::connect(target, &error);
        if (!sqlca) ADD_FAILURE() << error.toStdString();
        return sqlca;
    }

    // Keeps every other session out of the file, readers included, until
    // release(): what another program writing to it does.
    static bool hold(Sqlca& holder) { return holder.executeRaw(QStringLiteral("BEGIN EXCLUSIVE")); }
    static bool release(Sqlca& holder) { return holder.executeRaw(QStringLiteral("ROLLBACK")); }

private:
    QTemporaryDir m_dir;
};

} // namespace cr::test
