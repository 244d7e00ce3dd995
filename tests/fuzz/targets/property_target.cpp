#include "fuzz_input.h"
#include "fuzz_targets.h"
#include "sample_view.h"

#include "frame/dataview.h"
#include "frame/property_expr.h"

namespace cr::fuzz {

void propertyModify(const uint8_t* data, size_t size)
{
    const QString text = textOf(data, size);
    QList<PropertySetting> settings;
    QString error;
    const bool parsed = PropertyExpr::parseModify(text, &settings, &error);
    require(parsed ? !settings.isEmpty() : !error.isEmpty() && settings.isEmpty());
    for (const QString& item : PropertyExpr::splitDescribe(text)) {
        QString object, path, expression;
        int row = 0;
        PropertyExpr::parseReference(item, &object, &path);
        PropertyExpr::parseEvaluate(item, &expression, &row);
    }

    DataView view(sampleView());
    view.insertRow(0);
    view.setItem(1, QStringLiteral("n"), qlonglong(3));
    view.modify(text);
    view.describe(text);
    for (int c = 0; c < view.definition().columns.size(); ++c) {
        view.displayText(1, c);
        view.backgroundColor(1, c);
    }
    view.resetProperties();
}

} // namespace cr::fuzz
