#include "features/management/discovery/discovery_range_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"
#include "core/util/ip_address.h"
#include "features/management/ne/ne_security_page.h"
#include "platform/ip_address_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_discovery_range_dlg.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kCommunityMax = 20;

} // namespace

CNeAutoDiscoveryRangeDlg::CNeAutoDiscoveryRangeDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeAutoDiscoveryRangeDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessCreate);
}

CNeAutoDiscoveryRangeDlg::~CNeAutoDiscoveryRangeDlg() = default;

void CNeAutoDiscoveryRangeDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kCommunityId, community_);
}

void CNeAutoDiscoveryRangeDlg::InitData()
{
    if (auto* edit = GetDlgItemAs<QLineEdit>(kCommunityId))
        edit->setMaxLength(kCommunityMax);
    LimitTextToField(kCommunityId, kDiscoveryRangeCommunityWidth);
    for (const int id : {kFromId, kToId}) {
        if (auto* address = GetDlgItemAs<IpAddressEdit>(id))
            address->ClearAddress();
    }
    if (auto* combo = GetDlgItemAs<QComboBox>(kModelComboId)) {
        combo->clear();
        combo->addItem(LoadQString(kStrAll), QVariant::fromValue<quint32>(0));
        const CEntityModelSet& models = CurrentEntityModels();
        for (int i = 0; i < models.GetTypeCount(); ++i) {
            const CEntityType* model = models.GetTypeAt(i);
            if (model != nullptr && model->GetLevel() == kEntityLevelNe)
                combo->addItem(QString::fromStdString(model->GetDisplayName()),
                               QVariant::fromValue<quint32>(model->GetId()));
        }
        combo->setCurrentIndex(0);
    }
    community_ = DefaultNeCommunity();
    UpdateData(false);
}

void CNeAutoDiscoveryRangeDlg::OnOK()
{
    if (!UpdateDialogData())
        return;
    IpAddress first{};
    IpAddress last{};
    for (const auto& [id, address] : {std::pair{kFromId, &first}, std::pair{kToId, &last}}) {
        const auto* edit = GetDlgItemAs<IpAddressEdit>(id);
        if (edit == nullptr || edit->IsBlank()) {
            ShowAlertTextById(kStrIncorrectIpAddress, id);
            return;
        }
        edit->GetAddress(*address);
    }
    if (CompareIpv4(first.data(), last.data()) > 0)
        std::swap(first, last);
    range_ = DiscoveryRangeRec{};
    range_.firstIp = first;
    range_.lastIp = last;
    const auto* combo = GetDlgItemAs<QComboBox>(kModelComboId);
    range_.modelId = combo != nullptr && combo->currentIndex() >= 0 ? combo->currentData().value<quint32>() : 0;
    range_.community = community_.toStdString();
    EndDialog(IDOK);
}
