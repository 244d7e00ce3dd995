#include "app/coverage_page.h"

#include "frame/ui_services.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace cr::app {

using persons_in_charge::BuildingCoverage;
using persons_in_charge::FloorLayout;
using State = BuildingCoverage::State;

namespace {

QLabel* swatch(State state, const QString& text)
{
    auto* label = new QLabel(text);
    label->setStyleSheet(QStringLiteral("background: %1; border: 1px solid #b0b0b0; padding: 2px 8px;")
                             .arg(CoveragePage::colour(state).name()));
    return label;
}

QTableWidget* readOnlyTable(int rows, int columns)
{
    auto* table = new QTableWidget(rows, columns);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    return table;
}

} // namespace

QColor CoveragePage::colour(State state)
{
    switch (state) {
    case State::Uncovered: return QColor(0xf8, 0xc8, 0xc0);
    case State::Shared: return QColor(0xff, 0xdd, 0x80);
    case State::Covered: return QColor(0xd4, 0xf0, 0xd0);
    }
    return QColor();
}

CoveragePage::CoveragePage(std::unique_ptr<persons_in_charge::CoverageWindow> window, UiServices& ui, QWidget* parent)
    : QWidget(parent), m_window(std::move(window))
{
    auto* box = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("楼院(&B)："));
    m_building = new QComboBox;
    m_building->setMinimumContentsLength(30);
    label->setBuddy(m_building);
    auto* refresh = new QPushButton(QStringLiteral("刷新"));
    refresh->setShortcut(QKeySequence(Qt::Key_F5));
    refresh->setToolTip(QStringLiteral("重新读取楼院和负责人（F5）"));
    auto* help = new QPushButton(QStringLiteral("帮助"));
    top->addWidget(label);
    top->addWidget(m_building, 1);
    top->addWidget(refresh);
    top->addWidget(help);
    box->addLayout(top);

    auto* legend = new QHBoxLayout;
    m_summary = new QLabel;
    legend->addWidget(m_summary, 1);
    legend->addWidget(swatch(State::Covered, QStringLiteral("一人负责")));
    legend->addWidget(swatch(State::Shared, QStringLiteral("多人负责")));
    legend->addWidget(swatch(State::Uncovered, QStringLiteral("无人负责")));
    box->addLayout(legend);

    auto* split = new QSplitter(Qt::Vertical);
    m_grid = readOnlyTable(0, 0);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    split->addWidget(m_grid);
    m_deans = readOnlyTable(0, 4);
    m_deans->setHorizontalHeaderLabels(
        {QStringLiteral("姓名"), QStringLiteral("职务"), QStringLiteral("管理范围"), QStringLiteral("说明")});
    m_deans->horizontalHeader()->setStretchLastSection(true);
    m_deans->verticalHeader()->hide();
    split->addWidget(m_deans);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    box->addWidget(split, 1);

    connect(m_building, &QComboBox::activated, this, [this](int index) {
        m_window->showBuilding(m_building->itemData(index).toLongLong());
    });
    connect(refresh, &QPushButton::clicked, this, [this] { m_window->refresh(); });
    connect(help, &QPushButton::clicked, this, [this, &ui] { ui.showHelp(m_window->helpTopic()); });
    connect(m_window.get(), &persons_in_charge::CoverageWindow::coverageChanged, this, &CoveragePage::showCoverage);
    setFocusProxy(m_building);
    showCoverage();
}

CoveragePage::~CoveragePage() = default;

bool CoveragePage::showBuilding(qlonglong building) { return m_window->showBuilding(building); }

// Deans may have been edited in another tab since the page was last shown.
void CoveragePage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) m_window->refresh();
}

void CoveragePage::fillBuildings()
{
    const QSignalBlocker quiet(m_building);
    m_building->clear();
    for (const persons_in_charge::BuildingEntry& b : m_window->buildings())
        m_building->addItem(b.address.isEmpty() ? b.name : QStringLiteral("%1（%2）").arg(b.name, b.address),
                            b.buildingNo);
    if (const auto current = m_window->currentBuilding()) m_building->setCurrentIndex(m_building->findData(*current));
}

void CoveragePage::showCoverage()
{
    fillBuildings();
    const std::optional<BuildingCoverage>& coverage = m_window->coverage();
    m_summary->setText(m_window->statusText());
    m_grid->clear();
    m_deans->setRowCount(0);
    if (!coverage) {
        m_grid->setRowCount(0);
        m_grid->setColumnCount(0);
        return;
    }
    const FloorLayout& layout = coverage->layout();
    QList<int> floors = layout.floors();
    std::reverse(floors.begin(), floors.end());
    m_grid->setRowCount(int(floors.size()));
    m_grid->setColumnCount(int(layout.doors.size()));
    QStringList doorHeads;
    for (int d = 0; d < layout.doors.size(); ++d)
        doorHeads << (layout.doors[d].isBlock() ? QStringLiteral("全院") : layout.doorLabel(d));
    m_grid->setHorizontalHeaderLabels(doorHeads);
    QStringList floorHeads;
    for (int f : std::as_const(floors)) floorHeads << FloorLayout::floorLabel(f);
    m_grid->setVerticalHeaderLabels(floorHeads);
    for (int r = 0; r < floors.size(); ++r)
        for (int d = 0; d < layout.doors.size(); ++d) {
            const persons_in_charge::Cell cell{d, floors[r]};
            const QStringList names = coverage->namesAt(cell);
            // Said in words too: the colours are not everybody's.
            auto* item = new QTableWidgetItem(names.isEmpty() ? QStringLiteral("（无人负责）")
                                                              : names.join(QStringLiteral("、")));
            item->setBackground(colour(coverage->state(cell)));
            if (names.isEmpty()) item->setForeground(QColor(0x80, 0x30, 0x30));
            item->setToolTip(QStringLiteral("%1%2：%3")
                                 .arg(layout.doorLabel(d), FloorLayout::floorLabel(floors[r]),
                                      names.isEmpty() ? QStringLiteral("无人负责") : names.join(QStringLiteral("、"))));
            m_grid->setItem(r, d, item);
        }
    const auto& deans = coverage->deans();
    m_deans->setRowCount(int(deans.size()));
    for (int i = 0; i < deans.size(); ++i) {
        const auto& dean = deans[i];
        const QStringList cells{dean.range.person, dean.range.duty, dean.range.readable,
                                dean.problems.join(QStringLiteral(" "))};
        for (int c = 0; c < cells.size(); ++c) m_deans->setItem(i, c, new QTableWidgetItem(cells[c]));
    }
    m_deans->resizeColumnsToContents();
}

} // namespace cr::app
