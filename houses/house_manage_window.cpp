#include "houses/house_manage_window.h"

#include "frame/dataview.h"
#include "frame/ui_services.h"
#include "frame/window_registry.h"
#include "houses/house_batch.h"

namespace cr::houses {
namespace {

ControlDef text(const char* name, const QString& caption = QString())
{
    ControlDef c;
    c.name = QLatin1String(name);
    c.kind = ControlKind::Text;
    c.text = caption;
    return c;
}

ControlDef pictureButton(const char* name, const char* picture, const QString& tooltip,
                         const char* shortcut = "")
{
    ControlDef c;
    c.name = QLatin1String(name);
    c.kind = ControlKind::PictureButton;
    c.picture = QLatin1String(picture);
    c.tooltip = tooltip;
    c.shortcut = QLatin1String(shortcut);
    return c;
}

ControlDef viewControl(const char* name)
{
    ControlDef c;
    c.name = QLatin1String(name);
    c.kind = ControlKind::DataView;
    return c;
}

const QString kReadOnly = QStringLiteral("DataWindow.ReadOnly=true");

} // namespace

QString HouseManageWindow::hintText()
{
    return QStringLiteral("提示：只有楼房才能增加房屋，并且只增加单元中没有此房号的房屋，批量删除将删除此楼院的所有房屋。");
}

HouseManageWindow::HouseManageWindow(const WindowContext& context, const WindowInfo& info)
    : Window(context, info.name.isEmpty() ? windowName() : info.name,
             info.title.isEmpty() ? windowTitle() : info.title)
{
    setHelpTopic(info.helpTopic.isEmpty() ? windowTitle() : info.helpTopic);
    addControl(text("st_msg"));
    addControl(text("st_1", hintText()));
    addControl(pictureButton("p_help", "bmp/cb_help.bmp", QStringLiteral("查看相应帮助(Ctrl+H)"), "Ctrl+H"),
               [this] { ui().showHelp(helpTopic()); });
    addControl(pictureButton("cb_addall", "bmp/cb_batchadd.bmp", QStringLiteral("批量增加楼院的房屋信息")),
               [this] { cb_addall_clicked(); });
    addControl(pictureButton("cb_deleteall", "bmp/cb_batchdel.bmp", QStringLiteral("批量删除楼院的房屋信息")),
               [this] { cb_deleteall_clicked(); });
    addControl(pictureButton("cb_close", "bmp/cb_close.bmp", QStringLiteral("退出房屋信息管理"), "Esc"),
               [this] { close(); });
    addControl(viewControl("dw_house"));
    addControl(viewControl("dw_2"));
    addControl(viewControl("dw_1"));

    m_houses = addDataView(QStringLiteral("dw_house"), QStringLiteral("d_housemanage_house"));
    m_building = addDataView(QStringLiteral("dw_2"), QStringLiteral("d_housemanage_f"));
    m_buildings = addDataView(QStringLiteral("dw_1"), QStringLiteral("d_housemanage"));
    m_buildings->events().rowFocusChanged = [this](int row) { dw_1_rowfocuschanged(row); };
}

void HouseManageWindow::onOpen()
{
    m_buildings->retrieve();
    m_buildings->modify(kReadOnly);
    // The first building is selected as soon as the list is there.
    if (m_buildings->rowCount() > 0) {
        if (m_buildings->getRow() == 1)
            dw_1_rowfocuschanged(1);
        else
            m_buildings->setRow(1);
    }
}

void HouseManageWindow::dw_1_rowfocuschanged(int currentRow)
{
    if (currentRow < 1) return;
    const QVariant buildingNo = m_buildings->getItem(currentRow, QStringLiteral("buildingno"));
    m_building->retrieve({buildingNo});
    m_building->modify(kReadOnly);
    m_houses->retrieve({buildingNo});
    m_houses->modify(kReadOnly);
    showCount(false);
}

void HouseManageWindow::showCount(bool afterDeletion)
{
    setControlText(QStringLiteral("st_msg"), HouseBatch::countLine(m_houses->rowCount(), afterDeletion));
}

void HouseManageWindow::cb_addall_clicked()
{
    const int row = m_buildings->getRow();
    if (row < 1) return;
    const BatchOutcome o = HouseBatch(sqlca(), *m_houses).generate(BatchBuilding::fromRow(*m_buildings, row));
    if (o.result == BatchOutcome::Result::Done) showCount(false);
    if (o.hasMessage())
        ui().messageBox(o.title, o.text,
                        o.result == BatchOutcome::Result::Failed ? UiServices::Icon::Error
                                                                 : UiServices::Icon::Information);
}

void HouseManageWindow::cb_deleteall_clicked()
{
    const int row = m_buildings->getRow();
    if (m_houses->rowCount() < 1 || row < 1) return;
    HouseBatch batch(sqlca(), *m_houses);
    const BatchBuilding building = BatchBuilding::fromRow(*m_buildings, row);
    // Houses households live in or that are let are never deleted in bulk.
    const BatchOutcome refused = batch.refuseWhileInUse(building);
    if (refused.hasMessage()) {
        ui().messageBox(refused.title, refused.text, UiServices::Icon::Warning);
        return;
    }
    const int answer =
        ui().messageBox(QStringLiteral("提示"), HouseBatch::deleteQuestion(building.name, m_houses->rowCount()),
                        UiServices::Icon::Question, UiServices::Buttons::YesNo, 2);
    if (answer != 1) return;
    const BatchOutcome o = batch.removeAll();
    if (o.result == BatchOutcome::Result::Done) showCount(true);
    if (o.hasMessage()) ui().messageBox(o.title, o.text, UiServices::Icon::Error);
}

} // namespace cr::houses
