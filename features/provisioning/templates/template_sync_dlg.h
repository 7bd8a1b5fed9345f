#pragma once
// CTemplateSyncDlg ("Synchronize NE Profiles with Templates", template 339): the operator chooses classes of the
// server's templates (line, PM threshold, multicast channel, IP traffic and multicast service profiles, alarm
// definitions; each only with 'm' on its right item) and Sync hands the synchronisation request (51 with a
// ProfileSyncRec) to the template download dialog, which sends it to the NEs the operator ticks: each NE's profiles
// of those classes become the templates. The main window opens it for the location and NE chosen in the tree.

#include "link/records/profile_sync_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <array>
#include <memory>
#include <string>

namespace Ui {
class CTemplateSyncDlg;
}

class CTemplateSyncDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 339;
    static constexpr int kLineProfilesId = 1059;
    static constexpr int kPmProfilesId = 1060;
    static constexpr int kMcChannelProfilesId = 1061;
    static constexpr int kAlarmDefsId = 1062;
    static constexpr int kIpTrafficProfilesId = 1063;
    static constexpr int kMcServiceProfilesId = 1064;
    static constexpr int kSyncId = 1336;

    explicit CTemplateSyncDlg(QWidget* parent = nullptr);
    ~CTemplateSyncDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;

private:
    void OnSync();
    // The classes ticked now, as the request carries them.
    ProfileSyncRec Chosen() const;

    std::unique_ptr<Ui::CTemplateSyncDlg> ui_;
    std::array<int, 6> checks_{}; // by box, 1059..1064
};

// The download dialog's title line for the classes chosen: "All Alarm Definitions", " and " and the profiles as
// "All xDSL Line Profiles, PM Profiles, ..." in a fixed order, either part alone when the other is empty.
std::string ProfileSyncTitle(const ProfileSyncRec& chosen);
