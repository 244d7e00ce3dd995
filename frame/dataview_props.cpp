#include "frame/dataview_private.h"

#include "frame/expr/format.h"
#include "frame/fault.h"
#include "frame/expr/values.h"
#include "frame/property_expr.h"

namespace cr {
namespace {

std::optional<bool> yesNo(const QString& value)
{
    const QString v = value.trimmed().toLower();
    if (v == QLatin1String("yes") || v == QLatin1String("true") || v == QLatin1String("1")) return true;
    if (v == QLatin1String("no") || v == QLatin1String("false") || v == QLatin1String("0")) return false;
    return std::nullopt;
}

QString yesNoText(bool b)
{
    return b ? QStringLiteral("yes") : QStringLiteral("no");
}

std::optional<int> wholeNumber(const QString& value)
{
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

QString kindName(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Integer: return QStringLiteral("long");
    case ColumnKind::Decimal: return QStringLiteral("decimal");
    case ColumnKind::Date: return QStringLiteral("date");
    case ColumnKind::DateTime: return QStringLiteral("datetime");
    case ColumnKind::Text: break;
    }
    return QStringLiteral("char");
}

} // namespace

void DataView::Private::loadProperties()
{
    props.assign(columns.size(), ColumnProps());
    for (size_t i = 0; i < columns.size(); ++i) {
        const ColumnDef& c = def.columns[static_cast<int>(i)];
        QString ignored;
        setProperty(static_cast<int>(i), QStringLiteral("background.color"), c.background, true, &ignored);
        props[i].tag = c.tag;
        props[i].tabOrder = c.tabOrder;
        props[i].dropDown = c.dropDown;
    }
    readOnly = false;
}

bool DataView::Private::setProperty(int column, const QString& path, const QString& value, bool apply, QString* error)
{
    ColumnProps& p = props[column];
    const QString name = def.columns[column].name;
    auto bad = [&](const QString& what) {
        *error = QStringLiteral("列 %1 的属性 %2 的值“%3”无效：%4").arg(name, path, value, what);
        return false;
    };
    if (path == QLatin1String("background.color")) {
        // A colour number, or "default<tab>expression" evaluated per row.
        std::shared_ptr<const expr::Expression> e;
        std::optional<qlonglong> fallback;
        const QString v = QString(value).replace(QLatin1String("~t"), QLatin1String("\t")).trimmed();
        if (!v.isEmpty()) {
            const int tab = v.indexOf(QLatin1Char('\t'));
            const QString head = tab < 0 ? v : v.left(tab).trimmed();
            const QString tail = tab < 0 ? QString() : v.mid(tab + 1).trimmed();
            bool isNumber = false;
            const qlonglong n = head.toLongLong(&isNumber);
            if (isNumber) fallback = n;
            QString exprError;
            if (!tail.isEmpty() || !isNumber) {
                if (!isNumber && tab >= 0) return bad(QStringLiteral("默认颜色不是数字"));
                e = compile(tail.isEmpty() ? head : tail, &exprError);
                if (!e) return bad(exprError);
            }
        }
        if (apply) {
            p.background = v;
            p.backgroundExpr = e;
            p.backgroundDefault = fallback;
        }
        return true;
    }
    if (path == QLatin1String("tag")) {
        if (apply) p.tag = value;
        return true;
    }
    if (path == QLatin1String("tabsequence")) {
        const auto n = wholeNumber(value);
        if (!n || *n < 0) return bad(QStringLiteral("应为不小于0的整数"));
        if (apply) p.tabOrder = *n;
        return true;
    }
    if (!path.startsWith(QLatin1String("dddw."))) {
        *error = QStringLiteral("列 %1 没有属性 %2").arg(name, path);
        return false;
    }
    const QString key = path.mid(5);
    DropDownDef& dd = p.dropDown;
    if (key == QLatin1String("name")) {
        if (apply && dd.name.compare(value.trimmed(), Qt::CaseInsensitive) != 0) {
            dd.name = value.trimmed();
            dropChild(column);
        }
        return true;
    }
    if (key == QLatin1String("displaycolumn") || key == QLatin1String("datacolumn")) {
        if (apply) {
            (key == QLatin1String("displaycolumn") ? dd.displayColumn : dd.dataColumn) = value.trimmed();
            lookups.remove(column);
        }
        return true;
    }
    if (key == QLatin1String("limit") || key == QLatin1String("lines")) {
        const auto n = wholeNumber(value);
        if (!n || *n < 0) return bad(QStringLiteral("应为不小于0的整数"));
        if (apply) (key == QLatin1String("limit") ? dd.limit : dd.lines) = *n;
        return true;
    }
    if (key == QLatin1String("allowedit") || key == QLatin1String("vscrollbar")) {
        const auto b = yesNo(value);
        if (!b) return bad(QStringLiteral("应为 yes 或 no"));
        if (apply) (key == QLatin1String("allowedit") ? dd.allowEdit : dd.vscrollBar) = *b;
        return true;
    }
    *error = QStringLiteral("列 %1 没有属性 %2").arg(name, path);
    return false;
}

QString DataView::Private::propertyText(int column, const QString& path, bool* known) const
{
    *known = true;
    const ColumnProps& p = props[column];
    const ColumnDef& c = def.columns[column];
    if (path == QLatin1String("background.color")) return p.background;
    if (path == QLatin1String("tag")) return p.tag;
    if (path == QLatin1String("tabsequence")) return QString::number(p.tabOrder);
    if (path == QLatin1String("name")) return c.name;
    if (path == QLatin1String("dbname"))
        return c.dbName.isEmpty() || def.updateTable.isEmpty() ? c.dbName : def.updateTable + QLatin1Char('.') + c.dbName;
    if (path == QLatin1String("coltype")) return kindName(c.kind);
    if (path == QLatin1String("id")) return QString::number(column + 1);
    if (path == QLatin1String("dddw.name")) return p.dropDown.name;
    if (path == QLatin1String("dddw.displaycolumn")) return p.dropDown.displayColumn;
    if (path == QLatin1String("dddw.datacolumn")) return p.dropDown.dataColumn;
    if (path == QLatin1String("dddw.limit")) return QString::number(p.dropDown.limit);
    if (path == QLatin1String("dddw.lines")) return QString::number(p.dropDown.lines);
    if (path == QLatin1String("dddw.allowedit")) return yesNoText(p.dropDown.allowEdit);
    if (path == QLatin1String("dddw.vscrollbar")) return yesNoText(p.dropDown.vscrollBar);
    *known = false;
    return {};
}

QString DataView::describe(const QString& expression) const
{
    QStringList answers;
    const QStringList items = PropertyExpr::splitDescribe(expression);
    if (items.isEmpty()) return QStringLiteral("!");
    for (const QString& item : items) {
        QString text, object, path;
        int row = 0;
        if (PropertyExpr::parseEvaluate(item, &text, &row)) {
            const QVariant v = evaluate(text, row);
            answers << (v.isValid() || d->compile(text, nullptr) ? expr::Format::plain(v) : QStringLiteral("!"));
            continue;
        }
        if (!PropertyExpr::parseReference(item, &object, &path)) {
            answers << QStringLiteral("!");
            continue;
        }
        if (object == QLatin1String("datawindow")) {
            if (path == QLatin1String("readonly")) answers << (d->readOnly ? QStringLiteral("yes") : QStringLiteral("no"));
            else if (path == QLatin1String("table.updatetable")) answers << d->def.updateTable;
            else if (path == QLatin1String("column.count")) answers << QString::number(d->columns.size());
            else answers << QStringLiteral("!");
            continue;
        }
        const int c = d->column(object);
        bool known = false;
        const QString value = c < 0 ? QString() : d->propertyText(c, path, &known);
        answers << (known ? value : QStringLiteral("!"));
    }
    return answers.join(QLatin1Char('\n'));
}

QString DataView::modify(const QString& expression)
{
    QList<PropertySetting> settings;
    QString error;
    // Every setting is checked before any is made: a bad one changes nothing.
    auto check = [this](const PropertySetting& s, QString* why) {
        if (s.object == QLatin1String("datawindow")) {
            if (s.path != QLatin1String("readonly")) *why = QStringLiteral("数据窗口没有属性 %1").arg(s.path);
            else if (!yesNo(s.value))
                *why = QStringLiteral("DataWindow.ReadOnly 的值“%1”无效：应为 yes 或 no").arg(s.value);
            return why->isEmpty();
        }
        const int c = d->column(s.object);
        if (c < 0) *why = QStringLiteral("没有列 %1").arg(s.object);
        return c >= 0 && d->setProperty(c, s.path, s.value, false, why);
    };
    if (PropertyExpr::parseModify(expression, &settings, &error))
        for (const PropertySetting& s : settings)
            if (!check(s, &error)) break;
    // Windows change properties with texts written into the program: any
    // refusal is a fault of the program (a misspelt column or property).
    if (!error.isEmpty()) {
        reportFault(QStringLiteral("%1.modify(\"%2\"): %3").arg(d->def.name, expression, error));
        return error;
    }
    for (const PropertySetting& s : settings) {
        if (s.object == QLatin1String("datawindow")) {
            d->readOnly = *yesNo(s.value);
            emit propertiesChanged(QString());
            continue;
        }
        const int c = d->column(s.object);
        d->setProperty(c, s.path, s.value, true, &error);
        emit propertiesChanged(d->def.columns[c].name);
    }
    return {};
}

QString DataView::property(const QString& column, const QString& path) const
{
    const int c = d->column(column);
    if (c < 0) return {};
    bool known = false;
    return d->propertyText(c, path.toLower(), &known);
}

DropDownDef DataView::dropDown(const QString& column) const
{
    const int c = d->column(column);
    return c < 0 ? DropDownDef() : d->props[c].dropDown;
}

std::optional<qlonglong> DataView::backgroundColor(int row, int columnIndex) const
{
    if (columnIndex < 0 || columnIndex >= static_cast<int>(d->props.size())) return std::nullopt;
    const ColumnProps& p = d->props[columnIndex];
    if (p.backgroundExpr && row >= 1 && row <= rowCount()) {
        bool error = false;
        const auto n = expr::values::toNumber(p.backgroundExpr->evaluate(d->primaryRows(), row, &error));
        if (!error && n) return static_cast<qlonglong>(*n);
    }
    return p.backgroundDefault;
}

int DataView::setTabOrder(const QString& column, int order)
{
    const int c = d->column(column);
    if (c < 0 || order < 0) {
        reportFault(QStringLiteral("%1.setTabOrder(%2, %3): 没有该列或次序无效").arg(d->def.name, column).arg(order));
        return -1;
    }
    const int previous = d->props[c].tabOrder;
    d->props[c].tabOrder = order;
    emit propertiesChanged(d->def.columns[c].name);
    return previous;
}

int DataView::tabOrder(const QString& column) const
{
    const int c = d->column(column);
    return c < 0 ? -1 : d->props[c].tabOrder;
}

bool DataView::isReadOnly() const
{
    return d->readOnly;
}

void DataView::resetProperties()
{
    std::vector<QString> names;
    for (const ColumnProps& p : d->props) names.push_back(p.dropDown.name);
    d->loadProperties();
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i].compare(d->props[i].dropDown.name, Qt::CaseInsensitive) != 0) d->dropChild(static_cast<int>(i));
    d->lookups.clear();
    emit propertiesChanged(QString());
}

} // namespace cr
