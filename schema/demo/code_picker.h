#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <unordered_set>
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
    void setDefaultWeight(int weight)
    {
        m_defaultWeight = weight;
        m_listWeights.clear();
    }

    QString pick(DemoRandom& random) const;
    // The code itself when the list has it, else a weighted pick.
    QString preferred(const QString& code, DemoRandom& random) const;
    // A pick among the given codes with the given weights, leaving out codes
    // the list lacks (a pick of the whole list when it has none of them).
    QString pickWeighted(const QList<std::pair<const char*, int>>& choices, DemoRandom& random) const;

    bool contains(const QString& code) const { return m_known.contains(code.toStdString()); }
    const QStringList& codes() const { return m_codes; }

private:
    // Codes looked up by their bytes: a pick among named codes makes no text
    // until one is drawn.
    struct Hash : std::hash<std::string_view> {
        using is_transparent = void;
    };

    int weightOf(const QString& code) const;
    const QList<int>& listWeights() const;

    QString m_listName;
    QStringList m_codes;        // in the list's own order
    std::unordered_set<std::string, Hash, std::equal_to<>> m_known;
    QHash<QString, int> m_weights;
    int m_defaultWeight = 1;
    mutable QList<int> m_listWeights;   // every code's weight, in list order; empty: to be worked out
};

} // namespace cr::demo
