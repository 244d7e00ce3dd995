#include "frame/record_window.h"

#include "frame/record_deletion.h"

#include "frame/fault.h"
#include "frame/list_page.h"
#include "frame/message_object.h"
#include "frame/person_selection.h"
#include "frame/sqlca.h"
#include "frame/text_length.h"
#include "frame/typed_date.h"
#include "frame/ui_services.h"
#include "frame/view_catalog.h"
#include "frame/window_registry.h"

#include <algorithm>

namespace cr {
namespace {

const QString kTitleInfo = QStringLiteral("提示");
const QString kTitleError = QStringLiteral("错误");

bool isEmptyValue(const QVariant& v)
{
    if (!v.isValid() || v.isNull()) return true;
    if (v.typeId() == QMetaType::QString) return v.toString().trimmed().isEmpty();
    return false;
}

bool sameValue(const QVariant& a, const QVariant& b)
{
    const bool an = !a.isValid() || a.isNull();
    const bool bn = !b.isValid() || b.isNull();
    if (an || bn) return an == bn;
    return a == b || a.toString() == b.toString();
}

// The label as the user reads it in a message: "楼院地址:" -> "楼院地址".
QString fieldLabel(const ColumnDef& c)
{
    QString label = c.label.isEmpty() ? c.heading : c.label;
    label.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QLatin1Char(' '));
    while (label.endsWith(QLatin1Char(':')) || label.endsWith(QChar(0xFF1A))) label.chop(1);
    return label.isEmpty() ? c.name : label;
}

// Both saves: a text that a value rule or an import put there may still be
// longer than its column, and neither engine should be the one to say so.
bool textsFit(DataView& form, UiServices& ui, int row)
{
    const ColumnDef* c = firstTooLong(form, row);
    if (!c) return true;
    const int length = textLength(form.getItemString(row, c->name));
    ui.messageBox(kTitleInfo, tooLongMessage(fieldLabel(*c), c->maxLength, length));
    form.setRow(row);
    form.setColumn(c->name);
    form.setFocus();
    return false;
}

} // namespace

RecordWindow::RecordWindow(const WindowContext& context, const WindowInfo& info)
    : Window(context, info.name, info.title), m_what(info.recordNoun.isEmpty() ? info.title : info.recordNoun), m_nameColumns(info.nameColumns),
      m_formView(info.formView), m_keyColumn(info.keyColumn),
      m_masterRule(info.masterRule), m_masterColumn(info.linkColumn), m_masterName(info.masterName)
{
    setHelpTopic(info.helpTopic.isEmpty() ? info.title : info.helpTopic);
    const DataViewDef* def = context.catalog.find(info.formView);
    m_formKnown = def != nullptr;
    DataViewDef form;
    form.name = info.formView;
    if (def) form = *def;
    if (m_keyColumn.isEmpty()) m_keyColumn = form.keyColumn;
    // The form queries carry no condition of their own: a stored record is
    // read through the same query narrowed to its key.
    if (def && !m_keyColumn.isEmpty()) form = singleRecordDef(*def, m_keyColumn);
    m_form = addDataView(QStringLiteral("dw_1"), form);

    DataViewEvents& events = m_form->events();
    events.itemChanged = [this](int row, const QString& column, const QString& data) {
        return dispatchItemChanged(row, column, data);
    };
    events.valueRefused = [this](int row, const QString& column, const QString& text) {
        valueRefused(row, column, text);
    };
    events.buttonClicked = [this](int row, const QString& button) {
        if (!replaced(Hook::ButtonClicked)) { /* the frame has nothing of its own to do */ }
        dw_1_buttonclicked(row, button);
    };
    events.doubleClicked = [this](int row, const QString& column) {
        if (!replaced(Hook::DoubleClicked)) { /* nothing of the frame's own */ }
        dw_1_doubleclicked(row, column);
    };
    events.getFocus = [this] {
        if (!replaced(Hook::GetFocus)) frameGetFocus();
        dw_1_getfocus();
    };

    for (const ControlDef& c : recordWindowControls()) {
        std::function<void()> handler;
        if (c.name == QLatin1String("cb_help")) handler = [this] { help(); };
        else if (c.name == QLatin1String("cb_last")) handler = [this] { last(); };
        else if (c.name == QLatin1String("cb_next")) handler = [this] { next(); };
        else if (c.name == QLatin1String("cb_prior")) handler = [this] { prior(); };
        else if (c.name == QLatin1String("cb_first")) handler = [this] { first(); };
        else if (c.name == QLatin1String("cb_exit")) handler = [this] { close(); };
        else if (c.name == QLatin1String("cb_save")) handler = [this] { save(); };
        else if (c.name == QLatin1String("cb_roll")) handler = [this] { restore(); };
        else if (c.name == QLatin1String("cb_tempsave")) handler = [this] { tempSave(); };
        else if (c.name == QLatin1String("cb_delete")) handler = [this] { deleteRecord(); };
        addControl(c, handler);
    }
}

