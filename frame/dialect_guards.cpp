#include "frame/dialect_guards.h"

namespace cr {

QStringList sqliteReferenceGuard(const RecordReference& r, const QString& name)
{
    // NEW.column is compared with the master's integer column, whose
    // affinity applies, so '7' and 7 name the same row as in the program.
    const QString missing = QStringLiteral("WHEN NEW.%1 IS NOT NULL AND NOT EXISTS (SELECT 1 FROM %2 WHERE %3 = NEW.%1)\n"
                                           "BEGIN SELECT RAISE(ABORT, 'FOREIGN KEY constraint failed: %4.%1 %5 %2'); END")
                                .arg(r.column, r.masterTable, r.masterColumn, r.table,
                                     QLatin1String(kGuardMissingMaster));
    const QString named = QStringLiteral("EXISTS (SELECT 1 FROM %1 WHERE %2 = OLD.%3)\n"
                                         "BEGIN SELECT RAISE(ABORT, 'FOREIGN KEY constraint failed: %4 row %5 %1.%2'); END")
                              .arg(r.table, r.column, r.masterColumn, r.masterTable,
                                   QLatin1String(kGuardStillReferenced));
    return {
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1_ins BEFORE INSERT ON %2 FOR EACH ROW\n%3")
            .arg(name, r.table, missing),
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1_upd BEFORE UPDATE OF %2 ON %3 FOR EACH ROW\n%4")
            .arg(name, r.column, r.table, missing),
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1_del BEFORE DELETE ON %2 FOR EACH ROW WHEN %3")
            .arg(name, r.masterTable, named),
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1_key BEFORE UPDATE OF %2 ON %3 FOR EACH ROW\n"
                       "WHEN NEW.%2 IS NOT OLD.%2 AND %4")
            .arg(name, r.masterColumn, r.masterTable, named),
    };
}

QStringList postgresReferenceGuard(const RecordReference& r, const QString& name)
{
    // One statement that looks at the catalog and the rows first: a stored
    // database with rows naming missing records gets the key NOT VALID
    // (checked for every new or changed row, the old ones left as they are).
    const QString add = QStringLiteral("ALTER TABLE %1 ADD CONSTRAINT %2 FOREIGN KEY (%3) REFERENCES %4 (%5)")
                            .arg(r.table, name, r.column, r.masterTable, r.masterColumn);
    return {QStringLiteral(
                "DO $guard$\n"
                "BEGIN\n"
                "  IF EXISTS (SELECT 1 FROM pg_constraint WHERE conname = '%1' AND conrelid = to_regclass('%2')) THEN\n"
                "    RETURN;\n"
                "  END IF;\n"
                "  IF EXISTS (SELECT 1 FROM %2 c WHERE c.%3 IS NOT NULL AND NOT EXISTS\n"
                "             (SELECT 1 FROM %4 m WHERE m.%5 = c.%3)) THEN\n"
                "    %6 NOT VALID;\n"
                "  ELSE\n"
                "    %6;\n"
                "  END IF;\n"
                "END\n"
                "$guard$")
                .arg(name, r.table, r.column, r.masterTable, r.masterColumn, add)};
}

} // namespace cr
