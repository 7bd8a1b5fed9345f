#include "features/management/ne/ne_security_page.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "link/records/ne_key_record.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui_ne_security_page.h"

#include <string>

namespace {

// The NE's own default community, which the NE dialog offers a new NE.
constexpr char kNeDefaultCommunity[] = "pridox";
constexpr char kNeCommunityListDlg[] = "CNeSnmpCommunityListDlg";
// The labels of the SNMP version and the FTP login.
constexpr int kServerOnlyLabels[] = {1348, 1349, 1350, 1351};

} // namespace

QString FixedNeCommunity()
{
    return QString::fromLatin1(kNeDefaultCommunity);
}

QString DefaultNeCommunity()
{
    const std::string community = ReadIniString("DIALOG", "SNMPCOMMUNITY", kNeDefaultCommunity, ConfigFilePath());
    return QString::fromStdString(community).left(static_cast<int>(kNeKeyCommunityWidth - 1));
}

CNeSecurityPage::CNeSecurityPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeSecurityPage>())
{
    ui_->setupUi(this);
}

CNeSecurityPage::~CNeSecurityPage() = default;

bool CNeSecurityPage::OnInitDialog()
{
    CADialog::OnInitDialog();
    LimitTextToField(kCommunityId, kNeKeyCommunityWidth);
    for (const int id : {kFtpUserId, kFtpPasswordId, kVerificationId})
        LimitTextToField(id, kNeKeyFtpTextWidth);

    // The communities are the NE's own: an NE still to be added, or one that is not as planned, has none to list.
    if (GetAccessMode() == kAccessCreate || hideCommunityList_) {
        ShowControl(kCommunityListButtonId, false);
    } else {
        const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
        EnableControl(kCommunityListButtonId,
                      ne != nullptr && ne->root != nullptr && ne->root->GetPlanState() == kPlanStateAsPlanned);
    }
    if (AppSettings().directControl) {
        ShowControls({kVersionComboId, kFtpUserId, kFtpPasswordId, kVerificationId}, false);
        for (const int label : kServerOnlyLabels)
            ShowControl(label, false);
    }
    return true;
}

void CNeSecurityPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kCommunityId, values_.community);
    DDX_CBIndex(dx, kVersionComboId, values_.versionIndex);
    DDX_Text(dx, kFtpUserId, values_.ftpUser);
    DDX_Text(dx, kFtpPasswordId, values_.ftpPassword);
    DDX_Text(dx, kVerificationId, values_.verification);
}

int CNeSecurityPage::OnCommandHook(int id, int code)
{
    if (id != kCommunityListButtonId || code != BN_CLICKED)
        return 0;
    DialogRequest request;
    request.className = kNeCommunityListDlg;
    request.hasTarget = true;
    request.neId = static_cast<uint32_t>(GetNeId());
    OpenRouteDialog(request);
    return 1;
}