RecordWindow::~RecordWindow() = default;

void RecordWindow::replaceFrameHandler(Hook hook) { m_replaced.insert(static_cast<int>(hook), true); }

void RecordWindow::addFormButton(const QString& name, const QString& text, const QString& column,
                                 const QString& picture)
{
    ControlDef c;
    c.name = name;
    c.kind = ControlKind::FormButton;
    c.text = text;
    c.column = column;
    c.picture = picture;
    addControl(c, [this, name] { m_form->userButtonClicked(formRow(), name); });
}

DataView* RecordWindow::addDetailList(const QString& name, const QString& viewName, const QString& column)
{
    const DataViewDef* def = catalog().find(viewName);
    if (!def || !def->column(column) || !m_form->definition().column(column)) {
        reportFault(QStringLiteral("%1: detail list %2 over %3.%4 cannot be made").arg(this->name(), name, viewName, column));
        return nullptr;
    }
    DataViewDef list = *def;
    list.sql = QStringLiteral("SELECT * FROM (%1) q WHERE q.%2 = :cr_master").arg(def->sql, column);
    list.arguments = {QStringLiteral("cr_master")};
    list.defaultArguments.clear();
    list.updateTable.clear();
    DataView* view = addDataView(name, list);
    if (!view) return nullptr;
    view->modify(QStringLiteral("DataWindow.ReadOnly=true"));
    m_detailLists.append({name, column});
    return view;
}

QStringList RecordWindow::detailLists() const
{
    QStringList names;
    for (const auto& [name, column] : m_detailLists) names << name;
    return names;
}

void RecordWindow::retrieveDetailLists()
{
    const int row = formRow();
    for (const auto& [name, column] : m_detailLists) {
        DataView* list = dataView(name);
        if (!list) continue;
        const QVariant value = row > 0 ? m_form->getItem(row, column) : QVariant();
        if (value.isNull()) list->reset();
        else list->retrieve({value});
    }
}

int RecordWindow::formRow() const
{
    const int row = m_form->getRow();
    if (row >= 1 && row <= m_form->rowCount()) return row;
    return m_form->rowCount() > 0 ? 1 : 0;
}

QVariant RecordWindow::currentKey() const
{
    const int row = formRow();
    if (row < 1 || m_keyColumn.isEmpty() || !m_form->definition().column(m_keyColumn)) return {};
    return m_form->getItem(row, m_keyColumn);
}

bool RecordWindow::openedUnderMaster() const
{
    const ListPage* list = guo_tabpg_now();
    return list && list->isDetail() && !list->linkColumn().isEmpty() && !list->is_masterid.isEmpty();
}

// --- opening and loading ---------------------------------------------------------

bool RecordWindow::openAdd()
{
    m_openMode = RecordMode::Add;
    m_openKey = QVariant();
    return open();
}

bool RecordWindow::openModify(const QVariant& key)
{
    m_openMode = RecordMode::Modify;
    m_openKey = key;
    return open();
}

bool RecordWindow::openRecord(RecordMode mode, const QVariant& key)
{
    return mode == RecordMode::Modify ? openModify(key) : openAdd();
}

bool RecordWindow::open()
{
    if (isOpen()) return true;
    if (!m_formKnown) {
        ui().messageBox(kTitleError, QStringLiteral("找不到数据窗口“%1”，无法打开窗口。").arg(m_formView),
                        UiServices::Icon::Error);
        return false;
    }
    setOpen(true);
    il_row = guo_tabpg_now() ? guo_tabpg_now()->currentRow() : 0;
    if (!putRecord(m_openMode, m_openKey)) {
        setOpen(false);
        return false;
    }
    m_loadedRow = il_row;
    onOpen();                 // the window's open event sees its first record
    if (!isOpen()) return false;
    afterRecordPut();
    return true;
}

