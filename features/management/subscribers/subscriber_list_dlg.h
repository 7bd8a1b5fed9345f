#pragma once
// CSubscriberListDlg ("Subscriber List", template 265): the subscribers that match the selection's patterns on its NE
// (0: every NE) and scope, a window of at most 5,000 rows at a time (request 400), moved through the matches with the
// page buttons, the spin and the From and To boxes; the reply's total says how many match. A subscriber on an NE the
// NE table does not hold is left out; one on an NE outside the operator's scope is listed but can be neither changed
// nor deleted. Modify and Add open the Subscriber Data dialog, Delete sends request 402; the change flags tell the
// opener what changed. Export writes the rows shown under the stem "Subscrib".

#include "link/records/subscriber_record.h"
#include "ui/framework/dialogs/page_navigator.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class CSubscriberListDlg;
}

class CSubscriberListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 265;
    static constexpr int kEnterpriseLegendId = 1196;
    static constexpr int kHomeLegendId = 1197;
    // Columns.
    static constexpr int kIdColumn = 1;
    static constexpr int kNameColumn = 2;
    static constexpr int kClassColumn = 5;

    explicit CSubscriberListDlg(QWidget* parent = nullptr);
    ~CSubscriberListDlg() override;

    // The ID and name patterns the list asks for (docs of SubscriberCriteria), fixed while it is open.
    void SetPatterns(const std::string& idPattern, const std::string& namePattern);

    void InitData() override;
    void DrawExtras(Dc& dc) override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;

    void OnModifyRecord(uint32_t row) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t row) override;

    const CPageWindow& Window() const { return pages_.Window(); }

private:
    // The row's subscriber when the operator may change it: a known NE inside the scope; else the reason on the
    // message line.
    const SubscriberRecord* ChangeableSubscriber(uint32_t row);

    std::unique_ptr<Ui::CSubscriberListDlg> ui_;
    std::string idPattern_;
    std::string namePattern_;
    CPageNavigator pages_;
    CIndexedRecordList<SubscriberRecord> rows_;
};
