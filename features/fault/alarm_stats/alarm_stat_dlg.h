#pragma once
// CAlarmStatDlg (225, "History Alarm & Event Statistics"): how many history alarms and events the server holds of
// each entity of an NE's scope, per severity, over a time range (request 331); one row per entity. "Alarm List"
// opens the history of the chosen entity, or of the whole scope when none is chosen. The criteria dialog hands it
// what to count before DoModal:
//
//     CAlarmStatDlg stats(this);
//     stats.SetTarget(neId, &entity);
//     stats.SetCriteria({.withSubEntities = true, .severity = 0, .fromTime = from, .toTime = to});
//     stats.DoModal();

#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>

namespace Ui {
class CAlarmStatDlg;
}

struct AlarmStatCriteria {
    bool withSubEntities = false;
    uint32_t severity = 0; // 0: any
    uint32_t fromTime = 0; // 0: open
    uint32_t toTime = 0;   // 0: open
    bool operator==(const AlarmStatCriteria&) const = default;
};

// The counts of one entity.
struct AlarmStatRow {
    uint32_t entityId = 0;
    uint32_t total = 0;
    std::array<uint32_t, 5> bySeverity{}; // critical .. info
    bool infoCounted = false;             // the Info cell stays blank until an Info record comes
};

class CAlarmStatDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 225;
    static constexpr int kAlarmListButtonId = 1291;
    static constexpr int kPopupAlarmList = 33082;

    explicit CAlarmStatDlg(QWidget* parent = nullptr);
    ~CAlarmStatDlg() override;

    void SetCriteria(const AlarmStatCriteria& criteria) { criteria_ = criteria; }
    const AlarmStatCriteria& GetCriteria() const { return criteria_; }

    void InitData() override;
    bool OnCommand(int id, int code) override;

    void OnAlarmList();

private:
    // The fill: the counts the server gives for the scope, a row per entity in the order they come.
    std::vector<uint32_t> QueryCounts();

    std::unique_ptr<Ui::CAlarmStatDlg> ui_;
    AlarmStatCriteria criteria_;
    std::map<uint32_t, AlarmStatRow> counts_;
    CTableRecordList<AlarmStatRow> rows_;
};
