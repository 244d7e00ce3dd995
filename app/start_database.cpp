#include "app/start_database.h"

#include "app/connect_dialog.h"
#include "app/database_setup.h"
#include "app/first_start_dialog.h"
#include "app/last_database.h"
#include "app/progress_window.h"

#include <QFileInfo>
#include <QMessageBox>
#include <cstdio>

namespace cr::app {
namespace {

// Opens with the progress window a new demo registry needs.
std::unique_ptr<Sqlca> openWithProgress(QWidget* parent, const DbTarget& target, bool interactive, QString* error)
{
    std::unique_ptr<ProgressWindow> progress;
    if (interactive) progress = std::make_unique<ProgressWindow>(parent, QStringLiteral("正在打开数据库…"));
    return openRegistry(target, QString(), error, [&progress](int percent, const QString& step) {
        if (!progress) return;
        progress->setText(QStringLiteral("正在建立演示数据库：%1").arg(step));
        progress->setValue(percent, 100);
    });
}

DbTarget defaultTarget()
{
    DbTarget t;
    t.path = defaultDatabasePath();
    return t;
}

// The first start's question, until a registry is open or the user quits.
std::unique_ptr<Sqlca> firstStart(const QString& notice)
{
    FirstStartDialog dialog(nullptr, notice);
    while (dialog.exec() == QDialog::Accepted) {
        QString error;
        std::unique_ptr<Sqlca> sqlca;
        switch (dialog.choice()) {
        case FirstStartDialog::Choice::Demo:
            sqlca = openWithProgress(nullptr, defaultTarget(), true, &error);
            break;
        case FirstStartDialog::Choice::NewRegistry:
            sqlca = createCommunityRegistry(defaultDatabasePath(), dialog.commNo(), dialog.communityName(), &error);
            break;
        case FirstStartDialog::Choice::Connect: {
            DbTarget server;
            server.engine = Engine::Postgres;
            sqlca = connectInteractively(nullptr, server, QString());
            if (!sqlca) continue;   // cancelled: back to the question
            break;
        }
        }
        if (sqlca) return sqlca;
        QMessageBox::critical(&dialog, QStringLiteral("无法建立数据库"), error);
    }
    return nullptr;
}

} // namespace

StartPlan planStart(const QString& dbArgument, const std::optional<DbTarget>& remembered, const QString& defaultPath)
{
    StartPlan plan;
    if (!dbArgument.trimmed().isEmpty()) {
        plan.kind = StartPlan::Kind::Argument;
        return plan;
    }
    if (remembered) {
        // A file that is gone is not quietly made again as a new, empty one.
        if (remembered->engine == Engine::Sqlite && !QFileInfo::exists(remembered->path)) {
            plan.notice = QStringLiteral("上次使用的数据库文件 %1 已不存在（被移动或删除）。"
                                         "如有备份，可以退出后用 community-admin restore 恢复。")
                              .arg(remembered->path);
            return plan;
        }
        plan.kind = StartPlan::Kind::Remembered;
        plan.target = *remembered;
        return plan;
    }
    if (QFileInfo::exists(defaultPath)) {
        plan.kind = StartPlan::Kind::Default;
        plan.target.path = defaultPath;
    }
    return plan;
}

std::unique_ptr<Sqlca> connectInteractively(QWidget* parent, const DbTarget& current, const QString& notice)
{
    ConnectDialog dialog(parent, current);
    dialog.setNotice(notice);
    while (dialog.exec() == QDialog::Accepted) {
        QString error;
        std::unique_ptr<Sqlca> sqlca;
        {
            ProgressWindow progress(parent, QStringLiteral("正在连接数据库…"));
            sqlca = openRegistry(dialog.target(), dialog.password(), &error,
                                 [&progress](int percent, const QString& step) {
                                     progress.setText(step);
                                     progress.setValue(percent, 100);
                                 });
        }
        if (sqlca) return sqlca;
        QMessageBox::warning(&dialog, QStringLiteral("无法连接数据库"), error);
    }
    return nullptr;
}

std::unique_ptr<Sqlca> openAtStart(const QString& dbArgument, bool interactive, QSettings& settings)
{
    const StartPlan plan = planStart(dbArgument, interactive ? rememberedDatabase(settings) : std::nullopt,
                                     defaultDatabasePath());
    QString error;
    std::unique_ptr<Sqlca> sqlca;
    DbTarget tried = plan.target;
    switch (plan.kind) {
    case StartPlan::Kind::Argument:
        if (DbTarget::parse(dbArgument, &tried, &error)) sqlca = openWithProgress(nullptr, tried, interactive, &error);
        break;
    case StartPlan::Kind::Remembered:
    case StartPlan::Kind::Default:
        sqlca = openWithProgress(nullptr, plan.target, interactive, &error);
        break;
    case StartPlan::Kind::FirstStart:
        if (!interactive) {
            sqlca = openWithProgress(nullptr, defaultTarget(), false, &error);
            break;
        }
        sqlca = firstStart(plan.notice);
        if (!sqlca) return nullptr;
        break;
    }
    if (!sqlca && !interactive) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return nullptr;
    }
    if (!sqlca) {
        const QString which = tried.display().isEmpty() ? QString() : QStringLiteral("无法打开数据库 %1：").arg(tried.display());
        sqlca = connectInteractively(nullptr, tried, which + error + QStringLiteral("\n请检查后重试，或选择另一个数据库。"));
    }
    if (sqlca && interactive) rememberDatabase(settings, sqlca->target());
    return sqlca;
}

} // namespace cr::app
