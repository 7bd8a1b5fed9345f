#include "features/provisioning/fast_prov/fast_prov_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/fast_prov/fast_prov_list_dlg.h"
#include "link/record_requests.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/ip_traffic_profile_rec.h"
#include "link/records/next_hop_rec.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "link/records/traffic_policing_profile_rec.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui/framework/dialogs/location_ne_combos.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_fast_prov_dlg.h"

#include <QComboBox>

#include <vector>

namespace {

constexpr int kXdslLinePorts = 9; // the entity kind of the xDSL line cards and their ports
constexpr int kOwnDelegates = 1;
constexpr uint32_t kMaxVpi = 255;
constexpr uint32_t kMaxVci = 65535;
constexpr uint32_t kMaxIpIncrement = 256;
// ADSL line profiles a port may take: fast and interleaved channels.
constexpr uint32_t kChannelFast = 2;
constexpr uint32_t kChannelInterleaved = 3;

template <typename Rec> std::vector<std::string> NamesOf(const std::vector<Rec>& records)
{
    std::vector<std::string> names;
    for (const Rec& rec : records)
        names.push_back(rec.name);
    return names;
}

} // namespace

CFastProvDlg::CFastProvDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CFastProvDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessCreate);
}

CFastProvDlg::~CFastProvDlg() = default;

void CFastProvDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_CBIndex(dx, kModeId, modeIndex_);
}

void CFastProvDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightFastProvisioning) != 0 || CheckTargetNeOrClose() != 0)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    UpdateCaption(kCaptionNe | kCaptionLocation);

    AddPage(CXdslPortSettingPage::kTemplateId, &port_, "Port Setting");
    AddPage(CFastProvVcVlanPage::kTemplateId, &vcVlan_, "Channel Setting");
    AddPage(CFastProvVcPage::kTemplateId, &vc_, "Channel Setting");
    AddPage(CVcVlanIpTrafficPage::kTemplateId, &ipTraffic_, "IP Traffic Profile");
    AddPage(CVcVlanPriorityPage::kTemplateId, &priority_, "802.1P");
    AddPage(CVcVlanMacLimitPage::kTemplateId, &macLimit_, "MAC Control");
    AddPage(CVcVlanNextHopPage::kTemplateId, &nextHop_, "Next-hop");
    AddPage(CFastProvServiceTypePage::kTemplateId, &serviceType_, "Service Type");
    HidePage(&vc_);
    HidePage(&nextHop_);

    const CEntityIndex target = GetTargetEntity().index;
    InitShelfCombo(ui_->firstShelf, ne, &target, kXdslLinePorts, kOwnDelegates);
    InitShelfCombo(ui_->lastShelf, ne, &target, kXdslLinePorts, kOwnDelegates);
    FillSlotCombo(kFirstShelfId, kFirstSlotId);
    FillSlotCombo(kLastShelfId, kLastSlotId);
    for (QComboBox* shelf : {ui_->firstShelf, ui_->lastShelf})
        HoldShelfComboOfSingleShelfNe(shelf, ne);
    if (!FillModuleTypes()) {
        ShowAlertTextById(kStrUnknownEntityType);
        EndDialog(IDCANCEL);
        return;
    }
    UpdatePageData(AllPages(), 0);
    QueryNames();
}

void CFastProvDlg::FillSlotCombo(int shelfComboId, int slotComboId)
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    auto* slotCombo = GetDlgItemAs<QComboBox>(slotComboId);
    const unsigned shelf = SelectedEntityNumber(GetDlgItemAs<QComboBox>(shelfComboId));
    const unsigned slot = slotCombo->count() > 0 ? SelectedEntityNumber(slotCombo) : GetTargetEntity().index.Slot();
    const CEntityIndex current = CEntityIndex::FromLevels(1, shelf != 0 ? shelf : 1, slot);
    InitSlotCombo(slotCombo, ne, &current, kXdslLinePorts, kOwnDelegates);
}

