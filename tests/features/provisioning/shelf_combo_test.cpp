// The shelf combos of the dialogs that pick a port or a range of slots, as they open on NEs of made-up models: an NE
// of two shelves keeps its shelf combos choosable even when they offer only one shelf; a single-shelf NE shows them
// on their first item, disabled. Each dialog opens on shelf 1's first slot as the operator creates with it (the fast
// provisioning has no mode).

#include "tests/features/provisioning/made_up_nes.h"

#include "features/provisioning/fast_prov/fast_prov_dlg.h"
#include "features/provisioning/multicast/xdsl_mc_channel_setting_dlg.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_setting_dlg.h"
#include "features/provisioning/static_macs/xdsl_static_mac_dlg.h"
#include "ui/framework/dialogs/dialog_request.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace made_up;

// Each dialog: its right, the mode it opens in, its shelf combos.
struct McChannelSetting {
    using Dlg = CXdslMcChannelSettingDlg;
    static constexpr int kRight = kRightMcChannels;
    static constexpr uint8_t kMode = kAccessCreate;
    static std::vector<int> Shelves() { return {Dlg::kShelfId}; }
};
struct VcVlanSetting {
    using Dlg = CXdslVcVlanSettingDlg;
    static constexpr int kRight = kRightVlanMembership;
    static constexpr uint8_t kMode = kAccessCreate;
    static std::vector<int> Shelves() { return {Dlg::kShelfId}; }
};
struct StaticMac {
    using Dlg = CXdslStaticMacDlg;
    static constexpr int kRight = kRightFilteringDatabase;
    static constexpr uint8_t kMode = kAccessCreate;
    static std::vector<int> Shelves() { return {Dlg::kShelfId}; }
};
struct FastProvisioning {
    using Dlg = CFastProvDlg;
    static constexpr int kRight = kRightFastProvisioning;
    static constexpr uint8_t kMode = kAccessQuery;
    static std::vector<int> Shelves() { return {Dlg::kFirstShelfId, Dlg::kLastShelfId}; }
};

template <typename Case> class ShelfComboTest : public CMadeUpNeDlgTest<typename Case::Dlg, Case::kRight> {
protected:
    using Dlg = typename Case::Dlg;

    bool Open(uint32_t neId, const std::function<void(Dlg&)>& work)
    {
        return this->OpenOn(neId, CEntityIndex::FromLevels(1, 1, 1), Case::kMode, work);
    }
    static QComboBox& Combo(Dlg& dlg, int id) { return *dlg.template GetDlgItemAs<QComboBox>(id); }
};

using Dialogs = ::testing::Types<McChannelSetting, VcVlanSetting, StaticMac, FastProvisioning>;
TYPED_TEST_SUITE(ShelfComboTest, Dialogs);

TYPED_TEST(ShelfComboTest, AnNeOfTwoShelvesKeepsTheShelfChoosableWhenOnlyOneIsOffered)
{
    using Dlg = typename TypeParam::Dlg;
    EXPECT_TRUE(this->Open(kCabinetNe, [](Dlg& dlg) {
        for (int id : TypeParam::Shelves()) {
            SCOPED_TRACE(id);
            EXPECT_EQ(TestFixture::Combo(dlg, id).count(), 1);
            EXPECT_TRUE(dlg.IsControlEnabled(id)) << "the NE has two shelves";
        }
    }));
}

TYPED_TEST(ShelfComboTest, ASingleShelfNeShowsItsShelfOnTheFirstItemDisabled)
{
    using Dlg = typename TypeParam::Dlg;
    EXPECT_TRUE(this->Open(kSingleNe, [](Dlg& dlg) {
        for (int id : TypeParam::Shelves()) {
            SCOPED_TRACE(id);
            EXPECT_FALSE(dlg.IsControlEnabled(id));
            EXPECT_EQ(TestFixture::Combo(dlg, id).currentIndex(), 0);
            EXPECT_EQ(TestFixture::Combo(dlg, id).currentText(), QStringLiteral("1"));
        }
    }));
}

} // namespace
