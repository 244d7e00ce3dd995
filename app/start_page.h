#pragma once

#include "app/app_context.h"

#include <QWidget>

class QGridLayout;
class QLabel;

namespace cr::app {

// What the right side shows while no page is open: the community's name and
// number, how much the registry holds, and the windows clerks open most,
// one click (or Tab and Enter) away.
class StartPage : public QWidget {
    Q_OBJECT
public:
    // The entries offered, by navigation label, in the order shown.
    static QStringList commonEntries();

    explicit StartPage(const AppContext& context, QWidget* parent = nullptr);

    void refresh();   // reads the community and the counts again
    QString countText(const QString& label) const;   // "1,050" under "房屋", for the tests

signals:
    void openRequested(const QString& label);

protected:
    void showEvent(QShowEvent* event) override;

private:
    const AppContext& m_context;
    QLabel* m_title = nullptr;
    QLabel* m_number = nullptr;
    QGridLayout* m_counts = nullptr;
    QList<QPair<QString, QLabel*>> m_countLabels;
};

} // namespace cr::app
