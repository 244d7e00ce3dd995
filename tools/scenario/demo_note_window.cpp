#include "demo_note_window.h"

#include "demo_folder_window.h"
#include "frame/list_page.h"
#include "frame/sqlca.h"
#include "frame/ui_services.h"

namespace cr::scenario::demo {

DemoNoteWindow::DemoNoteWindow(const WindowContext& context, const WindowInfo& info) : RecordWindow(context, info)
{
    addFormButton(QStringLiteral("b_clear"), QStringLiteral("清空正文"), QStringLiteral("body"));
}

void DemoNoteWindow::onOpen()
{
    m_requiredColour = dw_1().describe(QStringLiteral("title.Background.Color")).trimmed();
    m_optionalColour = dw_1().describe(QStringLiteral("note.Background.Color")).trimmed();
}

bool DemoNoteWindow::openedFromFolderDetail() const
{
    const ListPage* master = guo_tabpg_master();
    const ListPage* now = guo_tabpg_now();
    return master && now && master->is_stringpara == DemoFolderWindow::listParameter() && !now->is_masterid.isEmpty()
           && now->is_masterid == master->tag();
}

void DemoNoteWindow::setBodyRequired(bool required)
{
    dw_1().modify(QStringLiteral("body.Tag='%1'").arg(required ? QStringLiteral("1") : QString()));
    dw_1().modify(QStringLiteral("body.Background.Color='%1'").arg(required ? m_requiredColour : m_optionalColour));
}

void DemoNoteWindow::ue_loadphoto()
{
    const int row = dw_1().getRow();
    if (row < 1) return;
    setBodyRequired(dw_1().getItemString(row, QStringLiteral("kind")) == QLatin1String("2"));
    if (openedFromFolderDetail()) {
        dw_1().setTabOrder(QStringLiteral("folderno"), 0);
        dw_1().modify(QStringLiteral("folderno.Background.Color='14474460'"));
    }
}

int DemoNoteWindow::dw_1_itemchanged(int, const QString& column, const QString& data)
{
    if (column == QLatin1String("pages") && data.toInt() > 999) {
        ui().messageBox(QStringLiteral("提示"), QStringLiteral("页数不能超过999！"));
        return 1;
    }
    if (column == QLatin1String("kind")) setBodyRequired(data == QLatin1String("2"));
    return 0;
}

void DemoNoteWindow::dw_1_buttonclicked(int row, const QString& button)
{
    if (button == QLatin1String("b_clear") && row > 0) dw_1().setItem(row, QStringLiteral("body"), QVariant());
}

int DemoNoteWindow::wf_dw_verify()
{
    const int row = dw_1().getRow();
    if (row < 1) return 1;
    const QString title = dw_1().getItemString(row, QStringLiteral("title")).trimmed();
    const std::optional<qlonglong> no = dw_1().getItemInteger(row, QStringLiteral("noteno"));
    SqlParams params{{QStringLiteral("title"), title}};
    QString sql = QStringLiteral("SELECT COUNT(*) FROM demo_note WHERE title = :title");
    if (no) {
        sql += QStringLiteral(" AND noteno <> :noteno");
        params.append({QStringLiteral("noteno"), *no});
    }
    if (sqlca().selectValue(sql, params).toLongLong() > 0) {
        ui().messageBox(QStringLiteral("提示信息"), QStringLiteral("该标题已存在，不能重复录入！"));
        dw_1().setColumn(QStringLiteral("title"));
        dw_1().setFocus();
        return 1;
    }
    return 0;
}

bool DemoNoteWindow::wf_update_after()
{
    const int row = dw_1().getRow();
    if (row < 1) return true;
    // The key the database gave a new note is in the row by now.
    const bool ok = sqlca().execute(
        QStringLiteral("INSERT INTO demo_notelog (commno, noteno, title) VALUES (:commno, :noteno, :title)"),
        {{QStringLiteral("commno"), sqlca().commNo()},
         {QStringLiteral("noteno"), dw_1().getItem(row, QStringLiteral("noteno"))},
         {QStringLiteral("title"), dw_1().getItem(row, QStringLiteral("title"))}});
    if (!ok) return failSave();
    wf_refresh_list();
    return true;
}

} // namespace cr::scenario::demo
