#include "frame/person_selection.h"

#include "frame/dataview.h"
#include "frame/message_object.h"
#include "frame/sqlca.h"

namespace cr {
namespace {

ColumnDef column(const char* name, ColumnKind kind = ColumnKind::Text, const QString& lookup = QString())
{
    ColumnDef c;
    c.name = QString::fromLatin1(name);
    c.kind = kind;
    if (!lookup.isEmpty()) {
        c.edit = EditStyle::DropDown;
        c.dropDown.name = lookup;
        c.dropDown.displayColumn = QStringLiteral("tname");
        c.dropDown.dataColumn = QStringLiteral("tcode");
    }
    return c;
}

// A typed % or _ is looked for as itself, not as a wildcard.
QString likeLiteral(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('!'), QStringLiteral("!!"));
    t.replace(QLatin1Char('%'), QStringLiteral("!%"));
    t.replace(QLatin1Char('_'), QStringLiteral("!_"));
    return t;
}

bool truthy(const QVariant& v)
{
    if (!v.isValid() || v.isNull()) return false;
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok && d != 0;
}

} // namespace

DataViewDef PersonSelection::searchViewDef()
{
    DataViewDef d;
    d.name = QStringLiteral("d_selectperson");
    d.title = QStringLiteral("选择人员");
    // :p0 finds one person by number; :p1..:p3 search by name, ID number and
    // phone. The unused ones are bound to NULL and match nothing.
    d.sql = QStringLiteral(
        "SELECT p.personno, p.personname, p.sex, p.idcardtype, p.idcard, p.birthdate, p.countrycode, p.rprtype, "
        "p.rprstatus, p.rpraddr, "
        "p.rprno, p.nationality, p.polity, p.contactphone, p.edulevel, p.presentaddr1, p.personkind, "
        "o.isvolunteer "
        "FROM tc_ge_personinfo p LEFT OUTER JOIN tc_ge_personotherinfo o ON o.personno = p.personno "
        "WHERE (p.isdeath IS NULL OR p.isdeath <> '1') "
        "AND (p.personno = :p0 OR p.personname LIKE :p1 ESCAPE '!' OR p.idcard LIKE :p2 ESCAPE '!' "
        "OR p.contactphone LIKE :p3 ESCAPE '!') "
        "ORDER BY p.personname, p.personno");
    d.arguments = {QStringLiteral("p0"), QStringLiteral("p1"), QStringLiteral("p2"), QStringLiteral("p3")};
    ColumnDef age = column("age", ColumnKind::Integer);
    age.compute = QStringLiteral("f_getpersonage(today(), birthdate)");
    d.columns = {column("personno"),
                 column("personname"),
                 column("sex", ColumnKind::Text, QStringLiteral("dddw_gb_sex")),
                 column("idcardtype"),
                 column("idcard"),
                 column("birthdate", ColumnKind::Date),
                 column("countrycode"),
                 column("rprtype", ColumnKind::Text, QStringLiteral("dddw_ge_rprtype")),
                 column("rprstatus", ColumnKind::Text, QStringLiteral("dddw_ge_rprstatus")),
                 column("rpraddr"),
                 column("rprno"),
                 column("nationality", ColumnKind::Text, QStringLiteral("dddw_gb_folk")),
                 column("polity", ColumnKind::Text, QStringLiteral("dddw_gb_polity")),
                 column("contactphone"),
                 column("edulevel", ColumnKind::Text, QStringLiteral("dddw_gb_edulevel")),
                 column("presentaddr1"),
                 column("personkind", ColumnKind::Text, QStringLiteral("dddw_gb_jobstatus")),
                 column("isvolunteer"),
                 age};
    return d;
}

PersonSelection::PersonSelection(Sqlca& sqlca, UiServices& ui, MessageObject& message, const ViewCatalog* catalog)
    : m_sqlca(sqlca), m_ui(ui), m_message(message), m_catalog(catalog),
      m_people(std::make_unique<DataView>(searchViewDef()))
{
    m_people->setTransObject(&sqlca);
    if (catalog) m_people->setCatalog(catalog);
}

PersonSelection::~PersonSelection() = default;

QVariant PersonSelection::personValue(int row, const QString& name) const
{
    const ColumnDef* c = m_people->definition().column(name);
    if (!c) return {};
    return c->compute.isEmpty() ? m_people->getItem(row, name) : m_people->computed(row, name);
}

bool PersonSelection::passes(int row, const QString& condition) const
{
    return condition.isEmpty() || truthy(m_people->evaluate(condition, row));
}

QList<PersonCandidate> PersonSelection::search(const QString& text, const QString& condition)
{
    QList<PersonCandidate> found;
    const QString t = text.trimmed();
    if (t.isEmpty()) return found;
    const QString prefix = likeLiteral(t) + QLatin1Char('%');
    if (m_people->retrieve({QVariant(), QLatin1Char('%') + prefix, prefix, prefix}) < 0) return found;
    for (int row = 1; row <= m_people->rowCount(); ++row) {
        if (!passes(row, condition)) continue;
        PersonCandidate p;
        p.personNo = m_people->getItemString(row, QStringLiteral("personno"));
        p.name = m_people->getItemString(row, QStringLiteral("personname"));
        p.sex = m_catalog ? m_people->displayText(row, QStringLiteral("sex"))
                          : m_people->getItemString(row, QStringLiteral("sex"));
        p.idCard = m_people->getItemString(row, QStringLiteral("idcard"));
        const QDate birth = m_people->getItemDate(row, QStringLiteral("birthdate"));
        p.birthDate = birth.isValid() ? birth.toString(QStringLiteral("yyyy-MM-dd")) : QString();
        p.address = m_people->getItemString(row, QStringLiteral("presentaddr1"));
        if (p.address.isEmpty()) p.address = m_people->getItemString(row, QStringLiteral("rpraddr"));
        p.phone = m_people->getItemString(row, QStringLiteral("contactphone"));
        found << p;
    }
    return found;
}

int PersonSelection::open(const Request& request, DataView& target)
{
    m_message.doubleParm = 0;
    int row = target.getRow();
    if (row < 1 || row > target.rowCount()) row = target.rowCount() > 0 ? 1 : 0;
    if (row < 1) return 0;

    const QString condition = request.condition;
    const std::optional<QString> chosen = m_ui.selectPerson(
        QStringLiteral("选择人员"), request.text,
        [this, condition](const QString& text) { return search(text, condition); });
    if (!chosen || chosen->isEmpty()) return 0;

    // The chosen person's full row; it must still be one the condition lets through.
    if (m_people->retrieve({*chosen, QVariant(), QVariant(), QVariant()}) != 1 || !passes(1, condition)) return 0;
    QStringList columns{QStringLiteral("personno")};
    for (const QString& c : request.columns)
        if (!columns.contains(c.trimmed().toLower())) columns << c.trimmed().toLower();
    for (const QString& c : std::as_const(columns)) {
        if (!target.definition().column(c) || !m_people->definition().column(c)) continue;
        target.setItem(row, c, personValue(1, c));
    }
    m_message.doubleParm = 1;
    return 1;
}

} // namespace cr
