#pragma once
// CItemValueTabDlg, the base of the status dialogs that show what an NE reports of its trunk ports on read-only item
// and value pages (item_value_page.h), one page per trunk port, titled after the port. Refresh, from its button or
// the pages' popup, reads the values anew where the dialog offers it; Export writes the current page; the popup's
// Close ends the dialog.
//
//     class CSfpInfoDlg : public CItemValueTabDlg {
//         CSfpInfoPage& PortPage(int port) override { return port == 1 ? port1Page_ : port2Page_; }
//         void InitData() override
//         {
//             ... the right and the NE checked, the caption ...
//             AddTrunkPortPages(CSfpInfoPage::kTemplateId, kStrColumnsSfp, kStrSfpItems);
//             ReadTransceivers();
//         }
//     };

#include "features/provisioning/common/item_value_page.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <cstdint>

class CItemValueTabDlg : public CATabDialog {
    Q_OBJECT
public:
    using CATabDialog::CATabDialog;

    // The page of trunk port 1 or 2.
    virtual CItemValuePage& PortPage(int port) = 0;

    int OnCommandHook(int id, int code) override;

protected:
    // Refresh: nothing, unless the dialog reads its values anew.
    virtual void OnRefresh() {}

    // A page of the template for each trunk port of the NE, listing the items with their values empty.
    void AddTrunkPortPages(uint32_t pageTemplateId, uint32_t columnsStringId, uint32_t itemsStringId);
    // Every trunk port's page shows its items without values.
    void ClearPortPages();
};
