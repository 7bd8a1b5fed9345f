#pragma once
// CXdslPmThresholdListPage ("PM Threshold", template 279): the xDSL PM threshold profiles of the Profile List's NE,
// or the server's templates of them: the name and the CO and RT thresholds of both intervals, each row opening
// CXdslPmThresholdProfileDlg. The page's commands are those of every profile page (profile_list_page.h).

#include "features/provisioning/profiles/profile_list_page.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"

#include <memory>

namespace Ui {
class CXdslPmThresholdListPage;
}

class CXdslPmThresholdListPage : public CProfileListPageOf<XdslPmThresholdProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 279;

    explicit CXdslPmThresholdListPage(QWidget* parent = nullptr);
    ~CXdslPmThresholdListPage() override;

protected:
    uint32_t ColumnSpecId() const override;
    uint32_t ExportTitleId() const override;
    bool RunEditor(XdslPmThresholdProfileRec& rec, uint8_t accessMode) override;

private:
    std::unique_ptr<Ui::CXdslPmThresholdListPage> ui_;
};
