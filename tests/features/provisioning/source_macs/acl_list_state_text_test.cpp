// The control state column of the access control list: a PVC that denies its listed MACs reads "deny", any other state
// the NE reports, known or not, "permit".

#include "features/provisioning/source_macs/xdsl_acl_list_dlg.h"
#include "tarvik_test_paths.h"
#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AclListStateText, DenyForState4AndPermitForAnyOther)
{
    LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
    const struct {
        uint32_t state;
        const char* text;
    } cases[] = {{4, "deny"}, {5, "permit"}, {0, "permit"}, {1, "permit"}, {6, "permit"}, {0xFFFFFFFFu, "permit"}};
    for (const auto& c : cases)
        EXPECT_EQ(LoadString(AclListStateTextId(c.state)), c.text) << c.state;
}

} // namespace
