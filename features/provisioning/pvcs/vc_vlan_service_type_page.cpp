#include "features/provisioning/pvcs/vc_vlan_service_type_page.h"

#include "core/util/ip_address.h"
#include "features/provisioning/pvcs/pvc_values.h"
#include "platform/list_control.h"
#include "ui/framework/dialogs/ip_address_range_dlg.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_vc_vlan_service_type_page.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr uint32_t kMaxLimit = 64;

std::vector<ListColumn<PvcStaticIpEntry>> Columns()
{
    return {
        {.value = [](const PvcStaticIpEntry& range) { return ListValue(range.baseAddress); },
         .order = ListOrder::kIpv4},
        {.value = &PvcStaticIpEntry::count, .order = ListOrder::kUnsigned},
    };
}

} // namespace

CVcVlanServiceTypePage::CVcVlanServiceTypePage(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.listId = kRangesId,
                      .popupName = "ADD_DEL_EDIT_LIST2",
                      .rowCommands = {kRowModify, kRowDelete},
                      .activateCommand = kModifyButtonId},
                     parent),
      ui_(std::make_unique<Ui::CVcVlanServiceTypePage>()), rows_(*this, Columns())
{
    ui_->setupUi(this);
    // The container sets the type before the page has been shown: the items carry their types at once.
    if (auto* combo = GetDlgItemAs<QComboBox>(kServiceTypeId)) {
        for (int i = 0; i < combo->count(); ++i)
            combo->setItemData(i, i + 1);
    }
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
    // The container gives the ranges before the page has been shown: the list takes them into its columns.
    InitListColumnsById(kStrColumnsStaticIpRanges, kRangesId);
}

CVcVlanServiceTypePage::~CVcVlanServiceTypePage() = default;

void CVcVlanServiceTypePage::InitData()
{
    // A type the container gave stays, also none for a type the program does not know.
    if (auto* combo = GetDlgItemAs<QComboBox>(kServiceTypeId); combo != nullptr && !typeGiven_)
        combo->setCurrentIndex(std::max(combo->currentIndex(), 0));
    UpdateData(false);
    ApplyServiceTypeRule();
    TellContainer();
}

uint32_t CVcVlanServiceTypePage::ServiceType() const
{
    const auto* combo = GetDlgItemAs<QComboBox>(kServiceTypeId);
    return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentData().toUInt() : 0;
}

void CVcVlanServiceTypePage::SetServiceType(uint32_t serviceType)
{
    typeGiven_ = true;
    if (auto* combo = GetDlgItemAs<QComboBox>(kServiceTypeId))
        combo->setCurrentIndex(serviceType >= kServicePppoe && serviceType <= kServiceTransparent
                                   ? static_cast<int>(serviceType) - 1
                                   : -1);
}

void CVcVlanServiceTypePage::SetLimits(uint8_t dhcpIpLimit, uint8_t clientLimit)
{
    dhcpLimit_ = dhcpIpLimit;
    clientLimit_ = clientLimit;
    UpdateData(false);
}

PvcStaticIps CVcVlanServiceTypePage::Ranges() const
{
    PvcStaticIps ranges{};
    const CListControl list = List();
    size_t used = 0;
    for (int row = 0; list.IsValid() && row < list.GetItemCount() && used < ranges.size(); ++row) {
        if (const PvcStaticIpEntry* range = rows_.Find(list.GetItemData(row)))
            ranges[used++] = *range;
    }
    return ranges;
}

void CVcVlanServiceTypePage::SetRanges(const PvcStaticIps& ranges)
{
    std::vector<PvcStaticIpEntry> shown;
    for (const PvcStaticIpEntry& range : ranges) {
        if (!IsZeroIpAddress(range.baseAddress) && range.count != 0)
            shown.push_back(range);
    }
    rows_.SetRecords(shown);
    UpdateRowCommands();
    ApplyServiceTypeRule();
}

void CVcVlanServiceTypePage::SelectRange(int index)
{
    // Ranges() takes the rows in the list's order.
    const CListControl list = List();
    if (list.IsValid() && index >= 0 && index < list.GetItemCount())
        SelectRowByItemData(list.GetItemData(index));
}

