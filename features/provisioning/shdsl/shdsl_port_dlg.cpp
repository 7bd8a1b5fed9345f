#include "features/provisioning/shdsl/shdsl_port_dlg.h"

#include "core/tables/access_rights.h"
#include "features/provisioning/common/port_dialog_start.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_shdsl_port_dlg.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace {

constexpr uint32_t kEnabled = 1;
constexpr uint32_t kDisabled = 2;
constexpr char kShdslLineProfileDlg[] = "CShdslLineProfileDlg";
constexpr char kShdslPmThresholdProfileDlg[] = "CShdslPmThresholdProfileDlg";

template <class Rec> std::vector<std::string> NamesOf(const std::vector<Rec>& records)
{
    std::vector<std::string> names;
    for (const Rec& rec : records)
        names.push_back(rec.name);
    return names;
}

} // namespace

CShdslPortDlg::CShdslPortDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CShdslPortDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CShdslPortDlg::~CShdslPortDlg() = default;

void CShdslPortDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledRadioId, kDisabledRadioId}, enableRadio_);
}

void CShdslPortDlg::InitData()
{
    if (!StartOnTargetPort(*this, kRightXdslPorts, *ui_->portLocation))
        return;
    const auto neId = static_cast<uint32_t>(GetNeId());
    // Profile names may be long: the dropped lists are twice as wide as their combos.
    for (int id : {kLineProfileComboId, kPmThresholdComboId}) {
        auto* combo = GetDlgItemAs<QComboBox>(id);
        combo->view()->setMinimumWidth(combo->width() * 2);
    }
    enableRadio_ = port_.enableState == kEnabled ? 0 : 1;
    {
        const CPduLogHold hold;
        const CRecordRequests requests;
        const RecordReply<ShdslLineProfileRec> lines =
            requests.Query(kReqShdslLineProfile, neId, ShdslLineProfileRec{}, {.failureTextId = kStrFailToQuery});
        FillCombo(kLineProfileComboId, kShowLineProfileId, NamesOf(lines.records), lines.Ok(), port_.lineProfile);
        const RecordReply<ShdslPmThresholdProfileRec> alarms = requests.Query<ShdslPmThresholdProfileRec>(
            kReqShdslPmThresholdProfile, neId, {.failureTextId = kStrFailToQuery});
        FillCombo(kPmThresholdComboId, kShowPmThresholdId, NamesOf(alarms.records), alarms.Ok(),
                  port_.pmThresholdProfile);
    }
    UpdateData(false);
}

void CShdslPortDlg::FillCombo(int comboId, int showId, const std::vector<std::string>& names, bool read,
                              const std::string& current)
{
    auto* combo = GetDlgItemAs<QComboBox>(comboId);
    combo->clear();
    combo->addItem(LoadQString(kStrNone));
    // Unread, the port's own profile stays offered: the list cannot tell that it is gone.
    const std::vector<std::string> offered =
        read ? names : (current.empty() ? std::vector<std::string>{} : std::vector<std::string>{current});
    for (const std::string& name : offered)
        combo->addItem(QString::fromStdString(name));
    const int found = current.empty() ? -1 : combo->findText(QString::fromStdString(current), Qt::MatchExactly);
    combo->setCurrentIndex(found > 0 ? found : 0);
    EnableControl(showId, found > 0);
}

std::string CShdslPortDlg::ChosenName(int comboId) const
{
    const auto* combo = GetDlgItemAs<QComboBox>(comboId);
    return combo->currentIndex() <= 0 ? std::string() : combo->currentText().toStdString();
}

void CShdslPortDlg::ShowProfile(int comboId, const char* className)
{
    DialogRequest request;
    request.className = className;
    request.hasTarget = true;
    request.neId = static_cast<uint32_t>(GetNeId());
    request.accessMode = kAccessQuery;
    request.templateMode = 0;
    request.profileName = ChosenName(comboId);
    OpenRouteDialog(request);
}

int CShdslPortDlg::OnCommandHook(int id, int code)
{
    if (code == CBN_SELCHANGE && (id == kLineProfileComboId || id == kPmThresholdComboId)) {
        EnableControl(id == kLineProfileComboId ? kShowLineProfileId : kShowPmThresholdId,
                      GetDlgItemAs<QComboBox>(id)->currentIndex() > 0);
        return 1;
    }
    if (code == BN_CLICKED && id == kShowLineProfileId) {
        ShowProfile(kLineProfileComboId, kShdslLineProfileDlg);
        return 1;
    }
    if (code == BN_CLICKED && id == kShowPmThresholdId) {
        ShowProfile(kPmThresholdComboId, kShdslPmThresholdProfileDlg);
        return 1;
    }
    return CADialog::OnCommandHook(id, code);
}

void CShdslPortDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    ShdslPortRec written;
    written.entityId = GetTargetEntity().id;
    written.lineProfile = ChosenName(kLineProfileComboId);
    written.pmThresholdProfile = ChosenName(kPmThresholdComboId);
    written.enableState = enableRadio_ == 0 ? kEnabled : kDisabled;
    if (!CRecordRequests()
             .Modify(kReqShdslPort, static_cast<uint32_t>(GetNeId()), written, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    port_.lineProfile = written.lineProfile;
    port_.pmThresholdProfile = written.pmThresholdProfile;
    port_.enableState = written.enableState;
    EndDialog(IDOK);
}
