#include "exchange/import_kinds.h"

#include <QRegularExpression>

namespace cr::exchange {
namespace {

ImportField text(const char* column, const QString& heading, int maxLength, bool required = false,
                 const QStringList& aliases = {})
{
    return ImportField{QLatin1String(column), heading, aliases, FieldType::Text, {}, required, maxLength};
}

ImportField code(const char* column, const QString& heading, const char* list, const QStringList& aliases = {})
{
    return ImportField{QLatin1String(column), heading, aliases, FieldType::Code, QLatin1String(list), false, 20};
}

QList<ImportKindDef> makeKinds()
{
    // Widths follow the tables' columns (schema/shared_tables.cpp).
    ImportKindDef persons{ImportKind::Persons, QStringLiteral("persons"), QStringLiteral("人员"),
                          QStringLiteral("tc_ge_personinfo"), {}};
    persons.fields = {
        text("personname", QStringLiteral("姓名"), 50, true, {QStringLiteral("人员姓名")}),
        code("sex", QStringLiteral("性别"), "dddw_gb_sex"),
        ImportField{QStringLiteral("idcard"), QStringLiteral("证件号码"),
                    {QStringLiteral("身份证号"), QStringLiteral("身份证号码"), QStringLiteral("公民身份号码"),
                     QStringLiteral("身份证")},
                    FieldType::IdCard, {}, true, 18},
        ImportField{QStringLiteral("birthdate"), QStringLiteral("出生日期"), {QStringLiteral("出生年月日")},
                    FieldType::Date, {}, false, 0},
        code("nationality", QStringLiteral("民族"), "dddw_gb_folk"),
        code("polity", QStringLiteral("政治面貌"), "dddw_gb_polity"),
        code("edulevel", QStringLiteral("文化程度"), "dddw_gb_edulevel", {QStringLiteral("学历")}),
        code("personkind", QStringLiteral("从业状况"), "dddw_gb_jobstatus", {QStringLiteral("就业状况")}),
        code("rprtype", QStringLiteral("户口类别"), "dddw_ge_rprtype", {QStringLiteral("户口性质")}),
        code("rprstatus", QStringLiteral("户籍状态"), "dddw_ge_rprstatus", {QStringLiteral("人户状态")}),
        text("rprno", QStringLiteral("户号"), 30, false, {QStringLiteral("户籍编号")}),
        text("rpraddr", QStringLiteral("户籍地址"), 200, false, {QStringLiteral("户籍地")}),
        text("presentaddr1", QStringLiteral("居住地址"), 200, false,
             {QStringLiteral("现住址"), QStringLiteral("现居住地址"), QStringLiteral("住址")}),
        text("contactphone", QStringLiteral("联系电话"), 40, false,
             {QStringLiteral("电话"), QStringLiteral("手机"), QStringLiteral("手机号码")}),
    };

    ImportKindDef households{ImportKind::Households, QStringLiteral("households"), QStringLiteral("户籍"),
                             QStringLiteral("tc_ge_rpr"), {}};
    households.fields = {
        text("rprno", QStringLiteral("户号"), 30, true, {QStringLiteral("户籍编号")}),
        text("hostname", QStringLiteral("户主姓名"), 50, true, {QStringLiteral("户主")}),
        text("rpraddr", QStringLiteral("户籍地址"), 200, false, {QStringLiteral("户籍地")}),
    };

    // The house is named as a clerk writes it: the building by its address
    // or common name, the door ("2单元" or 2) and the house number ("301室").
    ImportKindDef links{ImportKind::Links, QStringLiteral("links"), QStringLiteral("户与房屋"),
                        QStringLiteral("tc_ge_rprownhouse"), {}};
    links.fields = {
        text("rprno", QStringLiteral("户号"), 30, true, {QStringLiteral("户籍编号")}),
        text("building", QStringLiteral("楼院"), 200, true,
             {QStringLiteral("楼院地址"), QStringLiteral("楼院俗称"), QStringLiteral("楼栋")}),
        text("door", QStringLiteral("楼门"), 40, false, {QStringLiteral("单元"), QStringLiteral("楼门单元")}),
        text("housenumber", QStringLiteral("房号"), 40, true, {QStringLiteral("门牌号"), QStringLiteral("房间号")}),
        text("housingkind", QStringLiteral("居住类型"), 20, false, {QStringLiteral("住房性质")}),
    };
    return {persons, households, links};
}

} // namespace

const ImportField* ImportKindDef::field(const QString& column) const
{
    for (const ImportField& f : fields)
        if (f.column == column) return &f;
    return nullptr;
}

const QList<ImportKindDef>& importKinds()
{
    static const QList<ImportKindDef> kinds = makeKinds();
    return kinds;
}

const ImportKindDef& importKind(ImportKind kind)
{
    return importKinds()[int(kind)];
}

const ImportKindDef* importKindByName(const QString& name)
{
    for (const ImportKindDef& k : importKinds())
        if (k.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0) return &k;
    return nullptr;
}

QString normalHeading(const QString& heading)
{
    static const QRegularExpression remark(QStringLiteral(R"(\([^)]*\))"));
    QString h = heading;
    h.replace(QChar(0xFF08), QLatin1Char('(')).replace(QChar(0xFF09), QLatin1Char(')'));
    h.remove(QLatin1Char('*')).remove(QChar(0xFF0A));
    h.remove(QRegularExpression(QStringLiteral("\\s+")));
    h.remove(remark);
    return h;
}

} // namespace cr::exchange
