#include "features/management/ne/ne_dlg.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"
#include "core/map/map_def.h"
#include "core/tables/access_rights.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "core/util/netmask.h"
#include "features/management/ne/ne_location_combo.h"
#include "features/management/ne/ne_security_checks.h"
#include "link/record_requests.h"
#include "link/records/ne_key_record.h"
#include "platform/ip_address_edit.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_dlg.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QIcon>
#include <QVariant>

namespace {

constexpr int kConfirmFlags = 0x134;     // Yes/No, warning icon, No preselected
constexpr int kExclamationFlags = 0x030; // OK, exclamation icon

QVariant ItemData(uint32_t data)
{
    return QVariant::fromValue<quint32>(data);
}

uint32_t SelectedData(const QComboBox* combo)
{
    return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentData().value<quint32>() : 0;
}

bool ManagementAddressesDiffer(const NeConfigRecord& a, const NeConfigRecord& b)
{
    return a.ugeIp != b.ugeIp || a.ugeMask != b.ugeMask || a.nmeIp != b.nmeIp || a.nmeMask != b.nmeMask ||
           a.gateway != b.gateway;
}

} // namespace

CNeDlg::CNeDlg(QWidget* parent) : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeDlg>())
{
    ui_->setupUi(this);
}

CNeDlg::~CNeDlg() = default;

void CNeDlg::SetPreset(const IpAddress& address, uint32_t modelId)
{
    presetAddress_ = address;
    presetModel_ = modelId;
}

bool CNeDlg::IsDirect() const
{
    return AppSettings().directControl;
}

IpAddressEdit* CNeDlg::AddressEdit() const
{
    return GetDlgItemAs<IpAddressEdit>(kIpAddressId);
}

void CNeDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kNameId, name_);
}

void CNeDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeOperations) != 0)
        return;
    if (GetAccessMode() != kAccessCreate && CheckTargetNeOrClose() != 0)
        return;
    if (auto* combo = GetDlgItemAs<QComboBox>(kLocationComboId))
        combo->view()->setMinimumWidth(combo->width() * 2);
    const CNeRecord* ne = GetAccessMode() != kAccessCreate ? FindNeById(static_cast<uint32_t>(GetNeId())) : nullptr;
    const uint32_t neModel = ne != nullptr ? ne->neModelId : presetModel_;

    AddPages();
    if (IsDirect()) {
        HidePage(&securityPage_);
        HidePage(&positionPage_);
        EnableControls({kNameId, kIpAddressId, kLocationComboId, kModelComboId}, false);
    }
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    LimitTextToField(kNameId, kNeKeyNameWidth);

    if (ne != nullptr)
        SetLocationId(static_cast<int>(ne->locationId));
    FillLocationCombo();
    if (ne != nullptr)
        LoadExistingNe(*ne);
    else
        LoadNewNe();
    if (!FillModelCombo(neModel))
        EnableControl(IDOK, false);
}

void CNeDlg::AddPages()
{
    AddPage(CNeSecurityPage::kTemplateId, &securityPage_, "Security");
    AddPage(CNePositionPage::kTemplateId, &positionPage_, "Position");
    AddPage(CNeAutoSyncPage::kTemplateId, &autoSyncPage_, "Auto-sync");
    AddPage(CNeSystemInfoPage::kTemplateId, &systemInfoPage_, "System Information");
    AddPage(CNeMgmtIpPage::kTemplateId, &mgmtIpPage_, "Management IP");
    HidePage(&autoSyncPage_);
    HidePage(&systemInfoPage_);
    HidePage(&mgmtIpPage_);
}

void CNeDlg::FillLocationCombo()
{
    if (auto* combo = GetDlgItemAs<QComboBox>(kLocationComboId))
        FillNeLocationCombo(*combo, static_cast<uint32_t>(GetLocationId()));
}

bool CNeDlg::FillModelCombo(uint32_t selectedModel)
{
    auto* combo = GetDlgItemAs<QComboBox>(kModelComboId);
    if (combo == nullptr)
        return false;
    combo->clear();
    const CEntityModelSet& models = CurrentEntityModels();
    for (int i = 0; i < models.GetTypeCount(); ++i) {
        const CEntityType* model = models.GetTypeAt(i);
        if (model == nullptr || model->GetLevel() != kEntityLevelNe)
            continue;
        combo->addItem(QIcon(SharedSmallImages().Get(static_cast<int>(model->GetIcon()))),
                       QString::fromStdString(model->GetDisplayName()), ItemData(model->GetId()));
    }
    if (combo->count() == 0)
        return false;
    const int index = combo->findData(ItemData(selectedModel));
    combo->setCurrentIndex(index >= 0 ? index : 0);
    return true;
}

