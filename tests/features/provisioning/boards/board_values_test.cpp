// Which change of a line card's settings asks which question: none when only the planned type changes, the card's
// reset when the change resets a connected card, and the plain question otherwise.

#include "features/provisioning/boards/board_values.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kTagged = 1;
constexpr uint32_t kUntagged = 2;

struct Case {
    const char* name;
    BoardSettings chosen;
    bool connected;
    bool encapsulationResetsOnly;
    uint32_t question;
};

TEST(BoardValues, EachChangeAsksItsQuestion)
{
    const BoardSettings loaded{1, 0, 0, kTagged};
    const std::vector<Case> cases = {
        {"nothing changed", loaded, true, false, 0},
        {"encapsulation", {0, 0, 0, kTagged}, true, false, kStrSureToResetLineCard},
        {"encapsulation, card not connected", {0, 0, 0, kTagged}, false, false, kStrSureToModifyData},
        {"tag pass-through while tagged", {1, 1, 0, kTagged}, true, false, kStrSureToResetLineCard},
        {"tag pass-through while untagged", {1, 1, 0, kUntagged}, true, false, kStrSureToResetLineCard},
        {"service type control", {1, 0, 1, kTagged}, true, false, kStrSureToResetLineCard},
        {"tagged mode", {1, 0, 0, kUntagged}, true, false, kStrSureToResetLineCard},
        {"control module: encapsulation", {0, 0, 0, kTagged}, true, true, kStrSureToResetLineCard},
        {"control module: service type", {1, 0, 1, kTagged}, true, true, kStrSureToResetLineCard},
        {"control module: tag pass-through", {1, 1, 0, kTagged}, true, true, kStrSureToModifyData},
        {"control module: tagged mode", {1, 0, 0, kUntagged}, true, true, kStrSureToModifyData},
        {"control module: encapsulation, card not connected", {0, 0, 0, kTagged}, false, true, kStrSureToModifyData},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BoardChangeConfirmation(loaded, c.chosen, c.connected, c.encapsulationResetsOnly), c.question);
    }
    // Tag pass-through alone resets only while the card is tagged.
    const BoardSettings untagged{1, 0, 0, kUntagged};
    EXPECT_EQ(BoardChangeConfirmation(untagged, {1, 1, 0, kUntagged}, true, false), kStrSureToModifyData);
}

} // namespace
