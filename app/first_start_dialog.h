#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QStackedWidget;

namespace cr::app {

// The first start on a PC without a registry: try the program on the demo
// community, begin this office's own registry (asking its community number
// and name), or connect to the office's database server.
class FirstStartDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { Demo, NewRegistry, Connect };

    // `notice`: why it is shown again (the registry used last is gone).
    explicit FirstStartDialog(QWidget* parent = nullptr, const QString& notice = {});

    Choice choice() const { return m_choice; }
    QString commNo() const;
    QString communityName() const;

    // The form of the office's own registry (page two), as after its button.
    void showNewRegistryPage();

private:
    void choose(Choice choice);
    void acceptNewRegistry();

    Choice m_choice = Choice::Demo;
    QStackedWidget* m_pages = nullptr;
    QLineEdit* m_commNo = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_problem = nullptr;
};

} // namespace cr::app
