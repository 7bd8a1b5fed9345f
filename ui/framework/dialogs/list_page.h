#pragma once
// CAListPage, a list-only page of a tabbed dialog. It keeps its template id and the marker 0x8945FEDA by which the
// profile list container recognises its pages, and a context pointer the container may store on it.

#include "ui/framework/dialogs/ca_dialog.h"

class CAListPage : public CADialog {
    Q_OBJECT
public:
    explicit CAListPage(int templateId, QWidget* parent = nullptr);
    ~CAListPage() override;

    uint32_t GetPageTemplateId() const { return templateId_; }
    uint32_t GetPageKindMarker() const { return kindMarker_; }
    void* GetOwnerContext() const { return ownerContext_; }
    void SetOwnerContext(void* context) { ownerContext_ = context; }

    // The page reloads its list; the container calls it on every page.
    virtual void RefreshList() = 0;
    // The selected row of the page's list, -1 when none.
    virtual int GetSelectedRow() const = 0;

private:
    uint32_t templateId_;
    uint32_t kindMarker_ = kListPageKindMarker;
    void* ownerContext_ = nullptr;
};
