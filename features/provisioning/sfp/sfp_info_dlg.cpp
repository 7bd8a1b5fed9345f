#include "features/provisioning/sfp/sfp_info_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/sfp/sfp_decode.h"
#include "features/provisioning/trunk/trunk_ports.h"
#include "link/record_requests.h"
#include "link/records/sfp_info_rec.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_sfp_info_dlg.h"

CSfpInfoDlg::CSfpInfoDlg(QWidget* parent) : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CSfpInfoDlg>())
{
    ui_->setupUi(this);
}

CSfpInfoDlg::~CSfpInfoDlg() = default;

void CSfpInfoDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightSfpInfo) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const std::vector<CEntityIndex> trunks = TrunkPortIndexes(ne);
    for (size_t i = 0; i < trunks.size(); ++i) {
        CSfpInfoPage& page = PortPage(static_cast<int>(i + 1));
        AddPage(CSfpInfoPage::kTemplateId, &page, TrunkPortPageTitle(ne, trunks[i]).c_str());
        page.SetItems(kStrColumnsSfp, kStrSfpItems);
    }
    ReadTransceivers();
}

void CSfpInfoDlg::ReadTransceivers()
{
    if (CheckTargetNe() != 0)
        return;
    port1Page_.ClearValues();
    port2Page_.ClearValues();
    const RecordReply<SfpInfoRec> reply = CRecordRequests().Query<SfpInfoRec>(kReqSfp, static_cast<uint32_t>(GetNeId()),
                                                                              {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return;
    for (SfpInfoRec rec : reply.records) {
        const int port = TrunkPortNumber(rec.entityId);
        if (port == 0)
            continue;
        // A record that is zero past its entity id: no transceiver, an empty page.
        rec.entityId = 0;
        if (rec == SfpInfoRec{})
            continue;
        const std::array<std::string, kSfpRowCount> rows = DecodeSfpInfo(rec);
        for (size_t row = 0; row < rows.size(); ++row)
            PortPage(port).SetValue(static_cast<uint32_t>(row), rows[row]);
    }
}

int CSfpInfoDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CATabDialog::OnCommandHook(id, code);
    switch (id) {
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
