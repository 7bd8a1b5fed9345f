#include "features/provisioning/sfp/sfp_info_dlg.h"

#include "core/tables/access_rights.h"
#include "features/provisioning/sfp/sfp_decode.h"
#include "features/provisioning/trunk/trunk_ports.h"
#include "link/record_requests.h"
#include "link/records/sfp_info_rec.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_sfp_info_dlg.h"

CSfpInfoDlg::CSfpInfoDlg(QWidget* parent)
    : CItemValueTabDlg(kTemplateId, parent), ui_(std::make_unique<Ui::CSfpInfoDlg>())
{
    ui_->setupUi(this);
}

CSfpInfoDlg::~CSfpInfoDlg() = default;

void CSfpInfoDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightSfpInfo) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    AddTrunkPortPages(CSfpInfoPage::kTemplateId, kStrColumnsSfp, kStrSfpItems);
    ReadTransceivers();
}

void CSfpInfoDlg::ReadTransceivers()
{
    if (CheckTargetNe() != 0)
        return;
    ClearPortPages();
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
