#include "features/provisioning/templates/template_sync_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "features/provisioning/templates/template_download_dlg.h"
#include "link/records/request_codes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_template_sync_dlg.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::array<int, 6> kBoxes = {CTemplateSyncDlg::kLineProfilesId,      CTemplateSyncDlg::kPmProfilesId,
                                       CTemplateSyncDlg::kMcChannelProfilesId, CTemplateSyncDlg::kAlarmDefsId,
                                       CTemplateSyncDlg::kIpTrafficProfilesId, CTemplateSyncDlg::kMcServiceProfilesId};
// The right item of each box, in the boxes' order.
constexpr std::array<int, 6> kRights = {kRightLineProfiles,     kRightPmThresholdProfiles, kRightMcChannelProfiles,
                                        kRightAlarmDefinitions, kRightIpTrafficProfiles,   kRightMcServiceProfiles};

} // namespace

std::string ProfileSyncTitle(const ProfileSyncRec& chosen)
{
    std::string profiles;
    for (const auto& [word, text] : {std::pair{chosen.lineProfiles, kStrSyncTitleLineProfiles},
                                     std::pair{chosen.pmThresholdProfiles, kStrSyncTitlePmProfiles},
                                     std::pair{chosen.ipTrafficProfiles, kStrSyncTitleIpTrafficProfiles},
                                     std::pair{chosen.mcServiceProfiles, kStrSyncTitleMcServiceProfiles},
                                     std::pair{chosen.mcChannelProfiles, kStrSyncTitleMcChannelProfiles}}) {
        if (word == 1)
            profiles += LoadString(text);
    }
    if (!profiles.empty()) {
        profiles = LoadString(kStrSyncTitleAllXdsl) + profiles;
        // The last class's ", " goes.
        if (profiles.size() >= 2 && profiles.compare(profiles.size() - 2, 2, ", ") == 0)
            profiles.resize(profiles.size() - 2);
    }
    if (chosen.alarmDefs != 1)
        return profiles;
    std::string title = LoadString(kStrSyncTitleAlarmDefinitions);
    if (!profiles.empty())
        title += LoadString(kStrSyncTitleAnd) + profiles;
    return title;
}

CTemplateSyncDlg::CTemplateSyncDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CTemplateSyncDlg>())
{
    ui_->setupUi(this);
}

CTemplateSyncDlg::~CTemplateSyncDlg() = default;

void CTemplateSyncDlg::DoDataExchange(CDataExchange& dx)
{
    for (size_t i = 0; i < kBoxes.size(); ++i)
        DDX_Check(dx, kBoxes[i], checks_[i]);
}

void CTemplateSyncDlg::InitData()
{
    for (size_t i = 0; i < kBoxes.size(); ++i)
        EnableControl(kBoxes[i], CheckUserRight(AppData().role, kRights[i], 'm') != 0);
    EnableControl(kSyncId, false);
    UpdateData(false);
}

ProfileSyncRec CTemplateSyncDlg::Chosen() const
{
    const auto word = [this](int id) {
        const size_t i = static_cast<size_t>(std::find(kBoxes.begin(), kBoxes.end(), id) - kBoxes.begin());
        return checks_[i] == 1 ? 1u : 0u;
    };
    return {0,
            word(kLineProfilesId),
            word(kPmProfilesId),
            word(kMcChannelProfilesId),
            word(kMcServiceProfilesId),
            word(kIpTrafficProfilesId),
            word(kAlarmDefsId)};
}

int CTemplateSyncDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && std::find(kBoxes.begin(), kBoxes.end(), id) != kBoxes.end()) {
        UpdateDialogData();
        const ProfileSyncRec chosen = Chosen();
        EnableControl(kSyncId, chosen != ProfileSyncRec{});
    } else if (code == BN_CLICKED && id == kSyncId) {
        OnSync();
    }
    return CADialog::OnCommandHook(id, code);
}

void CTemplateSyncDlg::OnSync()
{
    if (!UpdateDialogData())
        return;
    const ProfileSyncRec chosen = Chosen();
    const auto bytes = EncodeRecord(chosen);
    TemplateDownload download;
    download.title = ProfileSyncTitle(chosen);
    download.requests.push_back(
        {0, kReqConfigDownload, kProfileSyncRecSize, 1, std::vector<uint8_t>(bytes.begin(), bytes.end())});
    CTemplateDownloadDlg dlg(this);
    dlg.SetDownload(download);
    dlg.SetConfirmTextId(chosen.lineProfiles == 1 ? kStrSureToSynchronizeLineProfiles : kStrSureToSynchronizeProfiles);
    dlg.SetFailureTextId(kStrFailToSynchronizeProfiles);
    dlg.SetLocationId(GetLocationId());
    dlg.SetNeId(GetNeId());
    dlg.DoModal();
}
