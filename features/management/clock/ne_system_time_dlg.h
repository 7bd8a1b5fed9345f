#pragma once
// CNeSystemTimeDlg ("NE System Time", template 249): the date, time and time zone of the target NE, and how long it
// has been up. The dialog reads the NE's clock (request 300) and lets it run on on screen, a second at a time, as the
// NE's does; with "Synchronize with Local Time" it shows the workstation's time instead. "Set Date/Time" gives the
// NE the time shown and the zone entered, and closes.
//
//     CNeSystemTimeDlg dlg(this);
//     dlg.SetTarget(neId, nullptr);
//     dlg.DoModal();

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CNeSystemTimeDlg;
}

class CNeSystemTimeDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 249;
    static constexpr int kDateId = 1116;
    static constexpr int kTimeId = 1344;
    static constexpr int kTimeZoneId = 1095;
    static constexpr int kTimeZoneSpinId = 1096;
    static constexpr int kUpTimeId = 1311;
    static constexpr int kSyncLocalId = 1336;
    static constexpr int kSetButtonId = 1150;
    static constexpr int kTickTimer = 3724;
    static constexpr int kMinTimeZone = -12;
    static constexpr int kMaxTimeZone = 13;
    // What Set takes: any whole number the record's signed 16-bit field holds (the spin keeps to whole hours of a zone).
    static constexpr int kLeastZoneField = -32768;
    static constexpr int kMostZoneField = 32767;

    explicit CNeSystemTimeDlg(QWidget* parent = nullptr);
    ~CNeSystemTimeDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnTimer(int id) override;
    void OnDestroy() override;

private:
    void Refresh();
    void SetDateTime();
    // The pickers' date and time as seconds since 1970, and the other way.
    uint32_t ShownSeconds() const;
    void ShowSeconds(uint32_t seconds);
    void ShowUpTime();
    void OnSyncLocal();

    std::unique_ptr<Ui::CNeSystemTimeDlg> ui_;
    int32_t timeZone_ = 0;
    uint32_t upTime_ = 0; // seconds, counted on between reads
};
