#pragma once
// CXdslMcChannelProfileListPage ("Multicast Channel", template 305): the multicast channel profiles of the Profile
// List's NE, or the server's templates of them: the id, name, group address, queue and rate, each row opening
// CXdslMcChannelProfileDlg. A profile is known by its id: an added one replaces the row of the same id. The page's
// commands are those of every profile page (profile_list_page.h).

#include "features/provisioning/profiles/profile_list_page.h"
#include "link/records/mc_channel_profile_rec.h"

#include <memory>

namespace Ui {
class CXdslMcChannelProfileListPage;
}

class CXdslMcChannelProfileListPage : public CProfileListPageOf<McChannelProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 305;

    explicit CXdslMcChannelProfileListPage(QWidget* parent = nullptr);
    ~CXdslMcChannelProfileListPage() override;

protected:
    uint32_t ColumnSpecId() const override;
    uint32_t ExportTitleId() const override;
    bool RunEditor(McChannelProfileRec& rec, uint8_t accessMode) override;
    std::string NameOf(const McChannelProfileRec& rec) const override;
    QString DownloadTitle(const McChannelProfileRec& rec) const override;
    // A channel profile is named by its id.
    McChannelProfileRec DeleteKeyOf(const McChannelProfileRec& rec) const override
    {
        McChannelProfileRec key;
        key.profileId = rec.profileId;
        key.name = rec.name;
        return key;
    }

private:
    std::unique_ptr<Ui::CXdslMcChannelProfileListPage> ui_;
};
