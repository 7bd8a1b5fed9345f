#pragma once
// CXdslMcServiceProfileListPage ("Multicast Service", template 361): the multicast service profiles of the Profile
// List's NE, or the server's templates of them: the name and the ids of its channel profiles, each row opening
// CXdslMcServiceProfileDlg. The page's commands are those of every profile page (profile_list_page.h).

#include "features/provisioning/profiles/profile_list_page.h"
#include "link/records/mc_service_profile_rec.h"

#include <memory>

namespace Ui {
class CXdslMcServiceProfileListPage;
}

class CXdslMcServiceProfileListPage : public CProfileListPageOf<McServiceProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 361;

    explicit CXdslMcServiceProfileListPage(QWidget* parent = nullptr);
    ~CXdslMcServiceProfileListPage() override;

protected:
    uint32_t ColumnSpecId() const override;
    uint32_t ExportTitleId() const override;
    bool RunEditor(McServiceProfileRec& rec, uint8_t accessMode) override;

private:
    std::unique_ptr<Ui::CXdslMcServiceProfileListPage> ui_;
};
