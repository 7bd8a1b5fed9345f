#include "features/management/subscribers/subscriber_select_dlg.h"

#include "core/entity/entity_id.h"
#include "features/management/common/server_combos.h"
#include "features/management/subscribers/subscriber_fields.h"
#include "features/management/subscribers/subscriber_list_dlg.h"
#include "link/records/subscriber_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_subscriber_select_dlg.h"

#include <QLineEdit>

CSubscriberSelectDlg::CSubscriberSelectDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CSubscriberSelectDlg>()), combos_(*this, true)
{
    ui_->setupUi(this);
}

CSubscriberSelectDlg::~CSubscriberSelectDlg() = default;

void CSubscriberSelectDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdEditId, id_);
    DDX_Text(dx, kNameEditId, name_);
    DDX_Check(dx, kIdSubstringCheckId, idSubstring_);
    DDX_Check(dx, kNameSubstringCheckId, nameSubstring_);
}

void CSubscriberSelectDlg::InitData()
{
    if (EndWithoutServer(*this))
        return;
    LimitTextToField(kIdEditId, kSubscriberTextWidth);
    LimitTextToField(kNameEditId, kSubscriberTextWidth);
    combos_.FillForNe(static_cast<uint32_t>(GetNeId()), static_cast<uint32_t>(GetLocationId()));
    combos_.FillShelves(GetTargetEntity().index);
    UpdateData(false);
}

int CSubscriberSelectDlg::OnCommandHook(int id, int code)
{
    return code == CBN_SELCHANGE && combos_.OnSelChange(id) ? 1 : 0;
}

bool CSubscriberSelectDlg::RefuseLeadingStar(int id, const QString& text)
{
    if (!text.startsWith(QLatin1Char('*')))
        return false;
    ShowAlertTextById(kStrFirstCharNotStar, id);
    if (auto* edit = GetDlgItemAs<QLineEdit>(id))
        edit->setSelection(0, 1);
    return true;
}

void CSubscriberSelectDlg::OnOK()
{
    if (!UpdateDialogData() || RefuseLeadingStar(kIdEditId, id_) || RefuseLeadingStar(kNameEditId, name_))
        return;
    // A real shelf narrows the search to it, or to its slot or port; otherwise the whole NE (or every NE).
    CEntityId scope;
    if (combos_.Chosen(CSubscriberPortCombos::kShelfComboId) != 0) {
        const CEntityIndex index = combos_.ChosenIndex();
        scope = CEntityId(&index);
    }
    CSubscriberListDlg list(this);
    list.SetPatterns(SubscriberPattern(id_.toStdString(), idSubstring_ != 0),
                     SubscriberPattern(name_.toStdString(), nameSubstring_ != 0));
    list.SetTarget(static_cast<int>(combos_.ChosenNeId()), &scope);
    list.DoModal();
    SetChangeFlags(GetChangeFlags() | list.GetChangeFlags());
}
