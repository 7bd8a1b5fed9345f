#pragma once
// CTrapLogFilterDlg (269, "Trap Log Filter"): chooses which notifications the trap log keeps from now on: a location,
// an NE of it, an entity of the NE (a shelf, slot or port alone, or with everything below it) and the severities.
// OK stores the filter on the application and saves the ALARM section of the configuration file at once; records
// already in the trap log stay.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

class QComboBox;

namespace Ui {
class CTrapLogFilterDlg;
}

class CTrapLogFilterDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 269;
    static constexpr int kLocationComboId = 1214;
    static constexpr int kNeComboId = 1149;
    static constexpr int kShelfComboId = 1322;
    static constexpr int kSlotComboId = 1253;
    static constexpr int kPortComboId = 1273;
    static constexpr int kCriticalCheckId = 1172;
    static constexpr int kMajorCheckId = 1175;
    static constexpr int kMinorCheckId = 1177;
    static constexpr int kWarningCheckId = 1180;
    static constexpr int kInfoCheckId = 1394;
    static constexpr int kClearCheckId = 1171;

    // Item data of the entity combos' first and last items.
    static constexpr uint32_t kNoneItem = 0;
    static constexpr uint32_t kAllItem = 255;

    explicit CTrapLogFilterDlg(QWidget* parent = nullptr);
    ~CTrapLogFilterDlg() override;

    void InitData() override;
    void DrawExtras(Dc& dc) override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

    // The combo changes, as the operator's choice runs them.
    void OnLocationComboChange();
    void OnNeComboChange();
    void OnShelfComboChange();
    void OnSlotComboChange();
    void OnPortComboChange();

private:
    QComboBox* Combo(int id) const;
    // The item data of the combo's selection; 0 when nothing is selected.
    uint32_t SelectedData(int comboId) const;
    // Selects the item with that data; false, with the selection unchanged, when there is none.
    bool SelectData(int comboId, uint32_t data);
    void FillLocationCombo(uint32_t selectedId);
    void FillNeCombo(uint32_t locationId, uint32_t selectedNeId);
    void FillShelfCombo();
    void FillSlotCombo();
    void FillPortCombo();
    // Selects the entity combos for a filter entity (by its level) and mask.
    void SelectEntity(uint32_t entityId, uint32_t mask);

    std::unique_ptr<Ui::CTrapLogFilterDlg> ui_;
    // Severity boxes: critical, major, minor, warning, info, clear.
    int severityChecks_[6] = {0, 0, 0, 0, 0, 0};
};
