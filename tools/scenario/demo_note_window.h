#pragma once

#include "frame/record_window.h"

namespace cr::scenario::demo {

// w_m_demo_note: a note with a required title; an important note (kind "2")
// needs a body too. At most 999 pages; titles are unique. Each save logs the
// note in demo_notelog and refreshes the list. A note opened from a folder's
// detail list cannot change its folder.
class DemoNoteWindow : public RecordWindow {
    Q_OBJECT
public:
    DemoNoteWindow(const WindowContext& context, const WindowInfo& info);

protected:
    void onOpen() override;
    void ue_loadphoto() override;
    int dw_1_itemchanged(int row, const QString& column, const QString& data) override;
    void dw_1_buttonclicked(int row, const QString& button) override;
    int wf_dw_verify() override;
    bool wf_update_after() override;

private:
    void setBodyRequired(bool required);
    bool openedFromFolderDetail() const;

    QString m_requiredColour;
    QString m_optionalColour;
};

} // namespace cr::scenario::demo
