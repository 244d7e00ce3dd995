#include "schema/database_state.h"

#include "frame/sqlca.h"
#include "schema/schema.h"

namespace cr::schema {

DatabaseState inspect(Sqlca& sqlca)
{
    DatabaseState state;
    auto q = sqlca.selectRaw(sqlca.dialect().listTables());
    if (!q) {
        state.error = sqlca.sqlError();
        return state;
    }
    while (q->next()) state.tables << q->value(0).toString();
    q.reset();
    if (state.tables.isEmpty()) {
        state.kind = DatabaseState::Kind::Empty;
        return state;
    }
    if (state.tables.contains(QStringLiteral("cr_settings"), Qt::CaseInsensitive)) {
        state.version = version(sqlca);
        if (sqlca.sqlCode() == Sqlca::Failure) {
            state.error = sqlca.sqlError();
            return state;
        }
        if (state.version > 0) {
            state.kind = DatabaseState::Kind::Registry;
            return state;
        }
    }
    state.kind = DatabaseState::Kind::Foreign;
    const QStringList shown = state.tables.mid(0, 8);
    state.error = DbError::make(DbError::Kind::NotARegistry, sqlca.dialect().engine(),
                                QStringLiteral("其中的表：%1%2")
                                    .arg(shown.join(QStringLiteral("、")),
                                         state.tables.size() > shown.size() ? QStringLiteral(" 等 %1 个").arg(state.tables.size())
                                                                            : QString()));
    return state;
}

} // namespace cr::schema
