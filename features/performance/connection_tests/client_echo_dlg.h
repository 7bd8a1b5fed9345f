#pragma once
// CClientEchoDlg, the base of the twins that send ICMP echoes from the workstation itself: the ping dialog
// (CPingFromClientDlg) and the traceroute dialog (CTracerouteDlg). The operator picks an NE by its location (its
// address fills the IP control) or types any IPv4 address, sets the echoes' count, wait, data size, TTL (the most
// hops of a trace), ToS and don't-fragment flag, and starts a run. The run goes on a worker thread of its own and
// appends its lines to a program-wide output text (link/icmp/client_echo.h), which a 100 ms timer copies into the
// result box; Clear empties both. Closing the dialog ends the run in progress.
//
//     CPingFromClientDlg ping(this);
//     ping.SetTarget(neId, nullptr);          // the NE chosen at first (else the first NE of the location)
//     ping.SetPresetAddress({192, 0, 2, 7});  // or an address of no NE: the NE combo then chooses none
//     ping.DoModal();
//
// Through the dialog registry the preset address is the request's ipAddress.

#include "core/util/ip_address.h"
#include "link/icmp/ping_request.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <optional>
#include <string>

class CPingOutput;

class CClientEchoDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kLocationComboId = 1214;
    static constexpr int kNeComboId = 1149;
    static constexpr int kAddressId = 1204;
    static constexpr int kCountId = 1095;
    static constexpr int kCountSpinId = 1096;
    static constexpr int kWaitId = 1311;
    static constexpr int kWaitSpinId = 1312;
    static constexpr int kSizeId = 1113;
    static constexpr int kSizeSpinId = 1115;
    static constexpr int kTtlId = 1386;
    static constexpr int kTtlSpinId = 1117;
    static constexpr int kTosId = 1387;
    static constexpr int kTosSpinId = 1119;
    static constexpr int kDontFragmentId = 1059;
    static constexpr int kResultId = 1212;
    static constexpr int kStartButtonId = 1269;
    static constexpr int kClearButtonId = 1092;
    static constexpr int kRefreshMs = 100;

    // The address shown at opening in place of an NE's; 0.0.0.0 (the default) shows the chosen NE's.
    void SetPresetAddress(const IpAddress& address) { presetAddress_ = address; }
    // The opener's address, dotted (NE auto-discovery's found NE), as the preset address.
    void ApplyOpenerFields(const DialogRequest& request);

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    void OnTimer(int id) override;
    void OnDestroy() override;

protected:
    CClientEchoDlg(int templateId, int refreshTimerId, uint32_t defaultTtl, CPingOutput& output, QWidget* parent);

    // Starts a run of the request on a worker thread (its output is set); the run before it is ended.
    virtual void Start(PingRequest request) = 0;
    // Ends the run in progress, as the dialog closes.
    virtual void Stop() = 0;
    // Numbers the runs from 0 again, as the dialog opens.
    virtual void RestartNumbering() = 0;

private:
    void OnLocationChanged();
    void OnNeChanged();
    void SetAddress(const IpAddress& address);
    // The request of the controls, after their checks; none when a check failed.
    std::optional<PingRequest> ReadRequest();
    void Clear();
    void ShowOutput();

    int refreshTimerId_;
    CPingOutput& output_;
    bool withSubLocations_ = true;
    std::string shown_; // the output as the result box shows it
    IpAddress presetAddress_{};
    uint32_t count_ = 4;
    uint32_t wait_ = 4; // seconds
    uint32_t size_ = 32;
    uint32_t ttl_;
    uint32_t tos_ = 0;
    int dontFragment_ = 0;
};
