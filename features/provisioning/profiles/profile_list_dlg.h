#pragma once
// CProfileListDlg ("Profile List", template 406): the xDSL profiles of one group (ADSL, SHDSL or VLAN), one tab per
// kind (profile_kinds.h), for one NE or, in template mode, the server's templates. The tabs are the kinds whose list
// page the operator may see ('q' on its right item); the dialog refuses to open ("No privilege") when the operator
// may see none of them or not the tab asked for. Its buttons Show, Modify, Add, Delete, Refresh, Export, Save All as
// Templates (NE mode) and Download All to NEs (template mode; neither in direct mode) act on the page of the current
// tab (profile_list_page.h); Show, Modify and Delete only while that page has a selected row. The change flags tell
// the opener whether Modify, Add or Delete ran (kChangeModified, kChangeAdded, kChangeDeleted).
//
//     CProfileListDlg dlg(this);
//     dlg.SetTarget(neId, nullptr);
//     dlg.SetTemplateMode(false);
//     dlg.SetProfileGroup(kProfileGroupAdsl);
//     dlg.SetInitialTab(1);                    // the PM threshold profiles
//     dlg.DoModal();
//
// The main window's commands open it by route with the template mode and the group of their declaration.

#include "features/provisioning/profiles/profile_kinds.h"
#include "features/provisioning/profiles/profile_list_page.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <array>
#include <memory>

namespace Ui {
class CProfileListDlg;
}

class CProfileListDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 406;
    static constexpr int kTabId = 1337;
    static constexpr int kFrameId = 1053;
    static constexpr int kSaveAllId = CProfileListPage::kSaveAllButtonId;
    static constexpr int kDownloadId = CProfileListPage::kDownloadButtonId;
    static constexpr int kEnabledImageId = 1153;
    static constexpr int kDisabledImageId = 1134;

    explicit CProfileListDlg(QWidget* parent = nullptr);
    ~CProfileListDlg() override;

    void SetTemplateMode(bool on) { templateMode_ = on; }
    void SetProfileGroup(int group) { group_ = group; }
    void SetInitialTab(int tab) { initialTab_ = tab; }
    // From the route registry: the template mode and the group of the command.
    void ApplyOpenerFields(const DialogRequest& request);

    // The page of the current tab; null when there is none.
    CProfileListPage* CurrentListPage() const;
    CProfileListPage* PageOfKind(ProfileKindId kind) const;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;
    void OnPageChanged(int tabIndex, int tabControlId) override;
    void OnPageListSelChanged(CADialog& page, int row) override;
    void DrawExtras(Dc& dc) override;

private:
    void PlaceButtons();
    QRect PagePlacement() const;
    // Show, Modify and Delete by the current page's selection.
    void UpdateRowButtons();

    std::unique_ptr<Ui::CProfileListDlg> ui_;
    bool templateMode_ = false;
    int group_ = kProfileGroupAdsl;
    int initialTab_ = 0;
    std::array<std::unique_ptr<CProfileListPage>, kMaxProfileTabs> pages_;
};

// The list page of a kind, for the Profile List to show; null for a kind whose page is not built.
std::unique_ptr<CProfileListPage> MakeProfileListPage(ProfileKindId kind);
