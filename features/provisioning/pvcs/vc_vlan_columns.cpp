#include "features/provisioning/pvcs/vc_vlan_columns.h"

#include "core/tables/entity_labels.h"
#include "core/util/ip_address.h"
#include "features/provisioning/pvcs/pvc_values.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <cstdio>

namespace {

// Sort keys that order by several fields at once, each field at its full width.
std::string Digits(uint32_t value, int width)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*u", width, value);
    return text;
}

std::string Padded(const std::string& name)
{
    return name + std::string(name.size() < 33 ? 33 - name.size() : 0, ' ');
}

std::string KeyTail(const PvcRec& pvc)
{
    return Digits(pvc.vpi, 3) + Digits(pvc.vci, 5) + Digits(pvc.portId, 10);
}

bool IsRouted(const PvcRec& pvc)
{
    return pvc.rfc2684Mode == kRfc2684Routed;
}

} // namespace

std::string ServiceTypeText(uint32_t serviceType, uint32_t otherwise)
{
    switch (serviceType >= kServicePppoe && serviceType <= kServiceTransparent ? serviceType : otherwise) {
    case kServicePppoe:
        return LoadString(kStrServicePppoe);
    case kServiceDhcp:
        return LoadString(kStrServiceDhcp);
    case kServicePppoeDhcp:
        return LoadString(kStrServicePppoeDhcp);
    case kServiceStaticIp:
        return LoadString(kStrServiceStaticIp);
    case kServicePppoeStaticIp:
        return LoadString(kStrServicePppoeStaticIp);
    case kServiceTransparent:
        return LoadString(kStrServiceTransparent);
    default:
        return {};
    }
}

std::vector<ListColumn<PvcRec>> VcVlanColumns(NeOfList ne, ServiceControlOf serviceControl)
{
    const auto controlled = [serviceControl](const PvcRec& pvc) {
        return serviceControl && serviceControl(pvc.portId);
    };
    return {
        {.order = ListOrder::kArrival},
        {.value = [ne](const PvcRec& pvc) { return ListValue(FormatEntityLocationById(ne(), pvc.portId, false)); },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const PvcRec& pvc) { return ListValue(pvc.portId); }},
        {.value = &PvcRec::vpi,
         .order = ListOrder::kText,
         .sortValue = [](const PvcRec& pvc) { return ListValue(KeyTail(pvc)); }},
        {.value = &PvcRec::vci,
         .order = ListOrder::kText,
         .sortValue = [](const PvcRec& pvc) { return ListValue(KeyTail(pvc)); }},
        {.value =
             [](const PvcRec& pvc) {
                 return ListValue(LoadString(pvc.enableState == kPvcEnabled ? kStrValueEnabled : kStrValueDisabled));
             },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const PvcRec& pvc) { return ListValue(pvc.enableState); },
         .image = [](const PvcRec& pvc) { return pvc.enableState == kPvcEnabled ? kImageEnabled : kImageDisabled; }},
        {.value =
             [](const PvcRec& pvc) {
                 return ListValue(LoadString(pvc.operState == kPvcOperUp ? kStrLinkUp : kStrLinkDown));
             },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const PvcRec& pvc) { return ListValue(pvc.operState); },
         .image = [](const PvcRec& pvc) { return pvc.operState == kPvcOperUp ? kImageLinkUp : kImageLinkDown; }},
        {.value =
             [](const PvcRec& pvc) { return ListValue(LoadString(IsRouted(pvc) ? kStrModeRouted : kStrModeBridged)); },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const PvcRec& pvc) { return ListValue(pvc.rfc2684Mode); }},
        {.value = [](const PvcRec& pvc) { return IsRouted(pvc) ? ListValue(pvc.nextHopName) : ListValue(pvc.vlanId); },
         .order = ListOrder::kText,
         .sortValue =
             [](const PvcRec& pvc) {
                 return ListValue(Digits(pvc.rfc2684Mode, 1) +
                                  (IsRouted(pvc) ? Padded(pvc.nextHopName) : Digits(pvc.vlanId, 4)) + KeyTail(pvc));
             }},
        {.value = &PvcRec::ipTrafficProfile,
         .order = ListOrder::kText,
         .sortValue = [](const PvcRec& pvc) { return ListValue(Padded(pvc.ipTrafficProfile) + KeyTail(pvc)); }},
        {.value =
             [controlled](const PvcRec& pvc) {
                 return ListValue(LoadString(controlled(pvc) ? kStrStateEnabled : kStrStateDisabled));
             },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const PvcRec& pvc) { return ListValue(pvc.serviceType); }},
        {.value = [](const PvcRec& pvc) { return ListValue(ServiceTypeText(pvc.serviceType, kServiceDhcp)); },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const PvcRec& pvc) { return ListValue(pvc.serviceType); }},
        {.value =
             [controlled](const PvcRec& pvc) {
                 if (controlled(pvc))
                     return ListValue(ServiceTypeText(pvc.serviceType, kServiceStaticIp));
                 return ListValue(
                     LoadString(pvc.rfc2684Mode == kRfc2684Bridged ? kStrServicePureBridge : kStrServiceRouted));
             },
         .order = ListOrder::kArrival},
        {.value =
             [](const PvcRec& pvc) {
                 return ListValue(FormatIpAddressPadded(pvc.baseAddress) + " / " + std::to_string(pvc.dhcpIpLimit));
             },
         .order = ListOrder::kArrival},
    };
}
