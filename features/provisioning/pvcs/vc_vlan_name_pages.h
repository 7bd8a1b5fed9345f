#pragma once
// The two pages of the VC-to-VLAN setting that choose a name the NE keeps: "IP Traffic Profile" (template 360, combo
// 1281) and "Next-hop" (template 325, combo 1257), each with Show 1059, which opens the chosen profile or next hop.
// The pages ask nothing themselves: their container gives them the NE's names and reads the choice back. Fast
// provisioning hosts them too.
//
//     ipTrafficPage_.SetNames({"office", "home"});
//     ipTrafficPage_.Choose(pvc.ipTrafficProfile);
//     ... ipTrafficPage_.ChosenName() ...

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>
#include <string>
#include <vector>

namespace Ui {
class CVcVlanIpTrafficPage;
class CVcVlanNextHopPage;
} // namespace Ui

class CVcVlanNamePage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kShowId = 1059;

    // The combo's names in the order given, the first chosen when asked, else none; Show is enabled when there are
    // some.
    void SetNames(const std::vector<std::string>& names, bool chooseFirst = false);
    // Selects the name, when the combo has it exactly; otherwise nothing is selected.
    void Choose(const std::string& name);
    // The selected name, empty for none.
    std::string ChosenName() const;
    int ComboId() const { return comboId_; }

    int OnCommandHook(int id, int code) override;

protected:
    // `openClass` is the dialog Show opens on the chosen name.
    CVcVlanNamePage(int templateId, int comboId, const char* openClass, QWidget* parent);

private:
    void ShowChosen();
    void UpdateShow();

    int comboId_;
    const char* openClass_;
};

class CVcVlanIpTrafficPage : public CVcVlanNamePage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 360;
    static constexpr int kProfileId = 1281;

    explicit CVcVlanIpTrafficPage(QWidget* parent = nullptr);
    ~CVcVlanIpTrafficPage() override;

private:
    std::unique_ptr<Ui::CVcVlanIpTrafficPage> ui_;
};

class CVcVlanNextHopPage : public CVcVlanNamePage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 325;
    static constexpr int kNextHopId = 1257;

    explicit CVcVlanNextHopPage(QWidget* parent = nullptr);
    ~CVcVlanNextHopPage() override;

private:
    std::unique_ptr<Ui::CVcVlanNextHopPage> ui_;
};
