#pragma once
// CAdslLineProfileListPage ("Line", template 306): the ADSL line profiles of the Profile List's NE, or the server's
// templates of them: the name, the channel, the rate mode and the upstream and downstream maximum and minimum rates,
// each row opening CAdslLineProfileDlg. A record of neither channel mode is not listed. The page's commands are those
// of every profile page (profile_list_page.h); its download asks first that the lines re-train.

#include "features/provisioning/profiles/profile_list_page.h"
#include "link/records/adsl_line_profile_rec.h"

#include <memory>

namespace Ui {
class CAdslLineProfileListPage;
}

class CAdslLineProfileListPage : public CProfileListPageOf<AdslLineProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 306;

    explicit CAdslLineProfileListPage(QWidget* parent = nullptr);
    ~CAdslLineProfileListPage() override;

protected:
    uint32_t ColumnSpecId() const override;
    uint32_t ExportTitleId() const override;
    bool RunEditor(AdslLineProfileRec& rec, uint8_t accessMode) override;
    uint32_t DownloadConfirmTextId() const override;

private:
    std::unique_ptr<Ui::CAdslLineProfileListPage> ui_;
};

// The texts of the page's columns.
std::string AdslChannelText(const AdslLineProfileRec& rec);
std::string AdslRateModeText(const AdslLineProfileRec& rec);
// "%6u / %6u": the maximum and the minimum rate of a direction in kbit/s, of the profile's channel.
std::string AdslRatesText(const AdslLineProfileRec& rec, bool downstream);
