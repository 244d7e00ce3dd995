#include "app/floor_dialog.h"

#include "app/pictures.h"
#include "frame/sqlca.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace cr::app {

bool FloorDialog::readBuilding(Sqlca& sqlca, const StrMultiselect& parameter, BuildingFloors* out)
{
    static const QRegularExpression number(QStringLiteral("buildingno\\s*=\\s*(\\d+)"),
                                           QRegularExpression::CaseInsensitiveOption);
    const auto m = number.match(parameter.s_filter);
    if (!m.hasMatch()) return false;
    const qint64 buildingNo = m.captured(1).toLongLong();
    auto q = sqlca.select(QStringLiteral("SELECT buildingname, unitnum, upfloornum, downfloornum, prepare3 "
                                         "FROM tc_ge_building WHERE buildingno = :buildingno"),
                          {{QStringLiteral("buildingno"), buildingNo}});
    if (!q || !q->next()) return false;
    out->buildingNo = buildingNo;
    out->name = q->value(0).toString();
    out->doorWord = q->value(4).toString().trimmed();
    out->upFloors = qMax(0, q->value(2).toInt());
    out->downFloors = qMax(0, q->value(3).toInt());
    // Bungalow compounds (their own building list) and buildings without a
    // door count are one block without doors.
    const bool bungalows = parameter.s_dw.compare(QStringLiteral("dddw_building_select1"), Qt::CaseInsensitive) == 0;
    out->doors = bungalows ? 0 : qMax(0, q->value(1).toInt());
    if (bungalows && out->upFloors == 0) out->upFloors = 1;
    return true;
}

FloorDialog::FloorDialog(QWidget* parent, const BuildingFloors& building, const StrMultiselect& parameter)
    : QDialog(parent), m_building(building), m_parameter(parameter)
{
    setWindowTitle(parameter.s_title.isEmpty() ? QStringLiteral("选择管理的楼门（单元）和楼层") : parameter.s_title);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("楼院：%1　勾选负责人管理的楼层；点击列标题选整个单元，点击行标题选整层，空格键勾选当前格。")
                                     .arg(building.name)));

    m_doors = building.doorNumbers();
    m_floors = building.floorNumbers();
    std::reverse(m_floors.begin(), m_floors.end());
    m_grid = new QTableWidget(int(m_floors.size()), int(m_doors.size()));
    QStringList doorHeads;
    for (int d : m_doors) doorHeads << (d == 0 ? QStringLiteral("全院") : building.doorLabel(d));
    QStringList floorHeads;
    for (int f : m_floors) floorHeads << (f < 0 ? QStringLiteral("地下%1层").arg(-f) : QStringLiteral("%1层").arg(f));
    m_grid->setHorizontalHeaderLabels(doorHeads);
    m_grid->setVerticalHeaderLabels(floorHeads);
    for (int r = 0; r < m_floors.size(); ++r)
        for (int c = 0; c < m_doors.size(); ++c) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            item->setCheckState(Qt::Unchecked);
            m_grid->setItem(r, c, item);
        }
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(m_grid, 1);

    m_preview = new QLabel;
    m_preview->setWordWrap(true);
    layout->addWidget(m_preview);
    if (m_floors.isEmpty())
        layout->addWidget(new QLabel(QStringLiteral("该楼院没有填写层数，请先在“社区楼院”中补全。")));

    auto* buttons = new QDialogButtonBox;
    auto* all = buttons->addButton(QStringLiteral("全选"), QDialogButtonBox::ActionRole);
    auto* none = buttons->addButton(QStringLiteral("全不选"), QDialogButtonBox::ActionRole);
    auto* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setIcon(picture(QStringLiteral("cb_ok.bmp")));
    ok->setToolTip(QStringLiteral("确认当前的选择"));
    ok->setEnabled(!m_floors.isEmpty());
    auto* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setIcon(picture(QStringLiteral("cb_cancel.bmp")));
    cancel->setToolTip(QStringLiteral("取消选择不做任何修改"));
    layout->addWidget(buttons);

    connect(all, &QPushButton::clicked, this, [this] {
        QSet<FloorRange::Cell> cells;
        for (int d : m_doors)
            for (int f : m_floors) cells.insert({d, f});
        setTicked(cells);
    });
    connect(none, &QPushButton::clicked, this, [this] { setTicked({}); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, &FloorDialog::toggleDoor);
    connect(m_grid->verticalHeader(), &QHeaderView::sectionClicked, this, &FloorDialog::toggleFloor);
    connect(m_grid, &QTableWidget::itemChanged, this, &FloorDialog::updatePreview);

    setTicked(FloorRange::parseReadable(building, parameter.s_str));
    m_grid->setCurrentCell(0, 0);
    m_grid->setFocus();
    resize(qMin(900, 160 + 90 * int(m_doors.size())), qMin(640, 200 + 30 * int(m_floors.size())));
}

