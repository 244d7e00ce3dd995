#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace cr {
class Sqlca;
}

namespace cr::demo {

class DemoRandom;

// Chooses codes of one lookup list (tc_codelist) with weights, so that demo
// values are always codes the lists can show. Codes the caller names get their
// weight; every other code of the list gets the default weight.
class CodePicker {
public:
    bool load(Sqlca& sqlca, const QString& listName, QString* error);

    // Weight of a code; ignored when the list has no such code.
    void weigh(const QString& code, int weight);
    void setDefaultWeight(int weight) { m_defaultWeight = weight; }

    QString pick(DemoRandom& random) const;
    // The code itself when the list has it, else a weighted pick.
    QString preferred(const QString& code, DemoRandom& random) const;
    // A pick among the given codes with the given weights, leaving out codes
    // the list lacks (a pick of the whole list when it has none of them).
    QString pickWeighted(const QList<std::pair<const char*, int>>& choices, DemoRandom& random) const;

    bool contains(const QString& code) const { return m_codes.contains(code); }
    const QStringList& codes() const { return m_codes; }

private:
    int weightOf(const QString& code) const;

    QString m_listName;
    QStringList m_codes;        // in the list's own order
    QHash<QString, int> m_weights;
    int m_defaultWeight = 1;
};

} // namespace cr::demo
