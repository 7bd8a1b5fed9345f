#pragma once
// CServerConnectionTestDlg, the base of the twins that ask the link to test an NE and show only the outcome: the
// server's ping of an NE (CPingFromServerDlg, request 346) and its SNMP check (CCheckNeSnmpDlg, request 345; in
// direct mode the workstation's own SNMP link checks the NE). The operator picks an NE by its location; its address
// shows read-only. Each test adds one line to the result box: the local time, the address and the outcome ("ok",
// "failed", or what the far end said of it). Clear empties the box.
//
//     CPingFromServerDlg ping(this);
//     ping.SetTarget(neId, nullptr); // the NE chosen at first (else the first NE of the location)
//     ping.DoModal();

#include "link/records/request_code.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <string>

class CServerConnectionTestDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kLocationComboId = 1214;
    static constexpr int kNeComboId = 1149;
    static constexpr int kAddressId = 1204;
    static constexpr int kResultId = 1212;
    static constexpr int kActionButtonId = 1319;
    static constexpr int kClearButtonId = 1092;

    void InitData() override;
    int OnCommandHook(int id, int code) override;

protected:
    // headFormatId: the string of the line head, a printf format of year, month, day, hour, minute, second and the
    // NE's address.
    CServerConnectionTestDlg(int templateId, RequestCode<NoRecord> code, uint32_t headFormatId, QWidget* parent);

private:
    void OnLocationChanged();
    void OnNeChanged();
    void RunTest();

    RequestCode<NoRecord> code_;
    uint32_t headFormatId_;
    bool withSubLocations_ = true;
};
