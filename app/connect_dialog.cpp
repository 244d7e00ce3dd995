#include "app/connect_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace cr::app {

ConnectDialog::ConnectDialog(QWidget* parent, const DbTarget& current) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("连接数据库"));
    auto* layout = new QVBoxLayout(this);
    m_notice = new QLabel;
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral("color: #b02a22;"));
    m_notice->hide();
    layout->addWidget(m_notice);
    m_sqlite = new QRadioButton(QStringLiteral("本机数据库文件（SQLite）(&L)"));
    m_postgres = new QRadioButton(QStringLiteral("单位数据库服务器（PostgreSQL）(&P)"));
    layout->addWidget(m_sqlite);
    layout->addWidget(m_postgres);

    m_pages = new QStackedWidget;
    auto* filePage = new QWidget;
    auto* fileRow = new QHBoxLayout(filePage);
    fileRow->setContentsMargins(0, 0, 0, 0);
    auto* fileLabel = new QLabel(QStringLiteral("文件(&F)："));
    m_file = new QLineEdit;
    fileLabel->setBuddy(m_file);
    auto* browse = new QPushButton(QStringLiteral("浏览…"));
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    m_pages->addWidget(filePage);

    auto* serverPage = new QWidget;
    auto* form = new QFormLayout(serverPage);
    form->setContentsMargins(0, 0, 0, 0);
    m_host = new QLineEdit(QStringLiteral("localhost"));
    m_port = new QSpinBox;
    m_port->setRange(1, 65535);
    m_port->setValue(5432);
    m_user = new QLineEdit;
    m_database = new QLineEdit;
    m_password = new QLineEdit;
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setPlaceholderText(QStringLiteral("可不填：使用 PGPASSWORD 或 ~/.pgpass"));
    form->addRow(QStringLiteral("服务器(&H)："), m_host);
    form->addRow(QStringLiteral("端口(&O)："), m_port);
    form->addRow(QStringLiteral("用户名(&U)："), m_user);
    form->addRow(QStringLiteral("数据库(&D)："), m_database);
    form->addRow(QStringLiteral("密码(&W)："), m_password);
    auto* hint = new QLabel(QStringLiteral("密码只用于本次连接，不会保存。"));
    hint->setStyleSheet(QStringLiteral("color: #666;"));
    form->addRow(QString(), hint);
    m_pages->addWidget(serverPage);
    layout->addWidget(m_pages);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("连接"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);

    connect(m_sqlite, &QRadioButton::toggled, this, &ConnectDialog::updateMode);
    connect(browse, &QPushButton::clicked, this, &ConnectDialog::browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &ConnectDialog::tryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    loadSettings();
    if (current.engine == Engine::Postgres && !current.host.isEmpty())
        setPostgres(current.host, current.port, current.user, current.database);
    else if (!current.path.isEmpty())
        setSqliteFile(current.path);
    else if (current.engine == Engine::Postgres)
        m_postgres->setChecked(true);   // the server's fields as last typed
    updateMode();
    resize(520, sizeHint().height());
}

void ConnectDialog::setSqliteFile(const QString& path)
{
    m_sqlite->setChecked(true);
    m_file->setText(path);
}

void ConnectDialog::setPostgres(const QString& host, int port, const QString& user, const QString& database)
{
    m_postgres->setChecked(true);
    m_host->setText(host);
    m_port->setValue(port);
    m_user->setText(user);
    m_database->setText(database);
}

void ConnectDialog::setNotice(const QString& text)
{
    m_notice->setText(text);
    m_notice->setVisible(!text.isEmpty());
    // For a server the missing piece is most often the password.
    if (m_postgres->isChecked()) m_password->setFocus();
}

void ConnectDialog::updateMode()
{
    m_pages->setCurrentIndex(m_sqlite->isChecked() ? 0 : 1);
}

void ConnectDialog::browse()
{
    // A file that does not exist yet becomes a new, empty registry.
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("选择数据库文件"), m_file->text(),
                                                      QStringLiteral("数据库文件 (*.db *.sqlite);;所有文件 (*)"),
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (!path.isEmpty()) m_file->setText(path);
}

DbTarget ConnectDialog::target() const
{
    DbTarget t;
    if (m_sqlite->isChecked()) {
        t.engine = Engine::Sqlite;
        t.path = m_file->text().trimmed();
    } else {
        t.engine = Engine::Postgres;
        t.host = m_host->text().trimmed();
        t.port = m_port->value();
        t.user = m_user->text().trimmed();
        t.database = m_database->text().trimmed();
        if (t.database.isEmpty()) t.database = t.user.isEmpty() ? QStringLiteral("postgres") : t.user;
    }
    return t;
}

QString ConnectDialog::password() const
{
    return m_postgres->isChecked() ? m_password->text() : QString();
}

void ConnectDialog::tryAccept()
{
    const DbTarget t = target();
    if (t.engine == Engine::Sqlite && t.path.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("提示"), QStringLiteral("请选择数据库文件。"));
        m_file->setFocus();
        return;
    }
    if (t.engine == Engine::Postgres && t.host.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("提示"), QStringLiteral("请输入数据库服务器。"));
        m_host->setFocus();
        return;
    }
    saveSettings();
    accept();
}

void ConnectDialog::loadSettings()
{
    QSettings s;
    s.beginGroup(QStringLiteral("connection"));
    m_file->setText(s.value(QStringLiteral("file")).toString());
    m_host->setText(s.value(QStringLiteral("host"), QStringLiteral("localhost")).toString());
    m_port->setValue(s.value(QStringLiteral("port"), 5432).toInt());
    m_user->setText(s.value(QStringLiteral("user")).toString());
    m_database->setText(s.value(QStringLiteral("database")).toString());
    const bool server = s.value(QStringLiteral("engine")).toString() == QLatin1String("postgresql");
    (server ? m_postgres : m_sqlite)->setChecked(true);
}

void ConnectDialog::saveSettings() const
{
    QSettings s;
    s.beginGroup(QStringLiteral("connection"));
    s.setValue(QStringLiteral("engine"), m_sqlite->isChecked() ? QStringLiteral("sqlite") : QStringLiteral("postgresql"));
    s.setValue(QStringLiteral("file"), m_file->text().trimmed());
    s.setValue(QStringLiteral("host"), m_host->text().trimmed());
    s.setValue(QStringLiteral("port"), m_port->value());
    s.setValue(QStringLiteral("user"), m_user->text().trimmed());
    s.setValue(QStringLiteral("database"), m_database->text().trimmed());
    // The password is deliberately not stored.
}

} // namespace cr::app
