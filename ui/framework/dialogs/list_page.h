#pragma once
// CAListPage, a list-only page of a tabbed dialog: a record list (CRecordListDlg) whose commands come from the
// buttons of the container it sits in. It keeps its template id and the marker 0x8945FEDA by which the profile list
// container recognises its pages, and a context pointer the container may store on it. The container runs the common
// list commands on the page of its current tab as the page's own (OnCommand with the button's id); the page tells the
// container when its list's selection changes (CATabDialog::OnPageListSelChanged), and the context menu's Close ends
// the container.

#include "ui/framework/dialogs/record_list_dlg.h"

class CAListPage : public CRecordListDlg {
    Q_OBJECT
public:
    CAListPage(int templateId, Setup setup, QWidget* parent = nullptr);
    ~CAListPage() override;

    uint32_t GetPageTemplateId() const { return templateId_; }
    uint32_t GetPageKindMarker() const { return kindMarker_; }
    void* GetOwnerContext() const { return ownerContext_; }
    void SetOwnerContext(void* context) { ownerContext_ = context; }

    // The page reloads its list; the container calls it on every page.
    virtual void RefreshList() = 0;
    // The selected row of the page's list, -1 when none.
    int GetSelectedRow() const { return SelectedRow(); }

    void OnListSelChanged(int row, int listId) override;
    bool OnCommand(int id, int code) override;
    // Refresh reloads the page as the container does.
    void OnRefresh() override { RefreshList(); }

private:
    uint32_t templateId_;
    uint32_t kindMarker_ = kListPageKindMarker;
    void* ownerContext_ = nullptr;
};
