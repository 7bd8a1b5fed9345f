#pragma once
// The pages of the SHDSL line profile editor (CShdslLineProfileDlg):
//   - CShdslLineProfileRatePage ("Transmission Rate", template 408): the rate mode (fixed or adaptive at start-up) and
//     the minimum and maximum rates in kbit/s. A rate left or stepped keeps to the grid (shdsl_line_profile_values.h);
//     in fixed mode the maximum is the minimum and cannot be edited.
//   - CShdslLineProfileMarginPage ("SNR Margin", template 409): the current-condition and worst-case target margins
//     of both directions, -10..21 dB, each changed by its spin (wrapping) while its box is ticked.
//   - CShdslLineProfileMiscPage ("Miscellaneous", template 410): PSD mask, annex and line probe.
// Each page exchanges its part of ShdslLineProfileValues.

#include "features/provisioning/profiles/shdsl_line_profile_values.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CShdslLineProfileRatePage;
class CShdslLineProfileMarginPage;
class CShdslLineProfileMiscPage;
} // namespace Ui

class CShdslLineProfileRatePage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 408;
    static constexpr int kFixedId = 1301;
    static constexpr int kAdaptiveId = 1299;
    static constexpr int kMinId = 1237;
    static constexpr int kMaxId = 1228;
    // Each edit's spin has the next id.
    static constexpr int kSpinOffset = 1;

    explicit CShdslLineProfileRatePage(QWidget* parent = nullptr);
    ~CShdslLineProfileRatePage() override;

    void SetValues(const ShdslLineProfileValues& values) { values_ = values; }
    // Only the rate members are the page's.
    const ShdslLineProfileValues& Values() const { return values_; }
    // The maximum as the mode allows: equal to the minimum and read-only in fixed mode.
    void ApplyMode();

    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

private:
    // A rate edit left (no steps) or stepped: the page saved, the rate on the grid; in fixed mode the other rate
    // follows.
    void Hold(int id, int steps);

    std::unique_ptr<Ui::CShdslLineProfileRatePage> ui_;
    ShdslLineProfileValues values_;
};

class CShdslLineProfileMarginPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 409;
    static constexpr int kUseCurrentUpId = 1059;
    static constexpr int kUseWorstUpId = 1060;
    static constexpr int kUseCurrentDownId = 1061;
    static constexpr int kUseWorstDownId = 1062;
    // The margins' read-only edits and their spins, in the order of the boxes.
    static constexpr std::array<int, 4> kEditIds = {1365, 1233, 1368, 1235};
    static constexpr std::array<int, 4> kSpinIds = {1366, 1234, 1369, 1236};
    static constexpr std::array<int, 4> kBoxIds = {kUseCurrentUpId, kUseWorstUpId, kUseCurrentDownId, kUseWorstDownId};

    explicit CShdslLineProfileMarginPage(QWidget* parent = nullptr);
    ~CShdslLineProfileMarginPage() override;

    void SetValues(const ShdslLineProfileValues& values) { values_ = values; }
    const ShdslLineProfileValues& Values() const { return values_; }
    // Each spin enabled while its box is ticked.
    void ApplyBoxes();

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

private:
    std::unique_ptr<Ui::CShdslLineProfileMarginPage> ui_;
    ShdslLineProfileValues values_;
};

class CShdslLineProfileMiscPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 410;
    static constexpr int kSymmetricId = 1059;
    static constexpr int kAsymmetricId = 1060;
    static constexpr int kAnnexAId = 1061;
    static constexpr int kAnnexBId = 1062;
    static constexpr int kAnnexABId = 1063;
    static constexpr int kProbeEnabledId = 1064;
    static constexpr int kProbeDisabledId = 1065;

    explicit CShdslLineProfileMiscPage(QWidget* parent = nullptr);
    ~CShdslLineProfileMiscPage() override;

    void SetValues(const ShdslLineProfileValues& values) { values_ = values; }
    const ShdslLineProfileValues& Values() const { return values_; }

    void DoDataExchange(CDataExchange& dx) override;

private:
    std::unique_ptr<Ui::CShdslLineProfileMiscPage> ui_;
    ShdslLineProfileValues values_;
};
