#include "features/provisioning/common/item_value_tab_dlg.h"

#include "core/tables/ne_table.h"
#include "features/provisioning/trunk/trunk_ports.h"

#include <vector>

void CItemValueTabDlg::AddTrunkPortPages(uint32_t pageTemplateId, uint32_t columnsStringId, uint32_t itemsStringId)
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const std::vector<CEntityIndex> trunks = TrunkPortIndexes(ne);
    for (size_t i = 0; i < trunks.size(); ++i) {
        CItemValuePage& page = PortPage(static_cast<int>(i + 1));
        AddPage(pageTemplateId, &page, TrunkPortPageTitle(ne, trunks[i]).c_str());
        page.SetItems(columnsStringId, itemsStringId);
    }
}

void CItemValueTabDlg::ClearPortPages()
{
    PortPage(1).ClearValues();
    PortPage(2).ClearValues();
}

int CItemValueTabDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CATabDialog::OnCommandHook(id, code);
    switch (id) {
    case kRefreshButtonId:
    case kPopupRefresh:
        OnRefresh();
        return 1;
    case kExportButtonId:
    case kPopupExport:
        if (auto* page = dynamic_cast<CItemValuePage*>(GetCurrentPage()))
            page->OnExport();
        return 1;
    case kPopupClose:
        EndDialog(IDCANCEL);
        return 1;
    default:
        return CATabDialog::OnCommandHook(id, code);
    }
}
