#include "features/management/discovery/add_discovered_ne_dlg.h"

#include "core/tables/location_tree.h"
#include "core/tables/ne_record.h"
#include "features/management/ne/ne_location_combo.h"
#include "features/management/ne/ne_security_checks.h"
#include "platform/notify_codes.h"
#include "ui_add_discovered_ne_dlg.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace {

constexpr uint16_t kNePort = 161;

} // namespace

CAddDiscoveredNeDlg::CAddDiscoveredNeDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAddDiscoveredNeDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessCreate);
}

CAddDiscoveredNeDlg::~CAddDiscoveredNeDlg() = default;

void CAddDiscoveredNeDlg::InitData()
{
    // The NEs are not in the table yet: they have no communities to list.
    securityPage_.SetHideCommunityList(true);
    AddPage(CNeSecurityPage::kTemplateId, &securityPage_, "Security");
    AddPage(CNePositionPage::kTemplateId, &positionPage_, "Position");
    AddPage(CNeAutoSyncPage::kTemplateId, &autoSyncPage_, "Auto-sync");
    HidePage(&autoSyncPage_);
    if (auto* combo = GetDlgItemAs<QComboBox>(kLocationComboId)) {
        combo->view()->setMinimumWidth(combo->width() * 2);
        FillNeLocationCombo(*combo, static_cast<uint32_t>(GetLocationId()));
    }
    NeSecurityValues security;
    security.ftpUser = QString::fromLatin1(kNeBuiltInAccount);
    security.ftpPassword = security.ftpUser;
    security.verification = security.ftpUser;
    security.community = FixedNeCommunity();
    securityPage_.SetValues(security);
    autoSyncPage_.SetChoice(CNeAutoSyncPage::kDisabled);
    UpdatePageData(AllPages(), 0);
    GiveMapBounds();
    positionPage_.CentrePosition();
    UpdatePageData(AllPages(), 0);
    positionPage_.PlaceMarker();
}

void CAddDiscoveredNeDlg::GiveMapBounds()
{
    positionPage_.SetMapBounds(FindMapDefOfLocation(SelectedNeLocation(GetDlgItemAs<QComboBox>(kLocationComboId))));
}

int CAddDiscoveredNeDlg::OnCommandHook(int id, int code)
{
    if (id == kLocationComboId && code == CBN_SELCHANGE) {
        GiveMapBounds();
        return 1;
    }
    return 0;
}

void CAddDiscoveredNeDlg::OnOK()
{
    if (UpdatePageData(AllPages(), 1) == 0 || !CheckNeSecurityTexts(*this, securityPage_))
        return;
    const NeSecurityValues& security = securityPage_.Values();
    key_ = NeKeyRecord{};
    key_.locationId = SelectedNeLocation(GetDlgItemAs<QComboBox>(kLocationComboId));
    SetLocationId(static_cast<int>(key_.locationId));
    key_.ftpUser = security.ftpUser.trimmed().toStdString();
    key_.ftpPassword = security.ftpPassword.trimmed().toStdString();
    key_.snmpCommunity = security.community.trimmed().toStdString();
    key_.snmpVersion = security.versionIndex == 1 ? kSnmpVersion2c : kSnmpVersion1;
    key_.port = kNePort;
    key_.longitude = positionPage_.Position().longitude;
    key_.latitude = positionPage_.Position().latitude;
    key_.autoSync = AutoSyncValueOf(autoSyncPage_.Choice());
    EndDialog(IDOK);
}
