#pragma once
// How the subscriber dialogs show and send a subscriber's fields: the search patterns, the class and service choices
// and the texts of the list. Window-free.

#include <cstdint>
#include <string>
#include <string_view>

// Subscriber classes and service types as records carry them.
inline constexpr uint32_t kSubscriberHome = 1;
inline constexpr uint32_t kSubscriberEnterprise = 2;
inline constexpr uint32_t kServicePppoe = 1;
inline constexpr uint32_t kServiceFixedIp = 2;
inline constexpr uint32_t kServiceDhcp = 3;
// The mark of a stored subscriber on an NE outside the operator's scope: bit 31 of its entity id.
inline constexpr uint32_t kOutOfScopeMark = 0x80000000u;

// The pattern a search sends for a text the operator typed: with "sub-string" the text after a "*" that says so, but
// a text that fills the field (20 characters) as it is: no longer ID or name could hold it, so it finds what a
// sub-string search finds. An empty text with "sub-string" is "*" alone, which matches everything.
std::string SubscriberPattern(std::string_view text, bool substring);

// The class radio (0 Home User, 1 Enterprise User) of a record's class, and the class a radio sends.
int ClassRadioOf(uint32_t subscriberClass);
uint32_t ClassOfRadio(int radio);
// The service radio (0 PPPoE, 1 Fixed-IP, 2 DHCP) of a record's service type, and the service a radio sends.
int ServiceRadioOf(uint32_t serviceType);
uint32_t ServiceOfRadio(int radio);
