#pragma once
// CLocationDlg ("Location", template 230): shows, adds or modifies one location of the location tree and sends it
// to the server. The access mode chooses what it does: 1 shows, 2 modifies (request 20), 4 adds (request 21). The
// opener names the location and its superior:
//
//     CLocationDlg dlg(this);
//     dlg.SetAccessMode(kAccessCreate);
//     dlg.SetLocation(0, parentId);          // a new location below parentId (0: at the top)
//     if (dlg.DoModal() == IDOK)
//         SelectRowByItemData(dlg.GetLocationId()); // the id the server gave it
//
// The location table has the change when DoModal returns: the reply passes through the dispatcher first.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>

namespace Ui {
class CLocationDlg;
}
struct DialogRequest;
class CLocationNode;
class QComboBox;

class CLocationDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 230;
    static constexpr int kNameId = 1257;
    static constexpr int kSuperiorComboId = 1214;
    static constexpr int kCommentId = 1132;
    static constexpr int kContactId = 1258;
    static constexpr int kTelephoneId = 1259;
    static constexpr int kMobileId = 1260;
    static constexpr int kEmailId = 1261;
    static constexpr int kMapComboId = 1192;

    explicit CLocationDlg(QWidget* parent = nullptr);
    ~CLocationDlg() override;

    // The location (0 for a new one) and its superior (0 = the top level).
    void SetLocation(uint32_t locationId, uint32_t superiorId);
    // After IDOK: the superior the location was saved with.
    uint32_t GetSuperiorId() const { return superiorId_; }
    // A routed add takes the routed location (the current one, or the operator's scope) as the superior.
    void ApplyOpenerFields(const DialogRequest& request);

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    bool IsAdding() const { return GetAccessMode() == kAccessCreate; }
    void FillSuperiorCombo(const CLocationNode* self);
    void AddSuperiorEntries(QComboBox& combo, const CLocationNode* node, const CLocationNode* self) const;
    void FillMapCombo(uint32_t mapId);

    std::unique_ptr<Ui::CLocationDlg> ui_;
    uint32_t superiorId_ = 0;
    QString name_;
    QString comment_;
    QString contact_;
    QString telephone_;
    QString mobile_;
    QString email_;
};
