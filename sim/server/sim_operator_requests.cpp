// The simulated server's requests about its operators and subscribers: who may make which request, the operation
// log every change goes to, operator mail, the accounts with their role rules, the rights, the operators online, and
// the subscribers of the NEs' ports.

#include "sim/server/sim_request_handler.h"

#include "core/tables/access_rights.h"
#include "core/tables/user_account.h"
#include "core/util/names.h"
#include "link/records/online_user_record.h"
#include "link/records/op_log_record.h"
#include "link/records/operator_mail_record.h"
#include "link/records/subscriber_record.h"
#include "sim/server/sim_access.h"
#include "sim/server/sim_frame_records.h"

namespace {

// The most records one answer to a paged query carries: more than a workstation shows of one.
constexpr uint32_t kSimMaxWindowRows = 6000;

} // namespace

int CSimRequestHandler::RoleOf(const SimSession& session) const
{
    const UserAccountRecord* account = db_.FindAccount(session.user);
    return account != nullptr ? RoleIndexFromLetter(account->roleLetter.c_str()) : kRoleNone;
}

bool CSimRequestHandler::Permitted(Handled& out, const SimSession& session, const Frame& request)
{
    const FrameHeader& header = request.header;
    const bool permitted =
        RolePermitted(db_.Rights(), RoleOf(session), AccessRuleOf(header.requestCode, header.operation));
    if (!permitted) {
        Reply(out, header, Refused(kSimNoPrivilege));
    }
    return permitted;
}

void CSimRequestHandler::LogChange(const SimSession& session, const Frame& request, uint32_t now)
{
    const uint16_t code = request.header.requestCode;
    // The workstation says whether its operator's actions are logged; sessions and mail are no changes of the
    // server's data.
    if (!request.header.opLog || code == kReqNotificationsOn || code == kReqOperatorMail || code == kReqLoginQuery) {
        return;
    }
    SimOpLogChange change;
    change.operatorName = session.user;
    change.fromIp = session.peerIp;
    change.neId = request.header.neId;
    DescribeChange(code, request.payload.data(), request.header.count == 0 ? 0 : request.header.recordSize, &change);
    db_.OpLog().Append(change, now);
}

void CSimRequestHandler::OperatorMail(Handled& out, const SimSession& session, const Frame& request)
{
    OperatorMailRecord mail;
    if (!IsModify(request) || RecordsOf(request, kOperatorMailRecordSize) != 1 ||
        !DecodeRecord(RecordAt(request, 0), kOperatorMailRecordSize, &mail)) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    bool online = false;
    if (listSessions_) {
        for (const SimSession& other : listSessions_()) {
            online = online || other.user == mail.addressee;
        }
    }
    if (!online) {
        Reply(out, request.header, Refused("User is not logged in"));
        return;
    }
    // The server says who sent it and from where.
    mail.sender = session.user;
    mail.senderIp = session.peerIp;
    SimNotice notice = Notice(SimAudience::kUser, kReqOperatorMail, 0, std::vector<OperatorMailRecord>{mail});
    notice.user = mail.addressee;
    out.notices.push_back(std::move(notice));
    Reply(out, request.header, kDrvOk);
}

void CSimRequestHandler::Accounts(Handled& out, const SimSession& session, const Frame& request)
{
    const uint16_t code = request.header.requestCode;
    if (code == kReqUserAccount && IsQuery(request)) {
        const std::vector<UserAccountRecord> accounts = db_.Accounts();
        ReplyRecords(out, request.header, accounts, static_cast<uint32_t>(accounts.size()));
        return;
    }
    UserAccountRecord rec;
    if (!IsModify(request) || RecordsOf(request, kUserAccountRecordSize) != 1 ||
        !DecodeRecord(RecordAt(request, 0), kUserAccountRecordSize, &rec)) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    if (const SimResult allowed = AccountChangeAllowed(session, code, rec); !allowed.Ok()) {
        Reply(out, request.header, allowed);
        return;
    }
    UserAccountRecord result;
    SimResult done;
    if (code == kReqUserAccount) {
        done = db_.ModifyAccount(rec, &result);
    } else if (code == kReqUserAccountAdd) {
        done = db_.AddAccount(rec, &result);
    } else {
        done = db_.DeleteAccount(rec.name, &result);
    }
    if (!done.Ok()) {
        Reply(out, request.header, done);
        return;
    }
    const std::vector<UserAccountRecord> records{result};
    ReplyRecords(out, request.header, records, 1);
    out.notices.push_back(Notice(SimAudience::kOthers, code, 0, records));
}

