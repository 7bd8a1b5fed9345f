#pragma once
// CUserOnlineListDlg ("User Online List", template 277): the operators logged in to the server now (request 18), one
// row per login with the account's role picture, name, location, the address it logged in from and when. Only logins
// of accounts the account table knows are listed. Refresh (or the auto-refresh every DIALOG/DIALOGREFRESHTIME
// seconds, due at whole periods however long a query takes) asks again and keeps the selected login selected. Show
// opens the login's account, Operation Log the operation log criteria for it, Send Msg an Instant Popup Mail to it,
// and Force Logout sends the login the mail that logs it out; Export writes the list under the stem "UserOnLn".

#include "link/records/online_user_record.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class CUserOnlineListDlg;
}

class CUserOnlineListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 277;
    static constexpr int kOperationLogButtonId = 1215;
    static constexpr int kSendMessageButtonId = 1198;
    static constexpr int kForceLogoutButtonId = 1217;
    static constexpr int kAutoRefreshCheckId = 1059;
    static constexpr int kAdministratorImageId = 1153;
    static constexpr int kManagerImageId = 1134;
    static constexpr int kUserImageId = 1144;
    static constexpr int kPopupOperationLog = 33054;
    static constexpr int kPopupSendMessage = 33051;
    static constexpr int kPopupForceLogout = 33055;
    static constexpr int kAutoRefreshTimer = 21623;
    // Columns.
    static constexpr int kNameColumn = 1;
    static constexpr int kAddressColumn = 3;

    explicit CUserOnlineListDlg(QWidget* parent = nullptr);
    ~CUserOnlineListDlg() override;

    void InitData() override;
    void DrawExtras(Dc& dc) override;
    int OnCommandHook(int id, int code) override;
    void OnTimer(int id) override;
    void OnDestroy() override;

    void OnShowRecord(uint32_t row) override;

    // The refresh period in milliseconds and whether the list refreshes itself.
    int64_t RefreshPeriodMs() const { return periodMs_; }
    bool IsAutoRefreshOn() const { return autoRefresh_; }

private:
    // Asks the server again: false when the query failed.
    bool Query();
    // Selects the row of the same login (account, login time and address), when there is one.
    void Reselect(const OnlineUserRecord& selected);
    void SetAutoRefresh(bool on);
    // The name of the selected login; none without a selection.
    std::optional<std::string> SelectedName() const;
    void OpenOperationLog();
    void SendMessage();
    void ForceLogout();

    std::unique_ptr<Ui::CUserOnlineListDlg> ui_;
    CIndexedRecordList<OnlineUserRecord> rows_;
    int64_t periodMs_ = 2000;
    int64_t dueMs_ = 0;
    bool autoRefresh_ = false;
    bool lastQueryOk_ = false;
    std::optional<OnlineUserRecord> reselect_;
};
