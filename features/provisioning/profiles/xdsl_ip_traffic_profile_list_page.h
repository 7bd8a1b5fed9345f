#pragma once
// CXdslIpTrafficProfileListPage ("IP Traffic", template 359): the IP traffic profiles of the Profile List's NE, or the
// server's templates of them: the name, the downstream queue and rate and the upstream rate, each row opening
// CXdslIpTrafficProfileDlg, which reads the profile again by its name. The page's commands are those of every profile
// page (profile_list_page.h).

#include "features/provisioning/profiles/profile_list_page.h"
#include "link/records/ip_traffic_profile_rec.h"

#include <memory>

namespace Ui {
class CXdslIpTrafficProfileListPage;
}

class CXdslIpTrafficProfileListPage : public CProfileListPageOf<IpTrafficProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 359;

    explicit CXdslIpTrafficProfileListPage(QWidget* parent = nullptr);
    ~CXdslIpTrafficProfileListPage() override;

protected:
    uint32_t ColumnSpecId() const override;
    uint32_t ExportTitleId() const override;
    bool RunEditor(IpTrafficProfileRec& rec, uint8_t accessMode) override;

private:
    std::unique_ptr<Ui::CXdslIpTrafficProfileListPage> ui_;
};
