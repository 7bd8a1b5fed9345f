#pragma once
// CXdslMacSpoofStatusListDlg ("xDSL MAC Spoofing Status List", template 446): the MAC addresses the NE found in more
// than one place (request 485), each place a row, narrowed to one address by the list box 1213. Permit (1151) lets
// the selected place keep its address, after the NE's check (487); Deny All (1152) denies the address everywhere
// (486). A place on the control module has no PVC: it can be denied, not permitted. Export writes "MacSpoof".

#include "link/records/mac_spoof_rec.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class CXdslMacSpoofStatusListDlg;
}

class CXdslMacSpoofStatusListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 446;
    static constexpr int kVlanColumn = 5;
    static constexpr int kMacListId = 1213;
    static constexpr int kPermitId = 1151;
    static constexpr int kDenyAllId = 1152;
    static constexpr int kPopupPermit = 33207;
    static constexpr int kPopupDenyAll = 33208;
    // The most entries a reply gives the list.
    static constexpr size_t kMaxEntries = 5377;

    explicit CXdslMacSpoofStatusListDlg(QWidget* parent = nullptr);
    ~CXdslMacSpoofStatusListDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnRefresh() override;
    bool IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const override;

    // The text of a check result that stops a permit, 0 for one that lets it go on.
    static uint32_t CheckRefusal(uint32_t result);

private:
    std::vector<ListColumn<MacSpoofRec>> Columns();
    // The place is a port of the control module: no PVC.
    bool OnControlModule(const MacSpoofRec& entry) const;
    // The entries of the address chosen in the list box, all for "<all>".
    void ShowChosenAddress();
    void Permit();
    void DenyAll();

    std::unique_ptr<Ui::CXdslMacSpoofStatusListDlg> ui_;
    CIndexedRecordList<MacSpoofRec> rows_;
    std::vector<MacSpoofRec> entries_; // the last reply's spoofed places
};
