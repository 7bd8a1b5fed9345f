#include "link/records/operator_mail_record.h"

bool IsForceLogoutMail(const OperatorMailRecord& rec)
{
    return rec.text == ForceLogoutMarker;
}
