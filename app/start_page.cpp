#include "app/start_page.h"

#include "app/pane_keys.h"
#include "frame/sqlca.h"
#include "frame/window_registry.h"
#include "schema/registry_counts.h"
#include "schema/registry_settings.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace cr::app {

QStringList StartPage::commonEntries()
{
    return {QStringLiteral("楼院"), QStringLiteral("房屋"), QStringLiteral("房屋信息批量维护"),
            QStringLiteral("楼院负责人"), QStringLiteral("居民小组"), QStringLiteral("出租房屋登记")};
}

StartPage::StartPage(const AppContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->setSpacing(12);
    m_title = new QLabel;
    m_title->setTextFormat(Qt::PlainText);
    QFont big = m_title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    m_title->setFont(big);
    m_number = new QLabel;
    layout->addWidget(m_title);
    layout->addWidget(m_number);

    // The figures: one tile each, the number large over its name.
    auto* figures = new QFrame;
    figures->setFrameShape(QFrame::StyledPanel);
    m_counts = new QGridLayout(figures);
    m_counts->setContentsMargins(16, 12, 16, 12);
    m_counts->setHorizontalSpacing(28);
    layout->addWidget(new QLabel(QStringLiteral("<b>登记情况</b>")));
    layout->addWidget(figures);

    // The windows clerks open most; only those the program has.
    layout->addSpacing(8);
    layout->addWidget(new QLabel(QStringLiteral("<b>常用功能</b>")));
    auto* entries = new QGridLayout;
    entries->setHorizontalSpacing(10);
    int n = 0;
    for (const QString& label : commonEntries()) {
        const WindowInfo* info = context.registry ? context.registry->findEntry(label) : nullptr;
        if (!info || !info->factory) continue;
        auto* button = new QPushButton(label);
        button->setToolTip(info->title);
        button->setMinimumHeight(button->sizeHint().height() * 3 / 2);
        button->setAutoDefault(true);   // Enter on a focused entry opens it
        connect(button, &QPushButton::clicked, this, [this, label] { emit openRequested(label); });
        entries->addWidget(button, n / 3, n % 3);
        if (n == 0) setFocusProxy(button);
        ++n;
    }
    layout->addLayout(entries);

    auto* keys = new QLabel(QStringLiteral("F6 在左侧导航和页面间切换　%1 查找　%2 新增　%3 修改　%4 刷新　Ctrl+W 关闭页面")
                                .arg(paneKeys::find().toString(QKeySequence::NativeText),
                                     paneKeys::add().toString(QKeySequence::NativeText),
                                     paneKeys::modify().toString(QKeySequence::NativeText),
                                     paneKeys::refresh().toString(QKeySequence::NativeText)));
    keys->setStyleSheet(QStringLiteral("color: #555;"));
    keys->setWordWrap(true);
    layout->addSpacing(8);
    layout->addWidget(keys);
    layout->addStretch(1);
}

void StartPage::showEvent(QShowEvent* event)
{
    refresh();
    QWidget::showEvent(event);
}

void StartPage::refresh()
{
    if (!m_context.sqlca) return;
    Sqlca& sqlca = *m_context.sqlca;
    const QString name = schema::communityName(sqlca);
    m_title->setText(name.isEmpty() ? QStringLiteral("社区登记") : name);
    m_number->setText(QStringLiteral("社区编号：%1").arg(sqlca.commNo().isEmpty() ? QStringLiteral("（未设置）")
                                                                                 : sqlca.commNo()));
    const QList<schema::RegistryCount> counts = schema::registryCounts(sqlca);
    const QLocale locale(QLocale::Chinese, QLocale::China);
    if (m_countLabels.isEmpty()) {
        for (int i = 0; i < counts.size(); ++i) {
            auto* number = new QLabel;
            QFont f = number->font();
            f.setPointSizeF(f.pointSizeF() * 1.6);
            f.setBold(true);
            number->setFont(f);
            number->setAlignment(Qt::AlignCenter);
            auto* caption = new QLabel(QStringLiteral("%1（%2）").arg(counts[i].label, counts[i].unit));
            caption->setAlignment(Qt::AlignCenter);
            m_counts->addWidget(number, 0, i);
            m_counts->addWidget(caption, 1, i);
            m_countLabels << qMakePair(counts[i].label, number);
        }
    }
    for (int i = 0; i < counts.size() && i < m_countLabels.size(); ++i)
        m_countLabels[i].second->setText(locale.toString(counts[i].count));
}

QString StartPage::countText(const QString& label) const
{
    for (const auto& [name, number] : m_countLabels)
        if (name == label) return number->text();
    return {};
}

} // namespace cr::app
