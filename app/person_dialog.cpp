#include "app/person_dialog.h"

#include "app/pictures.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace cr::app {

PersonDialog::PersonDialog(QWidget* parent, const QString& title, const QString& searchText,
                           UiServices::PersonSearch search)
    : QDialog(parent), m_search(std::move(search))
{
    setWindowTitle(title.isEmpty() ? QStringLiteral("选择人员") : title);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("姓名、证件号码或电话(&F)："));
    m_text = new QLineEdit(searchText);
    m_text->setClearButtonEnabled(true);
    label->setBuddy(m_text);
    auto* find = new QPushButton(QStringLiteral("查找"));
    row->addWidget(label);
    row->addWidget(m_text, 1);
    row->addWidget(find);
    layout->addLayout(row);

    m_table = new QTableWidget(0, 6);
    m_table->setHorizontalHeaderLabels({QStringLiteral("姓名"), QStringLiteral("性别"), QStringLiteral("出生日期"),
                                        QStringLiteral("证件号码"), QStringLiteral("联系电话"),
                                        QStringLiteral("居住地址")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table, 1);

    m_count = new QLabel;
    layout->addWidget(m_count);
    auto* buttons = new QDialogButtonBox;
    auto* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setIcon(picture(QStringLiteral("cb_ok.bmp")));
    auto* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setIcon(picture(QStringLiteral("cb_cancel.bmp")));
    layout->addWidget(buttons);

    connect(find, &QPushButton::clicked, this, &PersonDialog::runSearch);
    connect(m_text, &QLineEdit::returnPressed, this, &PersonDialog::runSearch);
    // Double-click or Enter on a candidate chooses it.
    connect(m_table, &QTableWidget::activated, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (chosen()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter in the search box searches; the OK button is not the default.
    ok->setAutoDefault(false);
    find->setAutoDefault(false);
    resize(760, 420);
    runSearch();
}

void PersonDialog::runSearch()
{
    m_candidates = m_search ? m_search(m_text->text().trimmed()) : QList<PersonCandidate>{};
    m_table->setRowCount(int(m_candidates.size()));
    for (int r = 0; r < m_candidates.size(); ++r) {
        const PersonCandidate& c = m_candidates[r];
        const QStringList cells{c.name, c.sex, c.birthDate, c.idCard, c.phone, c.address};
        for (int col = 0; col < cells.size(); ++col) m_table->setItem(r, col, new QTableWidgetItem(cells[col]));
    }
    m_table->resizeColumnsToContents();
    m_count->setText(m_candidates.isEmpty() ? QStringLiteral("没有找到符合条件的人员。")
                                            : QStringLiteral("共找到 %1 人，请选择一人。").arg(m_candidates.size()));
    if (!m_candidates.isEmpty()) {
        m_table->selectRow(0);
        m_table->setFocus();
    }
}

std::optional<QString> PersonDialog::chosen() const
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_candidates.size() || m_table->selectedItems().isEmpty()) return std::nullopt;
    return m_candidates[row].personNo;
}

int PersonDialog::candidateCount() const
{
    return int(m_candidates.size());
}

std::optional<QString> PersonDialog::choose(QWidget* parent, const QString& title, const QString& searchText,
                                            const UiServices::PersonSearch& search)
{
    PersonDialog dialog(parent, title, searchText, search);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

} // namespace cr::app
