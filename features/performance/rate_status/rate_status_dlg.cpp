#include "features/performance/rate_status/rate_status_dlg.h"

#include "core/tables/entity_labels.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "ui/framework/messages/string_ids.h"

#include <QLineEdit>

CRateStatusDlg::CRateStatusDlg(int templateId, const char* exportStem, QWidget* parent)
    : CRecordListDlg(templateId, {.popupName = "REFRESH_LIST", .rowCommands = {}, .exportStem = exportStem}, parent)
{
    SetNoSort(true);
}

void CRateStatusDlg::Refresh()
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (ne == nullptr) {
        ShowAlertTextById(kStrUnknownNe);
        return;
    }
    GetDlgItemAs<QLineEdit>(kEntityId)->clear();
    ClearValues();
    const uint32_t port = GetTargetEntity().id;
    const CEntityNode* node = ne->root != nullptr ? ne->root->FindById(port) : nullptr;
    if (node == nullptr) {
        ShowAlertTextById(kStrEntityDoesNotExist);
        return;
    }
    GetDlgItemAs<QLineEdit>(kEntityId)->setText(QString::fromStdString(FormatEntityLocationById(ne, port, true)));
    card_port_pager::EnableButtons(*this, *node);
    if (node->GetParent() != nullptr)
        ReadValues(port);
}

int CRateStatusDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && card_port_pager::IsPagerButton(id)) {
        const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
        if (const std::optional<CEntityId> port = card_port_pager::PortOfButton(ne, GetTargetEntity(), id)) {
            SetTarget(GetNeId(), &*port);
            Refresh();
        }
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}
