#include "features/fault/ne_alarm_io/ne_alarm_output_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "features/fault/ne_alarm_io/ne_alarm_contact_states.h"
#include "features/fault/ne_alarm_io/ne_alarm_output_dlg.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_ne_alarm_output_list_dlg.h"

#include <array>

namespace {

constexpr uint32_t kOutputReleased = 2;

ListValue Text(const QString& text)
{
    return text.toStdString();
}

// "Critical, Major, " ... for the mask's bits 0..3, without the last separator.
std::string SeveritiesText(uint16_t mask)
{
    constexpr std::array<uint32_t, 4> kTexts = {kStrCritical, kStrMajor, kStrMinor, kStrWarning};
    QString text;
    for (size_t bit = 0; bit < kTexts.size(); ++bit) {
        if ((mask & (1U << bit)) != 0)
            text += LoadQString(kTexts[bit]) + QStringLiteral(", ");
    }
    text.chop(text.isEmpty() ? 0 : 2);
    return text.toStdString();
}

} // namespace

CNeAlarmOutputListDlg::CNeAlarmOutputListDlg(QWidget* parent)
    : CNeAlarmContactListDlg({.templateId = kTemplateId,
                              .right = kRightNeAlarmOutputs,
                              .columnsId = kStrColumnsNeAlarmOutputs,
                              .refreshTimer = kRefreshTimer,
                              .exportStem = "DigitOut"},
                             parent),
      ui_(std::make_unique<Ui::CNeAlarmOutputListDlg>()), rows_(*this, Columns(), &NeAlarmOutputRec::entityId)
{
    ui_->setupUi(this);
    rows_.QueryOnFill(kReqNeAlarmOutput, kStrFailToQuery);
    rows_.SetTies(ListTies::kKey);
    SetRecordList(rows_);
}

CNeAlarmOutputListDlg::~CNeAlarmOutputListDlg() = default;

int CNeAlarmOutputListDlg::RowImage(const NeAlarmOutputRec& output) const
{
    if (output.currentState == kOutputReleased)
        return output.adminState == kAdminEnabled ? 0 : kImageDisabled;
    const uint32_t severity =
        CEntityNode::GetSummarySeverityById(FindNeById(static_cast<uint32_t>(GetNeId())), output.entityId);
    return severity >= 1 && severity <= 4 ? kImageSeverityCritical + static_cast<int>(severity) - 1 : 0;
}

// Index (the rows' numbers, sorted by the outputs' entities), Name, Severities, Admin State and Current State.
std::vector<ListColumn<NeAlarmOutputRec>> CNeAlarmOutputListDlg::Columns() const
{
    return {
        {.order = ListOrder::kUnsigned,
         .sortValue = [](const NeAlarmOutputRec& output) { return ListValue(output.entityId); },
         .image = [this](const NeAlarmOutputRec& output) { return RowImage(output); }},
        {.value = &NeAlarmOutputRec::name, .order = ListOrder::kNoCase80},
        {.value = [](const NeAlarmOutputRec& output) { return ListValue(SeveritiesText(output.severityMask)); },
         .order = ListOrder::kNoCase80},
        {.value = [](const NeAlarmOutputRec& output) { return Text(AdminStateText(output.adminState)); },
         .order = ListOrder::kNoCase80},
        {.value =
             [](const NeAlarmOutputRec& output) {
                 return Text(CurrentStateText(output.adminState, output.currentState, LoadQString(kStrStateEnabled),
                                              LoadQString(kStrStateDisabled)));
             },
         .order = ListOrder::kNoCase80},
    };
}

void CNeAlarmOutputListDlg::ClearRows()
{
    rows_.SetRecords({});
}

bool CNeAlarmOutputListDlg::ModifyContact(uint32_t entityId)
{
    const NeAlarmOutputRec* output = rows_.Find(entityId);
    if (output == nullptr)
        return false;
    CNeAlarmOutputDlg dlg(this);
    const CEntityId entity(entityId);
    dlg.SetTarget(GetNeId(), &entity);
    dlg.SetIndex(rows_.ArrivalOf(entityId));
    if (dlg.DoModal() != IDOK)
        return false;
    // Whether the relay is driven now is the NE's to say: the row keeps it until the list reads the NE again.
    NeAlarmOutputRec changed = dlg.GetOutput();
    changed.currentState = output->currentState;
    rows_.Put(changed);
    return true;
}
