#pragma once
// "Port Setting" (template 286), the page of fast provisioning that gives every port of the range its line, PM
// threshold and traffic policing profiles (combos 1281, 1282, 1283, each with its Show 1059, 1060, 1061), its admin
// state (radios 1153 Enabled, 1134 Disabled) and its packet filter groups (upstream 1069..1071, downstream
// 1079..1082). The container gives it the NE's profile names, ADSL and SHDSL apart, and the module class chosen; the
// page offers the names of that class. Show opens the chosen profile's editor.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class CXdslPortSettingPage;
}

class CXdslPortSettingPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 286;
    static constexpr int kLineProfileId = 1281;
    static constexpr int kPmProfileId = 1282;
    static constexpr int kPolicingProfileId = 1283;
    static constexpr int kPolicingLabelId = 1348;
    static constexpr int kShowLineId = 1059;
    static constexpr int kShowPmId = 1060;
    static constexpr int kShowPolicingId = 1061;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;

    // The profile names of one kind, ADSL and SHDSL apart.
    struct Names {
        std::vector<std::string> adsl;
        std::vector<std::string> shdsl;
    };

    explicit CXdslPortSettingPage(QWidget* parent = nullptr);
    ~CXdslPortSettingPage() override;

    void SetLineProfiles(Names names) { lineProfiles_ = std::move(names); }
    void SetPmProfiles(Names names) { pmProfiles_ = std::move(names); }
    void SetPolicingProfiles(const std::vector<std::string>& names);
    // Offers the line and PM threshold names of the class (ADSL or SHDSL line cards); an SHDSL card has no traffic
    // policing.
    void OfferClass(bool shdsl);

    std::string LineProfile() const;
    std::string PmProfile() const;
    std::string PolicingProfile() const;
    bool PortEnabled() const { return stateIndex_ == 0; }
    uint32_t UpstreamGroups() const;
    uint32_t DownstreamGroups() const;

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;

private:
    void UpdateShowButtons();
    void ShowProfile(int comboId);

    std::unique_ptr<Ui::CXdslPortSettingPage> ui_;
    Names lineProfiles_;
    Names pmProfiles_;
    bool shdsl_ = false;
    int stateIndex_ = 0;
};
