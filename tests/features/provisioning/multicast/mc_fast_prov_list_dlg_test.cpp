// The progress list of a multicast channel fast provisioning as it opens: a range whose ends are both slots lists the
// ports of the chosen line-card model, the same slot range on every shelf of the shelf range, skipping a slot whose
// card is of another model and taking the model's ports for an empty one, every row ticked; a range end above or
// below a slot is an internal error and the list closes; an operator without the right gets no list.

#include "tarvik_test_paths.h"
#include "tests/features/provisioning/made_up_nes.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_node.h"
#include "core/tables/user_account.h"
#include "features/provisioning/multicast/mc_fast_prov_list_dlg.h"
#include "features/provisioning/pvcs/mc_channel_entry.h"
#include "platform/list_control.h"

#include <QLabel>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using List = CMcFastProvListDlg;
constexpr uint32_t kNe = 9;
constexpr uint32_t kAlc24 = 30;
constexpr uint32_t kAlc48 = 31;

CEntityIndex At(unsigned shelf, unsigned slot = 0, unsigned port = 0)
{
    return CEntityIndex::FromLevels(1, shelf, slot, port);
}

// An IPD-48 (two shelves) with an ALC-24 in 1-1, an ALC-48 in 1-2 and an ALC-24 in 2-2; the other slots empty.
class McFastProvListDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
        ReplaceEntityModels(
            LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat").models);
        LoadProgramStrings();
        AppData().Reset();
        AppData().role = kRoleUser;
        GrantFastProvisioning('q');
        CNeRecord ne;
        ne.neId = kNe;
        ne.neModelId = 4;
        ne.name = "South-9";
        ne.address = {10, 0, 0, 9};
        CNeRecord* added = nullptr;
        ASSERT_EQ(AppData().nes.AddNe(ne, &added), NeResult::kOk);
        added->BuildEntityTree();
        added->root->SetTypeById(10100, kAlc24, kAlc24);
        added->root->SetTypeById(10200, kAlc48, kAlc48);
        added->root->SetTypeById(20200, kAlc24, kAlc24);
        channel_.vpi = 1;
        channel_.vci = 33;
        channel_.vlanId = 300;
        channel_.channelLimit = 2;
        channel_.profile = "basic";
        channel_.adminState = kMcChannelEnabled;
    }
    void TearDown() override
    {
        ClearUserRights();
        AppData().Reset();
        ReplaceEntityModels(nullptr);
    }

    static void GrantFastProvisioning(char letter)
    {
        std::string rights(127, 'a');
        rights[kRightMcFastProvisioning] = letter;
        SetUserRights(kRoleUser, rights.c_str());
    }

    // Opens the list from an opener on the range and the model; `work` acts in it once it is shown. The list's
    // result; a text it closed with stays on the opener's message line.
    int Open(const CEntityIndex& from, const CEntityIndex& to, uint32_t model, const std::function<void(List&)>& work)
    {
        return RunFromOpener<List>(
            runner_, opener_,
            [&](List& list) {
                list.SetTarget(static_cast<int>(kNe), nullptr);
                list.SetRun(from, to, model, channel_);
            },
            work);
    }
    static QStringList Column(List& list, int column)
    {
        const CListControl rows(list.FindList(kListControlId));
        QStringList texts;
        for (int row = 0; row < rows.GetItemCount(); ++row)
            texts << rows.GetItemText(row, column);
        return texts;
    }
    static QString Label(List& list, int id) { return list.GetDlgItemAs<QLabel>(id)->text(); }

    ScriptedModalRunner runner_;
    CTestDlg opener_;
    McChannelRec channel_;
};

TEST_F(McFastProvListDlgTest, TheSlotRangeOfEachShelfListsThePortsOfTheChosenModel)
{
    bool shown = false;
    Open(At(1, 2), At(2, 3), kAlc24, [&](List& list) {
        shown = true;
        const QStringList places = Column(list, 1);
        // Shelf 1: slot 2 holds another model, slot 3 is empty; shelf 2: slot 2 holds the model, slot 3 is empty.
        ASSERT_EQ(places.size(), 3 * 24);
        EXPECT_EQ(places.front(), QStringLiteral("1-3-1"));
        EXPECT_EQ(places.value(23), QStringLiteral("1-3-24"));
        EXPECT_EQ(places.value(24), QStringLiteral("2-2-1"));
        EXPECT_EQ(places.value(48), QStringLiteral("2-3-1"));
        EXPECT_EQ(places.back(), QStringLiteral("2-3-24"));
        EXPECT_EQ(places.filter(QStringLiteral("1-2-")).size(), 0) << "the ALC-48's slot";
        const QStringList numbers = Column(list, 0);
        EXPECT_EQ(numbers.front(), QStringLiteral("1"));
        EXPECT_EQ(numbers.back(), QStringLiteral("72"));
        const CListControl rows(list.FindList(kListControlId));
        for (int row = 0; row < rows.GetItemCount(); ++row)
            EXPECT_TRUE(rows.GetCheck(row)) << row;
        EXPECT_EQ(rows.GetItemData(0), 10301u);

        EXPECT_EQ(Label(list, List::kKeyId), QStringLiteral("1 / 33"));
        EXPECT_EQ(Label(list, List::kVlanId), QStringLiteral("300"));
        EXPECT_EQ(Label(list, List::kStateId), QStringLiteral("enabled"));
        EXPECT_EQ(Label(list, List::kLimitId), QStringLiteral("2"));
        EXPECT_EQ(Label(list, List::kProfileId), QStringLiteral("basic"));
        EXPECT_FALSE(list.IsRunning());
    });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(opener_.GetMessageText().isEmpty()) << opener_.GetMessageText().toStdString();
}

TEST_F(McFastProvListDlgTest, ADisabledChannelIsShownDisabled)
{
    channel_.adminState = 2;
    bool shown = false;
    Open(At(1, 2), At(2, 3), kAlc24, [&](List& list) {
        shown = true;
        EXPECT_EQ(Label(list, List::kStateId), QStringLiteral("disabled"));
    });
    EXPECT_TRUE(shown);
}

TEST_F(McFastProvListDlgTest, ARangeEndThatIsNoSlotIsAnInternalError)
{
    struct Row {
        CEntityIndex from;
        CEntityIndex to;
        const char* what;
    };
    for (const Row& row : {Row{At(1), At(1, 3), "From a shelf"}, Row{At(1, 1), At(1), "To a shelf"},
                           Row{At(1, 1, 1), At(1, 3), "From a port"}, Row{At(1, 1), At(1, 3, 1), "To a port"}}) {
        SCOPED_TRACE(row.what);
        bool shown = false;
        EXPECT_EQ(Open(row.from, row.to, kAlc24, [&](List&) { shown = true; }), IDCANCEL);
        EXPECT_FALSE(shown);
        EXPECT_EQ(opener_.GetMessageText(), QStringLiteral("Internal error"));
    }
    // Both ends slots: the list opens.
    bool shown = false;
    Open(At(1, 1), At(1, 1), kAlc24, [&](List& list) {
        shown = true;
        EXPECT_EQ(Column(list, 1).size(), 24);
    });
    EXPECT_TRUE(shown);
}

TEST_F(McFastProvListDlgTest, AnOperatorWithoutTheRightGetsNoList)
{
    GrantFastProvisioning('-');
    bool shown = false;
    EXPECT_EQ(Open(At(1, 1), At(1, 1), kAlc24, [&](List&) { shown = true; }), IDCANCEL);
    EXPECT_FALSE(shown);
    EXPECT_EQ(opener_.GetMessageText(), QStringLiteral("No privilege"));
}

} // namespace