bool RecordWindow::putRecord(RecordMode mode, const QVariant& key)
{
    resetFormProperties();
    if (mode == RecordMode::Modify) {
        const long rows = m_form->retrieve({key});
        if (rows < 0) {
            ui().messageBox(kTitleError, QStringLiteral("读取记录失败：") + m_form->lastError(),
                            UiServices::Icon::Error);
            return false;
        }
        if (rows == 0) {
            ui().messageBox(kTitleInfo, QStringLiteral("该记录已不存在，可能已被删除。"));
            return false;
        }
        m_form->setRow(1);
        m_loadedKey = key;
        setMode(codes::mode::modify);
        return true;
    }
    m_form->reset();
    const int row = m_form->insertRow(0);
    const DataViewDef& def = m_form->definition();
    if (def.column(QStringLiteral("commno"))) m_form->setItem(row, QStringLiteral("commno"), sqlca().commNo());
    // A record added from a detail list belongs to the master's current record.
    ListPage* list = guo_tabpg_now();
    if (list && list->isDetail() && !list->linkColumn().isEmpty() && def.column(list->linkColumn())
        && !list->is_masterid.isEmpty())
        m_form->setItem(row, list->linkColumn(), list->masterKey());
    m_form->setRow(row);
    m_loadedKey = QVariant();
    setMode(codes::mode::add);
    return true;
}

void RecordWindow::afterRecordPut()
{
    if (!replaced(Hook::LoadPhoto)) frameLoadPhoto();
    ue_loadphoto();
    retrieveDetailLists();
    takeBaseline();
    emit recordLoaded();
}

bool RecordWindow::loadRecord(RecordMode mode, const QVariant& key)
{
    const RecordMode previousMode = adding() ? RecordMode::Add : RecordMode::Modify;
    const QVariant previousKey = m_loadedKey;
    if (!putRecord(mode, key)) {
        // The form must never stay empty: show the record it showed before.
        if (!putRecord(previousMode, previousKey)) putRecord(RecordMode::Add, QVariant());
        afterRecordPut();
        return false;
    }
    afterRecordPut();
    return true;
}

void RecordWindow::setMode(const QString& mode)
{
    is_stringparm = mode;
    message().stringParm = mode;
    setControlEnabled(QStringLiteral("cb_delete"), mode == codes::mode::modify);   // a new record is not stored yet
    emit modeChanged(mode);
}

void RecordWindow::frameLoadPhoto()
{
    const int row = formRow();
    if (row < 1) return;
    m_form->setRow(row);
}

void RecordWindow::frameGetFocus()
{
    // Entering the form without a current field puts the cursor on the first
    // field the user can reach.
    if (!m_form->getColumnName().isEmpty()) return;
    const ColumnDef* first = nullptr;
    int best = 0;
    for (const ColumnDef& c : m_form->definition().columns) {
        const int order = m_form->tabOrder(c.name);
        if (!c.inForm || order <= 0) continue;
        if (!first || order < best) {
            first = &c;
            best = order;
        }
    }
    if (first) m_form->setColumn(first->name);
}

// Each record starts from the form's own design: colours, Tag, tab orders
// and drop-down settings that a previous record's rules changed go back.
void RecordWindow::resetFormProperties()
{
    m_form->clearPendingText();
    m_form->resetProperties();
}

void RecordWindow::takeBaseline()
{
    m_baseline.clear();
    const int row = formRow();
    if (row < 1) return;
    for (const ColumnDef& c : m_form->definition().columns) m_baseline << m_form->getItem(row, c.name);
}

bool RecordWindow::hasUnsavedEdits() const
{
    const int row = formRow();
    if (row < 1 || !isOpen()) return false;
    if (m_form->hasPendingText()) return true;
    const QList<ColumnDef>& columns = m_form->definition().columns;
    if (m_baseline.size() != columns.size()) return true;
    for (int i = 0; i < columns.size(); ++i)
        if (!sameValue(m_baseline[i], m_form->getItem(row, columns[i].name))) return true;
    return false;
}

