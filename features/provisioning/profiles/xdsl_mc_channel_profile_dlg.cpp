#include "features/provisioning/profiles/xdsl_mc_channel_profile_dlg.h"

#include "core/config/app_settings.h"
#include "features/provisioning/profiles/mc_address_ranges.h"
#include "features/provisioning/profiles/profile_choices.h"
#include "features/provisioning/profiles/profile_field_texts.h"
#include "features/provisioning/profiles/profile_rates.h"
#include "link/records/record_bytes.h"
#include "link/records/request_codes.h"
#include "platform/ip_address_edit.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_mc_channel_profile_dlg.h"

#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default
// The status word of a refused write: the profile's id is taken.
constexpr uint32_t kProfileExists = 3;
constexpr size_t kStatusWordOffset = 4;

// The query's key: the profile's id, nothing else.
McChannelProfileRec KeyOf(const McChannelProfileRec& rec)
{
    McChannelProfileRec key;
    key.profileId = rec.profileId;
    return key;
}

} // namespace

CXdslMcChannelProfileDlg::CXdslMcChannelProfileDlg(QWidget* parent)
    : CProfileEditor(ProfileKindId::kMcChannel, kTemplateId, parent),
      ui_(std::make_unique<Ui::CXdslMcChannelProfileDlg>())
{
    ui_->setupUi(this);
}

CXdslMcChannelProfileDlg::~CXdslMcChannelProfileDlg() = default;

void CXdslMcChannelProfileDlg::DoDataExchange(CDataExchange& dx)
{
    if (GetAccessMode() != kAccessQuery) {
        DDX_TextInRange(dx, *this, kIdId, id_, 1, kIdMax);
    } else if (!dx.IsSaving()) {
        QString text = QString::number(id_);
        DDX_Text(dx, kIdId, text);
    }
    DDX_Text(dx, kNameId, name_);
    DDX_TextInRange(dx, *this, kRateId, rate_, 0, UINT32_MAX);
    DDX_CBIndex(dx, kQueueId, queue_);
}

void CXdslMcChannelProfileDlg::InitData()
{
    if (!OpenEditor())
        return;
    ranges_ = ReadMcAddressRanges(ConfigFilePath());
    FillChoices(*this, kQueueId, QueueChoices());
    SetUpNameAndOk(kNameId, kNameMax);
    EnableControl(kIdSpinId, IsAdding());
    SetControlReadOnly(kIdId, !IsAdding());
    if (auto* address = GetDlgItemAs<IpAddressEdit>(kAddressId))
        address->SetAddress(ranges_.front().first);
    id_ = IsAdding() ? 1 : record_.profileId;
    SetEditorCaption(std::to_string(record_.profileId));
    UpdateData(false);
    if (IsAdding())
        return;
    if (!recordGiven_ && !ReadProfile())
        return;
    ShowRecord(record_);
}

bool CXdslMcChannelProfileDlg::ReadProfile()
{
    const RecordReply<McChannelProfileRec> reply =
        CRecordRequests().Query(KindCode(), RequestNeId(), KeyOf(record_), {.failureTextId = kStrFailToQuery});
    if (!reply.Ok()) {
        EnableControl(IDOK, false);
        return false;
    }
    for (const McChannelProfileRec& rec : reply.records) {
        if (rec.profileId == record_.profileId) {
            record_ = rec;
            return true;
        }
    }
    ShowAlertTextById(kStrNoData);
    EndDialog(IDCANCEL);
    return false;
}

void CXdslMcChannelProfileDlg::ShowRecord(const McChannelProfileRec& rec)
{
    id_ = rec.profileId;
    name_ = QString::fromStdString(rec.name);
    queue_ = std::min<int>(rec.queue, kQueueChoices - 1);
    rate_ = RateAsLoaded(rec.downstreamRate);
    if (auto* address = GetDlgItemAs<IpAddressEdit>(kAddressId))
        address->SetAddress(rec.groupAddress);
    UpdateData(false);
}

bool CXdslMcChannelProfileDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS && header.idFrom == kIdSpinId) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kIdId), header.delta, 1, kIdMax);
        return true;
    }
    if (header.code == UDN_DELTAPOS && header.idFrom == kRateSpinId) {
        if (auto* edit = GetDlgItemAs<QLineEdit>(kRateId)) {
            bool number = false;
            const uint32_t shown = edit->text().trimmed().toUInt(&number);
            edit->setText(QString::number(RateAfterSpin(number ? shown : kProfileRateMin, header.delta)));
        }
        return true;
    }
    return CADialog::OnNotify(header, result);
}

bool CXdslMcChannelProfileDlg::TakeAddress(IniIpv4Address& address)
{
    const auto* edit = GetDlgItemAs<IpAddressEdit>(kAddressId);
    if (edit == nullptr || edit->IsBlank()) {
        ShowAlertTextById(kStrIncorrectIpAddress, kAddressId);
        return false;
    }
    edit->GetAddress(address);
    if (!InMcAddressRanges(ranges_, address)) {
        ShowAlertTextById(kStrInvalidAddress, kAddressId);
        return false;
    }
    return true;
}

void CXdslMcChannelProfileDlg::OnOK()
{
    if (!TargetStillThere() || !UpdateDialogData() || !CheckRoomAndName(name_, kNameId))
        return;
    IniIpv4Address address{};
    if (!TakeAddress(address))
        return;
    if (!IsAdding() && ShowMessageById(kStrSureToModifyData, kConfirmFlags) != IDYES)
        return;
    McChannelProfileRec rec;
    rec.profileId = static_cast<uint16_t>(id_);
    rec.name = name_.trimmed().toStdString();
    rec.groupAddress = address;
    rec.queue = static_cast<uint8_t>(std::clamp(queue_, 0, kQueueChoices - 1));
    rec.downstreamRate = rate_;
    rec.downstreamRateCopy = rec.downstreamRate;
    rec.status = 1;
    const CRecordRequests requests;
    const RecordReply<McChannelProfileRec> written =
        IsAdding() ? requests.Add(KindCode(), RequestNeId(), rec, {.failureTextId = 0})
                   : requests.Modify(KindCode(), RequestNeId(), rec, {.failureTextId = 0});
    if (!written.Ok()) {
        // Only a far end that answered has a status word to read.
        const std::vector<uint8_t>& first = written.firstRecordBytes;
        const bool exists = first.size() >= kStatusWordOffset + 4 &&
                            record_bytes::GetU32(first.data(), kStatusWordOffset) == kProfileExists;
        ShowAlertTextById(exists ? kStrMcChannelProfileExists
                                 : (IsAdding() ? kStrAddingNewDataFailed : kStrFailToUpdateData));
        return;
    }
    record_ = rec;
    EndDialog(IDOK);
}
