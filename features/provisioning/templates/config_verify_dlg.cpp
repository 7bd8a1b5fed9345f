#include "features/provisioning/templates/config_verify_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/request_codes.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_config_verify_dlg.h"

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default

} // namespace

CConfigVerifyDlg::CConfigVerifyDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CConfigVerifyDlg>())
{
    ui_->setupUi(this);
}

CConfigVerifyDlg::~CConfigVerifyDlg() = default;

void CConfigVerifyDlg::DoDataExchange(CDataExchange& dx)
{
    for (size_t i = 0; i < kRows.size(); ++i) {
        DDX_Check(dx, kRows[i].identicalId, identical_[i]);
        DDX_Check(dx, kRows[i].synchronizeId, synchronize_[i]);
    }
}

void CConfigVerifyDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightConfigVerification) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    EnableControl(kServerToNeId, false);
    const RecordReply<ProfileSyncRec> reply = CRecordRequests().Query<ProfileSyncRec>(
        kReqConfigVerify, static_cast<uint32_t>(GetNeId()), ProfileSyncRec{}, {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty()) {
        const ProfileSyncRec& same = reply.records.front();
        for (size_t i = 0; i < kRows.size(); ++i) {
            identical_[i] = same.*kRows[i].word == 1 ? 1 : 0;
            EnableControl(kRows[i].synchronizeId, identical_[i] == 0);
        }
    }
    UpdateData(false);
}

ProfileSyncRec CConfigVerifyDlg::Chosen() const
{
    ProfileSyncRec chosen;
    for (size_t i = 0; i < kRows.size(); ++i)
        chosen.*kRows[i].word = synchronize_[i] == 1 ? 1 : 0;
    return chosen;
}

int CConfigVerifyDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && id == kServerToNeId) {
        OnServerToNe();
    } else if (code == BN_CLICKED) {
        for (const ClassRow& row : kRows) {
            if (id == row.synchronizeId) {
                UpdateDialogData();
                EnableControl(kServerToNeId, Chosen() != ProfileSyncRec{});
                break;
            }
        }
    }
    return CADialog::OnCommandHook(id, code);
}

void CConfigVerifyDlg::OnServerToNe()
{
    if (CheckTargetNe() != 0 || CheckRight(kRightConfigSynchronization, 'm') != 0)
        return;
    if (!UpdateDialogData() || ShowMessageById(kStrSureToDownloadConfig, kConfirmFlags) != IDYES)
        return;
    const RequestOutcome outcome = CRecordRequests().Action(kReqConfigDownload, static_cast<uint32_t>(GetNeId()),
                                                            Chosen(), {.failureTextId = kStrFailToSynchronizeConfig});
    if (outcome.Ok())
        EndDialog(IDOK);
}