// Before the record leaves the form: Yes saves with the checks, No lets the
// edits go, Cancel stays. False means "stay".
bool RecordWindow::confirmLeave()
{
    if (!isOpen()) return true;
    if (m_form->acceptText() != 1) return false;
    if (!hasUnsavedEdits()) return true;
    const int answer = ui().messageBox(kTitleInfo, QStringLiteral("数据已修改，是否保存？"),
                                       UiServices::Icon::Question, UiServices::Buttons::YesNoCancel, 1);
    if (answer == 1) return save();
    return answer == 2;
}

bool RecordWindow::closeQuery() { return confirmLeave(); }

// --- saving ---------------------------------------------------------------------------

bool RecordWindow::save() { return saveRecord(true); }
bool RecordWindow::tempSave() { return saveRecord(false); }

bool RecordWindow::failSave(const QString& text)
{
    m_saveError = text.isEmpty() ? sqlca().sqlErrText() : text;
    return false;
}

bool RecordWindow::checkRequiredFields(int row)
{
    QList<const ColumnDef*> fields;
    for (const ColumnDef& c : m_form->definition().columns)
        if (c.inForm) fields << &c;
    // In the order the user moves through the form; unreachable fields last.
    std::stable_sort(fields.begin(), fields.end(), [this](const ColumnDef* a, const ColumnDef* b) {
        const int ta = m_form->tabOrder(a->name), tb = m_form->tabOrder(b->name);
        if ((ta > 0) != (tb > 0)) return ta > 0;
        return ta < tb;
    });
    for (const ColumnDef* c : fields) {
        if (!m_form->describe(c->name + QStringLiteral(".Tag")).startsWith(QLatin1Char('1'))) continue;
        if (!isEmptyValue(m_form->getItem(row, c->name))) continue;
        ui().messageBox(kTitleInfo, QStringLiteral("“%1”不能为空，请输入！").arg(fieldLabel(*c)));
        m_form->setRow(row);
        m_form->setColumn(c->name);
        m_form->setFocus();
        return false;
    }
    return true;
}

// A record that belongs to a master is never stored without it, whichever
// save the clerk chose: it would show in no master's list again.
bool RecordWindow::checkMaster(int row)
{
    if (m_masterRule == MasterRule::None || m_masterColumn.isEmpty()) return true;
    if (!m_form->definition().column(m_masterColumn)) {
        reportFault(QStringLiteral("%1: the master column %2 is not in %3").arg(name(), m_masterColumn, m_formView));
        return true;
    }
    if (!isEmptyValue(m_form->getItem(row, m_masterColumn))) return true;
    if (m_masterRule == MasterRule::ChosenInForm) {
        const ColumnDef* c = m_form->definition().column(m_masterColumn);
        ui().messageBox(kTitleInfo, QStringLiteral("“%1”不能为空，请选择！").arg(fieldLabel(*c)));
        m_form->setColumn(m_masterColumn);
        m_form->setFocus();
    } else {
        ui().messageBox(kTitleInfo, QStringLiteral("没有所属的%1，不能保存。\r\n请在%1列表中选中一个%1，再在它下面的列表中新增。")
                                        .arg(m_masterName.isEmpty() ? QStringLiteral("上级记录") : m_masterName));
    }
    return false;
}

