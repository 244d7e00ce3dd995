#pragma once

#include "app/app_context.h"
#include "frame/message_object.h"
#include "frame/str_multiselect.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QLabel;
class QTreeView;

namespace cr::resident_teams {
class ScopeTreeModel;
class ScopeWindow;
}

namespace cr::app {

class DesktopUi;

// w_inhabitantteam_scope on screen: the scope window's tree shown through
// its item model in a tree view with check boxes (items are made only as
// the view asks for them, so a street of a quarter of a million items opens
// at once), the heading, "展开全部", the count line, OK and cancel. Space
// ticks the current item, Enter opens or closes it, Ctrl+Enter confirms, Esc
// cancels; closing the dialog any other way cancels too.
class ScopeDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the scope window with the parameter (reading the rows and
    // building the tree behind a progress window).
    ScopeDialog(QWidget* parent, const AppContext& context, const StrMultiselect& parameter);
    ~ScopeDialog() override;

    // What the dialog hands back: the scope and its names, or "$$" in s_str.
    StrMultiselect answer() const;

    // The modal dialog as the team register opens it.
    static StrMultiselect choose(QWidget* parent, const AppContext& context, const StrMultiselect& parameter);
    // Makes openSelection("w_inhabitantteam_scope", ...) open this dialog.
    static void registerWith(DesktopUi& ui, const AppContext& context);
    // What the team register sends the dialog for the stored team `team`
    // (every building and no scope when there is no such team).
    static StrMultiselect requestForTeam(const AppContext& context, const QVariant& team);

    resident_teams::ScopeWindow* window() const;
    QTreeView* treeView() const { return m_view; }

protected:
    void reject() override;

private:
    void buildView();
    void showExpandAll(bool all);

    MessageObject m_message;   // the window's own: it hands its answer back here
    StrMultiselect m_parameter;
    std::unique_ptr<Window> m_window;
    resident_teams::ScopeTreeModel* m_model = nullptr;
    QTreeView* m_view = nullptr;
    QCheckBox* m_expandAll = nullptr;
    QLabel* m_count = nullptr;
};

} // namespace cr::app