bool CFastProvDlg::FillModuleTypes()
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    QComboBox* combo = ui_->moduleType;
    combo->clear();
    const CEntityModelSet& models = CurrentEntityModels();
    for (int i = 0; i < models.GetTypeCount(); ++i) {
        const CEntityType* model = models.GetTypeAt(i);
        if (model == nullptr || (model->GetNeModelId() != ne->neModelId && !NeModelMatchesAnyNe(model->GetNeModelId())))
            continue;
        if (model->GetProvClass() == kProvClassAdslLineCard || model->GetProvClass() == kProvClassShdslLineCard)
            combo->addItem(QString::fromStdString(model->GetName()), QVariant::fromValue<quint32>(model->GetId()));
    }
    if (combo->count() == 0)
        return false;
    // The current entity's own type is chosen when it is a line card's; the first type otherwise.
    const CEntityIndex target = GetTargetEntity().index;
    const uint32_t current = ne->root != nullptr && !target.IsEmpty() ? ne->root->GetTypeAt(target) : 0;
    const int found = combo->findData(QVariant::fromValue<quint32>(current));
    combo->setCurrentIndex(found >= 0 ? found : 0);
    return true;
}

uint8_t CFastProvDlg::ChosenModuleClass() const
{
    const CEntityType* model = CurrentEntityModels().FindModel(SelectedComboValue(ui_->moduleType));
    return model != nullptr ? model->GetProvClass() : 0;
}

bool CFastProvDlg::QueryNames()
{
    const CRecordRequests requests;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const RequestOptions options{.failureTextId = kStrFailToQuery};
    CXdslPortSettingPage::Names lines;
    CXdslPortSettingPage::Names thresholds;
    // Whatever was read before a failure stays offered.
    const auto offer = [&] {
        port_.SetLineProfiles(lines);
        port_.SetPmProfiles(thresholds);
    };
    const auto adslLines = requests.Query<AdslLineProfileRec>(kReqAdslLineProfile, neId, options);
    if (!adslLines.Ok())
        return offer(), false;
    for (const AdslLineProfileRec& profile : adslLines.records) {
        if (profile.channelMode == kChannelFast || profile.channelMode == kChannelInterleaved)
            lines.adsl.push_back(profile.name);
    }
    const auto adslPm = requests.Query<XdslPmThresholdProfileRec>(kReqPmThresholdProfile, neId, options);
    if (!adslPm.Ok())
        return offer(), false;
    thresholds.adsl = NamesOf(adslPm.records);
    const auto shdslLines = requests.Query<ShdslLineProfileRec>(kReqShdslLineProfile, neId, options);
    if (!shdslLines.Ok())
        return offer(), false;
    lines.shdsl = NamesOf(shdslLines.records);
    const auto shdslPm = requests.Query<ShdslPmThresholdProfileRec>(kReqShdslPmThresholdProfile, neId, options);
    if (!shdslPm.Ok())
        return offer(), false;
    thresholds.shdsl = NamesOf(shdslPm.records);
    offer();
    const auto policing = requests.Query<TrafficPolicingProfileRec>(kReqTrafficPolicingProfile, neId, options);
    if (!policing.Ok())
        return false;
    port_.SetPolicingProfiles(NamesOf(policing.records));
    // The line cards' profiles are offered once all of them were read; after a failed read the combos keep " <none>"
    // until the operator chooses a module type.
    OnModuleTypeChanged();
    const auto ipTraffic = requests.Query<IpTrafficProfileRec>(kReqIpTrafficProfile, neId, options);
    if (!ipTraffic.Ok())
        return false;
    ipTraffic_.SetNames(NamesOf(ipTraffic.records), true);
    const auto hops = requests.Query<NextHopRec>(kReqNextHop, neId, options);
    if (!hops.Ok())
        return false;
    nextHop_.SetNames(NamesOf(hops.records), true);
    return true;
}

void CFastProvDlg::OnModuleTypeChanged()
{
    const bool shdsl = ChosenModuleClass() == kProvClassShdslLineCard;
    port_.OfferClass(shdsl);
    if (shdsl)
        modeIndex_ = 0;
    UpdateData(false);
    CheckRange();
    SwitchMode();
}

