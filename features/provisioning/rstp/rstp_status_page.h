#pragma once
// CRstpStatusPage (template 381): a page of the RSTP status dialog, the items of the bridge or of one trunk port and
// their values (common/item_value_page.h).

#include "features/provisioning/common/item_value_page.h"

#include <memory>

namespace Ui {
class CRstpStatusPage;
}

class CRstpStatusPage : public CItemValuePage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 381;

    // `exportStem`: "RstpStatBridge", "RstpStatPort1" or "RstpStatPort2".
    explicit CRstpStatusPage(const char* exportStem, QWidget* parent = nullptr);
    ~CRstpStatusPage() override;

private:
    std::unique_ptr<Ui::CRstpStatusPage> ui_;
};
