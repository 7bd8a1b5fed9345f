#include "features/provisioning/profiles/shdsl_line_profile_dlg.h"

#include "core/tables/access_rights.h"
#include "features/provisioning/profiles/profile_caption.h"
#include "features/provisioning/profiles/profile_write.h"
#include "link/records/request_codes.h"
#include "ui/framework/dialogs/dialog_request.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_shdsl_line_profile_dlg.h"

#include <QLineEdit>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default

} // namespace

CShdslLineProfileDlg::CShdslLineProfileDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CShdslLineProfileDlg>())
{
    ui_->setupUi(this);
}

CShdslLineProfileDlg::~CShdslLineProfileDlg() = default;

void CShdslLineProfileDlg::SetRecord(const ShdslLineProfileRec& rec)
{
    record_ = rec;
    recordGiven_ = true;
}

void CShdslLineProfileDlg::ApplyOpenerFields(const DialogRequest& request)
{
    if (!request.profileName.empty())
        SetName(request.profileName);
}

void CShdslLineProfileDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kNameId, name_);
}

void CShdslLineProfileDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightLineProfiles) != 0)
        return;
    if (!templateMode_ && CheckTargetNeOrClose() != 0)
        return;
    if (auto* name = GetDlgItemAs<QLineEdit>(kNameId))
        name->setMaxLength(kNameMax);
    LimitTextToField(kNameId, kShdslLineProfileNameWidth);
    SetControlReadOnly(kNameId, !IsAdding());
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    SetProfileCaption(*this, templateMode_, IsAdding() ? std::string("<new>") : record_.name);

    for (CADialog* page :
         {static_cast<CADialog*>(&rate_), static_cast<CADialog*>(&margin_), static_cast<CADialog*>(&misc_)})
        page->SetAccessMode(GetAccessMode());
    AddPage(CShdslLineProfileRatePage::kTemplateId, &rate_, "Transmission Rate");
    AddPage(CShdslLineProfileMarginPage::kTemplateId, &margin_, "SNR Margin");
    AddPage(CShdslLineProfileMiscPage::kTemplateId, &misc_, "Miscellaneous");

    if (IsAdding()) {
        ShowValues(ShdslLineProfileValues{});
        return;
    }
    name_ = QString::fromStdString(record_.name);
    UpdateData(false);
    if (!recordGiven_ && !ReadProfile())
        return;
    ShowValues(ShdslValuesFromRecord(record_));
}

bool CShdslLineProfileDlg::ReadProfile()
{
    ShdslLineProfileRec asked;
    asked.name = record_.name;
    const RecordReply<ShdslLineProfileRec> reply = CRecordRequests().Query(
        templateMode_ ? kReqShdslLineProfileTemplate : kReqShdslLineProfile,
        templateMode_ ? 0 : static_cast<uint32_t>(GetNeId()), asked, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok()) {
        // Nothing read: the pages' defaults are no profile to write.
        EnableControl(IDOK, false);
        ShowValues(ShdslLineProfileValues{});
        return false;
    }
    return TakeProfileNamed(*this, reply.records, record_);
}

void CShdslLineProfileDlg::ShowValues(const ShdslLineProfileValues& values)
{
    wireMode_ = values.wireMode;
    rate_.SetValues(values);
    margin_.SetValues(values);
    misc_.SetValues(values);
    UpdatePageData(AllPages(), 0);
    rate_.ApplyMode();
    margin_.ApplyBoxes();
}

ShdslLineProfileValues CShdslLineProfileDlg::TakenValues() const
{
    ShdslLineProfileValues values = misc_.Values();
    values.wireMode = wireMode_;
    const ShdslLineProfileValues& rate = rate_.Values();
    values.rateMode = rate.rateMode;
    values.minRate = rate.minRate;
    values.maxRate = rate.maxRate;
    values.marginUsed = margin_.Values().marginUsed;
    values.margin = margin_.Values().margin;
    return values;
}

void CShdslLineProfileDlg::OnOK()
{
    if (!templateMode_ && CheckTargetNe() != 0)
        return;
    for (CADialog* page : {static_cast<CADialog*>(&rate_), static_cast<CADialog*>(&margin_)})
        SetPageMarkedControls(page, 0);
    if (UpdatePageData(AllPages(), 1) == 0)
        return;
    const uint32_t neId = templateMode_ ? 0 : static_cast<uint32_t>(GetNeId());
    const auto code = templateMode_ ? kReqShdslLineProfileTemplate : kReqShdslLineProfile;
    if (!CheckProfileRoomAndName(*this, GetProfileKind(ProfileKindId::kShdslLine), code, neId, IsAdding(), name_,
                                 kNameId))
        return;
    const ShdslLineProfileValues values = TakenValues();
    if (const std::optional<ShdslProfileRefusal> refusal = CheckShdslLineProfile(values)) {
        CADialog* page = refusal->page == ShdslPage::kRate ? static_cast<CADialog*>(&rate_) : &margin_;
        const auto& c = refusal->controls;
        ShowPageAlertTextById(page, refusal->stringId, c[0], c[1], c[2], c[3]);
        return;
    }
    if (!IsAdding() &&
        ShowMessageById(templateMode_ ? kStrSureToModifyData : kStrSureToRetrainLines, kConfirmFlags) != IDYES)
        return;
    const ShdslLineProfileRec rec = ShdslRecordFromValues(name_.trimmed().toStdString(), values);
    if (!WriteProfile(code, neId, rec, IsAdding()))
        return;
    record_ = rec;
    EndDialog(IDOK);
}
