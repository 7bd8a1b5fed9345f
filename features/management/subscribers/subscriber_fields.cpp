#include "features/management/subscribers/subscriber_fields.h"

#include "link/records/subscriber_record.h"

std::string SubscriberPattern(std::string_view text, bool substring)
{
    if (!substring || text.size() >= kSubscriberTextWidth - 1)
        return std::string(text);
    return "*" + std::string(text);
}

int ClassRadioOf(uint32_t subscriberClass)
{
    return subscriberClass == kSubscriberEnterprise ? 1 : 0;
}

uint32_t ClassOfRadio(int radio)
{
    return radio == 1 ? kSubscriberEnterprise : kSubscriberHome;
}

int ServiceRadioOf(uint32_t serviceType)
{
    switch (serviceType) {
    case kServicePppoe:
        return 0;
    case kServiceDhcp:
        return 2;
    default:
        return 1;
    }
}

uint32_t ServiceOfRadio(int radio)
{
    switch (radio) {
    case 0:
        return kServicePppoe;
    case 2:
        return kServiceDhcp;
    default:
        return kServiceFixedIp;
    }
}
