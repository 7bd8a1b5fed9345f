#include "features/provisioning/arp_proxy/arp_proxy_setting_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/arp_proxy_setting_rec.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_arp_proxy_setting_dlg.h"

#include <QLineEdit>

#include <algorithm>

CArpProxySettingDlg::CArpProxySettingDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CArpProxySettingDlg>())
{
    ui_->setupUi(this);
}

CArpProxySettingDlg::~CArpProxySettingDlg() = default;

void CArpProxySettingDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledRadioId, kDisabledRadioId}, stateRadio_);
    DDX_Text(dx, kLifeTimeId, lifeTime_);
    QString aging = QString::number(agingTime_);
    DDX_Text(dx, kAgingTimeId, aging);
}

void CArpProxySettingDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightArpProxySetting) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    const RecordReply<ArpProxySettingRec> reply = CRecordRequests().Query<ArpProxySettingRec>(
        kReqArpProxy, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty()) {
        const ArpProxySettingRec& rec = reply.records.front();
        stateRadio_ = rec.state == 1 ? 0 : 1;
        lifeTime_ = QString::number(rec.lifeSeconds);
        agingTime_ = rec.lifeSeconds / 2;
    }
    UpdateData(false);
}

int CArpProxySettingDlg::OnCommandHook(int id, int code)
{
    if (id == kLifeTimeId && code == EN_KILLFOCUS) {
        UpdateData(true);
        const uint32_t life = std::clamp<uint32_t>(lifeTime_.toUInt(), kLeastLifeTime, kMostLifeTime);
        lifeTime_ = QString::number(life);
        agingTime_ = life / 2;
        UpdateData(false);
        return 1;
    }
    return CADialog::OnCommandHook(id, code);
}

int CArpProxySettingDlg::OnNotifyHook(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS && header.idFrom == kLifeTimeSpinId) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kLifeTimeId), header.delta, kLeastLifeTime, kMostLifeTime);
        return 1;
    }
    return CADialog::OnNotifyHook(header, result);
}

void CArpProxySettingDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    bool number = false;
    const uint32_t life = lifeTime_.toUInt(&number);
    if (!number || life < kLeastLifeTime || life > kMostLifeTime) {
        ShowAlertTextById(kStrArpLifeTimeRange, kLifeTimeId, 0, kLifeTimeSpinId);
        return;
    }
    const ArpProxySettingRec rec{stateRadio_ == 0 ? 1u : 2u, life / 2, life};
    if (!CRecordRequests()
             .Modify(kReqArpProxy, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
