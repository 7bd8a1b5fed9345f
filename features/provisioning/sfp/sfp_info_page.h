#pragma once
// CSfpInfoPage (template 452): a page of the SFP information dialog, the serial-ID items of one trunk port's
// transceiver and their values (common/item_value_page.h).

#include "features/provisioning/common/item_value_page.h"

#include <memory>

namespace Ui {
class CSfpInfoPage;
}

class CSfpInfoPage : public CItemValuePage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 452;

    // `exportStem`: "GbicStatPort1" or "GbicStatPort2".
    explicit CSfpInfoPage(const char* exportStem, QWidget* parent = nullptr);
    ~CSfpInfoPage() override;

private:
    std::unique_ptr<Ui::CSfpInfoPage> ui_;
};
