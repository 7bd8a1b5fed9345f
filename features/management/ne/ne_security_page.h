#pragma once
// CNeSecurityPage ("Security", template 328): the NE dialog's page of the NE's SNMP community and version and of the
// FTP login the server uses for it. It holds and shows values only: its container puts them in before the data
// exchange and reads them after. The Community List button opens the NE's SNMP communities (not in create mode,
// and only for an NE of the NE table whose equipment is as planned). In direct mode the SNMP version and the FTP
// login are not shown.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>

namespace Ui {
class CNeSecurityPage;
}

struct NeSecurityValues {
    QString community;
    int versionIndex = 0; // 0 SNMP v1, 1 SNMP v2c
    QString ftpUser;
    QString ftpPassword;
    QString verification;
};

class CNeSecurityPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 328;
    static constexpr int kCommunityId = 1094;
    static constexpr int kCommunityListButtonId = 1059;
    static constexpr int kVersionComboId = 1191;
    static constexpr int kFtpUserId = 1258;
    static constexpr int kFtpPasswordId = 1289;
    static constexpr int kVerificationId = 1290;

    explicit CNeSecurityPage(QWidget* parent = nullptr);
    ~CNeSecurityPage() override;

    const NeSecurityValues& Values() const { return values_; }
    void SetValues(const NeSecurityValues& values) { values_ = values; }
    // 1 hides the Community List button.
    void SetHideCommunityList(bool hide) { hideCommunityList_ = hide; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;

private:
    std::unique_ptr<Ui::CNeSecurityPage> ui_;
    NeSecurityValues values_;
    bool hideCommunityList_ = false;
};

// The page's community by default, and a discovery range's: DIALOG/SNMPCOMMUNITY, else the NE's default community;
// at most 20 characters.
QString DefaultNeCommunity();
// The NE's default community, whatever the configuration says: a new NE, added or discovered, starts with it.
QString FixedNeCommunity();
