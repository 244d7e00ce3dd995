#include "schema/demo/code_picker.h"

#include "frame/sqlca.h"
#include "schema/demo/demo_random.h"

namespace cr::demo {

bool CodePicker::load(Sqlca& sqlca, const QString& listName, QString* error)
{
    m_listName = listName;
    m_codes.clear();
    auto q = sqlca.select(QStringLiteral("SELECT tcode FROM tc_codelist WHERE listname = :listname ORDER BY sortno, tcode"),
                          {{QStringLiteral("listname"), listName}});
    if (!q) {
        if (error) *error = QStringLiteral("读取代码表 %1 失败：%2").arg(listName, sqlca.sqlErrText());
        return false;
    }
    while (q->next()) m_codes << q->value(0).toString();
    if (m_codes.isEmpty()) {
        if (error) *error = QStringLiteral("代码表 %1 没有内容").arg(listName);
        return false;
    }
    return true;
}

void CodePicker::weigh(const QString& code, int weight)
{
    m_weights.insert(code, weight);
}

int CodePicker::weightOf(const QString& code) const
{
    return m_weights.value(code, m_defaultWeight);
}

QString CodePicker::pick(DemoRandom& random) const
{
    return pickAmong({}, random);
}

QString CodePicker::preferred(const QString& code, DemoRandom& random) const
{
    return contains(code) ? code : pick(random);
}

QString CodePicker::pickAmong(const QStringList& codes, DemoRandom& random) const
{
    QStringList candidates;
    for (const QString& c : codes)
        if (contains(c)) candidates << c;
    if (candidates.isEmpty()) candidates = m_codes;
    QList<int> weights;
    weights.reserve(candidates.size());
    bool anyWeight = false;
    for (const QString& c : candidates) {
        weights << weightOf(c);
        anyWeight = anyWeight || weights.last() > 0;
    }
    if (!anyWeight) return candidates[qsizetype(random.below(quint64(candidates.size())))];
    return candidates[random.weighted(weights)];
}

} // namespace cr::demo
