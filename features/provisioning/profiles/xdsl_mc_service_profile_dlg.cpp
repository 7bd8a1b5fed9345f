#include "features/provisioning/profiles/xdsl_mc_service_profile_dlg.h"

#include "core/util/ip_address.h"
#include "features/provisioning/profiles/mc_channel_set.h"
#include "features/provisioning/profiles/xdsl_mc_channel_profile_dlg.h"
#include "link/pdu_log.h"
#include "link/records/request_codes.h"
#include "ui/framework/lists/record_table_model.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_mc_service_profile_dlg.h"

#include <QLineEdit>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default

std::vector<ListColumn<McChannelProfileRec>> ChannelColumns()
{
    using Rec = McChannelProfileRec;
    return {
        {.value = &Rec::profileId, .order = ListOrder::kUnsigned},
        {.value = &Rec::name, .order = ListOrder::kNoCase80},
        {.value = [](const Rec& rec) { return ListValue(FormatIpAddressPadded(rec.groupAddress.data())); },
         .order = ListOrder::kNoCase80},
    };
}

} // namespace

CXdslMcServiceProfileDlg::CXdslMcServiceProfileDlg(QWidget* parent)
    : CNamedProfileEditor(
          ProfileKindId::kMcService, kTemplateId,
          Setup{.rowCommands = {kRowShow}, .activateCommand = kShowButtonId, .exportStem = "xDslMcSvcProf"}, parent),
      ui_(std::make_unique<Ui::CXdslMcServiceProfileDlg>()),
      channels_(*this, ChannelColumns(), [](const McChannelProfileRec& rec) { return rec.profileId; })
{
    ui_->setupUi(this);
    channels_.QueryOnFill([this] {
        RecordReply<McChannelProfileRec> reply = CRecordRequests().Query<McChannelProfileRec>(
            templateMode_ ? kReqMcChannelProfileTemplate : kReqMcChannelProfile, RequestNeId(), McChannelProfileRec{},
            {.failureTextId = kStrFailToQuery});
        channelsRead_ = reply.Ok();
        return reply;
    });
    channels_.SetTies(ListTies::kKey);
    SetRecordList(channels_);
}

CXdslMcServiceProfileDlg::~CXdslMcServiceProfileDlg() = default;

void CXdslMcServiceProfileDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kNameId, name_);
}

void CXdslMcServiceProfileDlg::InitData()
{
    if (!OpenEditor())
        return;
    SetSmallImages();
    EnableCheckBoxes();
    InitListColumnsById(kStrColumnsMcServiceChannels);
    SetEditorCaption(record_.name);
    SetUpNameAndOk(kNameId, kNameMax);
    name_ = IsAdding() ? QString() : QString::fromStdString(record_.name);
    UpdateData(false);
    {
        // The PDU log window holds its display over the channels and the profile read.
        const CPduLogHold hold;
        FillList();
        // Without the channels there is nothing to tick: the profile is not read either, and a change would write
        // the profile without its channels.
        if (!channelsRead_ && !IsAdding())
            EnableControl(IDOK, false);
        if (!channelsRead_ || IsAdding() || (!recordGiven_ && ReadNamedProfile() != ProfileRead::kRead))
            return;
    }
    for (uint16_t id : McChannelIds(record_)) {
        if (channels_.Find(id) != nullptr)
            channels_.Model().SetChecked(id, true);
    }
}

void CXdslMcServiceProfileDlg::OnShowRecord(uint32_t profileId)
{
    CXdslMcChannelProfileDlg dlg(this);
    dlg.SetTemplateMode(templateMode_);
    dlg.SetNeId(GetNeId());
    dlg.SetAccessMode(kAccessQuery);
    dlg.SetProfileId(static_cast<uint16_t>(profileId));
    dlg.DoModal();
}

void CXdslMcServiceProfileDlg::OnOK()
{
    if (!TargetStillThere() || !UpdateDialogData() || !CheckRoomAndName(name_, kNameId))
        return;
    if (!IsAdding() && ShowMessageById(kStrSureToModifyData, kConfirmFlags) != IDYES)
        return;
    McServiceProfileRec rec;
    rec.name = name_.trimmed().toStdString();
    // Only the channels listed and ticked: an id the list does not show is dropped.
    std::vector<uint16_t> ticked;
    const CRecordTableModel& model = channels_.Model();
    for (int row = 0; row < model.rowCount(); ++row) {
        const uint32_t id = model.KeyAt(row);
        if (model.IsChecked(id))
            ticked.push_back(static_cast<uint16_t>(id));
    }
    SetMcChannelIds(rec, ticked);
    rec.status = 1;
    if (!WriteRecord(rec))
        return;
    record_ = rec;
    EndDialog(IDOK);
}
