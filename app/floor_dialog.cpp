#include "app/floor_dialog.h"

#include "app/pictures.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace cr::app {

using persons_in_charge::FloorLayout;
using persons_in_charge::FloorSelection;

FloorDialog::FloorDialog(QWidget* parent, const FloorSelection& selection) : QDialog(parent), m_selection(selection)
{
    const FloorLayout& layout = m_selection.layout();
    setWindowTitle(QStringLiteral("选择管理的楼门（单元）和楼层"));
    auto* box = new QVBoxLayout(this);
    box->addWidget(new QLabel(QStringLiteral("楼院：%1　勾选负责人管理的楼层：点击列标题（Ctrl+空格）选整个%2，"
                                             "点击行标题（Shift+空格）选整层，空格键勾选当前格。")
                                  .arg(layout.name, layout.hasBlockOnly() ? QStringLiteral("楼院")
                                                                          : QStringLiteral("楼门"))));

    m_floors = layout.floors();
    std::reverse(m_floors.begin(), m_floors.end());
    m_grid = new QTableWidget(int(m_floors.size()), int(layout.doors.size()));
    QStringList doorHeads;
    for (int d = 0; d < layout.doors.size(); ++d)
        doorHeads << (layout.doors[d].isBlock() ? QStringLiteral("全院") : layout.doorLabel(d));
    QStringList floorHeads;
    for (int f : std::as_const(m_floors)) floorHeads << FloorLayout::floorLabel(f);
    m_grid->setHorizontalHeaderLabels(doorHeads);
    m_grid->setVerticalHeaderLabels(floorHeads);
    for (int r = 0; r < m_floors.size(); ++r)
        for (int c = 0; c < layout.doors.size(); ++c) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            m_grid->setItem(r, c, item);
        }
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    box->addWidget(m_grid, 1);

    if (!m_selection.staleParts().isEmpty()) {
        auto* stale = new QLabel(QStringLiteral("原管理范围中以下部分不在该楼院内或无法识别，确定后不再保留：%1")
                                     .arg(m_selection.staleParts().join(QStringLiteral("；"))));
        stale->setWordWrap(true);
        stale->setStyleSheet(QStringLiteral("color: #a04000;"));
        box->addWidget(stale);
    }
    m_preview = new QLabel;
    m_preview->setWordWrap(true);
    box->addWidget(m_preview);
    if (m_floors.isEmpty()) box->addWidget(new QLabel(QStringLiteral("该楼院没有填写层数，请先在“社区楼院”中补全。")));

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
    box->addWidget(buttons);

    connect(all, &QPushButton::clicked, this, [this] {
        m_selection.tickAll();
        showTicks();
    });
    connect(none, &QPushButton::clicked, this, [this] {
        m_selection.clear();
        showTicks();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, &FloorDialog::toggleDoor);
    connect(m_grid->verticalHeader(), &QHeaderView::sectionClicked, this, &FloorDialog::toggleFloor);
    connect(m_grid, &QTableWidget::itemChanged, this, &FloorDialog::cellChanged);
    m_grid->installEventFilter(this);

    showTicks();
    m_grid->setCurrentCell(0, 0);
    m_grid->setFocus();
    resize(qMin(900, 200 + 90 * int(layout.doors.size())), qMin(640, 220 + 30 * int(m_floors.size())));
}

// Ctrl+Space ticks the current door as a whole, Shift+Space the current
// floor; Space alone (the grid's own) the current cell.
bool FloorDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::ControlModifier) {
            toggleDoor(m_grid->currentColumn());
            return true;
        }
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::ShiftModifier) {
            toggleFloor(m_grid->currentRow());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FloorDialog::showTicks()
{
    const QSignalBlocker quiet(m_grid);
    for (int r = 0; r < m_floors.size(); ++r)
        for (int c = 0; c < m_grid->columnCount(); ++c)
            m_grid->item(r, c)->setCheckState(m_selection.isTicked({c, m_floors[r]}) ? Qt::Checked : Qt::Unchecked);
    updatePreview();
}

void FloorDialog::cellChanged(QTableWidgetItem* item)
{
    m_selection.setTicked({item->column(), m_floors.value(item->row())}, item->checkState() == Qt::Checked);
    updatePreview();
}

void FloorDialog::toggleDoor(int column)
{
    if (column < 0 || column >= m_grid->columnCount()) return;
    m_selection.toggleDoor(column);
    showTicks();
}

void FloorDialog::toggleFloor(int row)
{
    if (row < 0 || row >= m_floors.size()) return;
    m_selection.toggleFloor(m_floors[row]);
    showTicks();
}

void FloorDialog::updatePreview()
{
    const QString text = m_selection.readable();
    m_preview->setText(QStringLiteral("管理范围：%1").arg(text.isEmpty() ? QStringLiteral("（未选择）") : text));
}

StrMultiselect FloorDialog::choose(QWidget* parent, Sqlca* sqlca, const StrMultiselect& parameter)
{
    QString error = QStringLiteral("没有可用的数据库连接。");
    const std::optional<FloorSelection> selection =
        sqlca ? FloorSelection::open(*sqlca, parameter, &error) : std::nullopt;
    if (!selection) {
        QMessageBox::warning(parent, QStringLiteral("提示"), error);
        StrMultiselect cancelled = parameter;
        cancelled.s_str = StrMultiselect::cancelMark();
        return cancelled;
    }
    FloorDialog dialog(parent, *selection);
    if (!parameter.s_title.isEmpty()) dialog.setWindowTitle(parameter.s_title);
    if (dialog.exec() != QDialog::Accepted) return selection->cancelled();
    return dialog.selection().answer();
}

} // namespace cr::app
