#pragma once
// CAdslLineProfileDlg ("ADSL Line Profile", template 206): shows, changes or adds one ADSL line profile of an NE, or
// one of the server's templates of them, on six pages: Transmission Rate, Line Standard, SNR Margin, PSD, Power
// Management and INP. OK checks the values in a fixed order, each refusal shown on its page with the controls it
// names, asks before a change (an NE's lines re-train with it), writes the profile and ends with IDOK; the record then
// holds what was written.
//
//     CAdslLineProfileDlg dlg(this);
//     dlg.SetTemplateMode(templateMode);
//     dlg.SetNeId(neId);                    // a template's editor too: its count goes there
//     dlg.SetAccessMode(kAccessModify);     // kAccessQuery to show, kAccessCreate to add
//     dlg.SetRecord(rec);                   // show and modify: the profile as read; else SetName() to have it read
//     if (dlg.DoModal() == IDOK) ... dlg.GetRecord() ...
//
// A profile that is not given is read by its name first; one the NE or the server does not have ends the dialog
// with "No data", and one that could not be read leaves OK disabled, so that no page's defaults overwrite it.

#include "features/provisioning/profiles/adsl_inp_page.h"
#include "features/provisioning/profiles/adsl_line_standard_page.h"
#include "features/provisioning/profiles/adsl_power_mgmt_page.h"
#include "features/provisioning/profiles/adsl_psd_page.h"
#include "features/provisioning/profiles/adsl_snr_margin_page.h"
#include "features/provisioning/profiles/adsl_tx_rate_page.h"
#include "features/provisioning/profiles/profile_editor.h"
#include "link/records/adsl_line_profile_rec.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <memory>

namespace Ui {
class CAdslLineProfileDlg;
}

class CAdslLineProfileDlg : public CProfileEditorOf<CATabDialog, AdslLineProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 206;

    explicit CAdslLineProfileDlg(QWidget* parent = nullptr);
    ~CAdslLineProfileDlg() override;

    CAdslTxRatePage& TxRatePage() { return txRate_; }
    CAdslLineStandardPage& LineStandardPage() { return lineStandard_; }
    CAdslSnrMarginPage& SnrMarginPage() { return snrMargin_; }
    CAdslPsdPage& PsdPage() { return psd_; }
    CAdslPowerMgmtPage& PowerMgmtPage() { return powerMgmt_; }
    CAdslInpPage& InpPage() { return inp_; }

    void InitData() override;
    void OnOK() override;
    void OnPageChanged(int tabIndex, int tabControlId) override;

private:
    void ShowValues(const AdslLineProfileValues& values);
    AdslLineProfileValues TakenValues() const;
    CADialog* Page(AdslPage page);
    // The checks of OK before the request; false with the refusal shown.
    bool CheckValues(const AdslLineProfileValues& values);

    std::unique_ptr<Ui::CAdslLineProfileDlg> ui_;
    CAdslTxRatePage txRate_;
    CAdslLineStandardPage lineStandard_;
    CAdslSnrMarginPage snrMargin_;
    CAdslPsdPage psd_;
    CAdslPowerMgmtPage powerMgmt_;
    CAdslInpPage inp_;
};
