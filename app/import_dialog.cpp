#include "app/import_dialog.h"

#include "app/list_output.h"

#include "exchange/import_template.h"
#include "exchange/import_write.h"
#include "exchange/sheet_reader.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace cr::app {
namespace {

// How many problems the table lists; the summary still counts them all.
constexpr int kMostListed = 2000;

} // namespace

ImportDialog::ImportDialog(Sqlca& sqlca, QWidget* parent) : QDialog(parent), m_sqlca(sqlca)
{
    setWindowTitle(QStringLiteral("导入人员和户籍"));
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(QStringLiteral(
        "从Excel工作簿（.xlsx）或CSV文件导入。请先导入户籍，再导入人员和户与房屋的对应关系。\n"
        "已登记的人员（按证件号码）、户籍（按户号）和对应关系不会重复导入；文件中有任何问题时不写入任何数据。"));
    hint->setWordWrap(true);
    layout->addWidget(hint);

    auto* form = new QFormLayout;
    m_kind = new QComboBox;
    for (const exchange::ImportKindDef& k : exchange::importKinds()) m_kind->addItem(k.title);
    auto* templateButton = new QPushButton(QStringLiteral("保存模板(&T)…"));
    templateButton->setToolTip(QStringLiteral("保存一个只有表头的Excel模板，按列填写后导入"));
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(m_kind, 1);
    kindRow->addWidget(templateButton);
    form->addRow(QStringLiteral("导入内容(&K)："), kindRow);
    m_file = new QLineEdit;
    m_file->setPlaceholderText(QStringLiteral("选择 .xlsx 或 .csv 文件"));
    auto* browse = new QPushButton(QStringLiteral("浏览(&B)…"));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    form->addRow(QStringLiteral("文件(&F)："), fileRow);
    qobject_cast<QLabel*>(form->labelForField(kindRow))->setBuddy(m_kind);
    qobject_cast<QLabel*>(form->labelForField(fileRow))->setBuddy(m_file);
    layout->addLayout(form);

    m_summary = new QLabel(QStringLiteral("选择文件后按“检查”。"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_report = new QTableWidget(0, 3);
    m_report->setHorizontalHeaderLabels({QStringLiteral("行"), QStringLiteral("列"), QStringLiteral("问题")});
    m_report->verticalHeader()->hide();
    m_report->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_report->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_report->horizontalHeader()->setStretchLastSection(true);
    m_report->setColumnWidth(0, 60);
    m_report->setColumnWidth(1, 110);
    m_report->setWordWrap(false);
    layout->addWidget(m_report, 1);

    auto* buttons = new QDialogButtonBox;
    m_check = buttons->addButton(QStringLiteral("检查(&C)"), QDialogButtonBox::ActionRole);
    m_import = buttons->addButton(QStringLiteral("导入(&I)"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    m_import->setEnabled(false);
    m_check->setDefault(true);
    layout->addWidget(buttons);

    connect(m_kind, &QComboBox::currentIndexChanged, this, &ImportDialog::forgetPlan);
    connect(m_file, &QLineEdit::textChanged, this, &ImportDialog::forgetPlan);
    connect(browse, &QPushButton::clicked, this, &ImportDialog::chooseFile);
    connect(templateButton, &QPushButton::clicked, this, &ImportDialog::saveTemplate);
    connect(m_check, &QPushButton::clicked, this, &ImportDialog::check);
    connect(m_import, &QPushButton::clicked, this, [this] { importChecked(true); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(760, 520);
}

exchange::ImportKind ImportDialog::kind() const
{
    return exchange::importKinds()[qMax(0, m_kind->currentIndex())].kind;
}

void ImportDialog::setKind(exchange::ImportKind kind)
{
    m_kind->setCurrentIndex(int(kind));
}

void ImportDialog::setFile(const QString& path)
{
    m_file->setText(QDir::toNativeSeparators(path));
}

void ImportDialog::chooseFile()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("选择要导入的文件"), m_file->text().isEmpty() ? documentsFolder() : m_file->text(),
        QStringLiteral("表格文件 (*.xlsx *.csv);;所有文件 (*)"));
    if (path.isEmpty()) return;
    setFile(path);
    check();
}

void ImportDialog::saveTemplate()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("保存导入模板"), QDir(documentsFolder()).filePath(exchange::templateFileName(kind())),
        QStringLiteral("Excel 工作簿 (*.xlsx)"));
    if (path.isEmpty()) return;
    QString error;
    if (!exchange::writeTemplate(kind(), path, &error))
        QMessageBox::warning(this, QStringLiteral("保存模板"), error);
}

void ImportDialog::forgetPlan()
{
    m_checked = false;
    m_plan = exchange::ImportPlan();
    m_import->setEnabled(false);
    m_report->setRowCount(0);
    m_summary->setText(QStringLiteral("选择文件后按“检查”。"));
}

void ImportDialog::check()
{
    const QString path = QDir::fromNativeSeparators(m_file->text().trimmed());
    if (path.isEmpty()) {
        QMessageBox::information(this, QStringLiteral("提示"), QStringLiteral("请先选择要导入的文件。"));
        m_file->setFocus();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_plan = exchange::planImport(m_sqlca, kind(), exchange::readSheet(path));
    QApplication::restoreOverrideCursor();
    m_checked = true;
    showPlan();
}

void ImportDialog::showPlan()
{
    QString text = m_plan.summary();
    if (!m_plan.ignoredHeadings.isEmpty())
        text += QStringLiteral("\n未读取的列：") + m_plan.ignoredHeadings.join(QStringLiteral("、"));
    if (!m_plan.problems.isEmpty())
        text += QStringLiteral("\n请改正下列问题后重新检查；在此之前不会导入任何数据。");
    else if (m_plan.toAdd.isEmpty())
        text += QStringLiteral("\n没有需要导入的新数据。");
    else
        text += QStringLiteral("\n没有发现问题，可以导入。");
    m_summary->setText(text);
    const int listed = int(qMin<qsizetype>(m_plan.problems.size(), kMostListed));
    m_report->setRowCount(listed);
    for (int i = 0; i < listed; ++i) {
        const exchange::ImportProblem& p = m_plan.problems[i];
        m_report->setItem(i, 0, new QTableWidgetItem(p.row > 0 ? QString::number(p.row) : QStringLiteral("—")));
        m_report->setItem(i, 1, new QTableWidgetItem(p.column));
        m_report->setItem(i, 2, new QTableWidgetItem(p.message));
    }
    m_import->setEnabled(m_plan.canWrite());
    if (m_plan.canWrite()) m_import->setDefault(true);
}

bool ImportDialog::importChecked(bool ask)
{
    if (!m_checked || !m_plan.canWrite()) return false;
    const QString what = exchange::importKind(m_plan.kind).title;
    if (ask
        && QMessageBox::question(this, QStringLiteral("导入"),
                                 QStringLiteral("将导入%1 %2 行，是否继续？").arg(what).arg(m_plan.toAdd.size()),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               != QMessageBox::Yes)
        return false;
    QProgressDialog progress(QStringLiteral("正在导入…"), QStringLiteral("取消"), 0, int(m_plan.toAdd.size()), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const exchange::ImportWriteOutcome o = exchange::writeImport(m_sqlca, m_plan, [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    if (o.result == exchange::ImportWriteOutcome::Result::Cancelled) {
        m_summary->setText(QStringLiteral("已取消，没有导入任何数据。"));
        return false;
    }
    if (!o.ok()) {
        QMessageBox::warning(this, QStringLiteral("导入"), o.error);
        return false;
    }
    QString done = QStringLiteral("已导入%1 %2 行。").arg(what).arg(o.added);
    if (o.skipped > 0) done += QStringLiteral("另有 %1 行在检查后已由他人登记，已跳过。").arg(o.skipped);
    forgetPlan();
    m_summary->setText(done);
    if (ask) QMessageBox::information(this, QStringLiteral("导入"), done);
    return true;
}

} // namespace cr::app
