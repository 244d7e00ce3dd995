#include "schema/demo/code_picker.h"

#include "frame/sqlca.h"
#include "schema/demo/demo_random.h"

#include <QVarLengthArray>
#include <algorithm>

namespace cr::demo {

bool CodePicker::load(Sqlca& sqlca, const QString& listName, QString* error)
{
    m_listName = listName;
    m_codes.clear();
    m_known.clear();
    m_listWeights.clear();
    auto q = sqlca.select(QStringLiteral("SELECT tcode FROM tc_codelist WHERE listname = :listname ORDER BY sortno, tcode"),
                          {{QStringLiteral("listname"), listName}});
    if (!q) {
        if (error) *error = QStringLiteral("读取代码表 %1 失败：%2").arg(listName, sqlca.sqlErrText());
        return false;
    }
    while (q->next()) {
        m_codes << q->value(0).toString();
        m_known.insert(m_codes.last().toStdString());
    }
    if (m_codes.isEmpty()) {
        if (error) *error = QStringLiteral("代码表 %1 没有内容").arg(listName);
        return false;
    }
    return true;
}

void CodePicker::weigh(const QString& code, int weight)
{
    m_weights.insert(code, weight);
    m_listWeights.clear();
}

int CodePicker::weightOf(const QString& code) const
{
    return m_weights.value(code, m_defaultWeight);
}

// Worked out once per list and set of weights: a pick is made for every
// person of a community.
const QList<int>& CodePicker::listWeights() const
{
    if (m_listWeights.isEmpty()) {
        m_listWeights.reserve(m_codes.size());
        for (const QString& c : m_codes) m_listWeights << qMax(0, weightOf(c));
    }
    return m_listWeights;
}

QString CodePicker::pick(DemoRandom& random) const
{
    const QList<int>& weights = listWeights();
    const bool any = std::any_of(weights.cbegin(), weights.cend(), [](int w) { return w > 0; });
    if (!any) return m_codes[qsizetype(random.below(quint64(m_codes.size())))];
    return m_codes[random.weighted(weights)];
}

QString CodePicker::preferred(const QString& code, DemoRandom& random) const
{
    return contains(code) ? code : pick(random);
}

QString CodePicker::pickWeighted(const QList<std::pair<const char*, int>>& choices, DemoRandom& random) const
{
    QVarLengthArray<const char*, 16> codes;
    QList<int> weights;
    for (const auto& [code, weight] : choices) {
        if (weight > 0 && m_known.contains(std::string_view(code))) {
            codes.append(code);
            weights << weight;
        }
    }
    if (codes.isEmpty()) return pick(random);
    return QString::fromLatin1(codes[random.weighted(weights)]);
}

} // namespace cr::demo
