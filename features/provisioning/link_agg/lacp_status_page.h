#pragma once
// CLacpStatusPage (template 390): a page of the link aggregation status dialog, the LACP items of one trunk port and
// their values (common/item_value_page.h).

#include "features/provisioning/common/item_value_page.h"

#include <memory>

namespace Ui {
class CLacpStatusPage;
}

class CLacpStatusPage : public CItemValuePage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 390;

    // `exportStem`: "LacpStatPort1" or "LacpStatPort2".
    explicit CLacpStatusPage(const char* exportStem, QWidget* parent = nullptr);
    ~CLacpStatusPage() override;

private:
    std::unique_ptr<Ui::CLacpStatusPage> ui_;
};
