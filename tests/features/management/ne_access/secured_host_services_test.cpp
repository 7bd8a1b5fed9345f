// The services of a secured host section as the list shows them and as they are read back from the list's text.

#include "features/management/ne_access/secured_host_services.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    uint32_t mask;
    std::string text;
};

TEST(SecuredHostServices, TheTextNamesTheSetBitsInOrderAndReadsBackToTheSameMask)
{
    const Case cases[] = {
        {0x00, ""},
        {0x80, "SNMP"},
        {0x10, "TFTP"},
        {0x20, "FTP"},
        {0x90, "SNMP,TFTP"},
        {0x30, "FTP,TFTP"},
        {0xF0, "SNMP,TELNET,FTP,TFTP"},
        {0x0F, ""}, // bits with no service
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text);
        EXPECT_EQ(ServicesText(test.mask), test.text);
        EXPECT_EQ(ServicesOfText(test.text), test.mask & 0xF0);
    }
}

TEST(SecuredHostServices, ANameCountsOnlyWhole)
{
    // FTP is not found inside TFTP, nor SNMP inside a longer word.
    EXPECT_EQ(ServicesOfText("TFTP"), kServiceTftp);
    EXPECT_EQ(ServicesOfText("SNMP,TFTP"), kServiceSnmp | kServiceTftp);
    EXPECT_EQ(ServicesOfText("SNMPV3,XFTP"), 0u);
    EXPECT_EQ(ServicesOfText("FTP"), kServiceFtp);
}

} // namespace
