#include "features/provisioning/fast_prov/fast_prov_list_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/ip_address.h"
#include "features/provisioning/fast_prov/fast_prov_batch.h"
#include "features/provisioning/pvcs/static_ip_range_check.h"
#include "features/provisioning/pvcs/vc_vlan_columns.h"
#include "ui/framework/lists/record_table_model.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_fast_prov_list_dlg.h"

#include <QCheckBox>

#include <cstdio>

namespace {

constexpr int kErrorBox = static_cast<int>(0x80000000u);
constexpr char kNoStaticIp[] = "---.---.---.--- / -";

int RowImage(const FastProvRow& row)
{
    switch (row.outcome) {
    case FastProvOutcome::kDone:
        return kImageDone;
    case FastProvOutcome::kFailed:
        return kImageFailed;
    default:
        return -1;
    }
}

// "1,2," for the set bits of a mask, without the last comma; "--" for none.
std::string GroupList(uint32_t mask, int groups)
{
    std::string text;
    for (int group = 0; group < groups; ++group) {
        if ((mask & (1u << group)) != 0)
            text += std::to_string(group + 1) + ",";
    }
    if (text.empty())
        return "--";
    text.pop_back();
    return text;
}

std::string Number(unsigned value)
{
    return std::to_string(value);
}

} // namespace

CFastProvListDlg::CFastProvListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = nullptr,
                      .rowCommands = {},
                      .activateCommand = 0,
                      .right = kRightFastProvisioning,
                      .exportStem = "xDslFP"},
                     parent),
      ui_(std::make_unique<Ui::CFastProvListDlg>()), rows_(*this, Columns())
{
    ui_->setupUi(this);
    SetRecordList(rows_);
}

CFastProvListDlg::~CFastProvListDlg() = default;

// No., Slot-Port, VPI, VCI, VLAN / Next-hop, Static IP / Limit; the rows keep the order they were made in.
std::vector<ListColumn<FastProvRow>> CFastProvListDlg::Columns()
{
    const auto pvcCell = [](auto cell) {
        return [cell](const FastProvRow& row) { return row.isPort ? ListValue(std::string()) : ListValue(cell(row)); };
    };
    return {
        {.value = [](const FastProvRow& row) { return ListValue(row.isPort ? Number(row.number) : std::string()); },
         .order = ListOrder::kArrival,
         .image = RowImage},
        {.value =
             [this](const FastProvRow& row) {
                 if (!row.isPort)
                     return ListValue(std::string());
                 const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
                 return ListValue(FormatEntityLocation(ne, row.port.index, 0, false));
             },
         .order = ListOrder::kArrival},
        {.value = pvcCell([](const FastProvRow& row) { return Number(row.vpi); }), .order = ListOrder::kArrival},
        {.value = pvcCell([](const FastProvRow& row) { return Number(row.vci); }), .order = ListOrder::kArrival},
        {.value = pvcCell(
             [this](const FastProvRow& row) { return params_.IsRouted() ? params_.nextHopName : Number(row.vlan); }),
         .order = ListOrder::kArrival},
        {.value = pvcCell([this](const FastProvRow& row) { return StaticIpText(row); }), .order = ListOrder::kArrival},
    };
}

std::string CFastProvListDlg::StaticIpText(const FastProvRow& row) const
{
    if (!IsStaticIpService(params_.serviceType) || IsZeroIpAddress(row.staticIp))
        return kNoStaticIp;
    const std::string address =
        params_.IsRouted() ? FormatIpAddress(row.staticIp.data()) : FormatIpAddressPadded(row.staticIp.data());
    return address + " / " + Number(params_.staticIpLimit);
}

void CFastProvListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightFastProvisioning) != 0 || CheckTargetNeOrClose() != 0)
        return;
    if (params_.first.GetLevel() != kEntityLevelSlot || params_.last.GetLevel() != kEntityLevelSlot) {
        ShowAlertTextById(kStrInternalError);
        EndDialog(IDCANCEL);
        return;
    }
    const CEntityType* card = CurrentEntityModels().FindModel(params_.moduleType);
    const std::string prefix =
        (card != nullptr ? card->GetName() : std::string()) + " - " + windowTitle().toStdString();
    UpdateCaption(kCaptionText, prefix.c_str(), true, true);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    EnableCheckBoxes();
    // A port row in white, its PVC rows in green.
    SetRowColorMode(kRowColorsBanded);
    SetRowColors({{1, 0x000000, 0xFFFFFF}, {params_.pvcsPerPort, 0x000000, 0x80FF80}});
    InitListColumnsById(kStrColumnsFastProv);
    ShowHeader();
    EnableControl(kStopId, false);
    BuildRows();
}

void CFastProvListDlg::ShowHeader()
{
    const auto enabledText = [](bool on) { return LoadQString(on ? kStrValueEnabled : kStrValueDisabled); };
    ui_->portState->setText(enabledText(params_.portEnabled));
    ui_->lineProfile->setText(QString::fromStdString(params_.lineProfile));
    ui_->pmProfile->setText(QString::fromStdString(params_.pmThresholdProfile));
    ui_->policingProfile->setText(params_.IsShdsl() ? QString()
                                                    : QString::fromStdString(params_.trafficPolicingProfile));
    char groups[32];
    std::snprintf(groups, sizeof groups, "%5s / %-7s", GroupList(params_.upstreamFilterGroups, 3).c_str(),
                  GroupList(params_.downstreamFilterGroups, 4).c_str());
    ui_->filterGroups->setText(groups);
    ui_->vcState->setText(enabledText(params_.vcEnabled));
    ui_->mode->setText(LoadQString(params_.IsRouted() ? kStrModeRouted : kStrModeBridged));
    ui_->priority->setText(QString::number(params_.userPriority));
    ui_->limits->setText(
        QStringLiteral("%1 / %2 / %3").arg(params_.macLimit).arg(params_.dhcpIpLimit).arg(params_.clientLimit));
    ui_->ipTraffic->setText(QString::fromStdString(params_.ipTrafficProfile));
    ui_->serviceType->setText(QString::fromStdString(ServiceTypeText(params_.serviceType, kServiceTransparent)));
    ui_->portCheck->setChecked(true);
    ui_->vcCheck->setChecked(true);
}

