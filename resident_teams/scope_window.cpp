#include "resident_teams/scope_window.h"

#include "frame/dataview.h"
#include "frame/message_object.h"
#include "frame/ui_services.h"
#include "frame/window_registry.h"

namespace cr::resident_teams {
namespace {

ControlDef makeControl(const char* name, ControlKind kind, const QString& text = QString())
{
    ControlDef c;
    c.name = QLatin1String(name);
    c.kind = kind;
    c.text = text;
    return c;
}

ControlDef pictureButton(const char* name, const char* picture, const QString& tooltip, const char* shortcut)
{
    ControlDef c = makeControl(name, ControlKind::PictureButton);
    c.picture = QLatin1String(picture);
    c.tooltip = tooltip;
    c.shortcut = QLatin1String(shortcut);
    return c;
}

const QString kReading = QStringLiteral("正在读取楼院、房屋数据");

} // namespace

ScopeWindow::ScopeWindow(const WindowContext& context, const WindowInfo& info)
    : Window(context, info.name.isEmpty() ? windowName() : info.name,
             info.title.isEmpty() ? windowTitle() : info.title)
{
    addControl(makeControl("st_title", ControlKind::Text));
    addControl(makeControl("gb_1", ControlKind::Text, QStringLiteral("社区楼院、房屋树状结构图：")));
    addControl(makeControl("cbx_1", ControlKind::Button, QStringLiteral("展开全部")), [this] { cbx_1_clicked(); });
    addControl(makeControl("st_msg", ControlKind::Text));
    addControl(pictureButton("cb_ok", "bmp/cb_ok.bmp", QStringLiteral("确认当前的选择"), "Ctrl+Return"),
               [this] { cb_ok_clicked(); });
    addControl(pictureButton("p_cancel", "bmp/cb_cancel.bmp", QStringLiteral("取消选择不做任何修改"), "Esc"),
               [this] { p_cancel_clicked(); });
    m_buildings = addDataView(QStringLiteral("dw_building"), QStringLiteral("dw_ge_building"));
}

void ScopeWindow::onOpen()
{
    if (const auto* parameter = std::any_cast<StrMultiselect>(&message().powerObjectParm)) istr_select = *parameter;
    message().powerObjectParm.reset();
    if (!readRows()) return;

    const int rc = wf_create_tree();
    setControlText(QStringLiteral("st_msg"),
                   rc == 0 ? QStringLiteral("共检索出%1个楼院，%2个房屋。").arg(m_tree.buildingCount()).arg(m_tree.houseCount())
                           : QStringLiteral("楼院、单元、房屋信息检索不正确！"));
    setControlText(QStringLiteral("st_title"),
                   QStringLiteral("居民小组【") + istr_select.s_title + QStringLiteral("】所辖楼院、房屋范围定义："));
    m_tree.preTick(istr_select.s_str);
}

// The three queries, with the area filter on the buildings. False when the
// tree cannot be built: the dialog then stays open with an empty tree.
bool ScopeWindow::readRows()
{
    m_progress = ui().showProgress(kReading);
    Progress* progress = m_progress.get();
    QString problem;
    if (m_buildings->retrieve() < 0) problem = m_buildings->lastError();
    if (problem.isEmpty() && !istr_select.s_filter.isEmpty()) {
        if (m_buildings->setFilter(istr_select.s_filter) != 1 || m_buildings->filter() != 1) {
            m_progress.reset();
            ui().messageBox(QStringLiteral("警告"), QStringLiteral("选择的区域不正确，无法生成楼院房屋树状图！"),
                            UiServices::Icon::Warning);
            return false;
        }
    }
    progress->setValue(1, 3);
    if (problem.isEmpty()) m_rows.readHouses(sqlca(), &problem);
    progress->setValue(2, 3);
    if (problem.isEmpty()) m_rows.readHouseholds(sqlca(), &problem);
    progress->setValue(3, 3);
    if (problem.isEmpty()) return true;

    // A database that cannot be read must not look like an empty community.
    m_progress.reset();
    ui().messageBox(QStringLiteral("错误"), QStringLiteral("读取楼院、房屋数据失败：") + problem,
                    UiServices::Icon::Error);
    setControlText(QStringLiteral("st_msg"), QStringLiteral("楼院、单元、房屋信息检索不正确！"));
    return false;
}

int ScopeWindow::wf_create_tree()
{
    if (!m_progress) m_progress = ui().showProgress(kReading);
    m_rows.buildings = ScopeSource::buildingsOf(*m_buildings);
    const int stoppedAt =
        m_tree.build(std::move(m_rows), [this](int done, int total) { m_progress->setValue(done, total); });
    m_rows = ScopeSource();
    m_progress.reset();
    if (stoppedAt < 0) return 0;
    ui().messageBox(QStringLiteral("警告信息"), QStringLiteral("楼院信息不正确或没有楼院数据，无法生成树！"),
                    UiServices::Icon::Warning);
    return 1;
}

void ScopeWindow::cb_ok_clicked()
{
    const ScopeTree::Selection s = m_tree.selection();
    istr_select.s_str = s.code;
    istr_select.s_dw = s.names;
    handBack();
}

void ScopeWindow::p_cancel_clicked()
{
    istr_select.s_str = StrMultiselect::cancelMark();
    handBack();
}

void ScopeWindow::cbx_1_clicked()
{
    m_expandAll = !m_expandAll;
    emit expandAllChanged(m_expandAll);
}

void ScopeWindow::handBack()
{
    m_answered = true;
    message().powerObjectParm = istr_select;
    close();
}

// Closed without an answer (system menu, Esc in the shell): as cancelled.
bool ScopeWindow::closeQuery()
{
    if (!m_answered) {
        istr_select.s_str = StrMultiselect::cancelMark();
        m_answered = true;
        message().powerObjectParm = istr_select;
    }
    return true;
}

} // namespace cr::resident_teams
