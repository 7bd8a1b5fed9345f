#include "features/provisioning/vlans/vlan_text.h"

#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

QString EtherTypeText(uint16_t etherType)
{
    return QStringLiteral("0x%1").arg(etherType, 4, 16, QLatin1Char('0'));
}

QString StateWord(bool enabled)
{
    return LoadQString(enabled ? kStrValueEnabled : kStrValueDisabled);
}
