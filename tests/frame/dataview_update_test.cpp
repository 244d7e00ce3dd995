#include "dataview_test_support.h"
#include "support/test_db.h"

#include "frame/sqlca.h"

#include <functional>

namespace cr::test {
namespace {

// A table of the test's own on each engine, with a key the database assigns.
class DataViewDb : public DbTest {
protected:
    bool wantsSchema() const override { return false; }

    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        const Dialect& dl = db().dialect();
        ASSERT_TRUE(db().execute(QStringLiteral("CREATE TABLE dv_building (bno INTEGER PRIMARY KEY, name %1)").arg(dl.textType(40))));
        ASSERT_TRUE(db().execute(QStringLiteral("CREATE TABLE dv_house (k %1, building INTEGER, unitno INTEGER, "
                                                "floorno INTEGER, housenumber %2 NOT NULL, area %3, born %4, note %5)")
                                     .arg(dl.identityKeyType(), dl.textType(20), dl.decimalType(10, 2), dl.dateType(),
                                          dl.textType(100))))
            << db().sqlErrText().toStdString();
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO dv_building (bno, name) VALUES (1, '一号楼')")));
        ASSERT_TRUE(db().commit());
    }

    void insertHouse(int building, int floor, const QString& number, const QVariant& area, const QVariant& born)
    {
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO dv_house (building, unitno, floorno, housenumber, area, born) "
                                                "VALUES (:b, 1, :f, :n, :a, :d)"),
                                 {{"b", building}, {"f", floor}, {"n", number}, {"a", area}, {"d", born}}))
            << db().sqlErrText().toStdString();
    }

    std::unique_ptr<DataView> houses()
    {
        auto v = std::make_unique<DataView>(houseDef());
        v->setTransObject(&db());
        return v;
    }

    QVariant scalar(const QString& sql, const SqlParams& params = {}) { return db().selectValue(sql, params); }
};

TEST_P(DataViewDb, RetrieveHoldsValuesInTheColumnKinds)
{
    insertHouse(1, 3, QStringLiteral("301室"), 85.5, QDate(1990, 5, 6));
    insertHouse(2, 1, QStringLiteral("101室"), QVariant(), QVariant());
    ASSERT_TRUE(db().commit());
    auto v = houses();
    ASSERT_EQ(v->retrieve(), 2) << v->lastError().toStdString();
    EXPECT_EQ(v->getRow(), 1);
    EXPECT_EQ(v->getItem(1, QStringLiteral("floorno")).typeId(), QMetaType::LongLong);
    EXPECT_EQ(v->getItem(1, QStringLiteral("area")), QVariant(85.5));
    EXPECT_EQ(v->getItem(1, QStringLiteral("born")), QVariant(QDate(1990, 5, 6)));
    EXPECT_EQ(v->getItem(1, QStringLiteral("buildingname")), QVariant(QStringLiteral("一号楼")));
    EXPECT_EQ(v->getItem(1, QStringLiteral("housenumber")).typeId(), QMetaType::QString);
    EXPECT_FALSE(v->getItem(2, QStringLiteral("area")).isValid()) << "NULL is an empty field";
    EXPECT_FALSE(v->getItem(2, QStringLiteral("born")).isValid());
    EXPECT_FALSE(v->getItem(2, QStringLiteral("buildingname")).isValid()) << "outer join without a partner";
    EXPECT_EQ(v->getItemStatus(1, QString()), RowStatus::NotModified);
    EXPECT_EQ(v->displayText(1, QStringLiteral("area")), QStringLiteral("85.50"));
    EXPECT_EQ(v->summaryText(0), QStringLiteral("85.50"));
}

