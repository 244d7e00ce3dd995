#pragma once

#include "schema/demo/demo_profile.h"

#include <QList>
#include <QString>
#include <functional>

namespace cr {
class Sqlca;
}

namespace cr::demo {

struct DemoOptions {
    DemoSize size = DemoSize::Small;
    quint64 seed = 20240630;
};

// Rows written to one table and the time spent in its INSERT statements.
struct TableLoad {
    QString table;
    qint64 rows = 0;
    double seconds = 0;
};

struct DemoResult {
    QList<TableLoad> tables;     // in the order they were filled
    qint64 rows(const QString& table) const;
    qint64 totalRows() const;
};

// Percent done (0..100) and the step being worked on, in Chinese.
using DemoProgress = std::function<void(int percent, const QString& step)>;

// Fills a registry database with a made-up but real-looking community:
// responsibility areas, buildings of all three kinds, their houses numbered
// as the office numbers them, households living in them, persons with valid
// identity card numbers, volunteers, rented houses and their tenants,
// building deans, area managers, resident teams and their leaders.
//
// The same seed and size always give the same rows. The database must hold
// the registry tables and code lists and no registry data yet, and the
// connection must have no unit of work open; everything is written in one
// transaction, so a failure leaves no demo rows behind.
// The community number is read from the settings (a default is stored when
// there is none).
// The registry is marked as a demo in its settings (schema::isDemo).
class DemoGenerator {
public:
    DemoGenerator(Sqlca& sqlca, DemoOptions options);
    ~DemoGenerator();

    void setProgress(DemoProgress progress);
    bool run(DemoResult* result, QString* error);

    // Registry tables the generator fills, in the order it fills them.
    static QStringList tables();
    // True when any of those tables already holds rows; false with an
    // error text when the tables cannot be read.
    static bool holdsRegistryData(Sqlca& sqlca, bool* holds, QString* error);

private:
    class Run;
    Sqlca& m_sqlca;
    DemoOptions m_options;
    DemoProgress m_progress;
};

} // namespace cr::demo
