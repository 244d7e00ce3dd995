// A save the database refuses, as the clerk sees it: a Chinese sentence that
// says what to do, the database's own words under the details, the form
// kept as typed.
#include "record_window_fixture.h"

namespace cr::test {
namespace {

// Keeps what errorBox put apart as the detail.
class DetailUi : public ScriptedUi {
public:
    QStringList details;
    void errorBox(const QString& title, const QString& text, const QString& detail) override
    {
        details << detail;
        ScriptedUi::errorBox(title, text, detail);
    }
};

class RecordWindowDbErrorTest : public RecordWindowTest {
protected:
    std::unique_ptr<TestNoteWindow> makeDetailWindow()
    {
        std::unique_ptr<Window> w =
            registry.create(QStringLiteral("w_m_t_note"), WindowContext{db(), detailUi, catalog, message, nullptr, nullptr});
        return std::unique_ptr<TestNoteWindow>(static_cast<TestNoteWindow*>(w.release()));
    }

    DetailUi detailUi;
};

TEST_P(RecordWindowDbErrorTest, ARefusedValueReadsAsASentenceWithTheEngineTextApart)
{
    auto w = makeDetailWindow();
    ASSERT_TRUE(w->openAdd());
    ASSERT_EQ(w->dw_1().userEdit(1, "title", QStringLiteral("标题")), 0);
    ASSERT_EQ(w->dw_1().userEdit(1, "pages", QStringLiteral("-1")), 0);   // the table's check refuses it
    EXPECT_FALSE(w->save());
    ASSERT_EQ(detailUi.messages().size(), 1);
    EXPECT_EQ(detailUi.messages().first().text,
              QStringLiteral("保存失败：") + DbError::sentence(DbError::Kind::Check, GetParam()));
    ASSERT_EQ(detailUi.details.size(), 1);
    EXPECT_TRUE(detailUi.details.first().contains(QLatin1String("check"), Qt::CaseInsensitive))
        << detailUi.details.first().toStdString();
    EXPECT_EQ(w->dw_1().getItemString(1, "pages"), QStringLiteral("-1"));
    EXPECT_FALSE(db().inTransaction());
}

// Another clerk's session holds the row: the save gives up after the lock
// wait and says so, the typed values stay, and the next try succeeds.
TEST_P(RecordWindowDbErrorTest, ARowHeldByAnotherClerkIsReportedAndKept)
{
    if (GetParam() != Engine::Postgres) GTEST_SKIP() << "SQLite in memory has no second session";
    insertNote(QStringLiteral("旧标题"));
    const QVariant key = scalar(QStringLiteral("SELECT noteno FROM t_note"));
    ASSERT_TRUE(db().setLockWait(200));
    QString error;
    auto other = Sqlca::connect(db().target(), &error);
    ASSERT_TRUE(other) << error.toStdString();
    ASSERT_TRUE(other->execute(QStringLiteral("UPDATE t_note SET pages = 2 WHERE noteno = :k"),
                               {{QStringLiteral("k"), key}}));

    auto w = makeDetailWindow();
    ASSERT_TRUE(w->openModify(key));
    ASSERT_EQ(w->dw_1().userEdit(1, "title", QStringLiteral("新标题")), 0);
    EXPECT_FALSE(w->save());
    ASSERT_EQ(detailUi.messages().size(), 1);
    EXPECT_EQ(detailUi.messages().first().text, QStringLiteral("保存失败：数据正被其他人使用，请稍后再试。"));
    EXPECT_EQ(w->dw_1().getItemString(1, "title"), QStringLiteral("新标题"));
    EXPECT_TRUE(w->hasUnsavedEdits());

    ASSERT_TRUE(other->commit());
    EXPECT_TRUE(w->save());
    EXPECT_EQ(scalar(QStringLiteral("SELECT title FROM t_note")).toString(), QStringLiteral("新标题"));
}

INSTANTIATE_ENGINES(RecordWindowDbErrorTest);

} // namespace
} // namespace cr::test
