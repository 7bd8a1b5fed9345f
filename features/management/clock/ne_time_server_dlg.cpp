#include "features/management/clock/ne_time_server_dlg.h"

#include "core/tables/access_rights.h"
#include "features/management/clock/ne_time_rules.h"
#include "features/management/clock/ne_time_server_text.h"
#include "link/record_requests.h"
#include "link/records/ne_time_server_record.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_time_server_dlg.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int kSntpIndex = 1;

uint32_t NumberIn(const QLineEdit* edit)
{
    return edit != nullptr ? edit->text().trimmed().toUInt() : 0;
}

} // namespace

CNeTimeServerDlg::CNeTimeServerDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeTimeServerDlg>())
{
    ui_->setupUi(this);
}

CNeTimeServerDlg::~CNeTimeServerDlg() = default;

void CNeTimeServerDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_CBIndex(dx, kProtocolComboId, protocolIndex_);
    // The spins' ranges are the period's only bounds: the NE takes hours x 60 + minutes as it stands.
    DDX_TextInRange(dx, *this, kHoursId, hours_, 0, kMaxUpdateHours);
    DDX_TextInRange(dx, *this, kMinutesId, minutes_, 0, kMaxUpdateMinutesField);
    for (size_t i = 0; i < servers_.size(); ++i)
        DDX_Text(dx, kFirstServerId + static_cast<int>(i), servers_[i]);
}

void CNeTimeServerDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeTimeServers) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    if (auto* combo = GetDlgItemAs<QComboBox>(kProtocolComboId)) {
        combo->clear();
        combo->addItem(TimingProtocolText(kTimingProtocolNone));
        combo->addItem(TimingProtocolText(kTimingProtocolSntp));
    }
    for (int i = 0; i < 3; ++i) {
        if (auto* edit = GetDlgItemAs<QLineEdit>(kFirstServerId + i))
            edit->setMaxLength(kServerMax);
        LimitTextToField(kFirstServerId + i, kNeTimeServerNameWidth);
    }
    const RecordReply<NeTimeServerRecord> reply = CRecordRequests().Query<NeTimeServerRecord>(
        kReqNeTimeServer, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty()) {
        const NeTimeServerRecord& rec = reply.records.front();
        protocolIndex_ = rec.protocol == kTimingProtocolSntp ? kSntpIndex : 0;
        const UpdatePeriod period = SplitUpdatePeriod(rec.periodMinutes);
        hours_ = period.hours;
        minutes_ = period.minutes;
        for (size_t i = 0; i < servers_.size(); ++i)
            servers_[i] = QString::fromStdString(rec.servers[i]);
    }
    UpdateData(false);
    LockMinutesByHours();
}

void CNeTimeServerDlg::LockMinutesByHours()
{
    EnableControl(kMinutesSpinId, NumberIn(GetDlgItemAs<QLineEdit>(kHoursId)) < kMaxUpdateHours);
}

bool CNeTimeServerDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS && header.idFrom == kHoursSpinId) {
        auto* hours = GetDlgItemAs<QLineEdit>(kHoursId);
        const uint32_t stepped = StepUpdateHours(NumberIn(hours), header.delta);
        if (hours != nullptr)
            hours->setText(QString::number(stepped));
        if (stepped == kMaxUpdateHours) {
            if (auto* minutes = GetDlgItemAs<QLineEdit>(kMinutesId))
                minutes->setText(QStringLiteral("0"));
        }
        LockMinutesByHours();
        return true;
    }
    if (header.code == UDN_DELTAPOS && header.idFrom == kMinutesSpinId) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kMinutesId), header.delta, 0, kMaxUpdateMinutesField);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

bool CNeTimeServerDlg::CheckServer(int index)
{
    const int id = kFirstServerId + index;
    const std::string text = servers_[static_cast<size_t>(index)].toStdString();
    const TimeServerCheck check = CheckTimeServerText(text);
    switch (check.kind) {
    case TimeServerText::kBadCharacter:
        if (auto* edit = GetDlgItemAs<QLineEdit>(id))
            edit->setSelection(QString::fromStdString(text.substr(0, static_cast<size_t>(check.badCharacter))).size(),
                               1);
        ShowAlertTextById(kStrValidNameCharacters, id);
        return false;
    case TimeServerText::kIncorrectIpAddress:
        ShowAlertTextById(kStrIncorrectIpAddress, id);
        return false;
    case TimeServerText::kHostName:
    case TimeServerText::kIpAddress:
        return true;
    }
    return true;
}

void CNeTimeServerDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    for (int i = 0; i < static_cast<int>(servers_.size()); ++i) {
        if (!CheckServer(i))
            return;
    }
    NeTimeServerRecord rec;
    rec.protocol = protocolIndex_ == kSntpIndex ? kTimingProtocolSntp : kTimingProtocolNone;
    rec.periodMinutes = hours_ * 60 + minutes_;
    for (size_t i = 0; i < servers_.size(); ++i)
        rec.servers[i] = servers_[i].toStdString();
    if (!CRecordRequests()
             .Modify(kReqNeTimeServer, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