TEST_P(DataViewDb, RetrieveBindsArgumentsByName)
{
    insertHouse(1, 1, QStringLiteral("101室"), 1, QVariant());
    insertHouse(1, 2, QStringLiteral("201室"), 1, QVariant());
    insertHouse(2, 1, QStringLiteral("101室"), 1, QVariant());
    ASSERT_TRUE(db().commit());
    DataViewDef def = houseDef();
    def.sql += QStringLiteral(" WHERE h.building = :al_building AND h.floorno >= :al_floor");
    def.arguments = {QStringLiteral("al_building"), QStringLiteral("al_floor")};
    DataView v(def);
    v.setTransObject(&db());
    EXPECT_EQ(v.retrieve({1, 2}), 1);
    EXPECT_EQ(v.retrieve({1, 1}), 2);
    EXPECT_EQ(v.retrieve({1}), -1) << "an argument missing";
    EXPECT_EQ(v.rowCount(), 0);
    def.sql = QStringLiteral("SELECT nonsense FROM nowhere");
    DataView broken(def);
    broken.setTransObject(&db());
    EXPECT_EQ(broken.retrieve({1, 1}), -1);
    EXPECT_FALSE(broken.lastError().isEmpty());
    db().rollback();
}

TEST_P(DataViewDb, SaveInsertsUpdatesAndDeletesAndReadsKeysBack)
{
    auto v = houses();
    ASSERT_EQ(v->retrieve(), 0);
    const int a = addRow(*v, {{"building", 1}, {"floorno", 1}, {"housenumber", "101室"}, {"area", 50.25}});
    const int b = addRow(*v, {{"building", 1}, {"floorno", 2}, {"housenumber", "201室"}, {"born", QDate(2001, 2, 3)}});
    v->insertRow(0);   // never touched: not written
    ASSERT_EQ(v->update(), 1) << v->lastError().toStdString();
    ASSERT_TRUE(db().commit());
    const auto keyA = v->getItemInteger(a, QStringLiteral("k"));
    const auto keyB = v->getItemInteger(b, QStringLiteral("k"));
    ASSERT_TRUE(keyA && keyB);
    EXPECT_NE(*keyA, *keyB);
    EXPECT_EQ(v->getItemStatus(a, QString()), RowStatus::NotModified);
    EXPECT_EQ(v->getItemStatus(3, QString()), RowStatus::New);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM dv_house")).toInt(), 2);

    v->setItem(a, QStringLiteral("note"), QStringLiteral("改"));
    v->deleteRow(b);
    ASSERT_EQ(v->update(), 1) << v->lastError().toStdString();
    ASSERT_TRUE(db().commit());
    EXPECT_EQ(v->deletedCount(), 0);
    EXPECT_FALSE(v->hasChanges());

    auto again = houses();
    ASSERT_EQ(again->retrieve(), 1);
    EXPECT_EQ(again->getItemInteger(1, QStringLiteral("k")), keyA);
    EXPECT_EQ(again->getItemString(1, QStringLiteral("note")), QStringLiteral("改"));
    EXPECT_EQ(again->getItem(1, QStringLiteral("area")), QVariant(50.25)) << "untouched columns keep their values";
}

TEST_P(DataViewDb, ResetFlagsFalseKeepsStatusesUntilResetUpdate)
{
    auto v = houses();
    v->retrieve();
    addRow(*v, {{"housenumber", "1"}});
    ASSERT_EQ(v->update(false), 1);
    EXPECT_EQ(v->getItemStatus(1, QString()), RowStatus::NewModified);
    EXPECT_TRUE(v->getItemInteger(1, QStringLiteral("k")).has_value()) << "the key is there before the commit";
    v->resetUpdate();
    EXPECT_EQ(v->getItemStatus(1, QString()), RowStatus::NotModified);
    db().commit();
}

