#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace cr {
class Sqlca;
}

namespace cr::schema {
class BulkTable;
}

namespace cr::maintenance {

struct CopiedTable {
    QString table;
    qint64 rows = 0;
};

// Percent done and what is being copied, in Chinese.
using CopyProgress = std::function<void(int percent, const QString& step)>;

// Copies one registry into another, from any engine to any engine: every
// table with every row, keys as they are, and the key generators of the
// target moved past the copied keys so that the next new row gets a fresh
// key. The target must be a registry of the same structure version without
// registry data (a new registry made by init; its settings and code lists
// are replaced by the source's). Everything is written in one transaction on
// the target; before it is committed, the rows of every table are counted on
// both sides, and a difference (rows added to the source meanwhile) undoes
// the copy. On failure the target is as it was. A source with rows naming
// records that do not exist is refused before anything is written.
class RegistryCopy {
public:
    RegistryCopy(Sqlca& from, Sqlca& to);

    void setProgress(CopyProgress progress) { m_progress = std::move(progress); }
    bool run(QList<CopiedTable>* copied, QString* error);

    // The tables copied, in order: every table after the tables it refers to.
    static QStringList tables();

private:
    bool checkTarget(QString* error);
    // Rows naming missing records, which the target's guards would refuse.
    bool checkSourceLinks(QString* error);
    bool countSource(QList<CopiedTable>* counts, QString* error);
    bool copyTable(const CopiedTable& table, std::unique_ptr<schema::BulkTable>* writer, QString* error);
    bool compareCounts(const QList<CopiedTable>& before, QString* error);
    void report(const QString& step);

    Sqlca& m_from;
    Sqlca& m_to;
    CopyProgress m_progress;
    qint64 m_total = 0;
    qint64 m_done = 0;
};

} // namespace cr::maintenance
