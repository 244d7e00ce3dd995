#include "areas_buildings/building_window.h"

#include "frame/colors.h"
#include "frame/list_page.h"
#include "schema/codes.h"

namespace cr::areas_buildings {

BuildingWindow::BuildingWindow(const WindowContext& context, const WindowInfo& info)
    : RecordWindow(context, info),
      m_states(dw_1()),
      m_layout(dw_1(), m_states),
      m_queries(context.sqlca),
      m_checks(dw_1(), m_queries, context.ui)
{
}

QString BuildingWindow::commonNameFromAddress(const QString& address)
{
    constexpr int kLength = 30;
    QString name = address.trimmed();
    if (name.size() <= kLength) return name;
    name = name.right(kLength);
    // Never start with the second half of a character outside the BMP.
    if (name.front().isLowSurrogate()) name.remove(0, 1);
    return name.trimmed();
}

// Required fields look like the address, optional ones like the note.
void BuildingWindow::onOpen() { m_states.readColours(QStringLiteral("address"), QStringLiteral("note")); }

bool BuildingWindow::openedFromAreaDetailList() const
{
    const ListPage* master = guo_tabpg_master();
    const ListPage* now = guo_tabpg_now();
    // An empty master id restricts the list to nothing: no area to fix.
    return master && now && master->is_stringpara == areaListParameter() && !now->is_masterid.isEmpty()
           && now->is_masterid == master->tag();
}

void BuildingWindow::fixAreaByMaster()
{
    if (!openedFromAreaDetailList()) return;
    m_states.tabOrder(QStringLiteral("regionalno"), 0);
    m_states.paint(QStringLiteral("regionalno"), colors::text(colors::fixedByMaster));
}

// Houses generated for a building that is itself only temporarily saved were
// made from its kind: the kind stays until the building is saved with checks.
void BuildingWindow::lockKindWhileHousesAreTemporary(int row)
{
    const std::optional<double> building = dw_1().getItemNumber(row, QStringLiteral("buildingno"));
    if (!building) return;
    const qlonglong houses = m_queries.temporarilySavedHouses(static_cast<qlonglong>(*building));
    if (houses > 0 && dw_1().getItemString(row, QStringLiteral("issave")) == QLatin1String("0"))
        m_states.locked(QStringLiteral("roomtype"));
}

void BuildingWindow::ue_loadphoto()
{
    DataView& form = dw_1();
    const int row = form.getRow();
    if (row < 1) return;
    fixAreaByMaster();
    lockKindWhileHousesAreTemporary(row);
    m_layout.applyUseOnLoad(form.getItemString(row, QStringLiteral("buildinguse")));
    m_layout.applyKindOnLoad(row, form.getItemString(row, QStringLiteral("roomtype")), adding());
    m_loadingEdits.clear();
    if (!adding()) forgetLoadingEdits(row);
}

// What loading wrote into a stored record is no edit of the clerk's: closing
// asks nothing and a temporary save leaves it. The columns are remembered so
// that a validated save stores what the form showed and the checks passed.
void BuildingWindow::forgetLoadingEdits(int row)
{
    DataView& form = dw_1();
    for (const ColumnDef& c : form.definition().columns)
        if (!c.dbName.isEmpty() && form.getItemStatus(row, c.name) != RowStatus::NotModified)
            m_loadingEdits << c.name;
    form.setItemStatus(row, QString(), Buffer::Primary, RowStatus::DataModified);
    form.setItemStatus(row, QString(), Buffer::Primary, RowStatus::NotModified);
}

void BuildingWindow::keepLoadingEdits(int row)
{
    for (const QString& column : std::as_const(m_loadingEdits))
        dw_1().setItemStatus(row, column, Buffer::Primary, RowStatus::DataModified);
}

void BuildingWindow::showChosenAreaName(int row, const QString& data)
{
    bool ok = false;
    const qlonglong area = data.trimmed().toLongLong(&ok);
    QVariant name;
    if (DataView* areas = ok ? dw_1().getChild(QStringLiteral("regionalno")) : nullptr) {
        const int found = areas->find(QStringLiteral("regionalno = %1").arg(area), 1, areas->rowCount());
        if (found >= 1) name = areas->getItem(found, QStringLiteral("regionalname"));
    }
    dw_1().setItem(row, QStringLiteral("regionalname"), name);
}

int BuildingWindow::dw_1_itemchanged(int row, const QString& column, const QString& data)
{
    DataView& form = dw_1();
    const QString c = column.toLower();
    const QString kind = form.getItemString(row, QStringLiteral("roomtype"));
    if (c == QLatin1String("roomtype")) {
        m_layout.kindChanged(row, data);
        return 0;
    }
    if (c == QLatin1String("buildinguse")) {
        m_layout.useChanged(data, kind);
        return 0;
    }
    if (c == QLatin1String("address")) {
        if (adding() && !data.trimmed().isEmpty())
            form.setItem(row, QStringLiteral("buildingname"), commonNameFromAddress(data));
        return 0;
    }
    if (c == QLatin1String("regionalno")) {
        if (!data.trimmed().isEmpty()) showChosenAreaName(row, data);
        return 0;
    }
    return m_checks.entry(row, c, data, adding());
}

int BuildingWindow::wf_dw_verify()
{
    if (m_checks.verify(adding()) != 0) return 1;
    keepLoadingEdits(dw_1().getRow());
    return 0;
}

bool BuildingWindow::wf_update_after()
{
    ListPage* list = guo_tabpg_now();
    if (dw_1().getRow() < 1 || !list) return true;
    // A list without a current row (an area's empty list) is queried again
    // as well, so that the first building saved there shows up.
    if (list->currentRow() < 1)
        list->ue_retrieve();
    else
        wf_refresh_list();
    return true;
}

} // namespace cr::areas_buildings
