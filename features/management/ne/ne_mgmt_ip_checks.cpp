#include "features/management/ne/ne_mgmt_ip_checks.h"

#include "core/util/ne_ip_validation.h"
#include "core/util/netmask.h"
#include "features/management/ne/ne_mgmt_ip_page.h"
#include "ui/framework/messages/string_ids.h"

namespace {

using P = CNeMgmtIpPage;

struct AlertRow {
    int result;
    MgmtIpAlert alert;
};

constexpr AlertRow kAlerts[] = {
    {kNmeIpFormatError, {kStrNmeIpFormatError, {P::kNmeIpId}}},
    {kNmeMaskFormatError, {kStrNmeMaskFormatError, {P::kNmeMaskId}}},
    {kNmeIpIsSubnetAddress, {kStrNmeIpIsSubnetAddress, {P::kNmeIpId, P::kNmeMaskId}}},
    {kNmeIpIsBroadcastAddress, {kStrNmeIpIsBroadcastAddress, {P::kNmeIpId, P::kNmeMaskId}}},
    {kUgeIpFormatError, {kStrUgeIpFormatError, {P::kUgeIpId}}},
    {kUgeMaskFormatError, {kStrUgeMaskFormatError, {P::kUgeMaskId}}},
    {kUgeIpIsSubnetAddress, {kStrUgeIpIsSubnetAddress, {P::kUgeIpId, P::kUgeMaskId}}},
    {kUgeIpIsBroadcastAddress, {kStrUgeIpIsBroadcastAddress, {P::kUgeIpId, P::kUgeMaskId}}},
    {kRootIpFormatError, {kStrRootIpFormatError, {}}},
    {kCascadedMaskFormatError, {kStrCascadedMaskFormatError, {}}},
    {kRootIpIsSubnetAddress, {kStrRootIpIsSubnetAddress, {}}},
    {kRootIpIsBroadcastAddress, {kStrRootIpIsBroadcastAddress, {}}},
    {kGatewayFormatError, {kStrGatewayIpFormatError, {P::kGatewayId}}},
    {kGatewayIsSubnetAddress, {kStrGatewayIpIsSubnetAddress, {P::kGatewayId, P::kUgeMaskId, P::kNmeMaskId}}},
    {kGatewayIsBroadcastAddress, {kStrGatewayIpIsBroadcastAddress, {P::kGatewayId, P::kUgeMaskId, P::kNmeMaskId}}},
    {kGatewayOutsideNmeAndUge, {kStrGatewayOutsideNmeAndUge, {P::kGatewayId, P::kUgeMaskId, P::kNmeMaskId}}},
    {kGatewayInCascadedSubnet, {kStrGatewayInCascadedSubnet, {P::kGatewayId}}},
    {kNmeIpEqualsUgeIp, {kStrNmeIpEqualsUgeIp, {P::kNmeIpId, P::kUgeIpId}}},
    {kNmeIpEqualsRootIp, {kStrNmeIpEqualsRootIp, {P::kNmeIpId}}},
    {kNmeIpEqualsGateway, {kStrNmeIpEqualsGateway, {P::kNmeIpId, P::kGatewayId}}},
    {kUgeIpEqualsRootIp, {kStrUgeIpEqualsRootIp, {P::kUgeIpId}}},
    {kUgeIpEqualsGateway, {kStrUgeIpEqualsGateway, {P::kUgeIpId, P::kGatewayId}}},
    {kRootIpEqualsGateway, {kStrRootIpEqualsGateway, {P::kGatewayId}}},
    {kNmeSubnetEqualsUgeSubnet, {kStrNmeSubnetEqualsUgeSubnet, {P::kUgeMaskId, P::kNmeMaskId}}},
    {kNmeSubnetEqualsCascadedSubnet, {kStrNmeSubnetEqualsCascadedSubnet, {P::kNmeMaskId}}},
    {kUgeSubnetEqualsCascadedSubnet, {kStrUgeSubnetEqualsCascadedSubnet, {P::kUgeMaskId}}},
};

} // namespace

std::optional<MgmtIpAlert> MgmtIpAlertOf(int result)
{
    for (const AlertRow& row : kAlerts) {
        if (row.result == result)
            return row.alert;
    }
    return std::nullopt;
}

bool GatewayInNeSubnet(const IpAddress& gateway, const IpAddress& ugeIp, unsigned ugePrefix, const IpAddress& nmeIp,
                       unsigned nmePrefix)
{
    return ApplyPrefixLength(gateway, ugePrefix) == ApplyPrefixLength(ugeIp, ugePrefix) ||
           ApplyPrefixLength(gateway, nmePrefix) == ApplyPrefixLength(nmeIp, nmePrefix);
}