SimResult CSimRequestHandler::AccountChangeAllowed(const SimSession& session, uint16_t code,
                                                   const UserAccountRecord& rec) const
{
    const int myRole = RoleOf(session);
    const bool own = CompareNames(session.user, rec.name) == 0;
    const int newRole = RoleIndexFromLetter(rec.roleLetter.c_str());
    // A role the server does not know is refused as such by the accounts' own rules.
    if (newRole == kRoleNone && code != kReqUserAccountDelete) {
        return {};
    }
    if (code == kReqUserAccountAdd) {
        return MayGiveRole(myRole, newRole, false) ? SimResult{} : Refused(kSimNoPrivilege);
    }
    const UserAccountRecord* stored = db_.FindAccount(rec.name);
    if (stored == nullptr) {
        return {}; // the change itself is refused for the missing account
    }
    if (!MayManageAccount(myRole, session.user, RoleIndexFromLetter(stored->roleLetter.c_str()), stored->name)) {
        return Refused(kSimNoPrivilege);
    }
    if (code == kReqUserAccountDelete) {
        return own ? Refused("User account is in use") : SimResult{};
    }
    return MayGiveRole(myRole, newRole, own) ? SimResult{} : Refused(kSimNoPrivilege);
}

void CSimRequestHandler::Rights(Handled& out, const Frame& request)
{
    if (IsModify(request)) {
        // The three slots travel as one record or as three.
        UserRightsRecord rights;
        if (request.payload.size() < kUserRightsRecordSize ||
            !DecodeRecord(request.payload.data(), request.payload.size(), &rights)) {
            Reply(out, request.header, kDrvInvalidParameter);
            return;
        }
        for (std::string& text : rights.rights) {
            text = text.substr(0, kUserRightsSlotSize - 1);
        }
        db_.SetRights(rights);
        out.notices.push_back(Notice(SimAudience::kOthers, kReqUserRights, 0, std::vector<UserRightsRecord>{rights}));
    }
    ReplyRecords(out, request.header, std::vector<UserRightsRecord>{db_.Rights()}, 1);
}

void CSimRequestHandler::OnlineUsers(Handled& out, const Frame& request)
{
    std::vector<OnlineUserRecord> users;
    if (listSessions_) {
        for (const SimSession& session : listSessions_()) {
            OnlineUserRecord user;
            if (const UserAccountRecord* account = db_.FindAccount(session.user)) {
                user.account = *account;
            } else {
                user.account.name = session.user;
            }
            user.loginTime = session.loginTime;
            user.address = session.peerIp;
            users.push_back(std::move(user));
        }
    }
    ReplyRecords(out, request.header, users, static_cast<uint32_t>(users.size()));
}

void CSimRequestHandler::OpLog(Handled& out, const Frame& request)
{
    OpLogCriteria criteria;
    if (!IsQuery(request) || RecordsOf(request, kOpLogCriteriaSize) == 0 ||
        !DecodeRecord(RecordAt(request, 0), kOpLogCriteriaSize, &criteria)) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    const auto [total, window] = db_.OpLog().Query(request.header.neId, criteria, kSimMaxWindowRows);
    ReplyRecords(out, request.header, window, total);
}

void CSimRequestHandler::Subscribers(Handled& out, const SimSession& session, const Frame& request)
{
    const FrameHeader& header = request.header;
    if (header.neId != 0 && db_.FindNe(header.neId) == nullptr) {
        Reply(out, header, Refused(kSimNoSuchNe));
        return;
    }
    if (header.requestCode == kReqSubscriber) {
        SubscriberCriteria criteria;
        if (!IsQuery(request) || RecordsOf(request, kSubscriberCriteriaSize) == 0 ||
            !DecodeRecord(RecordAt(request, 0), kSubscriberCriteriaSize, &criteria)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        const auto [total, window] = db_.Subscribers().Query(header.neId, criteria, kSimMaxWindowRows);
        ReplyRecords(out, header, window, total);
        return;
    }
    SubscriberRecord rec;
    if (!IsModify(request) || RecordsOf(request, kSubscriberRecordSize) != 1 ||
        !DecodeRecord(RecordAt(request, 0), kSubscriberRecordSize, &rec)) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    // The subscriber's NE travels in the request too.
    if (rec.neId == 0) {
        rec.neId = header.neId;
    }
    SubscriberRecord result;
    SimResult done;
    if (header.requestCode == kReqSubscriberAdd) {
        // One request adds a port's subscriber or changes it: the right needed is the one of what it does.
        const bool changes = db_.Subscribers().OfPort(rec.neId, rec.entityId) != nullptr;
        if (!RoleHolds(db_.Rights(), RoleOf(session), {kRightSubscribers, changes ? 'm' : 'c'})) {
            Reply(out, header, Refused(kSimNoPrivilege));
            return;
        }
        bool added = false;
        done = db_.PutSubscriber(rec, &added, &result);
    } else {
        done = db_.DeleteSubscriber(rec, &result);
    }
    if (!done.Ok()) {
        Reply(out, header, done);
        return;
    }
    ReplyRecords(out, header, std::vector<SubscriberRecord>{result}, 1);
}
