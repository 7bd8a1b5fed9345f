#include "features/performance/status_lists/xdsl_status_list_dlg.h"

CXdslStatusListDlg::CXdslStatusListDlg(int templateId, Setup setup, ColumnNames columns, QWidget* parent)
    : CRecordListDlg(templateId, setup, parent), right_(setup.right), columns_(columns),
      scope_(*this, CXdslStatusScope::kXdslLinePorts, columns.combos)
{
}

void CXdslStatusListDlg::InitData()
{
    if (CheckAccessRightOrClose(right_) != 0 || CheckTargetNeOrClose() != 0)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    scope_.Fill(ne, GetTargetEntity().index);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(columns_.namesId);
    if (CXdslStatusScope::VlanColumnHidden(ne))
        SetColumnHidden(columns_.vlanColumn, true);
    FillList();
}

int CXdslStatusListDlg::OnCommandHook(int id, int code)
{
    if (scope_.OnComboChange(id, code))
        return 1;
    return CRecordListDlg::OnCommandHook(id, code);
}
