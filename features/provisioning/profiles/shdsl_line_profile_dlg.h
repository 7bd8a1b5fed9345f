#pragma once
// CShdslLineProfileDlg ("SHDSL Line Profile", template 407): shows, changes or adds one SHDSL line profile of an NE,
// or one of the server's templates of them, on three pages: Transmission Rate, SNR Margin and Miscellaneous
// (shdsl_line_profile_pages.h). OK checks the rates and that a margin is used, each refusal shown on its page, asks
// before a change (an NE's lines re-train with it), writes the profile and ends with IDOK; the record then holds what
// was written. A new profile is two-wire; a changed one keeps its wire interface.
//
//     CShdslLineProfileDlg dlg(this);
//     dlg.SetTemplateMode(templateMode);
//     dlg.SetNeId(neId);                    // a template's editor too: its count goes there
//     dlg.SetAccessMode(kAccessModify);     // kAccessQuery to show, kAccessCreate to add
//     dlg.SetRecord(rec);                   // show and modify: the profile as read; else SetName() to have it read
//     if (dlg.DoModal() == IDOK) ... dlg.GetRecord() ...

#include "features/provisioning/profiles/profile_editor.h"
#include "features/provisioning/profiles/shdsl_line_profile_pages.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <memory>

namespace Ui {
class CShdslLineProfileDlg;
}

class CShdslLineProfileDlg : public CProfileEditorOf<CATabDialog, ShdslLineProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 407;

    explicit CShdslLineProfileDlg(QWidget* parent = nullptr);
    ~CShdslLineProfileDlg() override;

    CShdslLineProfileRatePage& RatePage() { return rate_; }
    CShdslLineProfileMarginPage& MarginPage() { return margin_; }
    CShdslLineProfileMiscPage& MiscPage() { return misc_; }

    void InitData() override;
    void OnOK() override;

private:
    void ShowValues(const ShdslLineProfileValues& values);
    ShdslLineProfileValues TakenValues() const;

    std::unique_ptr<Ui::CShdslLineProfileDlg> ui_;
    CShdslLineProfileRatePage rate_;
    CShdslLineProfileMarginPage margin_;
    CShdslLineProfileMiscPage misc_;
    int wireMode_ = 0; // kept from the profile; a new one is two-wire
};
