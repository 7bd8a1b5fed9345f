#pragma once
// CSecuredHostListDlg (431, "NE Secured Host List"): whether the target NE lets only its secured hosts manage it, and
// the NE's numbered address sections with the services each allows. "Change State" switches the restriction on or
// off (CSecuredHostStateDlg); Modify changes one section (CSecuredHostDlg). Sections are never added or deleted. A
// section whose first address lies above its last shows the disabled image.

#include "link/records/secured_host_record.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Ui {
class CSecuredHostListDlg;
}

class CSecuredHostListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 431;
    static constexpr int kStateTextId = 1278;
    static constexpr int kChangeStateButtonId = 1152;
    static constexpr int kEnabledLegendId = 1153;
    static constexpr int kDisabledLegendId = 1134;
    // Columns of the list.
    static constexpr int kIndexColumn = 0;
    static constexpr int kFirstColumn = 1;
    static constexpr int kLastColumn = 2;
    static constexpr int kServicesColumn = 3;

    explicit CSecuredHostListDlg(QWidget* parent = nullptr);
    ~CSecuredHostListDlg() override;

    void InitData() override;
    void DrawExtras(Dc& dc) override;
    int OnCommandHook(int id, int code) override;
    void OnModifyRecord(uint32_t key) override;

private:
    void ShowState(bool enabled);
    void ChangeState();

    std::unique_ptr<Ui::CSecuredHostListDlg> ui_;
    CRecordList<SecuredHostRecord> rows_;
    bool enabled_ = false;
};
