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
    QList<int> weights;
    weights.reserve(m_codes.size());
    bool any = false;
    for (const QString& c : m_codes) {
        weights << qMax(0, weightOf(c));
        any = any || weights.last() > 0;
    }
    if (!any) return m_codes[qsizetype(random.below(quint64(m_codes.size())))];
    return m_codes[random.weighted(weights)];
}

QString CodePicker::preferred(const QString& code, DemoRandom& random) const
{
    return contains(code) ? code : pick(random);
}

QString CodePicker::pickWeighted(const QList<std::pair<const char*, int>>& choices, DemoRandom& random) const
{
    QStringList codes;
    QList<int> weights;
    for (const auto& [code, weight] : choices) {
        const QString c = QString::fromLatin1(code);
        if (contains(c) && weight > 0) {
            codes << c;
            weights << weight;
        }
    }
    if (codes.isEmpty()) return pick(random);
    return codes[random.weighted(weights)];
}

} // namespace cr::demo
