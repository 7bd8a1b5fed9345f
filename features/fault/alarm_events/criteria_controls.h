#pragma once
// The controls the alarm and statistics criteria dialogs share: the shelf, slot and port of the target NE, each with
// " <none>" and, where there is a choice, " <ALL>"; the From and To time range, each a date and a time picker behind
// its check box; and one severity among five radios behind the "Severity" (or "Query by") check box.

#include "features/fault/alarm_events/query_scope.h"

#include <cstdint>

class CADialog;
class CNeRecord;
class QComboBox;
struct CEntityIndex;

class CCriteriaControls {
public:
    static constexpr int kShelfComboId = 1322;
    static constexpr int kSlotComboId = 1253;
    static constexpr int kPortComboId = 1273;
    static constexpr int kFromCheckId = 1188;
    static constexpr int kFromDateId = 1116;
    static constexpr int kFromTimeId = 1344;
    static constexpr int kToCheckId = 1357;
    static constexpr int kToDateId = 1118;
    static constexpr int kToTimeId = 1345;
    static constexpr int kSeverityCheckId = 1184;
    // The severity radios, critical to info.
    static constexpr int kSeverityRadioIds[] = {1172, 1175, 1177, 1180, 1394};

    explicit CCriteriaControls(CADialog& dialog) : dialog_(dialog) {}

    // Without an NE the three combos offer " <ALL>" alone and are disabled; with one they offer its shelves, slots
    // and ports and start at the target.
    void FillScope(const CNeRecord* ne, const CEntityIndex& target);
    // The rules of a new choice: the combos below follow it.
    void OnShelfChanged();
    void OnSlotChanged();
    void OnPortChanged();
    ScopeChoice Choice() const;

    // Today from 00:00:00 to now, the checks as given and the pickers enabled by them.
    void InitTimeRange(bool useFrom, bool useTo);
    // The pickers follow their check boxes.
    void EnableTimePickers();
    bool UseFrom() const;
    bool UseTo() const;
    // The pickers' local date and time, in seconds since 1970.
    uint32_t FromTime() const;
    uint32_t ToTime() const;
    // Both ends are used and From lies after To: "Start value shouldn't be greater than Stop value" on the message
    // line with the four pickers framed; true when so.
    bool RefuseReversedRange();

    // The severity check off and the first radio chosen; the radios enabled by the check.
    void InitSeverity();
    void EnableSeverityRadios();
    // 1..5 by the radio chosen when the check is ticked, else 0 (any).
    uint32_t Severity() const;

    // Whether the control is a scope combo, a time check or the severity check, and what it does when clicked or
    // changed; false for any other.
    bool OnCommand(int id, int code);

private:
    QComboBox* Combo(int id) const;
    bool NeKnown() const;
    // Fills a combo for the positions under a real parent choice, or leaves it with the one entry that the parent's
    // " <ALL>" or " <none>" stands for.
    void FollowParent(int comboId, uint32_t parentData, const CEntityIndex& parentIndex);

    CADialog& dialog_;
};
