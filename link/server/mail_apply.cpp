#include "link/server/mail_apply.h"

#include <cstdio>

#include "link/records/operator_mail_record.h"

namespace {

constexpr uint32_t kForcedLogoutDelayMs = 10000;

std::string DottedIp(const std::array<uint8_t, 4>& ip)
{
    char text[16] = {};
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", ip[0], ip[1], ip[2], ip[3]);
    return text;
}

} // namespace

void ApplyOperatorMail(const EmsMsg& msg, CDispatchEffects& effects)
{
    // Echoing a sent mail back must never show it to its sender, nor log the sender out.
    if (msg.sequence != 0) {
        return;
    }
    const uint32_t count = UsableRecordCount(msg, kOperatorMailRecordSize).value_or(0);
    for (uint32_t i = 0; i < count; ++i) {
        OperatorMailRecord rec;
        DecodeRecord(EmsRecordAt(msg, i), kOperatorMailRecordSize, &rec);
        OperatorMailNotice notice;
        notice.sender = rec.sender;
        notice.senderIp = DottedIp(rec.senderIp);
        notice.forcedLogout = IsForceLogoutMail(rec);
        notice.text = rec.text;
        effects.ShowOperatorMail(std::move(notice));
        if (IsForceLogoutMail(rec)) {
            effects.StartLogoutTimer(kForcedLogoutDelayMs);
        }
    }
}
