#include "features/fault/ne_alarm_io/ne_alarm_input_dlg.h"

#include "core/tables/access_rights.h"
#include "features/fault/ne_alarm_io/ne_alarm_contact_name.h"
#include "features/fault/ne_alarm_io/ne_alarm_contact_states.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_alarm_input_dlg.h"

#include <QLineEdit>

namespace {

constexpr int kChoiceClosed = 0;
constexpr int kChoiceOpened = 1;
constexpr int kChoiceEnabled = 0;
constexpr int kChoiceDisabled = 1;

} // namespace

CNeAlarmInputDlg::CNeAlarmInputDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeAlarmInputDlg>())
{
    ui_->setupUi(this);
}

CNeAlarmInputDlg::~CNeAlarmInputDlg() = default;

void CNeAlarmInputDlg::SetInput(const NeAlarmInputRec& input, uint32_t index)
{
    input_ = input;
    index_ = QString::number(index);
}

void CNeAlarmInputDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIndexId, index_);
    DDX_Text(dx, kNameId, name_);
    DDX_Radio(dx, {kEnabledId, kDisabledId}, adminChoice_);
    DDX_Radio(dx, {kClosedId, kOpenedId}, normalChoice_);
}

void CNeAlarmInputDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeAlarmInputs) != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    if (auto* name = GetDlgItemAs<QLineEdit>(kNameId))
        name->setMaxLength(kNameMax);
    LimitTextToField(kNameId, kNeAlarmInputNameWidth);
    name_ = QString::fromStdString(input_.name);
    normalChoice_ = input_.normalState == kContactClosed ? kChoiceClosed : kChoiceOpened;
    adminChoice_ = input_.adminState == kAdminEnabled ? kChoiceEnabled : kChoiceDisabled;
    UpdateData(false);
}

void CNeAlarmInputDlg::OnOK()
{
    if (!UpdateDialogData() || !CheckContactName(*this, kNameId))
        return;
    NeAlarmInputRec rec;
    rec.entityId = GetTargetEntity().id;
    rec.name = name_.toStdString();
    rec.normalState = normalChoice_ == kChoiceOpened ? kContactOpened : kContactClosed;
    rec.adminState = adminChoice_ == kChoiceEnabled ? kAdminEnabled : kAdminDisabled;
    if (!CRecordRequests()
             .Modify(kReqNeAlarmInput, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    input_ = rec;
    EndDialog(IDOK);
}
