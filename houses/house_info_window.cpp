#include "houses/house_info_window.h"

#include "frame/message_object.h"
#include "frame/sqlca.h"
#include "frame/ui_services.h"
#include "frame/window_registry.h"
#include "houses/house_numbering.h"

#include <cmath>

namespace cr::houses {
namespace {

const QString kRoomTypeStoreys = QStringLiteral("01");
const QString kPrivateProperty = QStringLiteral("01");

bool isEmptyText(const QString& s) { return s.isNull() || s.isEmpty(); }

} // namespace

HouseInfoWindow::HouseInfoWindow(const WindowContext& context, const WindowInfo& info) : RecordWindow(context, info)
{
    ControlDef hint;
    hint.name = QStringLiteral("st_msg");
    hint.kind = ControlKind::Text;
    hint.text = hintText();
    addControl(hint);
}

QString HouseInfoWindow::hintText()
{
    return QStringLiteral("提示信息：楼房的单元名必须输入，平房的楼门最好也输入（楼院负责人管理范围用到）");
}

QString HouseInfoWindow::personParameter(const QString& typed)
{
    return typed + QStringLiteral(",personno,personname,sex,idcard,birthdate,age,countrycode,")
           + QStringLiteral("idcardtype,contactphone,rpraddr,presentaddr1");
}

void HouseInfoWindow::wf_gethousenumber(DataView& adw_housenumber, std::optional<int> al_floor,
                                        std::optional<int> al_housecount, std::optional<int> al_floorcount)
{
    HouseNumbering::fillList(adw_housenumber, al_floor, al_housecount, al_floorcount);
}

std::optional<int> HouseInfoWindow::number(int row, const char* column) const
{
    const std::optional<double> v = dw_1().getItemNumber(row, QLatin1String(column));
    if (!v) return std::nullopt;
    return int(std::trunc(*v));
}

void HouseInfoWindow::setBackground(const QString& column, const QString& colour)
{
    mf(column + QStringLiteral(".Background.Color='") + colour + QLatin1Char('\''));
}

void HouseInfoWindow::onOpen()
{
    // The form's own colours stand for the field states.
    is_color = dw_1().describe(QStringLiteral("note.Background.Color")).trimmed();
    is_color1 = dw_1().describe(QStringLiteral("housenumber.Background.Color"));
    is_color2 = dw_1().describe(QStringLiteral("address.Background.Color")).trimmed();
}

// A new house added from a building's list holds only the building's key; the
// building's columns that the form shows, and that the lists are built from,
// are read here.
void HouseInfoWindow::fillBuildingContext(int row)
{
    const QVariant buildingNo = dw_1().getItem(row, QStringLiteral("buildingno"));
    if (is_stringparm != addMode() || buildingNo.isNull()) return;
    static const char* const columns[] = {"buildingname", "address", "roomtype", "upfloornum",
                                          "downfloornum", "floorhouesnum", "unitnum"};
    auto q = sqlca().select(QStringLiteral("SELECT buildingname, address, roomtype, upfloornum, downfloornum, "
                                           "floorhouesnum, unitnum FROM tc_ge_building WHERE buildingno = :buildingno"),
                            {{QStringLiteral("buildingno"), buildingNo}});
    if (!q || !q->next()) return;
    for (int i = 0; i < 7; ++i) dw_1().setItem(row, QLatin1String(columns[i]), q->value(i));
}

void HouseInfoWindow::ue_loadphoto()
{
    const int row = dw_1().getRow();
    if (row <= 0) return;
    fillBuildingContext(row);
    const QString issave = dw_1().getItemString(row, QStringLiteral("issave"));
    const QString roomtype = dw_1().getItemString(row, QStringLiteral("roomtype"));

    if (roomtype == kRoomTypeStoreys) {
        // A house written by another window's save keeps its door and floor.
        if (issave == QLatin1String("2") && is_stringparm == modifyMode()) {
            dw_1().setTabOrder(QStringLiteral("unitname1"), 0);
            dw_1().setTabOrder(QStringLiteral("floorno"), 0);
            mf(QStringLiteral("unitname1.Background.color='") + is_color2 + QLatin1Char('\''));
            mf(QStringLiteral("floorno.Background.color='") + is_color2 + QLatin1Char('\''));
        }
        buildLists(row);
        mf(QStringLiteral("floorno.tag='1-'"));
        mf(QStringLiteral("floorno.background.color='") + is_color1 + QLatin1Char('\''));
        mf(QStringLiteral("unitname1.tag='1'"));
        mf(QStringLiteral("unitname1.background.color='") + is_color1 + QLatin1Char('\''));
        mf(QStringLiteral("buildingmodel.tag = '1'"));
        mf(QStringLiteral("buildingmodel.background.color='") + is_color1 + QLatin1Char('\''));
    } else {
        mf(QStringLiteral("unitname1.tag=''"));
        mf(QStringLiteral("unitname1.background.color='") + is_color2 + QLatin1Char('\''));
    }

    const QString isrent = dw_1().getItemString(row, QStringLiteral("isrent"));
    setOwnerRequired(!(isrent == QLatin1String("0") || isEmptyText(isrent)));
}

// The door, floor and house-number lists of a multi-storey building, built
// from its counts (the lists are never read from the database).
void HouseInfoWindow::buildLists(int row)
{
    const QVariant buildingNo = dw_1().getItem(row, QStringLiteral("buildingno"));
    QVariant word = sqlca().selectValue(QStringLiteral("Select prepare3 From tc_ge_building Where buildingno = :buildingno"),
                                        {{QStringLiteral("buildingno"), buildingNo}});
    // No door word reads as none: the doors are then named by number alone.
    const QString doorWord = word.isNull() ? QString() : word.toString();
    const std::optional<int> up = number(row, "upfloornum");
    const std::optional<int> down = number(row, "downfloornum");
    const std::optional<int> perFloor = number(row, "floorhouesnum");
    const std::optional<int> doors = number(row, "unitnum");

    for (const char* e : {"unitname1.dddw.displaycolumn='unitname1'", "unitname1.dddw.datacolumn='unitname1'",
                          "unitname1.dddw.name='dddw_ge_buildingunit'", "unitname1.dddw.limit=0",
                          "unitname1.dddw.allowedit=no", "unitname1.dddw.vscrollbar=Yes",
                          "floorno.dddw.displaycolumn=floorno", "floorno.dddw.datacolumn=floorno",
                          "floorno.dddw.name=dddw_ge_floorno", "floorno.dddw.limit=0", "floorno.dddw.allowedit=no",
                          "floorno.dddw.vscrollbar=Yes", "housenumber.dddw.displaycolumn='housenumber'",
                          "housenumber.dddw.datacolumn='housenumber'", "housenumber.dddw.name='dddw_ge_housenumber'",
                          "housenumber.dddw.allowedit=Yes", "housenumber.dddw.vscrollbar=Yes"})
        mf(QLatin1String(e));
    DataView* unitList = dw_1().getChild(QStringLiteral("unitname1"));
    DataView* floorList = dw_1().getChild(QStringLiteral("floorno"));
    DataView* numberList = dw_1().getChild(QStringLiteral("housenumber"));

    if (unitList) {
        unitList->reset();
        for (int i = 1; doors && i <= *doors; ++i) {
            const int r = unitList->insertRow(0);
            unitList->setItem(r, QStringLiteral("buildingno"), buildingNo);
            unitList->setItem(r, QStringLiteral("unitno"), i);
            unitList->setItem(r, QStringLiteral("unitname1"), QString::number(i) + doorWord);
            unitList->setItem(r, QStringLiteral("unitname"), doorWord);
        }
    }
    mf(QStringLiteral("unitname1.dddw.Lines=6"));

    if (floorList) {
        floorList->reset();
        for (int i = 1; up && i <= *up; ++i) {
            const int r = floorList->insertRow(0);
            floorList->setItem(r, QStringLiteral("buildingno"), buildingNo);
            floorList->setItem(r, QStringLiteral("floorno"), i);
        }
        // Basement floors follow as -1, -2, ...
        for (int i = 1; down && i <= *down; ++i) {
            const int r = floorList->insertRow(0);
            floorList->setItem(r, QStringLiteral("floorno"), -i);
        }
    }
    mf(QStringLiteral("floorno.dddw.Lines=6"));

    // A new house starts on floor 1; a stored one lists its own floor, or
    // every floor when it has none.
    std::optional<int> floor = 1;
    if (is_stringparm != addMode()) floor = number(1, "floorno").value_or(0);
    if (numberList) {
        numberList->reset();
        wf_gethousenumber(*numberList, floor, perFloor, up);
    }
    mf(QStringLiteral("housenumber.dddw.Lines=6"));
}

void HouseInfoWindow::setOwnerRequired(bool required)
{
    const QString tag = required ? QStringLiteral("'1'") : QStringLiteral("''");
    const QString colour = required ? is_color1 : is_color;
    mf(QStringLiteral("personname.Tag=") + tag);
    setBackground(QStringLiteral("personname"), colour);
    mf(QStringLiteral("contactphone.Tag=") + tag);
    setBackground(QStringLiteral("contactphone"), colour);
}

int HouseInfoWindow::dw_1_itemchanged(int row, const QString& column, const QString& data)
{
    DataView* numberList = dw_1().getChild(QStringLiteral("housenumber"));
    const QString roomtype = dw_1().getItemString(row, QStringLiteral("roomtype"));
    const std::optional<int> up = number(row, "upfloornum");
    const std::optional<int> perFloor = number(row, "floorhouesnum");
    const QString col = column.toLower();

    if (col == QLatin1String("floorno")) {
        bool ok = false;
        const int floor = data.trimmed().toInt(&ok);
        if (roomtype == kRoomTypeStoreys && ok) {
            if (numberList) {
                numberList->reset();
                wf_gethousenumber(*numberList, floor, perFloor, up);
                mf(numberList->rowCount() < 7 ? QStringLiteral("housenumber.dddw.vscrollbar=No")
                                              : QStringLiteral("housenumber.dddw.vscrollbar=Yes"));
            }
            // The number belonged to the old floor.
            dw_1().setItem(row, QStringLiteral("housenumber"), QVariant());
        }
    } else if (col == QLatin1String("isrent")) {
        setOwnerRequired(data != QLatin1String("0"));
    } else if (col == QLatin1String("personname")) {
        if (dw_1().getItemString(row, QStringLiteral("droittype")) == kPrivateProperty) {
            // Private owners are persons on record: the typed text only searches.
            dw_1().setItem(row, QStringLiteral("personno"), QVariant());
            openSelectPerson(personParameter(data));
            const double chosen = message().doubleParm;
            if (chosen == 0 || chosen == -1) {
                dw_1().setItem(row, QStringLiteral("personno"), QVariant());
                dw_1().setItem(row, QStringLiteral("personname"), QVariant());
            }
            // The typed text is not taken: the fields keep what the dialog
            // (or the cancel above) put there.
            dw_1().acceptText();
            return 2;
        }
    } else if (col == QLatin1String("droittype")) {
        if (!isEmptyText(data) && data != kPrivateProperty) {
            dw_1().setItem(row, QStringLiteral("personname"), QVariant());
            dw_1().setItem(row, QStringLiteral("personno"), QVariant());
        }
    } else if (col == QLatin1String("housenumber")) {
        const QString text = data.trimmed();
        if (!text.isEmpty() && numberList) {
            // Typed text is quoted, never pasted between quotes.
            const int found = numberList->find(QStringLiteral("HouseNumber=") + DataView::quote(text), 1,
                                               numberList->rowCount());
            if (found > 0) dw_1().setItem(row, QStringLiteral("floorno"), numberList->getItem(found, QStringLiteral("floorno")));
        }
    }
    return 0;
}

int HouseInfoWindow::wf_dw_verify()
{
    const int row = dw_1().getRow();
    if (row <= 0) return 1;
    const QString unitname1 = dw_1().getItemString(row, QStringLiteral("unitname1"));
    const QString housenumber = dw_1().getItemString(row, QStringLiteral("housenumber"));
    const QVariant buildingNo = dw_1().getItem(row, QStringLiteral("buildingno"));
    const QString isrent = dw_1().getItemString(row, QStringLiteral("isrent"));
    const QString droittype = dw_1().getItemString(row, QStringLiteral("droittype"));
    const QString roomtype = dw_1().getItemString(row, QStringLiteral("roomtype"));

    // The door: from the door list in a multi-storey building, else none.
    QVariant door = 0;
    if (roomtype == kRoomTypeStoreys) {
        DataView* unitList = dw_1().getChild(QStringLiteral("unitname1"));
        int found = 0;
        if (unitList && !buildingNo.isNull())
            found = unitList->find(QStringLiteral("buildingno=") + QString::number(buildingNo.toLongLong())
                                       + QStringLiteral(" AND unitname1=") + DataView::quote(unitname1),
                                   1, unitList->rowCount());
        if (found > 0) {
            door = unitList->getItem(found, QStringLiteral("unitno"));
            dw_1().setItem(row, QStringLiteral("unitno"), door);
            dw_1().setItem(row, QStringLiteral("unitname"), unitList->getItem(found, QStringLiteral("unitname")));
        }
    } else {
        dw_1().setItem(row, QStringLiteral("unitno"), 0);
        dw_1().setItem(row, QStringLiteral("unitname"), unitname1.isNull() ? QVariant() : QVariant(unitname1));
    }

    // The same number in the same building and door; a stored house does
    // not count itself.
    const QVariant houseNo = dw_1().getItem(row, QStringLiteral("houseno"));
    QString sql = QStringLiteral("Select Count ( *) From tc_ge_houseinfo Where buildingno = :buildingno "
                                 "and unitno = :unitno and housenumber = :housenumber");
    SqlParams params = {{QStringLiteral("buildingno"), buildingNo},
                        {QStringLiteral("unitno"), door},
                        {QStringLiteral("housenumber"), housenumber}};
    if (!houseNo.isNull()) {
        sql += QStringLiteral(" and houseno <> :houseno");
        params.append({QStringLiteral("houseno"), houseNo});
    }
    const QVariant same = sqlca().selectValue(sql, params);
    if (same.toLongLong() >= 1) {
        ui().messageBox(QStringLiteral("提示"), QStringLiteral("该房屋信息已经存在了！"));
        return 1;
    }

    if (isrent == QLatin1String("0") && is_stringparm == modifyMode() && rentalCount(houseNo) > 0) {
        ui().messageBox(QStringLiteral("警告信息"),
                        QStringLiteral("不能修改【是否出租】为否。\r\r\n因为有出租登记信息，请首先删除出租登记信息。"),
                        UiServices::Icon::Warning);
        return 1;
    }

    if (droittype == kPrivateProperty && isrent == QLatin1String("1")
        && isEmptyText(dw_1().getItemString(row, QStringLiteral("personno")))) {
        ui().messageBox(QStringLiteral("警告信息"),
                        QStringLiteral("当该房已出租，并且产权类别为“私产”时，需要录入产权人。")
                            + QStringLiteral("\r\n\r\n（注意：必须在个人信息中存在，可以是社区内或社区外人员）。"),
                        UiServices::Icon::Warning);
        return 1;
    }
    return 0;
}

int HouseInfoWindow::rentalCount(const QVariant& houseNo)
{
    return sqlca()
        .selectValue(QStringLiteral("SELECT COUNT ( *) FROM TC_GE_RentHouseReg WHERE HouseNo = :houseno"),
                     {{QStringLiteral("houseno"), houseNo}})
        .toInt();
}

// A rented house gets its rental row once, at its first save as rented.
// Runs inside the save's unit of work: should the row not be written, the
// whole save is rolled back and reported, so no house is left marked as
// rented without it.
bool HouseInfoWindow::wf_update_after()
{
    const int row = dw_1().getRow();
    if (row <= 0) return true;
    const QString isrent = dw_1().getItemString(row, QStringLiteral("isrent"));
    const QVariant houseNo = dw_1().getItem(row, QStringLiteral("houseno"));
    if (isrent != QLatin1String("1")) return true;
    if (houseNo.isNull() || houseNo.toLongLong() == 0) {
        ui().messageBox(QStringLiteral("警告信息"), QStringLiteral("新增出租登记信息失败（房屋信息错误）！"),
                        UiServices::Icon::Warning);
        return true;
    }
    if (rentalCount(houseNo) != 0) return true;
    const bool ok = sqlca().execute(
        QStringLiteral("INSERT INTO TC_GE_RentHouseReg ( CommNo , HouseNo , issigndutybook , isconsignrent , IsSave ) "
                       "VALUES ( :commno , :houseno , '0' , '0' , '2' )"),
        {{QStringLiteral("commno"), sqlca().commNo()}, {QStringLiteral("houseno"), houseNo}});
    if (!ok) return failSave(QStringLiteral("新增出租登记信息失败！\r\n") + sqlca().sqlErrText());
    return true;
}

} // namespace cr::houses