void CNeDlg::LoadExistingNe(const CNeRecord& shown)
{
    const uint32_t neId = shown.neId;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    // The server answers with the NE as it keeps it, which reaches the NE table.
    CRecordRequests().Query(kReqNeKey, neId, {.failureTextId = kStrFailToQuery});
    const CNeRecord* ne = FindNeById(neId);
    if (ne == nullptr)
        return;

    name_ = QString::fromStdString(ne->name);
    if (IpAddressEdit* edit = AddressEdit())
        edit->SetAddress(ne->address);
    EnableControl(kModelComboId, false);
    if (auto* combo = GetDlgItemAs<QComboBox>(kLocationComboId)) {
        if (const int index = combo->findData(ItemData(ne->locationId)); index >= 0)
            combo->setCurrentIndex(index);
    }
    NeSecurityValues security;
    security.community = QString::fromStdString(ne->community);
    security.versionIndex = ne->snmpVersion == kSnmpVersion2c ? 1 : 0;
    security.ftpUser = QString::fromStdString(ne->loginUser);
    security.ftpPassword = QString::fromStdString(ne->loginPassword);
    security.verification = security.ftpPassword;
    securityPage_.SetValues(security);
    autoSyncPage_.SetChoice(AutoSyncChoiceOf(ne->autoSync));
    positionPage_.SetPosition({ne->longitude, ne->latitude});

    LoadNeConfig();
    UpdatePageData(AllPages(), 0);
    GiveMapBounds();
}

void CNeDlg::LoadNeConfig()
{
    const RecordReply<NeConfigRecord> reply =
        CRecordRequests().Query<NeConfigRecord>(kReqNeConfig, static_cast<uint32_t>(GetNeId()));
    if (!reply.Ok() || reply.records.empty())
        return;
    loadedConfig_ = reply.records.front();
    systemInfoPage_.SetTexts(*loadedConfig_);
    ShowPage(&systemInfoPage_, IsDirect() ? 1 : 0);
    if (GetAccessMode() != kAccessQuery && GetAccessMode() != kAccessModify)
        systemInfoPage_.SetControlsReadOnly(
            {CNeSystemInfoPage::kContactId, CNeSystemInfoPage::kSysNameId, CNeSystemInfoPage::kPlaceId});
    mgmtIpPage_.SetValues(*loadedConfig_);
    ShowPage(&mgmtIpPage_, 0);
}

void CNeDlg::LoadNewNe()
{
    UpdateCaption(kCaptionNew);
    if (IpAddressEdit* edit = AddressEdit())
        edit->SetAddress(presetAddress_);
    EnableControl(kModelComboId, true);
    NeSecurityValues security;
    security.community = FixedNeCommunity();
    security.ftpUser = QString::fromLatin1(kNeBuiltInAccount);
    security.ftpPassword = security.ftpUser;
    security.verification = security.ftpUser;
    securityPage_.SetValues(security);
    autoSyncPage_.SetChoice(CNeAutoSyncPage::kServerToNe);
    UpdatePageData(AllPages(), 0);
    GiveMapBounds();
    positionPage_.CentrePosition();
    UpdatePageData(AllPages(), 0);
    positionPage_.PlaceMarker();
}

void CNeDlg::GiveMapBounds()
{
    positionPage_.SetMapBounds(FindMapDefOfLocation(SelectedData(GetDlgItemAs<QComboBox>(kLocationComboId))));
}

int CNeDlg::OnCommandHook(int id, int code)
{
    if (id == kLocationComboId && code == CBN_SELCHANGE) {
        GiveMapBounds();
        return 1;
    }
    return 0;
}

