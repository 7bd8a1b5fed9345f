#pragma once
// CXdslTrafficPolicingProfileListPage ("Traffic Policing", template 438): the traffic policing profiles of the Profile
// List's NE, or the server's templates of them: the name, the upstream CIR and the action on packets beyond it, each
// row opening CXdslTrafficPolicingProfileDlg. The page's commands are those of every profile page
// (profile_list_page.h).

#include "features/provisioning/profiles/profile_list_page.h"
#include "link/records/traffic_policing_profile_rec.h"

#include <memory>

namespace Ui {
class CXdslTrafficPolicingProfileListPage;
}

class CXdslTrafficPolicingProfileListPage : public CProfileListPageOf<TrafficPolicingProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 438;

    explicit CXdslTrafficPolicingProfileListPage(QWidget* parent = nullptr);
    ~CXdslTrafficPolicingProfileListPage() override;

protected:
    uint32_t ColumnSpecId() const override;
    uint32_t ExportTitleId() const override;
    bool RunEditor(TrafficPolicingProfileRec& rec, uint8_t accessMode) override;

private:
    std::unique_ptr<Ui::CXdslTrafficPolicingProfileListPage> ui_;
};
