#pragma once
// CAlarmDetailDlg (222): the detail of one alarm of the server's alarm lists, with its clear and acknowledgement.

#include "features/fault/trap_log/alarm_detail_base_dlg.h"

#include <memory>
#include <string>
#include <string_view>

namespace Ui {
class CAlarmDetailDlg;
}

class CAlarmDetailDlg : public CAlarmDetailBaseDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 222;
    static constexpr int kClearTimeId = 1346;
    static constexpr int kAckTimeId = 1347;
    static constexpr int kAckPersonId = 1257;
    static constexpr size_t kAckPersonMax = 15;

    explicit CAlarmDetailDlg(QWidget* parent = nullptr);
    ~CAlarmDetailDlg() override;

    // Seconds since 1970; 0 = not (yet) cleared or acknowledged.
    void SetClearTime(uint32_t seconds) { clearTime_ = seconds; }
    void SetAckTime(uint32_t seconds) { ackTime_ = seconds; }
    // At most 15 characters are kept.
    void SetAckPerson(std::string_view person) { ackPerson_ = std::string(person.substr(0, kAckPersonMax)); }
    uint32_t GetClearTime() const { return clearTime_; }
    uint32_t GetAckTime() const { return ackTime_; }
    const std::string& GetAckPerson() const { return ackPerson_; }

protected:
    void ShowExtraFields() override;

private:
    std::unique_ptr<Ui::CAlarmDetailDlg> ui_;
    uint32_t clearTime_ = 0;
    uint32_t ackTime_ = 0;
    std::string ackPerson_;
};