bool CVcVlanServiceTypePage::RangesInUse() const
{
    return IsStaticIpService(ServiceType());
}

bool CVcVlanServiceTypePage::IsFull() const
{
    return List().GetItemCount() >= static_cast<int>(kMaxStaticIpRanges);
}

void CVcVlanServiceTypePage::ApplyServiceTypeRule()
{
    const uint32_t type = ServiceType();
    const bool dhcp = type == kServiceDhcp || type == kServicePppoeDhcp;
    EnableControls({kDhcpLimitId, kDhcpLimitSpinId}, dhcp);
    EnableControls({kClientLimitId, kClientLimitSpinId}, type == kServiceTransparent);
    EnableControl(kRangesId, RangesInUse());
    EnableControl(kAddButtonId, RangesInUse() && !IsFull());
    UpdateRowCommands();
}

bool CVcVlanServiceTypePage::IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const
{
    return RangesInUse() && CRecordListDlg::IsRowCommandOn(command, selected);
}

std::vector<uint16_t> CVcVlanServiceTypePage::GreyedPopupCommands() const
{
    if (!RangesInUse())
        return {kPopupAdd, kPopupModify, kPopupDelete};
    return IsFull() ? std::vector<uint16_t>{kPopupAdd} : std::vector<uint16_t>{};
}

void CVcVlanServiceTypePage::DoDataExchange(CDataExchange& dx)
{
    DDX_TextInRange(dx, *this, kDhcpLimitId, dhcpLimit_, 1, kMaxLimit);
    DDX_TextInRange(dx, *this, kClientLimitId, clientLimit_, 1, kMaxLimit);
}

int CVcVlanServiceTypePage::OnCommandHook(int id, int code)
{
    if (id == kServiceTypeId && code == CBN_SELCHANGE) {
        ApplyServiceTypeRule();
        TellContainer();
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}

bool CVcVlanServiceTypePage::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS && (header.idFrom == kDhcpLimitSpinId || header.idFrom == kClientLimitSpinId)) {
        const int edit = header.idFrom == kDhcpLimitSpinId ? kDhcpLimitId : kClientLimitId;
        StepNumberEdit(GetDlgItemAs<QLineEdit>(edit), header.delta, 1, kMaxLimit);
        return true;
    }
    return CRecordListDlg::OnNotify(header, result);
}

bool CVcVlanServiceTypePage::RunRangeDialog(PvcStaticIpEntry& range, uint8_t accessMode)
{
    CIpAddressRangeDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetAccessMode(accessMode);
    dlg.SetAddress(range.baseAddress);
    dlg.SetCount(range.count == 0 ? 1 : range.count);
    if (dlg.DoModal() != IDOK)
        return false;
    range.baseAddress = dlg.GetAddress();
    range.count = static_cast<uint8_t>(dlg.GetCount());
    return true;
}

void CVcVlanServiceTypePage::OnModifyRecord(uint32_t key)
{
    const PvcStaticIpEntry* found = rows_.Find(key);
    if (found == nullptr || !RangesInUse())
        return;
    PvcStaticIpEntry range = *found;
    if (RunRangeDialog(range, kAccessModify))
        rows_.Replace(key, range);
}

void CVcVlanServiceTypePage::OnAddRecord(std::optional<uint32_t>)
{
    if (!RangesInUse() || IsFull())
        return;
    PvcStaticIpEntry range;
    if (!RunRangeDialog(range, kAccessCreate))
        return;
    // Ranges of the same base may stand side by side here; OK refuses those that overlap.
    SelectRowByItemData(rows_.Append(range));
    ApplyServiceTypeRule();
    TellContainer();
}

void CVcVlanServiceTypePage::OnDeleteRecord(uint32_t key)
{
    if (!RangesInUse())
        return;
    rows_.Remove(key);
    ApplyServiceTypeRule();
    TellContainer();
}

void CVcVlanServiceTypePage::TellContainer()
{
    if (CADialog* container = ParentDialog())
        container->OnCommand(kChangedCommand, BN_CLICKED);
}