void CFastProvDlg::CheckRange()
{
    const unsigned firstShelf = SelectedEntityNumber(ui_->firstShelf);
    const unsigned lastShelf = SelectedEntityNumber(ui_->lastShelf);
    const unsigned firstSlot = SelectedEntityNumber(ui_->firstSlot);
    const unsigned lastSlot = SelectedEntityNumber(ui_->lastSlot);
    const bool known = FindNeById(static_cast<uint32_t>(GetNeId())) != nullptr && firstShelf != 0 && firstSlot != 0;
    const bool ordered = firstShelf < lastShelf || (firstShelf == lastShelf && firstSlot <= lastSlot);
    const bool valid = known && ordered;
    EnableControls({kListId, kModuleTypeId}, valid);
    // An SHDSL card is provisioned bridged only.
    EnableControl(kModeId, valid && ChosenModuleClass() != kProvClassShdslLineCard);
}

void CFastProvDlg::SwitchMode()
{
    CADialog* current = GetCurrentPage();
    CFastProvChannelPage& from = IsRouted() ? static_cast<CFastProvChannelPage&>(vcVlan_) : vc_;
    CFastProvChannelPage& to = IsRouted() ? static_cast<CFastProvChannelPage&>(vc_) : vcVlan_;
    UpdatePageData(&from, 1);
    to.SetChannels(from.Channels());
    // A page that keeps its tab keeps its place; a page shown again takes the last tab.
    const std::vector<CADialog*> hide = IsRouted()
                                            ? std::vector<CADialog*>{&vcVlan_, &ipTraffic_, &priority_, &serviceType_}
                                            : std::vector<CADialog*>{&vc_, &ipTraffic_, &priority_, &nextHop_,
                                                                     &serviceType_};
    const std::vector<CADialog*> show =
        IsRouted() ? std::vector<CADialog*>{&macLimit_, &vc_, &ipTraffic_, &priority_, &nextHop_, &serviceType_}
                   : std::vector<CADialog*>{&vcVlan_, &ipTraffic_, &priority_, &macLimit_, &serviceType_};
    for (CADialog* page : hide)
        HidePage(page);
    for (CADialog* page : show)
        ShowPage(page, 0);
    if (IsRouted())
        serviceType_.SetServiceType(kServiceStaticIp);
    serviceType_.ApplyServiceTypeRule();
    UpdatePageData(&to, 0);
    if (current == &from)
        current = &to;
    SelectPage(current != nullptr && IsPageShown(current) ? current : &port_);
}

