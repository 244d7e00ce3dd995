#include "app/first_start_dialog.h"

#include "app/pictures.h"
#include "schema/registry_settings.h"

#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace cr::app {
namespace {

constexpr int kMaxNameLength = 50;

QLabel* heading(const QString& text)
{
    auto* label = new QLabel(QStringLiteral("<h3>%1</h3>").arg(text.toHtmlEscaped()));
    label->setWordWrap(true);
    return label;
}

QLabel* note(const QString& text, const char* color = "#555")
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(color)));
    return label;
}

} // namespace

FirstStartDialog::FirstStartDialog(QWidget* parent, const QString& notice) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("开始使用"));
    setWindowIcon(appIcon());
    auto* layout = new QVBoxLayout(this);
    m_pages = new QStackedWidget;
    layout->addWidget(m_pages);

    // Page one: the three ways to begin.
    auto* start = new QWidget;
    auto* startLayout = new QVBoxLayout(start);
    startLayout->setContentsMargins(0, 0, 0, 0);
    startLayout->addWidget(heading(QStringLiteral("这台电脑上还没有登记库，请选择如何开始：")));
    if (!notice.isEmpty()) startLayout->addWidget(note(notice, "#b02a22"));
    auto* demo = new QCommandLinkButton(QStringLiteral("使用演示数据(&D)"),
                                        QStringLiteral("用一个虚构的社区熟悉本程序：4 个责任区、约 20 个楼院、上千套房屋和居民。"
                                                       "演示数据只供练习，不能用于实际登记。"));
    auto* own = new QCommandLinkButton(QStringLiteral("新建本社区的登记库(&N)"),
                                       QStringLiteral("建立空的登记库，输入本社区的社区编号和名称后开始实际登记。"));
    auto* server = new QCommandLinkButton(QStringLiteral("连接单位的数据库服务器(&S)…"),
                                          QStringLiteral("登记库已在单位的 PostgreSQL 服务器上（由管理员建立）时选择此项。"));
    for (QCommandLinkButton* b : {demo, own, server}) startLayout->addWidget(b);
    startLayout->addStretch(1);
    m_pages->addWidget(start);

    // Page two: the office's own registry.
    auto* create = new QWidget;
    auto* createLayout = new QVBoxLayout(create);
    createLayout->setContentsMargins(0, 0, 0, 0);
    createLayout->addWidget(heading(QStringLiteral("新建本社区的登记库")));
    createLayout->addWidget(note(QStringLiteral("新记录都带有本社区的社区编号，请按上级下发的编号填写（一般为 12 位数字）。")));
    auto* form = new QFormLayout;
    m_commNo = new QLineEdit;
    m_commNo->setMaxLength(20);
    m_commNo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Za-z]{0,20}")), m_commNo));
    m_commNo->setPlaceholderText(QStringLiteral("例如 110105001001"));
    m_name = new QLineEdit;
    m_name->setMaxLength(kMaxNameLength);
    m_name->setPlaceholderText(QStringLiteral("例如 和平里社区"));
    form->addRow(QStringLiteral("社区编号(&C)："), m_commNo);
    form->addRow(QStringLiteral("社区名称(&M)："), m_name);
    createLayout->addLayout(form);
    m_problem = note(QString(), "#b02a22");
    m_problem->hide();
    createLayout->addWidget(m_problem);
    createLayout->addStretch(1);
    auto* createButtons = new QDialogButtonBox;
    QPushButton* back = createButtons->addButton(QStringLiteral("上一步(&B)"), QDialogButtonBox::ResetRole);
    QPushButton* build = createButtons->addButton(QStringLiteral("建立登记库"), QDialogButtonBox::AcceptRole);
    build->setDefault(true);
    createLayout->addWidget(createButtons);
    m_pages->addWidget(create);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("退出"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);

    connect(demo, &QPushButton::clicked, this, [this] { choose(Choice::Demo); });
    connect(own, &QPushButton::clicked, this, &FirstStartDialog::showNewRegistryPage);
    connect(server, &QPushButton::clicked, this, [this] { choose(Choice::Connect); });
    connect(back, &QPushButton::clicked, this, [this] { m_pages->setCurrentIndex(0); });
    connect(build, &QPushButton::clicked, this, &FirstStartDialog::acceptNewRegistry);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(560, sizeHint().height());
    demo->setFocus();
}

QString FirstStartDialog::commNo() const
{
    return m_commNo->text().trimmed();
}

QString FirstStartDialog::communityName() const
{
    return m_name->text().trimmed();
}

void FirstStartDialog::showNewRegistryPage()
{
    m_pages->setCurrentIndex(1);
    m_commNo->setFocus();
}

void FirstStartDialog::choose(Choice choice)
{
    m_choice = choice;
    accept();
}

void FirstStartDialog::acceptNewRegistry()
{
    QLineEdit* wrong = nullptr;
    if (!schema::isValidCommNo(commNo())) {
        m_problem->setText(QStringLiteral("请填写社区编号：1 到 20 个数字或字母。"));
        wrong = m_commNo;
    } else if (communityName().isEmpty()) {
        m_problem->setText(QStringLiteral("请填写社区名称。"));
        wrong = m_name;
    }
    if (wrong) {
        m_problem->show();
        wrong->setFocus();
        return;
    }
    choose(Choice::NewRegistry);
}

} // namespace cr::app
