#pragma once

#include "exchange/import_plan.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace cr {
class Sqlca;
}

namespace cr::app {

// 导入人员和户籍: the clerk picks what the file holds and the file, the
// dialog checks every row and lists what is wrong (row, column, problem);
// nothing is written until the clerk confirms a file without problems,
// and then every row in one go. Templates with the right headings are
// saved from here.
class ImportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ImportDialog(Sqlca& sqlca, QWidget* parent = nullptr);

    void setKind(exchange::ImportKind kind);
    void setFile(const QString& path);
    // Reads and checks the file; the report shows in the dialog.
    void check();
    // Writes the checked rows (asks first when `ask`); true when written.
    bool importChecked(bool ask = true);

    const exchange::ImportPlan& plan() const { return m_plan; }
    QTableWidget* report() const { return m_report; }
    QPushButton* importButton() const { return m_import; }
    QLabel* summary() const { return m_summary; }

private:
    exchange::ImportKind kind() const;
    void chooseFile();
    void saveTemplate();
    void forgetPlan();
    void showPlan();

    Sqlca& m_sqlca;
    exchange::ImportPlan m_plan;
    bool m_checked = false;
    QComboBox* m_kind = nullptr;
    QLineEdit* m_file = nullptr;
    QLabel* m_summary = nullptr;
    QTableWidget* m_report = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_import = nullptr;
};

} // namespace cr::app