std::optional<FastProvParams> CFastProvDlg::BuildParams()
{
    if (CheckTargetNe() != 0 || UpdatePageData(AllPages(), 1) == 0)
        return std::nullopt;
    for (const int id : {kFirstShelfId, kLastShelfId, kFirstSlotId, kLastSlotId, kModuleTypeId}) {
        if (GetDlgItemAs<QComboBox>(id)->currentIndex() < 0) {
            ShowAlertTextById(kStrPleaseSelectOneItem, id);
            return std::nullopt;
        }
    }
    FastProvParams params;
    params.moduleType = SelectedComboValue(ui_->moduleType);
    const CEntityType* card = CurrentEntityModels().FindModel(params.moduleType);
    if (card == nullptr) {
        ShowAlertTextById(kStrUnknownEntityType, kModuleTypeId);
        return std::nullopt;
    }
    params.moduleClass = card->GetProvClass();
    params.first =
        CEntityIndex::FromLevels(1, SelectedEntityNumber(ui_->firstShelf), SelectedEntityNumber(ui_->firstSlot));
    params.last =
        CEntityIndex::FromLevels(1, SelectedEntityNumber(ui_->lastShelf), SelectedEntityNumber(ui_->lastSlot));

    CFastProvChannelPage& channelPage = IsRouted() ? static_cast<CFastProvChannelPage&>(vc_) : vcVlan_;
    const FastProvChannels channels = channelPage.Channels();
    // No PVC per port makes no step back below the start values.
    const int64_t steps = static_cast<int64_t>(channels.pvcsPerPort) - 1;
    if (channels.vpiStart + channels.vpiIncrement * steps > kMaxVpi) {
        ShowPageAlertTextById(&channelPage, kStrOverflow, CFastProvChannelPage::kPvcsPerPortId,
                              CFastProvChannelPage::kPvcsPerPortSpinId, CFastProvChannelPage::kVpiStartId,
                              CFastProvChannelPage::kVpiIncrementId);
        return std::nullopt;
    }
    if (channels.vciStart + channels.vciIncrement * steps > kMaxVci) {
        ShowPageAlertTextById(&channelPage, kStrOverflow, CFastProvChannelPage::kPvcsPerPortId,
                              CFastProvChannelPage::kPvcsPerPortSpinId, CFastProvChannelPage::kVciStartId,
                              CFastProvChannelPage::kVciIncrementId);
        return std::nullopt;
    }
    if (ipTraffic_.ChosenName().empty()) {
        ShowPageAlertTextById(&ipTraffic_, kStrPleaseSelectOneItem, CVcVlanIpTrafficPage::kProfileId);
        return std::nullopt;
    }
    if (IsRouted() && nextHop_.ChosenName().empty()) {
        ShowPageAlertTextById(&nextHop_, kStrPleaseSelectOneItem, CVcVlanNextHopPage::kNextHopId);
        return std::nullopt;
    }
    if (serviceType_.IpIncrementPerPort() < 1 || serviceType_.IpIncrementPerPort() > kMaxIpIncrement) {
        ShowPageAlertTextById(&serviceType_, kStrIntegerBetween1And256, CFastProvServiceTypePage::kIncrementId);
        return std::nullopt;
    }

    params.vcEnabled = channels.enabled;
    params.vpiStart = static_cast<uint8_t>(channels.vpiStart);
    params.vpiIncrement = static_cast<uint8_t>(channels.vpiIncrement);
    params.vciStart = static_cast<uint16_t>(channels.vciStart);
    params.vciIncrement = static_cast<uint16_t>(channels.vciIncrement);
    params.vlanStart = vcVlan_.VlanStart();
    params.vlanIncrement = vcVlan_.VlanIncrement();
    params.vlanContinuous = vcVlan_.VlanContinuous();
    params.pvcsPerPort = static_cast<uint8_t>(channels.pvcsPerPort);
    params.portEnabled = port_.PortEnabled();
    params.lineProfile = port_.LineProfile();
    params.pmThresholdProfile = port_.PmProfile();
    params.trafficPolicingProfile = port_.PolicingProfile();
    params.upstreamFilterGroups = port_.UpstreamGroups();
    params.downstreamFilterGroups = port_.DownstreamGroups();
    params.encapsulation = IsRouted() ? kRfc2684Routed : kRfc2684Bridged;
    params.userPriority = priority_.Priority();
    params.macLimit = static_cast<uint8_t>(macLimit_.MacLimit());
    params.ipTrafficProfile = ipTraffic_.ChosenName();
    params.nextHopName = IsRouted() ? nextHop_.ChosenName() : std::string();
    // A routed PVC is always static IP.
    const uint32_t type = serviceType_.ServiceType();
    params.serviceType = IsRouted() ? kServiceStaticIp : (type == 0 ? kServiceDhcp : type);
    params.dhcpIpLimit = serviceType_.DhcpIpLimit();
    params.staticIpBase = serviceType_.StaticIpBase();
    params.staticIpLimit = serviceType_.StaticIpLimit();
    params.ipIncrementPerPort = static_cast<uint16_t>(serviceType_.IpIncrementPerPort());
    params.nonAged = macLimit_.NonAged();
    params.clientLimit = serviceType_.ClientLimit();
    return params;
}

void CFastProvDlg::OnList()
{
    const std::optional<FastProvParams> params = BuildParams();
    if (!params)
        return;
    CFastProvListDlg list(this);
    list.SetTarget(GetNeId(), nullptr);
    list.SetParams(*params);
    list.DoModal();
    if (list.ResultMessageId() != 0)
        ShowAlertTextById(list.ResultMessageId());
}

int CFastProvDlg::OnCommandHook(int id, int code)
{
    if (code == CBN_SELCHANGE) {
        switch (id) {
        case kFirstShelfId:
            FillSlotCombo(kFirstShelfId, kFirstSlotId);
            CheckRange();
            return 1;
        case kLastShelfId:
            FillSlotCombo(kLastShelfId, kLastSlotId);
            CheckRange();
            return 1;
        case kFirstSlotId:
        case kLastSlotId:
            CheckRange();
            return 1;
        case kModuleTypeId:
            OnModuleTypeChanged();
            return 1;
        case kModeId:
            UpdateData(true);
            SwitchMode();
            return 1;
        default:
            break;
        }
    }
    if (id == kListId && code == BN_CLICKED) {
        OnList();
        return 1;
    }
    return CATabDialog::OnCommandHook(id, code);
}
