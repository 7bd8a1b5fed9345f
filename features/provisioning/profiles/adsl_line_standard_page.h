#pragma once
// CAdslLineStandardPage ("Line Standard", template 465), a page of the ADSL line profile editor: the line standards
// the profile permits, one check box each (1059..1066: G.dmt, G.lite, ADSL2, ADSL2+, ADSL2 annex M, ADSL2+ annex M,
// ReADSL, T1.413), kept as the record's bit mask.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CAdslLineStandardPage;
}

class CAdslLineStandardPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 465;
    static constexpr int kFirstStandardId = 1059;

    explicit CAdslLineStandardPage(QWidget* parent = nullptr);
    ~CAdslLineStandardPage() override;

    uint32_t Standards() const { return standards_; }
    void SetStandards(uint32_t mask) { standards_ = mask; }

    void DoDataExchange(CDataExchange& dx) override;

private:
    std::unique_ptr<Ui::CAdslLineStandardPage> ui_;
    uint32_t standards_ = 0xFF;
};
