#include "areas_buildings/areas_buildings_windows.h"
#include "areas_buildings/building_window.h"
#include "building_fixture.h"
#include "frame/message_object.h"
#include "frame/window_registry.h"
#include "support/scripted_ui.h"

namespace cr::test {
namespace {

using areas_buildings::BuildingWindow;

TEST(CommonNameFromAddress, KeepsTheEndOfALongAddress)
{
    const QString thirty = QStringLiteral("和平里东街道光明社区幸福小区十二号院三号楼二单元门前花园东侧");
    ASSERT_EQ(thirty.size(), 30);
    const QString surrogate = QString::fromUcs4(U"\U00020000");   // a character outside the BMP
    struct Case {
        QString address, name;
    };
    const QList<Case> cases = {
        {"和平里1号", "和平里1号"},
        {"  和平里1号 ", "和平里1号"},
        {thirty, thirty},
        {QStringLiteral("北京市朝阳区") + thirty, thirty},
        // Cutting at 30 would split the character: it is left out whole.
        {surrogate + thirty.right(29), thirty.right(29)},
    };
    for (const Case& c : cases) {
        const QString name = BuildingWindow::commonNameFromAddress(c.address);
        EXPECT_EQ(name, c.name) << c.address.toStdString();
        EXPECT_LE(name.size(), 30);
    }
}

class BuildingWindowTest : public BuildingFixture {
protected:
    std::unique_ptr<RecordWindow> open(qlonglong key)
    {
        areas_buildings::registerWindows(registry);
        const WindowContext context{db(), scripted, catalog, message, nullptr, nullptr};
        std::unique_ptr<Window> w = registry.create(QStringLiteral("w_m_ge_building"), context);
        auto* record = dynamic_cast<RecordWindow*>(w.get());
        if (!record || !record->openModify(key)) return nullptr;
        w.release();
        return std::unique_ptr<RecordWindow>(record);
    }

    WindowRegistry registry;
    ScriptedUi scripted;
    MessageObject message;
};

TEST_P(BuildingWindowTest, LoadingLeavesTheStoredRowUnmodified)
{
    const qlonglong b = addBuilding(QStringLiteral("平房一院"), QStringLiteral("平房胡同1号"), "02", 3);
    ASSERT_TRUE(db().execute(QStringLiteral("UPDATE tc_ge_building SET housenum = 8, istoilet = '1', "
                                            "iswaterdispart = '0', isammeterdispart = '0'")));
    commit();
    std::unique_ptr<RecordWindow> w = open(b);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->dw_1().getItemNumber(1, QStringLiteral("upfloornum")), 1.0);
    EXPECT_EQ(w->dw_1().getItemStatus(1, QString()), RowStatus::NotModified);
    EXPECT_EQ(w->dw_1().getItemStatus(1, QStringLiteral("upfloornum")), RowStatus::NotModified);
    EXPECT_FALSE(w->hasUnsavedEdits());
    EXPECT_TRUE(w->dw_1().updatePlan().isEmpty());

    // The temporary save stores the record as it was, floors included.
    EXPECT_TRUE(w->tempSave());
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT upfloornum FROM tc_ge_building")).toInt(), 3);
    // The validated save after it stores what the form shows and the checks passed.
    EXPECT_TRUE(w->save()) << (scripted.messages().isEmpty() ? "" : scripted.messages().last().text.toStdString());
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT upfloornum FROM tc_ge_building")).toInt(), 1);
    EXPECT_TRUE(scripted.errors().isEmpty()) << scripted.errors().join(u'\n').toStdString();
}

INSTANTIATE_ENGINES(BuildingWindowTest);

} // namespace
} // namespace cr::test
