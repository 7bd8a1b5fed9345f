#pragma once
// CAlarmWarningPage ("Alarm Warning", template 333), the first page of Client Options: whether and from which
// severity on the tree's icons flash and the alarm sound plays, the flash cycle, the silence between sounds and the
// wave file, which Play tries out. The settings the file may hold for service-affecting alarms ("SA") have no control:
// the page says so and saves them as no effect.

#include "core/config/alarm_signal_code.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Ui {
class CAlarmWarningPage;
}

class CAlarmWarningPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 333;
    static constexpr int kNoFlashId = 1059;
    static constexpr int kFlashId = 1060;
    static constexpr int kNoSoundId = 1061;
    static constexpr int kSoundId = 1062;
    static constexpr int kFlashLevelId = 1184;
    static constexpr int kSoundLevelId = 1185;
    static constexpr int kFlashCycleId = 1095;
    static constexpr int kFlashCycleSpinId = 1096;
    static constexpr int kSilenceId = 1097;
    static constexpr int kSilenceSpinId = 1098;
    static constexpr int kWaveFileId = 1257;
    static constexpr int kBrowseId = 1166;
    static constexpr int kPlayId = 1329;
    static constexpr uint32_t kMinFlashCycle = 1;
    static constexpr uint32_t kMaxFlashCycle = 10;
    static constexpr uint32_t kMaxSilence = 3600;
    static constexpr size_t kWaveFileMax = 127;

    explicit CAlarmWarningPage(QWidget* parent = nullptr);
    ~CAlarmWarningPage() override;

    // Takes the settings into the controls.
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnDestroy() override;

    // Writes what the controls hold into the settings and the ALARM section of the configuration file.
    void Save();

private:
    void EnableFlashControls();
    void EnableSoundControls();
    void CheckPlayButton();
    // The wave file the edit names, as the alarm sound resolves it.
    QString WaveFilePath() const;
    void OnBrowse();
    void OnPlay();

    std::unique_ptr<Ui::CAlarmWarningPage> ui_;
    int flashOn_ = 0;
    int soundOn_ = 0;
    int flashLevel_ = 0; // combo index: severity - 1
    int soundLevel_ = 0;
    uint32_t flashCycle_ = kMinFlashCycle;
    uint32_t silence_ = 0;
    QString waveFile_;
    bool played_ = false;
};