QSet<FloorRange::Cell> FloorDialog::ticked() const
{
    QSet<FloorRange::Cell> cells;
    for (int r = 0; r < m_floors.size(); ++r)
        for (int c = 0; c < m_doors.size(); ++c)
            if (m_grid->item(r, c)->checkState() == Qt::Checked) cells.insert({m_doors[c], m_floors[r]});
    return cells;
}

void FloorDialog::setTicked(const QSet<FloorRange::Cell>& cells)
{
    const QSignalBlocker block(m_grid);
    for (int r = 0; r < m_floors.size(); ++r)
        for (int c = 0; c < m_doors.size(); ++c)
            m_grid->item(r, c)->setCheckState(cells.contains({m_doors[c], m_floors[r]}) ? Qt::Checked : Qt::Unchecked);
    updatePreview();
}

// A door or a floor is ticked as a whole; when all of it is ticked already,
// the click clears it.
void FloorDialog::toggleDoor(int column)
{
    if (column < 0 || column >= m_doors.size()) return;
    QSet<FloorRange::Cell> cells = ticked();
    bool allTicked = true;
    for (int f : m_floors) allTicked = allTicked && cells.contains({m_doors[column], f});
    for (int f : m_floors) {
        if (allTicked) cells.remove({m_doors[column], f});
        else cells.insert({m_doors[column], f});
    }
    setTicked(cells);
}

void FloorDialog::toggleFloor(int row)
{
    if (row < 0 || row >= m_floors.size()) return;
    QSet<FloorRange::Cell> cells = ticked();
    bool allTicked = true;
    for (int d : m_doors) allTicked = allTicked && cells.contains({d, m_floors[row]});
    for (int d : m_doors) {
        if (allTicked) cells.remove({d, m_floors[row]});
        else cells.insert({d, m_floors[row]});
    }
    setTicked(cells);
}

void FloorDialog::updatePreview()
{
    const QString text = FloorRange::readable(m_building, ticked());
    m_preview->setText(QStringLiteral("管理范围：%1").arg(text.isEmpty() ? QStringLiteral("（未选择）") : text));
}

StrMultiselect FloorDialog::answer() const
{
    StrMultiselect result = m_parameter;
    result.s_str = FloorRange::readable(m_building, ticked());
    result.s_filter = FloorRange::code(m_building, ticked());
    return result;
}

StrMultiselect FloorDialog::choose(QWidget* parent, Sqlca* sqlca, const StrMultiselect& parameter)
{
    StrMultiselect cancelled = parameter;
    cancelled.s_str = StrMultiselect::cancelMark();
    BuildingFloors building;
    if (!sqlca || !readBuilding(*sqlca, parameter, &building)) {
        QMessageBox::warning(parent, QStringLiteral("提示"), QStringLiteral("找不到要选择范围的楼院。"));
        return cancelled;
    }
    FloorDialog dialog(parent, building, parameter);
    if (dialog.exec() != QDialog::Accepted) return cancelled;
    return dialog.answer();
}

} // namespace cr::app
