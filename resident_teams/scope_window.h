#pragma once

#include "frame/str_multiselect.h"
#include "frame/ui_services.h"
#include "frame/window.h"
#include "resident_teams/scope_tree.h"

namespace cr {
struct WindowInfo;
}

namespace cr::resident_teams {

// w_inhabitantteam_scope ("居民小组所辖范围定义"): the modal dialog in which a
// resident team's scope is ticked in the tree of buildings, doors, houses and
// households. It takes a StrMultiselect from the message object when it
// opens (s_filter: "RegionalNo=<n>" or "", s_title: the team's name, s_str:
// the current scope code) and, when it closes, leaves one there: s_str the
// new code and s_dw its readable names on confirmation, s_str "$$" when
// cancelled (or closed any other way). It reads the database, never writes.
//
// The tree itself is a ScopeTree; the shell shows it through a model and
// reads expandAll() for the "展开全部" box.
class ScopeWindow : public Window {
    Q_OBJECT
public:
    ScopeWindow(const WindowContext& context, const WindowInfo& info);

    static QString windowName() { return QStringLiteral("w_inhabitantteam_scope"); }
    static QString windowTitle() { return QStringLiteral("居民小组所辖范围定义"); }

    ScopeTree& tree() { return m_tree; }
    const ScopeTree& tree() const { return m_tree; }
    const StrMultiselect& selection() const { return istr_select; }
    bool answered() const { return m_answered; }
    // cbx_1 ticked: every building open with all below it; otherwise each
    // building open one level.
    bool expandAll() const { return m_expandAll; }

    // Builds the tree from the retrieved rows; 0 when done, 1 when it
    // stopped at a building without a number (the part built so far stays).
    int wf_create_tree();

    void cb_ok_clicked();
    void p_cancel_clicked();
    void cbx_1_clicked();

signals:
    void expandAllChanged(bool expandAll);

protected:
    void onOpen() override;
    bool closeQuery() override;

private:
    bool readRows();
    void handBack();

    DataView* m_buildings = nullptr;
    std::unique_ptr<Progress> m_progress;   // open while the tree is read and built
    ScopeTree m_tree;
    ScopeSource m_rows;
    StrMultiselect istr_select;
    bool m_answered = false;
    bool m_expandAll = false;
};

} // namespace cr::resident_teams
