#pragma once

#include "frame/ui_services.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QTableWidget;
class QLabel;

namespace cr::app {

// w_selectperson as a dialog: a search text (name, ID number or telephone),
// the candidates with sex, birth date and address, OK/Cancel. The search
// itself is the caller's (it applies any condition such as age>6).
class PersonDialog : public QDialog {
    Q_OBJECT
public:
    PersonDialog(QWidget* parent, const QString& title, const QString& searchText,
                 UiServices::PersonSearch search);

    // The chosen person's number, nullopt when cancelled.
    static std::optional<QString> choose(QWidget* parent, const QString& title, const QString& searchText,
                                         const UiServices::PersonSearch& search);

    void runSearch();
    std::optional<QString> chosen() const;
    int candidateCount() const;

private:
    UiServices::PersonSearch m_search;
    QList<PersonCandidate> m_candidates;
    QLineEdit* m_text = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_count = nullptr;
};

} // namespace cr::app
