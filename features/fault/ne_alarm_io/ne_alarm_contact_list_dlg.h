#pragma once
// CNeAlarmContactListDlg, what the lists of an NE's alarm inputs (CNeAlarmInputListDlg) and alarm outputs
// (CNeAlarmOutputListDlg) share: they need an NE with a relay module, synchronise the NE's current alarms before they
// read the contacts, colour the rows by the severity of each contact's entity (grey for a disabled one), and after a
// successful change read the NE again once, three seconds later, when the NE has settled.

#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>

class CNeRecord;

// The menu class of the relay module that holds an NE's alarm inputs and outputs.
inline constexpr uint8_t kRelayModuleMenuClass = 25;

// Whether the NE holds a module of the relay module's menu class in one of its slots.
bool HasRelayModule(const CNeRecord* ne);

class CNeAlarmContactListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    // The legend's colour squares, beside "Critical" .. "Info" and "Disabled".
    static constexpr int kDisabledLegendId = 1134;
    static constexpr int kDelayedRefreshMs = 3000;

    void InitData() override;
    void OnModifyRecord(uint32_t entityId) override;
    void OnTimer(int id) override;
    void DrawExtras(Dc& dc) override;

protected:
    // What tells the two lists apart.
    struct Kind {
        int templateId = 0;
        int right = 0;
        uint32_t columnsId = 0;
        int refreshTimer = 0;
        const char* exportStem = "";
    };
    CNeAlarmContactListDlg(const Kind& kind, QWidget* parent);

    // Reads the contacts anew: the relay module checked (the dialog ends without one), the NE's alarms synchronised,
    // the contacts queried; the rows stay empty when a request fails.
    void Refresh();

    // The list's own: its rows emptied, and its setting dialog run on a contact (true when the change was written
    // and the row shows it).
    virtual void ClearRows() = 0;
    virtual bool ModifyContact(uint32_t entityId) = 0;

private:
    Kind kind_;
};