void CNeDlg::OnOK()
{
    if (GetAccessMode() == kAccessQuery || !IsControlEnabled(IDOK))
        return;
    const bool modifying = GetAccessMode() == kAccessModify;
    if (modifying && CheckTargetNe() != 0)
        return;
    if (UpdatePageData(AllPages(), 1) == 0)
        return;
    const std::string name = name_.trimmed().toStdString();
    if (name.empty()) {
        ShowAlertTextById(kStrDataIsBlank, kNameId);
        return;
    }
    if (!CheckSystemTexts())
        return;
    IpAddress address{};
    if (!CheckKeys(name, &address))
        return;
    if (IsDirect()) {
        // The Security page is hidden here, yet what it holds (the link's community, the NE's FTP login) is checked.
        if (!CheckNeSecurityTexts(*this, securityPage_))
            return;
        if (IsPageShown(&mgmtIpPage_) && !CheckManagementAddresses())
            return;
    }
    if (modifying && ShowMessageById(kStrSureToModifyData, kConfirmFlags) != IDYES)
        return;
    const CNeRecord* before = FindNeById(static_cast<uint32_t>(GetNeId()));
    const bool wasInTable = before != nullptr;
    const bool wasPlanned = before != nullptr && before->planned == 1;

    const NeKeyRecord key = BuildKeyRecord(name, address);
    if (!IsDirect() && !WriteKeyRecord(key))
        return;
    if (IsPageShown(&systemInfoPage_) && !WriteConfigRecord())
        return;
    SetLocationId(static_cast<int>(key.locationId));
    modelId_ = key.modelId;
    address_ = key.ipAddress;
    if (modifying)
        SendFollowUps(wasInTable, wasPlanned);
    EndDialog(IDOK);
}

NeKeyRecord CNeDlg::BuildKeyRecord(const std::string& name, const IpAddress& address) const
{
    const NeSecurityValues& security = securityPage_.Values();
    NeKeyRecord key;
    key.neName = name;
    key.ftpUser = security.ftpUser.toStdString();
    key.ftpPassword = security.ftpPassword.toStdString();
    key.locationId = SelectedData(GetDlgItemAs<QComboBox>(kLocationComboId));
    key.modelId = SelectedData(GetDlgItemAs<QComboBox>(kModelComboId));
    key.ipAddress = address;
    key.port = kNePort;
    key.snmpCommunity = security.community.trimmed().toStdString();
    key.snmpVersion = security.versionIndex == 1 ? kSnmpVersion2c : kSnmpVersion1;
    key.longitude = positionPage_.Position().longitude;
    key.latitude = positionPage_.Position().latitude;
    key.autoSync = AutoSyncValueOf(autoSyncPage_.Choice());
    return key;
}

NeConfigRecord CNeDlg::BuildConfigRecord() const
{
    const NeSystemTexts& texts = systemInfoPage_.Texts();
    const NeMgmtIpValues& addresses = mgmtIpPage_.Values();
    NeConfigRecord config;
    config.contact = texts.contact.toStdString();
    config.sysName = texts.sysName.toStdString();
    config.place = texts.place.toStdString();
    config.ugeIp = ParseIpAddress(addresses.ugeIp.trimmed().toStdString());
    config.ugeMask = PrefixLengthToNetmask(addresses.ugePrefix);
    config.vlanId = static_cast<uint16_t>(addresses.vlanId);
    config.nmeIp = ParseIpAddress(addresses.nmeIp.trimmed().toStdString());
    config.nmeMask = PrefixLengthToNetmask(addresses.nmePrefix);
    config.gateway = ParseIpAddress(addresses.gateway.trimmed().toStdString());
    return config;
}

bool CNeDlg::WriteKeyRecord(const NeKeyRecord& key)
{
    const CRecordRequests requests;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const bool adding = GetAccessMode() != kAccessModify;
    const RecordReply<NeKeyRecord> reply =
        adding ? requests.Add(kReqNeKey, neId, key, {.failureTextId = kStrAddingNewDataFailed})
               : requests.Modify(kReqNeKey, neId, key, {.failureTextId = kStrFailToUpdateData});
    if (!reply.Ok())
        return false;
    if (!reply.records.empty() && reply.records.front().neId != 0)
        SetNeId(static_cast<int>(reply.records.front().neId));
    if (adding) {
        // The NE exists now: what follows changes it, also when a later step fails and OK is pressed again.
        SetAccessMode(kAccessModify);
        UpdateCaption(kCaptionNe | kCaptionLocation);
    }
    return true;
}

bool CNeDlg::WriteConfigRecord()
{
    const NeConfigRecord config = BuildConfigRecord();
    if (!CRecordRequests()
             .Modify(kReqNeConfig, static_cast<uint32_t>(GetNeId()), config, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return false;
    if (IsDirect() && loadedConfig_ && ManagementAddressesDiffer(config, *loadedConfig_))
        ShowMessageById(kStrNeManagementIpChanged, kExclamationFlags);
    return true;
}

void CNeDlg::SendFollowUps(bool wasInTable, bool wasPlanned) const
{
    const CRecordRequests requests;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    if (!wasInTable)
        requests.Post(kReqBoardSetting, neId);
    else if (wasPlanned && GetShownNeId() == neId)
        requests.Post(kReqEntityState, neId);
}
