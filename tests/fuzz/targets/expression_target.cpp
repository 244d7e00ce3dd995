#include "fuzz_input.h"
#include "fuzz_targets.h"

#include "frame/expr/expression.h"
#include "frame/expr/format.h"
#include "frame/expr/values.h"

#include <QDate>
#include <QStringList>
#include <limits>

namespace cr::fuzz {
namespace {

// Rows at the edges of every kind: the smallest and largest integers, huge
// and tiny decimals, the first and last days Qt knows, nulls and texts.
class EdgeRows : public expr::RowSource {
public:
    const QStringList names{QStringLiteral("i"), QStringLiteral("big"), QStringLiteral("x"), QStringLiteral("d"),
                            QStringLiteral("t"), QStringLiteral("n")};
    QList<QVariantList> rows{
        {qlonglong(1), std::numeric_limits<qlonglong>::max(), 1e308, QDate(1900, 1, 1), QStringLiteral("101室"),
         QVariant()},
        {qlonglong(-1), std::numeric_limits<qlonglong>::min(), -1e-308, QDate(9999, 12, 31),
         QStringLiteral("%_~'\""), QVariant()},
        {qlonglong(0), qlonglong(0), 0.0, QDate(-4713, 1, 2), QString(), QVariant()},
    };

    int rowCount() const override { return static_cast<int>(rows.size()); }
    QVariant value(int row, int column, bool* error) const override
    {
        if (row < 1 || row > rows.size() || column < 0 || column >= names.size()) {
            *error = true;
            return {};
        }
        return rows[row - 1][column];
    }
    int currentRow() const override { return 2; }
    quint64 revision() const override { return 1; }
};

} // namespace

void expression(const uint8_t* data, size_t size)
{
    const QString input = textOf(data, size);
    const qsizetype cut = input.indexOf(QLatin1Char('\n'));
    const QString text = cut < 0 ? input : input.left(cut);
    const QString second = cut < 0 ? QString() : input.mid(cut + 1);

    EdgeRows rows;
    const expr::ColumnResolver resolver = [&rows](const QString& name) {
        return static_cast<int>(rows.names.indexOf(name.toLower()));
    };
    QString error;
    const auto e = expr::Expression::compile(text, resolver, &error);
    require(e || !error.isEmpty());   // a refusal always says why
    if (e) {
        for (int row = 0; row <= rows.rowCount() + 1; ++row) {
            bool failed = false;
            const QVariant v = e->evaluate(rows, row, &failed);
            require(!failed || !v.isValid());
            e->matches(rows, row, &failed);
            expr::Format::plain(v);
            expr::Format::apply(v, second);
        }
    }
    for (const QVariantList& row : rows.rows)
        for (const QVariant& v : row) expr::Format::apply(v, second.isEmpty() ? text : second);
    expr::values::like(second, text);
    expr::values::like(text, second);
}

} // namespace cr::fuzz