bool CFastProvListDlg::BuildRows()
{
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const CNeRecord* ne = FindNeById(neId);
    const std::vector<FastProvPort> ports = ListFastProvPorts(*ne, params_, CurrentEntityModels());
    // The addresses in use are read once, and only when some PVC takes a static IP block; a list that could not be
    // read holds nothing here, and the NE's rule check still judges the block.
    std::optional<std::vector<uint32_t>> used;
    const StaticIpConflictTest conflicts = [&](const std::array<uint8_t, 4>& first, uint8_t count) {
        if (!used)
            used = QueryUsedAddresses(kStrFailToQuery);
        PvcStaticIpEntry range;
        range.baseAddress = first;
        range.count = count;
        return CheckStaticIpRange(range, *used) != StaticIpRangeState::kValid;
    };
    FastProvExpansion expansion = ExpandFastProvRows(params_, ports, conflicts);
    if (expansion.vlanOverflow) {
        resultMessageId_ = kStrVlanIdOverflow;
        EndDialog(IDCANCEL);
        return false;
    }
    const std::vector<FastProvRow>& made = expansion.rows;
    std::vector<uint32_t> ticked;
    for (size_t key = 0; key < made.size(); ++key) {
        if (!made[key].skipped)
            ticked.push_back(static_cast<uint32_t>(key));
    }
    rows_.SetRecords(std::move(expansion.rows));
    for (const uint32_t key : ticked)
        rows_.Model().SetChecked(key, true);
    return true;
}

void CFastProvListDlg::TickRows(bool portRows, bool on)
{
    for (uint32_t key = 0; key < rows_.StoredCount(); ++key) {
        const FastProvRow* row = rows_.Find(key);
        if (row->isPort == portRows)
            rows_.Model().SetChecked(key, on);
    }
}

int CFastProvListDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED) {
        switch (id) {
        case kPortRowsCheckId:
            TickRows(true, ui_->portCheck->isChecked());
            return 1;
        case kPvcRowsCheckId:
            TickRows(false, ui_->vcCheck->isChecked());
            return 1;
        case kStopId:
            Stop();
            return 1;
        default:
            break;
        }
    }
    return CRecordListDlg::OnCommandHook(id, code);
}

void CFastProvListDlg::OnAddRecord(std::optional<uint32_t> /*selected*/)
{
    if (CheckTargetNe() != 0 || rows_.StoredCount() == 0)
        return;
    nextKey_ = 0;
    ticks_.Start();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const int id = child->property("ctrlId").toInt();
        if (id != 0)
            EnableControl(id, id == kListControlId || id == kStopId);
    }
}

void CFastProvListDlg::Stop()
{
    ticks_.Stop();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const int id = child->property("ctrlId").toInt();
        if (id != 0)
            EnableControl(id, id != kStopId);
    }
    UpdateRowCommands();
}

void CFastProvListDlg::OnExport()
{
    if (ticks_.Running())
        return;
    CRecordListDlg::OnExport();
}

void CFastProvListDlg::OnTimer(int id)
{
    if (!ticks_.OnTimer(id))
        CRecordListDlg::OnTimer(id);
}

void CFastProvListDlg::Tick()
{
    CRecordTableModel& model = rows_.Model();
    uint32_t key = nextKey_;
    while (key < rows_.StoredCount() && !model.IsChecked(key))
        ++key;
    if (key >= rows_.StoredCount()) {
        Stop();
        return;
    }
    nextKey_ = key + 1;
    FastProvRow row = *rows_.Find(key);
    if (row.skipped) {
        model.SetChecked(key, false);
        ticks_.Next();
        return;
    }
    CFastProvBatch batch(static_cast<uint32_t>(GetNeId()), params_);
    // Without the boards the tick ends as it is: no mark, no next tick; Stop stays for the operator.
    if (!batch.ReadBoards())
        return;
    row.outcome = FastProvOutcome::kPending;
    rows_.Replace(key, row);
    if (QTreeView* view = FindList(kListControlId))
        view->clearSelection();
    SelectRowByItemData(key);
    const FastProvStep step = batch.Run(row);
    if (!step.report.empty())
        ShowAppMessage(QString::fromStdString(step.report), kErrorBox);
    else if (step.messageId != 0)
        ShowMessageById(step.messageId, kErrorBox);
    // The policing refusal names the profile the header shows.
    if (step.messageId == kStrPvcDscpPolicing)
        SetMarkedControls(kPolicingProfileId);
    row.outcome = step.done ? FastProvOutcome::kDone : FastProvOutcome::kFailed;
    rows_.Replace(key, row);
    if (!step.done) {
        // The row keeps its tick: Go goes on from it.
        Stop();
        return;
    }
    model.SetChecked(key, false);
    ticks_.Next();
}

void CFastProvListDlg::OnDestroy()
{
    ticks_.Stop();
    CRecordListDlg::OnDestroy();
}
