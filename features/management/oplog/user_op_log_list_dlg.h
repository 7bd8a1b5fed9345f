#pragma once
// CUserOpLogListDlg ("User Operation Log List", template 276): the server's operation log for the criteria of the
// criteria dialog (an operator or all, an NE or all, a time range), a window of at most 5,000 entries at a time
// (request 16), moved through the matching entries with the page buttons, the spin and the From and To boxes; the
// reply's total says how many match. Each entry's text is split into its function, action and parameters. Export
// writes the window shown under the stem "UserLog".

#include "link/records/op_log_record.h"
#include "ui/framework/dialogs/page_navigator.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Ui {
class CUserOpLogListDlg;
}

class CUserOpLogListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 276;
    // Columns.
    static constexpr int kUserColumn = 1;
    static constexpr int kTargetNeColumn = 4;
    static constexpr int kFunctionColumn = 5;

    explicit CUserOpLogListDlg(QWidget* parent = nullptr);
    ~CUserOpLogListDlg() override;

    // What the list asks for, fixed while it is open: an operator (empty: all), the NE (0: all) and the times
    // (0: no bound).
    void SetCriteria(const std::string& operatorName, uint32_t neId, uint32_t startTime, uint32_t stopTime);

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;

    const CPageWindow& Window() const { return pages_.Window(); }

private:
    std::unique_ptr<Ui::CUserOpLogListDlg> ui_;
    OpLogCriteria criteria_;
    uint32_t neId_ = 0;
    CPageNavigator pages_;
    CIndexedRecordList<OpLogRecord> rows_;
};
