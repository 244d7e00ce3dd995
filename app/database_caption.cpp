#include "app/database_caption.h"

#include "frame/sqlca.h"
#include "schema/registry_settings.h"

#include <QFileInfo>

namespace cr::app {
namespace {

// Short enough for a title bar: the file's name, or database@server.
QString shortName(const DbTarget& target)
{
    if (target.engine == Engine::Sqlite) return QFileInfo(target.path).fileName();
    return QStringLiteral("%1@%2").arg(target.database, target.host);
}

} // namespace

DatabaseCaption describeDatabase(Sqlca& sqlca)
{
    DatabaseCaption c;
    const QString name = schema::communityName(sqlca);
    c.demo = schema::isDemo(sqlca);
    c.database = QStringLiteral("数据库：%1（%2）").arg(sqlca.target().display(), sqlca.dialect().displayName());
    c.community = name.isEmpty() ? QStringLiteral("社区编号：%1").arg(sqlca.commNo())
                                 : QStringLiteral("社区：%1（%2）").arg(name, sqlca.commNo());
    c.title = QStringLiteral("%1 - %2").arg(name.isEmpty() ? QStringLiteral("社区编号 %1").arg(sqlca.commNo()) : name,
                                            shortName(sqlca.target()));
    if (c.demo) c.title += QStringLiteral("（%1）").arg(demoMark());
    return c;
}

} // namespace cr::app
