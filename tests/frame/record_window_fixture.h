#pragma once

// A register window defined only by data and hooks, over a small table of its
// own, for the tests of the record window frame. Every hook records its call
// so that the tests can check the order the frame calls them in.

#include "frame/dataview.h"
#include "frame/list_page.h"
#include "frame/message_object.h"
#include "frame/record_window.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "frame/window_registry.h"
#include "support/scripted_ui.h"
#include "support/test_db.h"

#include <QStringList>
#include <memory>

namespace cr::test {

class TestNoteWindow : public RecordWindow {
public:
    TestNoteWindow(const WindowContext& context, const WindowInfo& info) : RecordWindow(context, info) {}

    QStringList calls;              // hooks in the order they ran
    int verifyResult = 0;           // what wf_dw_verify answers
    bool writeLog = true;           // wf_update_after writes a log row
    bool replaceNavigation = false; // navigation handlers replace the frame's (il_row -1/+1 unbounded)

    using RecordWindow::il_row;
    using RecordWindow::is_stringparm;
    void replaceAllNavigation()
    {
        replaceNavigation = true;
        replaceFrameHandler(Hook::First);
        replaceFrameHandler(Hook::Prior);
        replaceFrameHandler(Hook::Next);
        replaceFrameHandler(Hook::Last);
    }

protected:
    void onOpen() override { calls << QStringLiteral("open rows=%1").arg(dw_1().rowCount()); }
    void ue_loadphoto() override { calls << QStringLiteral("ue_loadphoto %1").arg(is_stringparm); }
    int wf_dw_verify() override
    {
        calls << QStringLiteral("wf_dw_verify");
        return verifyResult;
    }
    bool wf_update_after() override
    {
        const int row = dw_1().getRow();
        const QVariant key = dw_1().getItem(row, QStringLiteral("noteno"));
        calls << QStringLiteral("wf_update_after key=%1 issave=%2")
                     .arg(key.isNull() ? QStringLiteral("null") : QStringLiteral("set"),
                          dw_1().getItemString(row, QStringLiteral("issave")));
        if (!writeLog) return true;
        if (!sqlca().execute(QStringLiteral("INSERT INTO t_notelog (noteno) VALUES (:noteno)"),
                             {{QStringLiteral("noteno"), key}}))
            return failSave();
        return true;
    }
    int dw_1_itemchanged(int, const QString& column, const QString& data) override
    {
        calls << QStringLiteral("itemchanged %1=%2").arg(column, data);
        return column == QLatin1String("pages") && data.toInt() > 999 ? 1 : 0;
    }
    void cb_prior_clicked() override
    {
        if (!replaceNavigation) return;
        il_row = il_row - 1;
        wf_scroll();
        wf_getdata();
    }
    void cb_next_clicked() override
    {
        if (!replaceNavigation) return;
        il_row = il_row + 1;
        wf_scroll();
        wf_getdata();
    }
};

class RecordWindowTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        const Dialect& d = db().dialect();
        ASSERT_TRUE(db().executeRaw(QStringLiteral("CREATE TABLE t_note (noteno %1, commno %2, groupno INTEGER, "
                                                   "title %3, pages INTEGER CHECK (pages IS NULL OR pages >= 0), "
                                                   "issave %4)")
                                        .arg(d.identityKeyType(), d.textType(20), d.textType(60), d.textType(1))))
            << db().sqlErrText().toStdString();
        ASSERT_TRUE(db().executeRaw(QStringLiteral("CREATE TABLE t_notelog (noteno INTEGER NOT NULL)")));
        ASSERT_TRUE(db().commit());
        db().setCommNo(QStringLiteral("C1"));
        catalog.add(view(QStringLiteral("d_t_note"), false));
        catalog.add(view(QStringLiteral("d_t_note_f"), true));
        registry.add(WindowInfo{.name = QStringLiteral("w_m_t_note"),
                                .title = QStringLiteral("便笺"),
                                .listView = QStringLiteral("d_t_note"),
                                .formView = QStringLiteral("d_t_note_f"),
                                .keyColumn = QStringLiteral("noteno"),
                                .helpTopic = QStringLiteral("便笺帮助"),
                                .linkColumn = QStringLiteral("groupno"),
                                .factory = windowFactory<TestNoteWindow>()});
    }

    static DataViewDef view(const QString& name, bool form)
    {
        DataViewDef d;
        d.name = name;
        d.sql = QStringLiteral("SELECT noteno, commno, groupno, title, pages, issave FROM t_note ORDER BY noteno");
        if (form) {
            d.updateTable = QStringLiteral("t_note");
            d.keyColumn = QStringLiteral("noteno");
        }
        auto col = [](const char* n, ColumnKind kind, int tab, const char* label, const char* tag) {
            ColumnDef c;
            c.name = QString::fromLatin1(n);
            c.kind = kind;
            c.dbName = c.name;
            c.tabOrder = tab;
            c.label = QString::fromUtf8(label);
            c.tag = QString::fromLatin1(tag);
            return c;
        };
        d.columns = {col("noteno", ColumnKind::Integer, 0, "", ""),
                     col("commno", ColumnKind::Text, 0, "", ""),
                     col("groupno", ColumnKind::Integer, 5, "分组:", ""),
                     col("title", ColumnKind::Text, 20, "便笺 标题:", "1"),
                     col("pages", ColumnKind::Integer, 10, "页数：", "1"),
                     col("issave", ColumnKind::Text, 0, "", "")};
        d.columns[3].maxLength = 60;   // as the table declares it
        d.columns[0].inForm = false;
        d.columns[1].inForm = false;
        d.columns[5].inForm = false;
        return d;
    }

    WindowContext context(ListPage* now = nullptr, ListPage* master = nullptr)
    {
        return WindowContext{db(), ui, catalog, message, now, master};
    }

    std::unique_ptr<TestNoteWindow> makeWindow(ListPage* now = nullptr, ListPage* master = nullptr)
    {
        std::unique_ptr<Window> w = registry.create(QStringLiteral("w_m_t_note"), context(now, master));
        return std::unique_ptr<TestNoteWindow>(static_cast<TestNoteWindow*>(w.release()));
    }

    void insertNote(const QString& title, const QVariant& group = QVariant())
    {
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO t_note (commno, groupno, title, pages, issave) "
                                                "VALUES ('C1', :g, :t, 1, '1')"),
                                 {{QStringLiteral("g"), group}, {QStringLiteral("t"), title}}))
            << db().sqlErrText().toStdString();
        ASSERT_TRUE(db().commit());
    }

    QVariant scalar(const QString& sql) { return db().selectValue(sql); }

    ViewCatalog catalog;
    WindowRegistry registry;
    ScriptedUi ui;
    MessageObject message;
};

} // namespace cr::test
