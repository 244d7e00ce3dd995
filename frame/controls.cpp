#include "frame/controls.h"

namespace cr {
namespace {

ControlDef pictureButton(const char* name, const char* picture, const QString& tooltip, const char* shortcut)
{
    ControlDef c;
    c.name = QString::fromLatin1(name);
    c.kind = ControlKind::PictureButton;
    c.picture = QString::fromLatin1(picture);
    c.tooltip = tooltip;
    c.shortcut = QString::fromLatin1(shortcut);
    return c;
}

} // namespace

QList<ControlDef> recordWindowControls()
{
    ControlDef calendar;
    calendar.name = QStringLiteral("mc_1");
    calendar.kind = ControlKind::Calendar;
    calendar.visible = false;   // popped up by date fields, never on its own

    ControlDef form;
    form.name = QStringLiteral("dw_1");
    form.kind = ControlKind::DataView;

    // Navigation shortcuts are not named in the tooltips; the shell offers
    // them all the same so that the window can be used from the keyboard.
    return {
        calendar,
        pictureButton("cb_help", "bmp/cb_help.bmp", QStringLiteral("查看相应帮助(Ctrl+H)"), "Ctrl+H"),
        pictureButton("cb_last", "bmp/cb_Last.bmp", QStringLiteral("最后一条记录"), "Ctrl+End"),
        pictureButton("cb_next", "bmp/cb_Next.bmp", QStringLiteral("下一条记录"), "Ctrl+PgDown"),
        pictureButton("cb_prior", "bmp/cb_prior.bmp", QStringLiteral("上一条记录"), "Ctrl+PgUp"),
        pictureButton("cb_first", "bmp/cb_First.bmp", QStringLiteral("第一条记录"), "Ctrl+Home"),
        pictureButton("cb_exit", "bmp/cb_exit.bmp", QStringLiteral("关闭窗口(Esc)"), "Esc"),
        pictureButton("cb_save", "bmp/cb_save.bmp", QStringLiteral("保存数据(Ctrl+S)"), "Ctrl+S"),
        pictureButton("cb_roll", "bmp/cb_roll.bmp", QStringLiteral("还原数据(Ctrl+U)"), "Ctrl+U"),
        pictureButton("cb_delete", "bmp/cb_batchdel.bmp", QStringLiteral("删除这条记录(Ctrl+Del)"), "Ctrl+Del"),
        form,
        pictureButton("cb_tempsave", "bmp/cb_TempSave.bmp", QStringLiteral("不做数据校验临时保存(Ctrl+T)"), "Ctrl+T"),
    };
}

} // namespace cr
