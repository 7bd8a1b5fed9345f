#include "features/provisioning/fast_prov/xdsl_port_setting_page.h"

#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_port_setting_page.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>

#include <array>

namespace {

constexpr std::array<int, 3> kUpstreamGroupIds = {1069, 1070, 1071};
constexpr std::array<int, 4> kDownstreamGroupIds = {1079, 1080, 1081, 1082};

// The editors Show opens: ADSL and SHDSL line cards apart; traffic policing serves both.
constexpr const char* kAdslLineEditor = "CAdslLineProfileDlg";
constexpr const char* kShdslLineEditor = "CShdslLineProfileDlg";
constexpr const char* kAdslPmEditor = "CXdslPmThresholdProfileDlg";
constexpr const char* kShdslPmEditor = "CShdslPmThresholdProfileDlg";
constexpr const char* kPolicingEditor = "CTrafficPolicingProfileDlg";

void FillNames(QComboBox* combo, const std::vector<std::string>& names)
{
    combo->clear();
    combo->addItem(LoadQString(kStrNone));
    for (const std::string& name : names)
        combo->addItem(QString::fromStdString(name));
    combo->setCurrentIndex(0);
}

// The chosen name; empty for " <none>".
std::string Chosen(const QComboBox* combo)
{
    return combo->currentIndex() > 0 ? combo->currentText().toStdString() : std::string();
}

uint32_t GroupMask(const CADialog& page, const int* ids, size_t count)
{
    uint32_t mask = 0;
    for (size_t i = 0; i < count; ++i) {
        const auto* box = page.GetDlgItemAs<QCheckBox>(ids[i]);
        if (box != nullptr && box->isChecked())
            mask |= 1u << i;
    }
    return mask;
}

} // namespace

CXdslPortSettingPage::CXdslPortSettingPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslPortSettingPage>())
{
    ui_->setupUi(this);
}

CXdslPortSettingPage::~CXdslPortSettingPage() = default;

bool CXdslPortSettingPage::OnInitDialog()
{
    CADialog::OnInitDialog();
    FillNames(ui_->lineCombo, {});
    FillNames(ui_->pmCombo, {});
    FillNames(ui_->policingCombo, {});
    // The profile names are long: the lists open wider than the combos.
    for (QComboBox* combo : {ui_->lineCombo, ui_->pmCombo, ui_->policingCombo})
        combo->view()->setMinimumWidth(combo->width() * 2);
    UpdateShowButtons();
    return true;
}

void CXdslPortSettingPage::SetPolicingProfiles(const std::vector<std::string>& names)
{
    FillNames(ui_->policingCombo, names);
    UpdateShowButtons();
}

void CXdslPortSettingPage::OfferClass(bool shdsl)
{
    shdsl_ = shdsl;
    FillNames(ui_->lineCombo, shdsl ? lineProfiles_.shdsl : lineProfiles_.adsl);
    FillNames(ui_->pmCombo, shdsl ? pmProfiles_.shdsl : pmProfiles_.adsl);
    for (const int id : {kPolicingLabelId, kPolicingProfileId, kShowPolicingId}) {
        if (QWidget* control = GetDlgItem(id))
            control->setVisible(!shdsl);
    }
    UpdateShowButtons();
}

std::string CXdslPortSettingPage::LineProfile() const
{
    return Chosen(ui_->lineCombo);
}

std::string CXdslPortSettingPage::PmProfile() const
{
    return Chosen(ui_->pmCombo);
}

std::string CXdslPortSettingPage::PolicingProfile() const
{
    return shdsl_ ? std::string() : Chosen(ui_->policingCombo);
}

uint32_t CXdslPortSettingPage::UpstreamGroups() const
{
    return GroupMask(*this, kUpstreamGroupIds.data(), kUpstreamGroupIds.size());
}

uint32_t CXdslPortSettingPage::DownstreamGroups() const
{
    return GroupMask(*this, kDownstreamGroupIds.data(), kDownstreamGroupIds.size());
}

void CXdslPortSettingPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledId, kDisabledId}, stateIndex_);
}

void CXdslPortSettingPage::UpdateShowButtons()
{
    EnableControl(kShowLineId, ui_->lineCombo->currentIndex() > 0);
    EnableControl(kShowPmId, ui_->pmCombo->currentIndex() > 0);
}

void CXdslPortSettingPage::ShowProfile(int comboId)
{
    const auto* combo = GetDlgItemAs<QComboBox>(comboId);
    const std::string name = Chosen(combo);
    if (name.empty())
        return;
    DialogRequest request;
    switch (comboId) {
    case kLineProfileId:
        request.className = shdsl_ ? kShdslLineEditor : kAdslLineEditor;
        break;
    case kPmProfileId:
        request.className = shdsl_ ? kShdslPmEditor : kAdslPmEditor;
        break;
    default:
        request.className = kPolicingEditor;
        break;
    }
    request.hasTarget = true;
    request.neId = static_cast<uint32_t>(GetNeId());
    request.accessMode = kAccessQuery;
    request.profileName = name;
    OpenRouteDialog(request);
}

int CXdslPortSettingPage::OnCommandHook(int id, int code)
{
    if (code == CBN_SELCHANGE && (id == kLineProfileId || id == kPmProfileId)) {
        UpdateShowButtons();
        return 1;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case kShowLineId:
            ShowProfile(kLineProfileId);
            return 1;
        case kShowPmId:
            ShowProfile(kPmProfileId);
            return 1;
        case kShowPolicingId:
            ShowProfile(kPolicingProfileId);
            return 1;
        default:
            break;
        }
    }
    return CADialog::OnCommandHook(id, code);
}