bool RecordWindow::saveRecord(bool validated)
{
    if (!isOpen()) return false;
    DataView& dw = *m_form;
    if (dw.acceptText() != 1) return false;
    const int row = formRow();
    if (row < 1) return false;
    if (validated) {
        if (!checkMaster(row) || !checkRequiredFields(row) || !textsFit(dw, ui(), row)) return false;
        if (wf_dw_verify() != 0) return false;
    } else if (!checkMaster(row) || !textsFit(dw, ui(), row)) {
        return false;
    }

    // What a failed write has to put back: the key (a key the database
    // assigned to a rolled-back insert must not stay) and issave.
    const QString issave = QStringLiteral("issave");
    const bool hasKey = !m_keyColumn.isEmpty() && dw.definition().column(m_keyColumn);
    const bool hasIssave = dw.definition().column(issave) != nullptr;
    const RowStatus rowStatus = dw.getItemStatus(row, QString());
    QVariant keyBefore, issaveBefore;
    RowStatus keyStatus = RowStatus::NotModified, issaveStatus = RowStatus::NotModified;
    if (hasKey) {
        keyBefore = dw.getItem(row, m_keyColumn);
        keyStatus = dw.getItemStatus(row, m_keyColumn);
    }
    if (hasIssave) {
        issaveBefore = dw.getItem(row, issave);
        issaveStatus = dw.getItemStatus(row, issave);
        dw.setItem(row, issave, validated ? codes::issave::validated : codes::issave::temporary);
    }

    m_saveError.clear();
    QString error;
    bool ok = dw.update(false) == 1;
    if (!ok) error = dw.lastError().isEmpty() ? sqlca().sqlErrText() : dw.lastError();
    if (ok && !wf_update_after()) {
        ok = false;
        error = m_saveError.isEmpty() ? sqlca().sqlErrText() : m_saveError;
    }
    if (ok && !sqlca().commit()) {
        ok = false;
        error = sqlca().sqlErrText();
    }
    if (!ok) {
        // A refusal of the database reads in the clerk's words; its own text
        // goes to the details (taken before the rollback clears it).
        const DbError dbError = sqlca().sqlCode() == Sqlca::Failure && error == sqlca().sqlErrText()
                                    ? sqlca().sqlError()
                                    : DbError();
        sqlca().rollback();
        if (hasKey) {
            dw.setItem(row, m_keyColumn, keyBefore);
            dw.setItemStatus(row, m_keyColumn, Buffer::Primary, keyStatus);
        }
        if (hasIssave) {
            dw.setItem(row, issave, issaveBefore);
            dw.setItemStatus(row, issave, Buffer::Primary, issaveStatus);
        }
        dw.setItemStatus(row, QString(), Buffer::Primary, rowStatus);
        if (error.trimmed().isEmpty()) error = QStringLiteral("数据库未给出原因");
        if (dbError.failed())
            ui().errorBox(kTitleError, QStringLiteral("保存失败：") + dbError.message, dbError.detail);
        else // a record someone else changed meanwhile: that message says it all
            ui().messageBox(kTitleError,
                            error == DataView::staleRowMessage() ? error : QStringLiteral("保存失败：") + error,
                            UiServices::Icon::Error);
        setStatus(QStringLiteral("保存失败"));
        return false;
    }

    dw.resetUpdate();
    if (hasKey) m_loadedKey = dw.getItem(row, m_keyColumn);
    setMode(codes::mode::modify);
    takeBaseline();
    retrieveDetailLists();
    setStatus(validated ? QStringLiteral("保存成功") : QStringLiteral("临时保存成功"));
    emit recordSaved();
    return true;
}

// --- restore, help -------------------------------------------------------------------

void RecordWindow::restore()
{
    if (!isOpen()) return;
    if (!adding() && m_loadedKey.isValid() && !m_loadedKey.isNull())
        loadRecord(RecordMode::Modify, m_loadedKey);
    else
        loadRecord(RecordMode::Add, QVariant());
    setStatus(QStringLiteral("数据已还原"));
}

void RecordWindow::help() { ui().showHelp(helpTopic()); }

// --- navigation ------------------------------------------------------------------------

void RecordWindow::first()
{
    if (!replaced(Hook::First)) navigate(1);
    cb_first_clicked();
}

void RecordWindow::prior()
{
    if (!replaced(Hook::Prior)) navigate(il_row - 1);
    cb_prior_clicked();
}

void RecordWindow::next()
{
    if (!replaced(Hook::Next)) navigate(il_row + 1);
    cb_next_clicked();
}

void RecordWindow::last()
{
    if (!replaced(Hook::Last)) navigate(guo_tabpg_now() ? guo_tabpg_now()->rowCount() : 0);
    cb_last_clicked();
}

void RecordWindow::navigate(long target)
{
    ListPage* list = guo_tabpg_now();
    if (!list || !isOpen()) return;
    const long rows = list->rowCount();
    if (rows < 1) return;
    if (target < 1) {
        setStatus(QStringLiteral("已经是第一条记录"));
        return;
    }
    if (target > rows) {
        setStatus(QStringLiteral("已经是最后一条记录"));
        return;
    }
    if (target == m_loadedRow && !adding()) return;   // already there
    il_row = target;
    wf_scroll();
    wf_getdata();
}

