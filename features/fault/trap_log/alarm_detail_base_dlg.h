#pragma once
// What the three read-only alarm and event detail dialogs ("Detailed Alarm & Event") share: the caller sets the target
// NE and entity and the alarm state before DoModal; the dialog shows where the entity is, its planned and online
// models, severity, times and one row per active alarm, and exports that list. No request is sent.

#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"

#include <QString>

#include <cstdint>
#include <map>
#include <utility>

class CEntityType;
class CNeRecord;

class CAlarmDetailBaseDlg : public CADialog {
    Q_OBJECT
public:
    // Controls.
    static constexpr int kLocationId = 1214;
    static constexpr int kNeNameId = 1149;
    static constexpr int kEntityId = 1348;
    static constexpr int kPlannedModelId = 1252;
    static constexpr int kOnlineModelId = 1250;
    static constexpr int kSeverityId = 1184;
    static constexpr int kOccurTimeId = 1343;
    static constexpr int kReceiveTimeId = 1345;
    static constexpr int kExportCommand = 33024;

    // The alarm state shown; types start as 1 (none).
    void SetPlannedType(uint32_t type) { plannedType_ = type; }
    void SetOnlineType(uint32_t type) { onlineType_ = type; }
    void SetAlarmBits(uint32_t bits) { alarmBits_ = bits; }
    void SetSeverity(int severity) { severity_ = severity; }
    void SetOccurTime(uint32_t seconds) { occurTime_ = seconds; }
    void SetReceiveTime(uint32_t seconds) { receiveTime_ = seconds; }
    uint32_t GetPlannedType() const { return plannedType_; }
    uint32_t GetOnlineType() const { return onlineType_; }
    uint32_t GetAlarmBits() const { return alarmBits_; }
    int GetSeverity() const { return severity_; }
    uint32_t GetOccurTime() const { return occurTime_; }
    uint32_t GetReceiveTime() const { return receiveTime_; }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    // Key 1 compares the alarms' names and key 2 their descriptions, without regard to case; ties, and every other
    // key, go by the item data (the alarm index + 1). The keys are the columns': in dialog 404, whose column 2 is the
    // State, that column orders the rows by their descriptions and its Description column by the item data.
    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override;

    // Writes list 1212 through the Export dialog.
    void ExportAlarms();

protected:
    CAlarmDetailBaseDlg(int templateId, QWidget* parent);

    // The NE of the target, null when it is unknown.
    const CNeRecord* TargetNe() const;
    // The model the alarm bits refer to (the planned one), null when there is none.
    const CEntityType* PlannedModel() const;
    // The name of a model, " <none>" for null.
    static QString ModelName(const CEntityType* model);
    void SetFieldText(int id, const QString& text);

    // The list's column spec.
    virtual uint32_t AlarmColumnSpecId() const { return kStrColumnsAlarms; }
    // The fields a member of the family adds.
    virtual void ShowExtraFields() {}
    // The rows of the list: "CLEAR" when no bit is set, else one per set bit that the model defines.
    virtual void FillAlarmRows(const CEntityType* model);
    // Adds a row (No. = the row count + 1) whose item data and sort texts are `data`, `name` and `description`;
    // `cells` fill the columns after No. Returns the row.
    int AddAlarmRow(uint32_t data, const QString& name, const QString& description, const QStringList& cells);

private:
    uint32_t plannedType_ = 1;
    uint32_t onlineType_ = 1;
    uint32_t alarmBits_ = 0;
    int severity_ = 0;
    uint32_t occurTime_ = 0;
    uint32_t receiveTime_ = 0;
    // The sort texts of the rows by item data.
    std::map<uint32_t, std::pair<QString, QString>> rowTexts_;
};
