#pragma once
// CShdslLineProfileListPage ("Line", template 411): the SHDSL line profiles of the Profile List's NE in its SHDSL
// group, or the server's templates of them: the name, the wire interface, the maximum and minimum rates in kbit/s and
// the annex, each row opening CShdslLineProfileDlg. The page's commands are those of every profile page
// (profile_list_page.h); its Delete checks the PM threshold profiles' right item.

#include "core/tables/access_rights.h"
#include "features/provisioning/profiles/profile_list_page.h"
#include "link/records/shdsl_line_profile_rec.h"

#include <memory>
#include <string>

namespace Ui {
class CShdslLineProfileListPage;
}

// The texts of a row's columns 1..3: "2-wire" or "4-wire", "%4ld / %4ld" of the maximum and minimum rates in kbit/s,
// the annex.
std::string ShdslWireText(const ShdslLineProfileRec& rec);
std::string ShdslRatesText(const ShdslLineProfileRec& rec);
std::string ShdslAnnexText(const ShdslLineProfileRec& rec);

class CShdslLineProfileListPage : public CProfileListPageOf<ShdslLineProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 411;

    explicit CShdslLineProfileListPage(QWidget* parent = nullptr);
    ~CShdslLineProfileListPage() override;

protected:
    uint32_t ColumnSpecId() const override;
    uint32_t ExportTitleId() const override;
    bool RunEditor(ShdslLineProfileRec& rec, uint8_t accessMode) override;
    int DeleteRight() const override { return kRightPmThresholdProfiles; }
    // A line profile's lines re-train with it.
    uint32_t DownloadConfirmTextId() const override { return kStrSureToDownloadLineTemplate; }

private:
    std::unique_ptr<Ui::CShdslLineProfileListPage> ui_;
};