// A save that fails half-way leaves every row as it was: the frame rolls
// back and the user may correct and save again.
TEST_P(DataViewDb, FailedSaveKeepsRowsStatusesAndBuffers)
{
    insertHouse(1, 1, QStringLiteral("101室"), 10, QVariant());
    insertHouse(1, 2, QStringLiteral("201室"), 20, QVariant());
    ASSERT_TRUE(db().commit());
    auto v = houses();
    ASSERT_EQ(v->retrieve(), 2);
    v->setItem(1, QStringLiteral("note"), QStringLiteral("changed"));
    v->deleteRow(2);
    const int fresh = addRow(*v, {{"building", 1}, {"floorno", 3}, {"housenumber", "301室"}});
    const int broken = addRow(*v, {{"building", 1}, {"floorno", 4}});   // housenumber NOT NULL

    EXPECT_EQ(v->update(), -1);
    EXPECT_FALSE(v->lastError().isEmpty());
    EXPECT_EQ(v->getItemStatus(1, QString()), RowStatus::DataModified);
    EXPECT_EQ(v->getItemStatus(fresh, QString()), RowStatus::NewModified);
    EXPECT_FALSE(v->getItemInteger(fresh, QStringLiteral("k")).has_value()) << "no key from a failed save";
    EXPECT_EQ(v->deletedCount(), 1);
    ASSERT_TRUE(db().rollback());
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM dv_house")).toInt(), 2);

    v->setItem(broken, QStringLiteral("housenumber"), QStringLiteral("401室"));
    ASSERT_EQ(v->update(), 1) << v->lastError().toStdString();
    ASSERT_TRUE(db().commit());
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM dv_house")).toInt(), 3);
    EXPECT_EQ(scalar(QStringLiteral("SELECT note FROM dv_house WHERE housenumber = :n"), {{"n", QStringLiteral("101室")}}).toString(),
              QStringLiteral("changed"));
}

TEST_P(DataViewDb, RowGoneFromTheDatabaseIsAFailureNotASuccess)
{
    insertHouse(1, 1, QStringLiteral("101室"), 10, QVariant());
    ASSERT_TRUE(db().commit());
    auto v = houses();
    ASSERT_EQ(v->retrieve(), 1);
    ASSERT_TRUE(db().execute(QStringLiteral("DELETE FROM dv_house")));
    ASSERT_TRUE(db().commit());
    v->setItem(1, QStringLiteral("note"), QStringLiteral("lost"));
    EXPECT_EQ(v->update(), -1);
    EXPECT_EQ(v->getItemStatus(1, QString()), RowStatus::DataModified);
    db().rollback();
}

// What someone else did to a row between this view's retrieve and its save.
// A stored row is written only while it is as the view read it; NULLs,
// decimals and dates compare equal to themselves after the round trip.
TEST_P(DataViewDb, SaveFindsWhatOthersChangedMeanwhile)
{
    const QString gone = QStringLiteral("已不存在");
    const struct {
        const char* name;
        const char* meanwhile;                         // SQL run by "someone else"
        std::function<void(DataView&)> edit;
        QString error;                                 // empty: the save goes through
    } cases[] = {
        {"same column changed: refused", "UPDATE dv_house SET note = 'theirs'",
         [](DataView& v) { v.setItem(1, "note", QStringLiteral("mine")); }, DataView::staleRowMessage()},
        {"empty column filled: refused", "UPDATE dv_house SET unitno = 9",
         [](DataView& v) { v.setItem(1, "unitno", 2); }, DataView::staleRowMessage()},
        {"other column changed: both stay", "UPDATE dv_house SET note = 'theirs'",
         [](DataView& v) { v.setItem(1, "floorno", 4); }, QString()},
        {"empty, decimal and date columns as read", "",
         [](DataView& v) {
             v.setItem(1, "unitno", 2);
             v.setItem(1, "area", 99.5);
             v.setItem(1, "born", QDate(2002, 3, 4));
         },
         QString()},
        {"row deleted: refused", "DELETE FROM dv_house", [](DataView& v) { v.setItem(1, "note", QStringLiteral("m")); },
         gone},
        {"deleting a changed row: refused", "UPDATE dv_house SET area = 1.25", [](DataView& v) { v.deleteRow(1); },
         DataView::staleRowMessage()},
        {"deleting a deleted row: refused", "DELETE FROM dv_house", [](DataView& v) { v.deleteRow(1); }, gone},
        {"deleting an unchanged row", "", [](DataView& v) { v.deleteRow(1); }, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(db().execute(QStringLiteral("DELETE FROM dv_house")));
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO dv_house (building, floorno, housenumber, area, born, note) "
                                                "VALUES (1, 3, '301室', 12.34, :d, 'a')"),
                                 {{"d", QDate(1990, 5, 6)}}));
        ASSERT_TRUE(db().commit());
        auto v = houses();
        ASSERT_EQ(v->retrieve(), 1);
        if (*c.meanwhile) {
            ASSERT_TRUE(db().execute(QString::fromLatin1(c.meanwhile)));
            ASSERT_TRUE(db().commit());
        }
        c.edit(*v);
        const int result = v->update();
        if (c.error.isEmpty()) {
            EXPECT_EQ(result, 1) << v->lastError().toStdString();
            ASSERT_TRUE(db().commit());
            EXPECT_FALSE(v->hasChanges());
        } else {
            EXPECT_EQ(result, -1);
            EXPECT_TRUE(v->lastError().contains(c.error)) << v->lastError().toStdString();
            EXPECT_TRUE(v->hasChanges()) << "the edit is kept";
            ASSERT_TRUE(db().rollback());
        }
    }
    // The last case deleted the row; the one before it kept theirs.
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM dv_house")).toInt(), 0);
}

