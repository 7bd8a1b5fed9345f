#include "features/provisioning/arp_proxy/arp_proxy_columns.h"

#include "core/util/ip_address.h"
#include "core/util/mac_address.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QStringList>

std::string ArpPacketTypeText(uint32_t packetType)
{
    const QStringList types = LoadQString(kStrArpPacketTypes).split('|');
    // The texts of 0..7; other values are miscellaneous, as 5 and 6 are.
    constexpr uint32_t kMiscellaneous = 5;
    return types.value(static_cast<int>(packetType < static_cast<uint32_t>(types.size()) ? packetType : kMiscellaneous))
        .toStdString();
}

std::vector<ListColumn<ArpProxyEntryRec>> ArpProxyColumns(std::function<std::string(const ArpProxyEntryRec&)> slotPort,
                                                          ArpNumberOrder numbers)
{
    using R = ArpProxyEntryRec;
    const bool asNumbers = numbers == ArpNumberOrder::kNumbers;
    return {
        {.order = asNumbers ? ListOrder::kArrival : ListOrder::kText},
        {.value = [slotPort](const R& rec) { return ListValue(slotPort(rec)); }, .order = ListOrder::kNoCase},
        {.value = [](const R& rec) { return ListValue(FormatIpAddressPadded(rec.ipAddress.data())); },
         .order = ListOrder::kIpv4,
         .sortValue = [](const R& rec) { return ListValue(IpAddress(rec.ipAddress)); }},
        {.value = [](const R& rec) { return ListValue(FormatMacAddress(rec.macAddress.data())); },
         .order = ListOrder::kText},
        {.value = [](const R& rec) { return ListValue(LoadString(rec.flag != 0 ? kStrArpStatic : kStrArpDynamic)); }},
        {.value = [](const R& rec) { return ListValue(ArpPacketTypeText(rec.packetType)); }},
        {.value = [](const R& rec) { return ListValue(rec.vlanId); },
         .order = asNumbers ? ListOrder::kSigned : ListOrder::kText},
    };
}
