#include "features/provisioning/vlans/protocol_vlan_dlg.h"

#include "core/tables/access_rights.h"
#include "core/util/vlan_id.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/dialogs/typed_name_check.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_protocol_vlan_dlg.h"

#include <QLineEdit>

#include <algorithm>
#include <optional>

namespace {

constexpr int kEnabledChoice = 0;
constexpr int kDisabledChoice = 1;
constexpr uint32_t kStateEnabled = 1;
constexpr uint32_t kStateDisabled = 2;

bool IsHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

QString FourDigits(uint16_t value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

} // namespace

CProtocolVlanDlg::CProtocolVlanDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CProtocolVlanDlg>())
{
    ui_->setupUi(this);
}

CProtocolVlanDlg::~CProtocolVlanDlg() = default;

void CProtocolVlanDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kEtherTypeId, etherType_);
    DDX_Text(dx, kNameId, name_);
    DDX_Radio(dx, {kEnabledId, kDisabledId}, choice_);
    DDX_TextInRange(dx, *this, kVlanId, vlanId_, kFirstVlanId, kLastVlanId);
}

void CProtocolVlanDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightProtocolVlans) != 0 || CheckTargetNeOrClose() != 0)
        return;
    if (auto* etherType = GetDlgItemAs<QLineEdit>(kEtherTypeId))
        etherType->setMaxLength(kEtherTypeDigits);
    if (auto* name = GetDlgItemAs<QLineEdit>(kNameId))
        name->setMaxLength(kNameMax);
    LimitTextToField(kNameId, kProtocolVlanNameWidth);
    const bool creating = GetAccessMode() == kAccessCreate;
    SetControlReadOnly(kEtherTypeId, !creating);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    etherType_ = FourDigits(entry_.etherType);
    UpdateData(false);
    if (creating)
        return;
    const RecordReply<ProtocolVlanRec> reply = CRecordRequests().Query<ProtocolVlanRec>(
        kReqProtocolVlan, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    const auto found = std::find_if(reply.records.begin(), reply.records.end(),
                                    [&](const ProtocolVlanRec& rec) { return rec.etherType == entry_.etherType; });
    if (found == reply.records.end())
        return;
    name_ = QString::fromStdString(found->name);
    choice_ = found->state == kStateEnabled ? kEnabledChoice : kDisabledChoice;
    vlanId_ = std::clamp<uint32_t>(found->vlanId, kFirstVlanId, kLastVlanId);
    UpdateData(false);
}

void CProtocolVlanDlg::FilterEtherType()
{
    auto* edit = GetDlgItemAs<QLineEdit>(kEtherTypeId);
    if (edit == nullptr || filtering_)
        return;
    const QString typed = edit->text();
    QString digits;
    for (QChar c : typed) {
        if (IsHexDigit(c) && digits.size() < kEtherTypeDigits)
            digits.append(c);
    }
    if (digits == typed)
        return;
    // What was typed that is no digit leaves no trace: the caret stays where it was before the key.
    const int caret = std::max(0, edit->cursorPosition() - 1);
    filtering_ = true;
    edit->setText(digits);
    edit->setCursorPosition(std::min(caret, static_cast<int>(digits.size())));
    filtering_ = false;
}

void CProtocolVlanDlg::TidyEtherType()
{
    if (auto* edit = GetDlgItemAs<QLineEdit>(kEtherTypeId))
        edit->setText(FourDigits(static_cast<uint16_t>(edit->text().toUInt(nullptr, 16) & 0xFFFF)));
}

int CProtocolVlanDlg::OnCommandHook(int id, int code)
{
    if (id != kEtherTypeId)
        return 0;
    if (code == EN_CHANGE)
        FilterEtherType();
    else if (code == EN_KILLFOCUS)
        TidyEtherType();
    else
        return 0;
    return 1;
}

bool CProtocolVlanDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kVlanSpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kVlanId), header.delta, kFirstVlanId, kLastVlanId);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

void CProtocolVlanDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    const QString name = name_.trimmed();
    if (name.isEmpty()) {
        ShowAlertTextById(kStrDataIsBlank, kNameId);
        return;
    }
    const bool creating = GetAccessMode() == kAccessCreate;
    // The trimmed name is checked; its bad character is selected where it stands in the box.
    if (creating) {
        if (const std::optional<TypedNameRefusal> refused = CheckTypedName(name_)) {
            ShowAlertTextById(refused->stringId, kNameId);
            SelectTypedNameFault(*this, kNameId, *refused);
            return;
        }
    }
    ProtocolVlanRec rec;
    rec.etherType = static_cast<uint16_t>(etherType_.toUInt(nullptr, 16) & 0xFFFF);
    rec.name = name.toStdString();
    rec.vlanId = static_cast<uint16_t>(vlanId_);
    rec.state = choice_ == kEnabledChoice ? kStateEnabled : kStateDisabled;
    const CRecordRequests requests;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const RequestOptions options{.failureTextId = kStrFailToUpdateData};
    const bool written = creating ? requests.Add(kReqProtocolVlan, neId, rec, options).Ok()
                                  : requests.Modify(kReqProtocolVlan, neId, rec, options).Ok();
    if (!written)
        return;
    entry_ = rec;
    EndDialog(IDOK);
}
