// The shelf combo of the current-status lists, as they open on shelf 1's first slot of NEs of made-up models: an NE
// of two shelves keeps it choosable even when it offers only one shelf; a single-shelf NE shows it on its first item,
// disabled.

#include "tests/features/provisioning/made_up_nes.h"

#include "features/performance/status_lists/multicast_channel_status_dlg.h"
#include "features/performance/status_lists/xdsl_broadcast_filter_dlg.h"
#include "features/performance/status_lists/xdsl_fdb_list_dlg.h"
#include "platform/notify_codes.h"
#include "ui/framework/dialogs/dialog_request.h"

#include <QComboBox>

#include <gtest/gtest.h>

namespace {

using namespace made_up;
constexpr int kShelfComboId = 1322;

// Each list and the right it asks of the operator.
struct FilteringDatabase {
    using Dlg = CXdslFdbListDlg;
    static constexpr int kRight = kRightFilteringDatabase;
};
struct BroadcastVlans {
    using Dlg = CXdslBroadcastFilterDlg;
    static constexpr int kRight = kRightVlanMembership;
};
struct McChannelStatus {
    using Dlg = CMulticastChannelStatusDlg;
    static constexpr int kRight = kRightMcChannels;
};

template <typename Case> class StatusShelfComboTest : public CMadeUpNeDlgTest<typename Case::Dlg, Case::kRight> {
protected:
    using Dlg = typename Case::Dlg;

    // `check` looks at the list's shelf combo once it is shown. Whether it was.
    bool Open(uint32_t neId, const std::function<void(Dlg&, QComboBox&)>& check)
    {
        return this->OpenOn(neId, CEntityIndex::FromLevels(1, 1, 1), kAccessQuery,
                            [&](Dlg& dlg) { check(dlg, *dlg.template GetDlgItemAs<QComboBox>(kShelfComboId)); });
    }
};

using Lists = ::testing::Types<FilteringDatabase, BroadcastVlans, McChannelStatus>;
TYPED_TEST_SUITE(StatusShelfComboTest, Lists);

TYPED_TEST(StatusShelfComboTest, AnNeOfTwoShelvesKeepsTheShelfChoosableWhenOnlyOneIsOffered)
{
    using Dlg = typename TypeParam::Dlg;
    EXPECT_TRUE(this->Open(kCabinetNe, [](Dlg& dlg, QComboBox& shelves) {
        EXPECT_EQ(shelves.count(), 1);
        EXPECT_TRUE(dlg.IsControlEnabled(kShelfComboId)) << "the NE has two shelves";
    }));
}

TYPED_TEST(StatusShelfComboTest, ASingleShelfNeShowsItsShelfOnTheFirstItemDisabled)
{
    using Dlg = typename TypeParam::Dlg;
    EXPECT_TRUE(this->Open(kSingleNe, [](Dlg& dlg, QComboBox& shelves) {
        EXPECT_FALSE(dlg.IsControlEnabled(kShelfComboId));
        EXPECT_EQ(shelves.currentIndex(), 0);
        EXPECT_EQ(shelves.currentText(), QStringLiteral("1"));
    }));
}

} // namespace

namespace {

class BroadcastVlansShelfTest : public CMadeUpNeDlgTest<CXdslBroadcastFilterDlg, kRightVlanMembership> {};

// The broadcast VLANs' cards follow the shelf's edited text only: a choice from the Shelf combo's list leaves them.
TEST_F(BroadcastVlansShelfTest, TheSlotsFollowAShelfTypedNotAShelfChosen)
{
    EXPECT_TRUE(OpenOn(kCabinetNe, CEntityIndex::FromLevels(1, 1, 1), kAccessQuery, [](CXdslBroadcastFilterDlg& dlg) {
        auto& cards = *dlg.GetDlgItemAs<QComboBox>(CXdslStatusScope::kSlotComboId);
        const int offered = cards.count();
        ASSERT_GT(offered, 0);
        cards.clear();
        dlg.OnCommand(kShelfComboId, CBN_SELCHANGE);
        EXPECT_EQ(cards.count(), 0) << "a shelf chosen from the list";
        dlg.OnCommand(CXdslStatusScope::kSlotComboId, CBN_SELCHANGE);
        EXPECT_EQ(cards.count(), 0) << "a slot chosen";
        dlg.OnCommand(kShelfComboId, CBN_EDITCHANGE);
        EXPECT_EQ(cards.count(), offered) << "a shelf typed";
    }));
}

} // namespace
