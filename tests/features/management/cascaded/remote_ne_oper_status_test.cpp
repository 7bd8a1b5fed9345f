// What the remote NE list shows of a remote NE's operational status: 1 connected with the link-up picture, 2
// disconnected with the link-down picture, any other value not active without a picture.

#include "features/management/cascaded/remote_ne_list_dlg.h"
#include "tarvik_test_paths.h"
#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class RemoteNeOperStatusTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv"); }
};

TEST_F(RemoteNeOperStatusTest, OneIsConnectedTwoDisconnectedAndAnyOtherValueNotActive)
{
    const struct {
        uint32_t status;
        const char* text;
        int image;
    } cases[] = {{1, "Connected", 5},  {2, "Disconnected", 8}, {0, "Not Active", 0},
                 {3, "Not Active", 0}, {4, "Not Active", 0},   {0xFFFFFFFF, "Not Active", 0}};
    for (const auto& c : cases) {
        const RemoteNeOperShown shown = RemoteNeOperStatusShown(c.status);
        EXPECT_EQ(LoadString(shown.textId), c.text) << c.status;
        EXPECT_EQ(shown.image, c.image) << c.status;
    }
}

} // namespace