void RecordWindow::wf_scroll()
{
    ListPage* list = guo_tabpg_now();
    if (!list) return;
    const long rows = list->rowCount();
    if (rows < 1) {
        il_row = 0;
        return;
    }
    // A window that hands over a row beyond the list (its own navigation
    // buttons) stays within it, and the clerk is told why nothing moved on.
    if (il_row < 1) setStatus(QStringLiteral("已经是第一条记录"));
    else if (il_row > rows) setStatus(QStringLiteral("已经是最后一条记录"));
    il_row = std::clamp(il_row, 1L, rows);
    list->selectRow(static_cast<int>(il_row));
}

bool RecordWindow::wf_getdata()
{
    ListPage* list = guo_tabpg_now();
    if (!list || !isOpen() || il_row < 1 || il_row > list->rowCount()) return false;
    if (!confirmLeave()) {
        // The user stays on the record: the list goes back to it too.
        il_row = m_loadedRow;
        if (m_loadedRow >= 1 && m_loadedRow <= list->rowCount()) list->selectRow(static_cast<int>(m_loadedRow));
        return false;
    }
    const QVariant key = list->keyAt(static_cast<int>(il_row));
    if (!loadRecord(RecordMode::Modify, key)) return false;
    m_loadedRow = il_row;
    return true;
}

void RecordWindow::wf_refresh_list()
{
    ListPage* list = guo_tabpg_now();
    if (formRow() < 1 || !list) return;
    list->refreshKeepingRow();
}

// --- events and dialogs ------------------------------------------------------------------

int RecordWindow::dispatchItemChanged(int row, const QString& column, const QString& data)
{
    // Text longer than its column is refused as typed, before the window sees
    // it, even by a window that replaces the frame's handler: the column's
    // length is no window's choice. Everything else the window decides.
    const ColumnDef* c = m_form->definition().column(column);
    if (c && !c->dbName.isEmpty() && !fitsColumn(*c, data)) {
        ui().messageBox(kTitleInfo, tooLongMessage(fieldLabel(*c), c->maxLength, textLength(data)));
        return 1;
    }
    if (!replaced(Hook::ItemChanged)) { /* nothing else of the frame's own */ }
    return dw_1_itemchanged(row, column, data);
}

// Typed text the field cannot hold: the clerk is told which field and why,
// and the cursor stays there. (A date field has been emptied already.)
void RecordWindow::valueRefused(int row, const QString& column, const QString& text)
{
    const ColumnDef* c = m_form->definition().column(column);
    if (!c) return;
    const QString label = fieldLabel(*c);
    ui().messageBox(kTitleInfo,
                    c->kind == ColumnKind::Date ? typedDateRefusal(label, text)
                                                : QStringLiteral("“%1”的值不正确，请重新输入！").arg(label),
                    UiServices::Icon::Warning);
    m_form->setRow(row);
    m_form->setColumn(column);
}

int RecordWindow::openSelectPerson(const QString& typedText, const QStringList& columns)
{
    PersonSelection selection(sqlca(), ui(), message(), &catalog());
    return selection.open({typedText, columns, QString()}, *m_form);
}

int RecordWindow::openSelectPersonCondition(const QString& typedText, const QStringList& columns,
                                            const QString& condition)
{
    PersonSelection selection(sqlca(), ui(), message(), &catalog());
    return selection.open({typedText, columns, condition}, *m_form);
}

bool RecordWindow::deleteRecord()
{
    const DataViewDef* form = catalog().find(m_formView);
    const int row = formRow();
    if (adding() || !form || row < 1) return false;
    DeletionSubject subject{.seen = m_form, .row = row, .form = *form, .keyColumn = m_keyColumn, .what = m_what,
                            .name = recordName(*m_form, row, m_nameColumns)};
    if (!RecordDeletion(sqlca(), ui(), catalog().references()).run(subject)) return false;
    // The record is gone: the window shows the one that took its place in
    // the list, or a new record when none did.
    ListPage* list = guo_tabpg_now();
    if (list) list->showRowAfterDeletion(static_cast<int>(il_row));
    if (list && list->currentRow() >= 1) {
        il_row = list->currentRow();
        m_loadedRow = il_row;
        loadRecord(RecordMode::Modify, list->currentKey());
    } else {
        loadRecord(RecordMode::Add, QVariant());
    }
    setStatus(QStringLiteral("已删除。"));
    return true;
}

} // namespace cr
