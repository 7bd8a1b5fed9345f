#pragma once
// CStatePeriodDlg, the base of the NE-wide dialogs that switch a function on or off with a time in seconds (one
// StatePeriodRec): the MAC aging and the redundancy control. It reads the record when it opens (the time kept within
// its range), offers the time while "Enabled" is chosen, and on OK checks the right, asks "Are you sure to modify the
// data?" and writes the record. The time is checked against its range only while "Enabled" is chosen; with "Disabled"
// the NE still gets a time within its range: the one entered when it lies within it, else the one read (and always
// the one read where the time takes no input while "Disabled" is chosen).

#include "link/records/request_code.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>

struct StatePeriodRec;

class CStatePeriodDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    static constexpr int kSecondsId = 1095;
    static constexpr int kSecondsSpinId = 1096;

    struct Setup {
        int right = -1;
        RequestCode<StatePeriodRec> code;
        uint32_t minimum = 0;
        uint32_t maximum = 0;
        // The time takes no input while "Disabled" is chosen, and keeps the one read.
        bool lockWhileDisabled = false;
        // OK writes nothing when neither the state nor, while "Enabled", the time changed.
        bool skipUnchanged = false;
    };

    CStatePeriodDlg(int templateId, Setup setup, QWidget* parent = nullptr);

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

protected:
    const Setup& GetSetup() const { return setup_; }

private:
    bool EnabledChosen() const;
    void ApplyChoice();

    Setup setup_;
    int choice_ = 1; // 0 Enabled, 1 Disabled
    uint32_t seconds_ = 0;
    bool loadedEnabled_ = false;
    uint32_t loadedSeconds_ = 0;
};
