#include "features/management/subscribers/subscriber_data_dlg.h"

#include "core/entity/entity_id.h"
#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "features/management/common/server_combos.h"
#include "features/management/subscribers/subscriber_fields.h"
#include "link/record_requests.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_subscriber_data_dlg.h"

#include <QLineEdit>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected

} // namespace

CSubscriberDataDlg::CSubscriberDataDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CSubscriberDataDlg>()), combos_(*this, false)
{
    ui_->setupUi(this);
}

CSubscriberDataDlg::~CSubscriberDataDlg() = default;

void CSubscriberDataDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdEditId, id_);
    DDX_Text(dx, kNameEditId, name_);
}

void CSubscriberDataDlg::InitData()
{
    if (EndWithoutServer(*this))
        return;
    if (CheckAccessRightOrClose(kRightSubscribers) != 0)
        return;
    LimitTextToField(kIdEditId, kSubscriberTextWidth);
    LimitTextToField(kNameEditId, kSubscriberTextWidth);
    AddPage(CSubscriberClassPage::kTemplateId, &classPage_, "Class/Type");
    AddPage(CSubscriberContactPage::kTemplateId, &contactPage_, "Contact");

    const auto targetNe = static_cast<uint32_t>(GetNeId());
    combos_.FillForNe(targetNe, static_cast<uint32_t>(GetLocationId()));
    OnNeChanged();
    const CEntityIndex& target = GetTargetEntity().index;
    combos_.FillShelves(target);
    if (combos_.ChosenNe() == nullptr || (!IsCreating() && combos_.ChosenNeId() != targetNe))
        ShowAlertTextById(kStrUnknownNe, CSubscriberPortCombos::kNeComboId);
    if (!IsCreating()) {
        // A port the combos do not show is told after an unknown NE, in its place.
        const CEntityIndex chosen = combos_.ChosenIndex();
        if (CEntityId(&chosen).id != GetTargetEntity().id)
            ShowAlertTextById(kStrEntityDoesNotExist, CSubscriberPortCombos::kPortComboId);
        EnableControls({CSubscriberPortCombos::kLocationComboId, CSubscriberPortCombos::kNeComboId,
                        CSubscriberPortCombos::kShelfComboId, CSubscriberPortCombos::kSlotComboId,
                        CSubscriberPortCombos::kPortComboId},
                       false);
        ReadSubscriber();
    }
    UpdatePageData(AllPages(), 0);
}

void CSubscriberDataDlg::OnNeChanged()
{
    EnableControl(IDOK, GetAccessMode() != kAccessQuery && combos_.ChosenNe() != nullptr);
}

void CSubscriberDataDlg::ReadSubscriber()
{
    SubscriberCriteria criteria;
    criteria.scopeEntityId = GetTargetEntity().id;
    criteria.firstRow = 1;
    criteria.rowCount = 1;
    const RecordReply<SubscriberRecord> reply =
        CRecordRequests().Query(kReqSubscriber, combos_.ChosenNeId(), criteria, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return;
    const SubscriberRecord& rec = reply.records.back();
    id_ = QString::fromStdString(rec.subscriberId);
    name_ = QString::fromStdString(rec.name);
    classPage_.classRadio = ClassRadioOf(rec.subscriberClass);
    classPage_.serviceRadio = ServiceRadioOf(rec.serviceType);
    contactPage_.telephone = QString::fromStdString(rec.telephone);
    contactPage_.mobile = QString::fromStdString(rec.mobile);
    contactPage_.email = QString::fromStdString(rec.email);
    contactPage_.address = QString::fromStdString(rec.address);
}

int CSubscriberDataDlg::OnCommandHook(int id, int code)
{
    if (code != CBN_SELCHANGE || !combos_.OnSelChange(id))
        return 0;
    if (id == CSubscriberPortCombos::kLocationComboId || id == CSubscriberPortCombos::kNeComboId)
        OnNeChanged();
    return 1;
}

bool CSubscriberDataDlg::RefuseLeadingStar(int id, const QString& text)
{
    if (!text.startsWith(QLatin1Char('*')))
        return false;
    ShowAlertTextById(kStrFirstCharNotStar, id);
    if (auto* edit = GetDlgItemAs<QLineEdit>(id))
        edit->setSelection(0, 1);
    return true;
}

void CSubscriberDataDlg::OnOK()
{
    if (GetAccessMode() == kAccessQuery || UpdatePageData(AllPages(), 1) == 0)
        return;
    if (RefuseLeadingStar(kIdEditId, id_) || RefuseLeadingStar(kNameEditId, name_))
        return;
    if (combos_.ChosenNe() == nullptr) {
        ShowAlertTextById(kStrUnknownNe, CSubscriberPortCombos::kNeComboId);
        return;
    }
    const QString id = id_.trimmed();
    const QString name = name_.trimmed();
    if (id.isEmpty() || name.isEmpty()) {
        ShowAlertTextById(kStrDataIsBlank, id.isEmpty() ? kIdEditId : kNameEditId);
        return;
    }
    if (GetAccessMode() == kAccessModify && ShowMessageById(kStrSureToModifySubscriber, kConfirmFlags) != IDYES)
        return;

    SetNeId(static_cast<int>(combos_.ChosenNeId()));
    SubscriberRecord rec;
    rec.neId = combos_.ChosenNeId();
    const CEntityIndex port = combos_.ChosenIndex();
    rec.entityId = CEntityId(&port).id;
    rec.subscriberId = id.toStdString();
    rec.name = name.toStdString();
    rec.serviceType = ServiceOfRadio(classPage_.serviceRadio);
    rec.subscriberClass = ClassOfRadio(classPage_.classRadio);
    rec.telephone = contactPage_.telephone.toStdString();
    rec.mobile = contactPage_.mobile.toStdString();
    rec.email = contactPage_.email.toStdString();
    rec.address = contactPage_.address.toStdString();
    const uint32_t failure = GetAccessMode() == kAccessModify ? kStrFailToUpdateData : kStrAddingNewDataFailed;
    if (!CRecordRequests().Add(kReqSubscriber, rec.neId, rec, {.failureTextId = failure}).Ok())
        return;
    result_ = rec;
    EndDialog(IDOK);
}

void CSubscriberDataDlg::ReturnResultFields(DialogRequest& request) const
{
    const auto bytes = EncodeRecord(result_);
    request.resultRecord.assign(bytes.begin(), bytes.end());
}
