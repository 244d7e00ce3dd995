#pragma once

#include "frame/sqlca.h"

#include <QString>
#include <memory>

namespace cr::admin {

// The database a command works on, named by a SQLite path or a PostgreSQL
// URI. Commands that only read or change an existing registry never create
// a file; init and demo may (readable by its owner only), and remove it again
// when they fail, so that no half-made database is left behind.
class AdminDatabase {
public:
    enum class Mode { MustExist, MayCreate };

    static std::unique_ptr<AdminDatabase> open(const QString& argument, Mode mode, QString* error);
    ~AdminDatabase();

    Sqlca& sqlca() { return *m_sqlca; }
    QString display() const { return m_target.display(); }
    const DbTarget& target() const { return m_target; }

    // Closes the connection and deletes the SQLite file when this open
    // created it; does nothing otherwise.
    void discardIfNew();

private:
    AdminDatabase() = default;

    DbTarget m_target;
    std::unique_ptr<Sqlca> m_sqlca;
    bool m_newFile = false;
};

} // namespace cr::admin
