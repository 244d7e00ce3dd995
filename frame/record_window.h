#pragma once

#include "frame/dataview.h"
#include "frame/record_codes.h"
#include "frame/window.h"
#include "frame/window_registry.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

namespace cr {

// The ancestor of every register window (the host's w_modify): one record of
// one table in the form data view dw_1, the inherited buttons (save,
// temporary save, restore, close, help, navigation) and the hooks a register
// window overrides.
//
// Event hooks run after the frame's own handler of the same event; a window
// whose handler replaces the frame's calls replaceFrameHandler() in its
// constructor. Function hooks (wf_dw_verify, wf_update_after) replace the
// frame's empty ones.
//
// A record that belongs to a master (WindowInfo::masterRule) is never saved
// without it: both saves refuse a record whose master column is empty.
//
// How to write one: docs/architecture.md, "How to add a register window".
class RecordWindow : public Window {
    Q_OBJECT
public:
    RecordWindow(const WindowContext& context, const WindowInfo& info);
    ~RecordWindow() override;

    // --- how the host opens the window ----------------------------------------
    bool openAdd();                          // a new record
    bool openModify(const QVariant& key);    // the stored record with this key
    bool open() override;                    // add mode unless openModify() was asked
    bool openRecord(RecordMode mode, const QVariant& key) override;

    DataView& dw_1() { return *m_form; }
    const DataView& dw_1() const { return *m_form; }
    QString mode() const { return is_stringparm; }
    bool adding() const { return is_stringparm == codes::mode::add; }   // the one way to ask the mode
    long row() const { return il_row; }
    QString keyColumn() const { return m_keyColumn; }
    QVariant currentKey() const;             // key of the record in dw_1 (null while new)

    // True when the window was opened from a detail list with a current
    // master record: a new record then belongs to that master (the frame has
    // put its key into the link column), and the window keeps it there.
    bool openedUnderMaster() const;

    // True when the record differs from what was loaded or last saved, or
    // text is still being typed into a field. Runs no event.
    bool hasUnsavedEdits() const;

    // --- the inherited buttons (what click() runs) -------------------------------
    bool save();              // cb_save: checks, then stores with issave "1"
    bool tempSave();          // cb_tempsave: no checks, issave "0"
    bool deleteRecord();      // cb_delete: deletes the stored record after asking (RecordDeletion)
    void restore();           // cb_roll: the stored record again, or a fresh new one
    void help();              // cb_help
    void first();             // cb_first ... cb_last
    void prior();
    void next();
    void last();

    // --- frame functions the windows call ------------------------------------------
    // Moves the list page to record il_row (kept within 1..rowcount).
    void wf_scroll();
    // Loads the list's record il_row into dw_1 (asking first about unsaved
    // edits); false when nothing was loaded.
    bool wf_getdata();
    // The list refresh after a save: re-run the list query and keep its row.
    void wf_refresh_list();
    // uo_button's uf_setenabled for the inherited picture buttons.
    void uf_setenabled(const QString& button, bool enabled) { setControlEnabled(button, enabled); }

    // The lists shown with the form (addDetailList), by data view name.
    QStringList detailLists() const;

    // Person selection for the current row of dw_1 (w_selectperson and
    // w_selectpersoncondition): the dialog searches for `typedText` and fills
    // `columns` of the row from the chosen person; `condition` (written by
    // the window, never typed) narrows whom it offers. What the user typed
    // is only ever searched for: it can become neither a column nor a
    // condition. 1 chosen, 0 cancelled; also in message.doubleParm.
    int openSelectPerson(const QString& typedText, const QStringList& columns);
    int openSelectPersonCondition(const QString& typedText, const QStringList& columns, const QString& condition);

signals:
    void modeChanged(const QString& mode);
    void recordLoaded();
    void recordSaved();

protected:
    // Events whose frame handler a window may replace.
    enum class Hook { LoadPhoto, ItemChanged, ButtonClicked, DoubleClicked, GetFocus, First, Prior, Next, Last };
    void replaceFrameHandler(Hook hook);

    // Inherited instance variables, as the windows read and write them.
    QString is_stringparm;    // "添加" / "修改"
    long il_row = 0;          // the list record navigation goes to

    // --- hooks -----------------------------------------------------------------------
    // open (Window::onOpen) runs once, after the first record is in dw_1 and
    // before its ue_loadphoto.
    virtual void ue_loadphoto() {}
    virtual int wf_dw_verify() { return 0; }            // 0 save, 1 refuse (message shown)
    // After dw_1 was written, inside the same unit of work. Return false when
    // a statement failed (or use failSave()): the frame then rolls the whole
    // save back and reports it.
    virtual bool wf_update_after() { return true; }
    virtual int dw_1_itemchanged(int /*row*/, const QString& /*column*/, const QString& /*data*/) { return 0; }
    virtual void dw_1_buttonclicked(int /*row*/, const QString& /*button*/) {}
    virtual void dw_1_doubleclicked(int /*row*/, const QString& /*column*/) {}
    virtual void dw_1_getfocus() {}
    virtual void cb_first_clicked() {}
    virtual void cb_prior_clicked() {}
    virtual void cb_next_clicked() {}
    virtual void cb_last_clicked() {}

    // From wf_update_after: `return failSave(text);` reports `text` (default:
    // the connection's error) as the reason the save failed.
    bool failSave(const QString& text = QString());

    // A button inside the form, beside `column`, with an optional picture
    // ("bmp/...") before its text; clicking it raises dw_1 buttonclicked.
    void addFormButton(const QString& name, const QString& text, const QString& column,
                       const QString& picture = QString());

    // A read-only list shown with the form: the rows of the list view
    // `viewName` whose `column` holds the form record's value of the same
    // column (the tenants of a rented house beside its registration). It is
    // read again whenever a record is put into the form and after each
    // save; empty while the record has no such value. nullptr when the
    // catalog lacks the view or the column (a fault).
    DataView* addDetailList(const QString& name, const QString& viewName, const QString& column);

    bool closeQuery() override;

private:
    bool saveRecord(bool validated);
    bool checkRequiredFields(int row);
    bool checkMaster(int row);
    bool putRecord(RecordMode mode, const QVariant& key);
    void afterRecordPut();
    void retrieveDetailLists();
    bool loadRecord(RecordMode mode, const QVariant& key);
    void resetFormProperties();
    void takeBaseline();
    bool confirmLeave();
    void navigate(long target);
    void setMode(const QString& mode);
    bool replaced(Hook hook) const { return m_replaced.contains(static_cast<int>(hook)); }
    int formRow() const;

    int dispatchItemChanged(int row, const QString& column, const QString& data);
    void valueRefused(int row, const QString& column, const QString& text);
    void frameLoadPhoto();
    void frameGetFocus();

    QString m_what;               // how messages call a record: the window's title
    QStringList m_nameColumns;
    DataView* m_form = nullptr;   // dw_1, owned by the window's data views
    bool m_formKnown = false;
    QString m_formView;
    QString m_keyColumn;
    MasterRule m_masterRule = MasterRule::None;
    QString m_masterColumn;
    QString m_masterName;
    RecordMode m_openMode = RecordMode::Add;
    QVariant m_openKey;
    QVariant m_loadedKey;
    long m_loadedRow = 0;
    QVector<QVariant> m_baseline;
    QHash<int, bool> m_replaced;
    QList<std::pair<QString, QString>> m_detailLists;   // data view name, column
    QString m_saveError;
};

} // namespace cr
