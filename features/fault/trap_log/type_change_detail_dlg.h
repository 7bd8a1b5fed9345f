#pragma once
// CTypeChangeDetailDlg (404): a change of module type from the history, with the types and alarms before the change
// beside the current ones and each alarm's state: asserted, cleared or unchanged by the change.

#include "features/fault/trap_log/alarm_detail_base_dlg.h"

#include <memory>

namespace Ui {
class CTypeChangeDetailDlg;
}

class CTypeChangeDetailDlg : public CAlarmDetailBaseDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 404;
    static constexpr int kPreviousOnlineId = 1412;
    static constexpr int kPreviousPlannedId = 1413;
    static constexpr int kStateColumn = 2;
    static constexpr int kDescriptionColumn = 3;

    explicit CTypeChangeDetailDlg(QWidget* parent = nullptr);
    ~CTypeChangeDetailDlg() override;

    void SetPreviousPlannedType(uint32_t type) { previousPlannedType_ = type; }
    void SetPreviousOnlineType(uint32_t type) { previousOnlineType_ = type; }
    void SetPreviousAlarmBits(uint32_t bits) { previousAlarmBits_ = bits; }
    // The occurrence as the history shows it (at most 80 characters kept). The change brings no receive time: its
    // field shows the unset time as the other detail dialogs do.
    void SetOccurTimeText(const QString& text) { occurTimeText_ = text.left(kTimeTextMax); }
    static constexpr qsizetype kTimeTextMax = 80;
    uint32_t GetPreviousPlannedType() const { return previousPlannedType_; }
    uint32_t GetPreviousOnlineType() const { return previousOnlineType_; }
    uint32_t GetPreviousAlarmBits() const { return previousAlarmBits_; }

protected:
    uint32_t AlarmColumnSpecId() const override { return kStrColumnsAlarmStates; }
    void ShowExtraFields() override;
    void FillAlarmRows(const CEntityType* model) override;

private:
    std::unique_ptr<Ui::CTypeChangeDetailDlg> ui_;
    uint32_t previousPlannedType_ = 1;
    uint32_t previousOnlineType_ = 1;
    uint32_t previousAlarmBits_ = 0;
    QString occurTimeText_;
};
