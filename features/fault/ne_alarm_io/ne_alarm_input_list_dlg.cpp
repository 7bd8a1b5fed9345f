#include "features/fault/ne_alarm_io/ne_alarm_input_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "features/fault/ne_alarm_io/ne_alarm_contact_states.h"
#include "features/fault/ne_alarm_io/ne_alarm_input_dlg.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_ne_alarm_input_list_dlg.h"

namespace {

bool IsDisabled(const NeAlarmInputRec& input)
{
    return input.adminState == kAdminDisabled;
}

ListValue Text(const QString& text)
{
    return text.toStdString();
}

ListValue EntityIdOf(const NeAlarmInputRec& input)
{
    return input.entityId;
}

} // namespace

CNeAlarmInputListDlg::CNeAlarmInputListDlg(QWidget* parent)
    : CNeAlarmContactListDlg({.templateId = kTemplateId,
                              .right = kRightNeAlarmInputs,
                              .columnsId = kStrColumnsNeAlarmInputs,
                              .refreshTimer = kRefreshTimer,
                              .exportStem = "DigitIn"},
                             parent),
      ui_(std::make_unique<Ui::CNeAlarmInputListDlg>()), rows_(*this, Columns(), &NeAlarmInputRec::entityId)
{
    ui_->setupUi(this);
    rows_.QueryOnFill(kReqNeAlarmInput, kStrFailToQuery);
    rows_.SetTies(ListTies::kKey);
    SetRecordList(rows_);
}

uint32_t CNeAlarmInputListDlg::Severity(const NeAlarmInputRec& input) const
{
    if (IsDisabled(input))
        return 0;
    const uint32_t value =
        CEntityNode::GetSummarySeverityById(FindNeById(static_cast<uint32_t>(GetNeId())), input.entityId);
    return value >= 1 && value <= 5 ? value : 0;
}

// Index (the rows' numbers, sorted by the inputs' entities), Name, Normal State, Admin State, Current State and
// Severity; a disabled input's row is grey, any other's has the colour of its severity.
std::vector<ListColumn<NeAlarmInputRec>> CNeAlarmInputListDlg::Columns() const
{
    return {
        {.order = ListOrder::kUnsigned,
         .sortValue = EntityIdOf,
         .image =
             [this](const NeAlarmInputRec& input) {
                 if (IsDisabled(input))
                     return kImageDisabled;
                 const uint32_t value = Severity(input);
                 return value != 0 ? kImageSeverityCritical + static_cast<int>(value) - 1 : 0;
             }},
        {.value = &NeAlarmInputRec::name, .order = ListOrder::kNoCase80},
        {.value = [](const NeAlarmInputRec& input) { return Text(NormalStateText(input.normalState)); },
         .order = ListOrder::kNoCase80},
        {.value = [](const NeAlarmInputRec& input) { return Text(AdminStateText(input.adminState)); },
         .order = ListOrder::kNoCase80},
        {.value =
             [](const NeAlarmInputRec& input) {
                 return Text(CurrentStateText(input.adminState, input.currentState, LoadQString(kStrContactOpened),
                                              LoadQString(kStrContactClosed)));
             },
         .order = ListOrder::kNoCase80},
        {.value =
             [this](const NeAlarmInputRec& input) {
                 const uint32_t value = Severity(input);
                 return Text(value != 0 ? SeverityText(static_cast<int>(value)) : QString());
             },
         .order = ListOrder::kNoCase80},
    };
}

CNeAlarmInputListDlg::~CNeAlarmInputListDlg() = default;

void CNeAlarmInputListDlg::ClearRows()
{
    rows_.SetRecords({});
}

bool CNeAlarmInputListDlg::ModifyContact(uint32_t entityId)
{
    const NeAlarmInputRec* input = rows_.Find(entityId);
    if (input == nullptr)
        return false;
    CNeAlarmInputDlg dlg(this);
    const CEntityId entity(entityId);
    dlg.SetTarget(GetNeId(), &entity);
    // The dialog gets the states as the row reads: opened or else closed, enabled or else disabled.
    NeAlarmInputRec shown = *input;
    shown.normalState = input->normalState == kContactOpened ? kContactOpened : kContactClosed;
    shown.adminState = input->adminState == kAdminEnabled ? kAdminEnabled : kAdminDisabled;
    dlg.SetInput(shown, rows_.ArrivalOf(entityId));
    if (dlg.DoModal() != IDOK)
        return false;
    // What the NE senses now is its own: the row keeps it until the list reads the NE again.
    NeAlarmInputRec changed = dlg.GetInput();
    changed.currentState = input->currentState;
    rows_.Put(changed);
    return true;
}
