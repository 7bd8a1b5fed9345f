#include "features/management/ne_wide/packet_filter_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_packet_filter_dlg.h"

namespace {

constexpr int kForwardChoice = 0;
constexpr int kDropChoice = 1;
constexpr uint32_t kForward = 1;
constexpr uint32_t kDrop = 0;
constexpr int kConfirm = 0x134;

} // namespace

CPacketFilterDlg::CPacketFilterDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CPacketFilterDlg>())
{
    ui_->setupUi(this);
}

CPacketFilterDlg::~CPacketFilterDlg() = default;

void CPacketFilterDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kForwardId, kDropId}, choice_);
}

void CPacketFilterDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightPacketFilters) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    const RecordReply<WordRecord> reply = CRecordRequests().Query<WordRecord>(
        kReqNetBiosFilter, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty())
        choice_ = reply.records.front().value == kForward ? kForwardChoice : kDropChoice;
    UpdateData(false);
}

void CPacketFilterDlg::OnOK()
{
    if (CheckTargetNe() != 0 || CheckRight(kRightPacketFilters, 'm') != 0)
        return;
    if (ShowMessageById(kStrSureToModifyData, kConfirm) != IDYES || !UpdateDialogData())
        return;
    const WordRecord rec{choice_ == kForwardChoice ? kForward : kDrop};
    if (!CRecordRequests()
             .Modify(kReqNetBiosFilter, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
