#include "features/fault/ne_alarm_io/ne_alarm_contact_states.h"

#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

QString NormalStateText(uint32_t state)
{
    switch (state) {
    case kContactOpened:
        return LoadQString(kStrContactOpened);
    case kContactClosed:
        return LoadQString(kStrContactClosed);
    default:
        return {};
    }
}

QString AdminStateText(uint32_t state)
{
    return LoadQString(state == kAdminEnabled ? kStrStateEnabled : kStrStateDisabled);
}

QString CurrentStateText(uint32_t adminState, uint32_t currentState, const QString& onText, const QString& offText)
{
    if (adminState != kAdminEnabled)
        return LoadQString(kStrNotApplicable);
    return currentState == 1 ? onText : offText;
}
