#include "features/provisioning/link_agg/link_agg_setting_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/trunk/subtend_check.h"
#include "features/provisioning/trunk/trunk_ports.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_link_agg_setting_dlg.h"

#include <QLineEdit>

namespace {

constexpr uint32_t kTypeLacp = 1;
constexpr uint32_t kTypeDisabled = 2;
constexpr uint32_t kTypeStatic = 3;
constexpr int kLacpRadio = 0;
constexpr int kStaticRadio = 1;
constexpr int kDisabledRadio = 2;
constexpr uint32_t kMostPriority = 65535;

} // namespace

CLinkAggSettingDlg::CLinkAggSettingDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CLinkAggSettingDlg>())
{
    ui_->setupUi(this);
}

CLinkAggSettingDlg::~CLinkAggSettingDlg() = default;

void CLinkAggSettingDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kLacpRadioId, kStaticRadioId, kDisabledRadioId}, typeRadio_);
    DDX_TextInRange(dx, *this, kSystemPriorityId, systemPriority_, 0, kMostPriority);
}

void CLinkAggSettingDlg::InitData()
{
    if (CheckRightOrClose(kRightLinkAggregation, 'q') != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    EnableControl(IDOK, CheckUserRight(AppData().role, kRightLinkAggregation, 'm') != 0);
    const auto neId = static_cast<uint32_t>(GetNeId());
    const CNeRecord* ne = FindNeById(neId);
    for (int group = 1; group <= 2; ++group)
        AddPage(CLacpActivityPage::kTemplateId, &GroupPage(group),
                LoadQString(kStrGroupPage).arg(group).toStdString().c_str());
    const std::vector<CEntityIndex> trunks = TrunkPortIndexes(ne);
    for (size_t i = 0; i < trunks.size() && i < portPages_.size(); ++i) {
        AddPage(CLacpGroupPage::kTemplateId, &portPages_[i], TrunkPortPageTitle(ne, trunks[i]).c_str());
        portPages_[i].SetGroupCount(static_cast<int>(i + 1));
    }

    const RecordReply<LinkAggregationRec> reply =
        CRecordRequests().Query<LinkAggregationRec>(kReqLinkAggregation, neId, {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty()) {
        const LinkAggregationRec& rec = reply.records.front();
        typeRadio_ = rec.aggregationType == kTypeLacp     ? kLacpRadio
                     : rec.aggregationType == kTypeStatic ? kStaticRadio
                                                          : kDisabledRadio;
        systemPriority_ = rec.systemPriority;
        GroupPage(1).activityRadio = rec.group1Activity == 1 ? 0 : 1;
        GroupPage(1).timeoutRadio = rec.group1Timeout == 1 ? 1 : 0;
        GroupPage(2).activityRadio = rec.group2Activity == 1 ? 0 : 1;
        GroupPage(2).timeoutRadio = rec.group2Timeout == 1 ? 1 : 0;
        PortPage(1).groupIndex = 0;
        PortPage(1).priority = rec.port1Priority;
        PortPage(2).groupIndex = rec.port2Group == 1 ? 0 : 1;
        PortPage(2).priority = rec.port2Priority;
    }
    UpdatePageData(AllPages(), 0);
    ApplyEnablingRules(false);
}

void CLinkAggSettingDlg::ApplyEnablingRules(bool fromClick)
{
    const bool lacp = typeRadio_ == kLacpRadio;
    EnableControl(kSystemPrioritySpinId, lacp);
    SetControlReadOnly(kSystemPriorityId, !lacp);
    for (CLacpActivityPage& page : groupPages_)
        page.ApplyEnablingRules(lacp);
    for (CLacpGroupPage& page : portPages_)
        page.ApplyEnablingRules(lacp);
    // Static aggregation has one group.
    if (typeRadio_ == kStaticRadio) {
        PortPage(2).groupIndex = 0;
        if (fromClick)
            UpdatePageData(&PortPage(2), 0);
    }
}

int CLinkAggSettingDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kLacpRadioId || id == kStaticRadioId || id == kDisabledRadioId)) {
        UpdatePageData(&PortPage(2), 1);
        UpdateData(true);
        ApplyEnablingRules(true);
        return 1;
    }
    return CATabDialog::OnCommandHook(id, code);
}

int CLinkAggSettingDlg::OnNotifyHook(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS && header.idFrom == kSystemPrioritySpinId) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kSystemPriorityId), header.delta, 0, kMostPriority);
        return 1;
    }
    return CATabDialog::OnNotifyHook(header, result);
}

LinkAggregationRec CLinkAggSettingDlg::Record() const
{
    LinkAggregationRec rec;
    rec.aggregationType = typeRadio_ == kLacpRadio     ? kTypeLacp
                          : typeRadio_ == kStaticRadio ? kTypeStatic
                                                       : kTypeDisabled;
    rec.systemPriority = static_cast<uint16_t>(systemPriority_);
    rec.group1Activity = groupPages_[0].activityRadio == 0 ? 1 : 0;
    rec.group1Timeout = groupPages_[0].timeoutRadio == 1 ? 1 : 0;
    rec.group2Activity = groupPages_[1].activityRadio == 0 ? 1 : 0;
    rec.group2Timeout = groupPages_[1].timeoutRadio == 1 ? 1 : 0;
    rec.port1Group = static_cast<uint8_t>(portPages_[0].groupIndex + 1);
    rec.port1Priority = static_cast<uint16_t>(portPages_[0].priority);
    rec.port2Group = static_cast<uint8_t>(portPages_[1].groupIndex + 1);
    rec.port2Priority = static_cast<uint16_t>(portPages_[1].priority);
    return rec;
}

void CLinkAggSettingDlg::OnOK()
{
    if (!IsControlEnabled(IDOK) || UpdatePageData(AllPages(), 1) == 0)
        return;
    if (typeRadio_ != kDisabledRadio && !CheckNotSubtending(*this, kStrSubtendExcludesAggregation, kLacpRadioId))
        return;
    if (!CRecordRequests()
             .Modify(kReqLinkAggregation, static_cast<uint32_t>(GetNeId()), Record(),
                     {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
