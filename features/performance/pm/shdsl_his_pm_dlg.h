#pragma once
// CShdslHisPmDlg (template 418, "SHDSL History PM"): the 15-minute PM intervals an SHDSL port's NE keeps (request 811),
// the CO side's first, then the RT side's. The rows sort by creation time, side or a counter (ties by time and side);
// Graph (button, popup 33046; enabled while the list has rows) draws every counter over the creation times, CO and RT
// as series of their own; Description shows the columns' legend; Export writes the rows ("ShdslPmH").
//
//     CShdslHisPmDlg dlg;                      // the port list, the port selection, or the frame on a port
//     dlg.SetTarget(neId, &portId);
//     dlg.DoModal();

#include "link/records/shdsl_interval_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>
#include <vector>

namespace Ui {
class CShdslHisPmDlg;
}

struct ShdslHisPmRow {
    uint32_t number = 0; // from 1, CO rows first
    bool remote = false;
    ShdslIntervalRec interval; // as shown
};

// The rows of the CO and RT intervals, numbered from 1, each interval as shown.
// The list's columns: each sorts as it shows, the creation time by its text ("%m-%d %H:%M").
std::vector<ListColumn<ShdslHisPmRow>> ShdslHisPmColumns();
std::vector<ShdslHisPmRow> MakeShdslHisPmRows(const std::vector<ShdslIntervalRec>& co,
                                              const std::vector<ShdslIntervalRec>& rt);

class CShdslHisPmDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 418;
    static constexpr int kGraphButtonId = 1189;
    static constexpr int kGraphPopupId = 33046;
    static constexpr int kDescriptionButtonId = 1132;
    static constexpr int kDescriptionPopupId = 33012;
    enum Column { kCreateTimeColumn, kSideColumn, kEsColumn, kSesColumn, kUasColumn, kLosColumn, kCrcColumn };

    explicit CShdslHisPmDlg(QWidget* parent = nullptr);
    ~CShdslHisPmDlg() override;

    void InitData() override;
    void OnRefresh() override;
    int OnCommandHook(int id, int code) override;
    std::vector<uint16_t> GreyedPopupCommands() const override;

private:
    void OpenGraph();

    std::unique_ptr<Ui::CShdslHisPmDlg> ui_;
    CRecordList<ShdslHisPmRow> rows_;
};