// A window may declare values it put into a loaded row as stored (so that
// closing asks nothing) and save them later: they are compared with what the
// database holds, not with what the window declared, also after another save
// of the row that left them out.
TEST_P(DataViewDb, ValuesDeclaredStoredWithoutSavingAreNotTakenForTheDatabase)
{
    insertHouse(1, 3, QStringLiteral("301室"), 10, QVariant());
    ASSERT_TRUE(db().commit());
    auto v = houses();
    ASSERT_EQ(v->retrieve(), 1);
    v->setItem(1, QStringLiteral("floorno"), 1);
    v->setItemStatus(1, QString(), Buffer::Primary, RowStatus::NotModified);
    EXPECT_FALSE(v->hasChanges());

    v->setItem(1, QStringLiteral("note"), QStringLiteral("first save"));
    ASSERT_EQ(v->update(false), 1) << v->lastError().toStdString();
    ASSERT_TRUE(db().commit());
    v->resetUpdate();
    EXPECT_EQ(scalar(QStringLiteral("SELECT floorno FROM dv_house")).toInt(), 3);

    v->setItemStatus(1, QStringLiteral("floorno"), Buffer::Primary, RowStatus::DataModified);
    ASSERT_EQ(v->update(), 1) << v->lastError().toStdString();
    ASSERT_TRUE(db().commit());
    EXPECT_EQ(scalar(QStringLiteral("SELECT floorno FROM dv_house")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT note FROM dv_house")).toString(), QStringLiteral("first save"));
}

TEST_P(DataViewDb, PendingTextIsAcceptedBeforeSaving)
{
    auto v = houses();
    v->retrieve();
    addRow(*v, {{"housenumber", "1"}});
    v->setPendingText(QStringLiteral("note"), QStringLiteral("typed"));
    ASSERT_EQ(v->update(), 1);
    db().commit();
    EXPECT_EQ(scalar(QStringLiteral("SELECT note FROM dv_house")).toString(), QStringLiteral("typed"));

    v->events().itemChanged = [](int, const QString&, const QString&) { return 1; };
    v->setPendingText(QStringLiteral("note"), QStringLiteral("refused"));
    EXPECT_EQ(v->update(), -1) << "text the window refuses stops the save";
}

INSTANTIATE_ENGINES(DataViewDb);

} // namespace
} // namespace cr::test
