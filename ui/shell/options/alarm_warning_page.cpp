#include "ui/shell/options/alarm_warning_page.h"

#include "core/config/app_settings.h"
#include "core/ini/file_path.h"
#include "platform/file_chooser.h"
#include "platform/wave_player.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/dialogs/tab_dialog.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/shell/app/ems_app.h"
#include "ui_alarm_warning_page.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// The severities a level combo offers, gravest first: entry k is severity k + 1.
constexpr uint32_t kLevelTexts[] = {kStrCritical, kStrMajor, kStrMinor, kStrWarning, kStrInfo};

bool IsSeverityLevel(int level)
{
    return level >= 1 && level <= 5;
}

void SetChecked(CDialog& page, int id, bool on)
{
    if (auto* radio = page.GetDlgItemAs<QRadioButton>(id))
        radio->setChecked(on);
}

bool IsChecked(const CDialog& page, int id)
{
    const auto* radio = page.GetDlgItemAs<QRadioButton>(id);
    return radio != nullptr && radio->isChecked();
}

} // namespace

CAlarmWarningPage::CAlarmWarningPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAlarmWarningPage>())
{
    ui_->setupUi(this);
}

CAlarmWarningPage::~CAlarmWarningPage() = default;

bool CAlarmWarningPage::OnInitDialog()
{
    CADialog::OnInitDialog();
    for (int combo : {kFlashLevelId, kSoundLevelId}) {
        auto* levels = GetDlgItemAs<QComboBox>(combo);
        levels->clear();
        for (uint32_t text : kLevelTexts)
            levels->addItem(LoadQString(text));
    }
    LimitTextToField(kWaveFileId, kWaveFileMax + 1);

    const CAppSettings& settings = AppSettings();
    flashOn_ = IsSeverityLevel(settings.flash.level) ? 1 : 0;
    flashLevel_ = flashOn_ != 0 ? settings.flash.level - 1 : 0;
    flashCycle_ = std::max(settings.flashCycle, kMinFlashCycle);
    soundOn_ = IsSeverityLevel(settings.beep.level) ? 1 : 0;
    soundLevel_ = soundOn_ != 0 ? settings.beep.level - 1 : 0;
    silence_ = settings.beepOffInterval;
    waveFile_ = QString::fromStdString(settings.beepFile);
    UpdateData(false);
    SetChecked(*this, flashOn_ != 0 ? kFlashId : kNoFlashId, true);
    SetChecked(*this, soundOn_ != 0 ? kSoundId : kNoSoundId, true);
    EnableFlashControls();
    EnableSoundControls();
    return true;
}

void CAlarmWarningPage::DoDataExchange(CDataExchange& dx)
{
    DDX_CBIndex(dx, kFlashLevelId, flashLevel_);
    DDX_CBIndex(dx, kSoundLevelId, soundLevel_);
    DDX_Text(dx, kWaveFileId, waveFile_);
    if (dx.IsSaving()) {
        flashOn_ = IsChecked(*this, kFlashId) ? 1 : 0;
        soundOn_ = IsChecked(*this, kSoundId) ? 1 : 0;
    }
    // A time is checked only where it counts.
    if (!dx.IsSaving() || flashOn_ != 0)
        DDX_TextInRange(dx, *this, kFlashCycleId, flashCycle_, kMinFlashCycle, kMaxFlashCycle);
    if (!dx.Failed() && (!dx.IsSaving() || soundOn_ != 0))
        DDX_TextInRange(dx, *this, kSilenceId, silence_, 0, kMaxSilence);
}

void CAlarmWarningPage::EnableFlashControls()
{
    const bool on = IsChecked(*this, kFlashId);
    SetControlReadOnly(kFlashCycleId, !on);
    EnableControls({kFlashCycleSpinId, kFlashLevelId}, on);
}

void CAlarmWarningPage::EnableSoundControls()
{
    const bool on = IsChecked(*this, kSoundId);
    SetControlsReadOnly({kSilenceId, kWaveFileId}, !on);
    EnableControls({kSilenceSpinId, kSoundLevelId, kBrowseId}, on);
    CheckPlayButton();
}

QString CAlarmWarningPage::WaveFilePath() const
{
    // The file found as the alarm sound finds it: ".\Sound\Alarm.wav" is the Sound directory of the working
    // directory, in whatever letter case it has there.
    const auto* edit = GetDlgItemAs<QLineEdit>(kWaveFileId);
    const QString text = edit != nullptr ? edit->text() : QString();
    if (text.isEmpty())
        return text;
    return QString::fromStdString(ResolveFilePath(NormalizeConfigPath(text.toStdString())));
}

void CAlarmWarningPage::CheckPlayButton()
{
    QFile wave(WaveFilePath());
    const bool readable = !wave.fileName().isEmpty() && wave.open(QIODevice::ReadOnly);
    EnableControl(kPlayId, readable && IsChecked(*this, kSoundId));
}

bool CAlarmWarningPage::OnCommand(int id, int code)
{
    switch (id) {
    case kNoFlashId:
    case kFlashId:
        EnableFlashControls();
        return true;
    case kNoSoundId:
    case kSoundId:
        EnableSoundControls();
        return true;
    case kBrowseId:
        OnBrowse();
        return true;
    case kPlayId:
        OnPlay();
        return true;
    case kWaveFileId:
        if (code == EN_CHANGE)
            CheckPlayButton();
        break;
    default:
        break;
    }
    return CADialog::OnCommand(id, code);
}

bool CAlarmWarningPage::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS && header.idFrom == kFlashCycleSpinId) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kFlashCycleId), header.delta, kMinFlashCycle, kMaxFlashCycle);
        return true;
    }
    if (header.code == UDN_DELTAPOS && header.idFrom == kSilenceSpinId) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kSilenceId), header.delta, 0, kMaxSilence);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

void CAlarmWarningPage::OnBrowse()
{
    auto* edit = GetDlgItemAs<QLineEdit>(kWaveFileId);
    FileChooserRequest request;
    request.fileName = edit->text();
    request.filter = QStringLiteral("Waveform Files (*.wav);;All Files (*.*)");
    request.parent = this;
    request.defaultSuffix = QStringLiteral("wav");
    if (const std::optional<QString> chosen = ChooseFile(request))
        edit->setText(*chosen);
    CheckPlayButton();
}

void CAlarmWarningPage::OnPlay()
{
    WavePlayer& player = CurrentWavePlayer();
    player.Stop();
    played_ = player.Play(WaveFilePath());
}

void CAlarmWarningPage::OnDestroy()
{
    if (played_)
        CurrentWavePlayer().Stop();
    played_ = false;
    CADialog::OnDestroy();
}

void CAlarmWarningPage::Save()
{
    CAppSettings& settings = AppSettings();
    settings.flash.serviceAffecting = false;
    settings.beep.serviceAffecting = false;
    settings.flash.level = flashOn_ != 0 ? static_cast<uint8_t>(flashLevel_ + 1) : 0;
    if (flashOn_ != 0)
        settings.flashCycle = flashCycle_;
    // No sound keeps the silence and the file for the next time the sound is on.
    settings.beep.level = soundOn_ != 0 ? static_cast<uint8_t>(soundLevel_ + 1) : 0;
    if (soundOn_ != 0) {
        settings.beepOffInterval = silence_;
        settings.beepFile = waveFile_.toStdString();
    }
    if (CEmsApp* app = GetEmsApp()) {
        app->SaveConfiguration("ALARM");
        if (IAppFrame* frame = app->GetMainFrame())
            frame->UpdateAlarmPanes();
    }
}
