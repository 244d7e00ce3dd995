#pragma once

#include "frame/db_target.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

namespace cr::app {

// 文件 > 连接数据库…: a SQLite file, or a PostgreSQL server by host, port,
// user and database. The password field is optional and used for this one
// connection only: it is never written to the settings; without it the
// connection relies on PGPASSWORD or ~/.pgpass. The other fields are
// remembered for the next time.
class ConnectDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConnectDialog(QWidget* parent, const DbTarget& current = {});

    DbTarget target() const;
    QString password() const;
    // Loads the last connection's fields, and stores them (never the password).
    void loadSettings();
    void saveSettings() const;

    void setSqliteFile(const QString& path);
    void setPostgres(const QString& host, int port, const QString& user, const QString& database);
    // A line above the fields: why the dialog is shown (the registry used
    // last could not be opened, a password is wanted).
    void setNotice(const QString& text);

private:
    void browse();
    void updateMode();
    void tryAccept();

    QRadioButton* m_sqlite = nullptr;
    QRadioButton* m_postgres = nullptr;
    QStackedWidget* m_pages = nullptr;
    QLineEdit* m_file = nullptr;
    QLineEdit* m_host = nullptr;
    QSpinBox* m_port = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_database = nullptr;
    QLineEdit* m_password = nullptr;
    QLabel* m_notice = nullptr;
};

} // namespace cr::app
