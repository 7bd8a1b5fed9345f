#pragma once
// CUserOpLogCriteriaDlg ("User Operation Log Criteria", template 275): chooses whose operations to list (an operator
// of the account table or all), on which NE (of a location of the operator's, or all) and between which times (each
// bound can be left open); Query opens the User Operation Log List with them and the criteria stay open for the next
// query. The opener may set the operator (the user name), the NE and the location.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

class QComboBox;

namespace Ui {
class CUserOpLogCriteriaDlg;
}

class CUserOpLogCriteriaDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 275;
    static constexpr int kUserComboId = 1362;
    static constexpr int kLocationComboId = 1214;
    static constexpr int kNeComboId = 1149;
    static constexpr int kFromCheckId = 1188;
    static constexpr int kFromDateId = 1116;
    static constexpr int kFromTimeId = 1344;
    static constexpr int kToCheckId = 1357;
    static constexpr int kToDateId = 1118;
    static constexpr int kToTimeId = 1345;

    explicit CUserOpLogCriteriaDlg(QWidget* parent = nullptr);
    ~CUserOpLogCriteriaDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    // Query.
    void OnOK() override;

private:
    QComboBox* Combo(int id) const;
    void FillUserCombo();
    // The NEs of the chosen location, keeping the chosen NE when it is still listed.
    void FillNeCombo(uint32_t keepNeId);
    void OnLocationChanged();
    // The pickers of a bound follow its check box.
    void EnableBound(int checkId, int dateId, int timeId);
    bool IsChecked(int id) const;
    // Seconds since 1970 (UTC) of the local date and time the pickers show.
    uint32_t PickedTime(int dateId, int timeId) const;

    std::unique_ptr<Ui::CUserOpLogCriteriaDlg> ui_;
};
