// The Location and NE combos of the dialogs that pick an NE by where it stands: the company first, the locations of
// the operator's scope in tree order, a location chosen wherever it lies, and the NEs a location choice lists with and
// without its sub-locations.

#include "tests/platform/qt_test_app.h"

#include "core/config/app_settings.h"
#include "core/tables/app_data.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "ui/framework/dialogs/location_ne_combos.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

using Items = std::vector<std::pair<QString, uint32_t>>;

Items ItemsOf(const QComboBox& combo)
{
    Items items;
    for (int i = 0; i < combo.count(); ++i)
        items.push_back({combo.itemText(i), combo.itemData(i).value<quint32>()});
    return items;
}

// Headquarters (1) holds North (2), which holds Depot (4); South (3) stands beside Headquarters. NEs stand in North,
// Depot and South and one outside every location.
class LocationNeCombosTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppData().Reset();
        AppSettings().company = "ACME";
        for (const auto& [id, parent, name] : {std::tuple{1u, 0u, "Headquarters"}, std::tuple{2u, 1u, "North"},
                                               std::tuple{3u, 0u, "South"}, std::tuple{4u, 2u, "Depot"}}) {
            CLocationNode location;
            location.id = id;
            location.parentId = parent;
            location.name = name;
            AppData().locations.UpsertLocation(location);
        }
        for (const auto& [id, location, name] : {std::tuple{1u, 2u, "n-north"}, std::tuple{2u, 4u, "m-depot"},
                                                 std::tuple{3u, 3u, "s-south"}, std::tuple{4u, 0u, "a-spare"}}) {
            CNeRecord ne;
            ne.neId = id;
            ne.locationId = location;
            ne.name = name;
            ne.address = {10, 0, 0, static_cast<uint8_t>(id)};
            AppData().nes.AddNe(ne);
        }
    }
    void TearDown() override
    {
        AppData().Reset();
        AppSettings().company.clear();
    }
};

TEST_F(LocationNeCombosTest, TheCompanyThenTheLocationsInTreeOrderAChosenOneAtAnyDepth)
{
    QComboBox combo;
    FillLocationCombo(&combo, 4);
    EXPECT_EQ(ItemsOf(combo), (Items{{"ACME", 0}, {"Headquarters", 1}, {"North", 2}, {"Depot", 4}, {"South", 3}}));
    EXPECT_EQ(SelectedComboValue(&combo), 4u) << "the third level of the tree";
    FillLocationCombo(&combo, 99);
    EXPECT_EQ(combo.currentIndex(), 0);
}

TEST_F(LocationNeCombosTest, AnOperatorWithAScopeSeesItsLocationsOnly)
{
    SetUserLocationScope(2);
    QComboBox combo;
    FillLocationCombo(&combo, 3);
    EXPECT_EQ(ItemsOf(combo), (Items{{"ACME", 0}, {"North", 2}, {"Depot", 4}}));
    EXPECT_EQ(combo.currentIndex(), 0) << "South is out of scope";
}

// Compared with the node the walk starts at alone: the root "<Root>" (id 0) without a scope, which a target of no
// location (0) chooses; the scope location with one.
TEST_F(LocationNeCombosTest, ChosenOnlyWhenItIsTheLocationTheWalkStartsAt)
{
    const Items all{{"ACME", 0}, {"<Root>", 0}, {"Headquarters", 1}, {"North", 2}, {"Depot", 4}, {"South", 3}};
    const Items scoped{{"ACME", 0}, {"North", 2}, {"Depot", 4}};
    const struct {
        const char* name;
        uint32_t scope;
        uint32_t target;
        Items items;
        int chosen;
    } cases[] = {
        {"no scope, no location: the root", 0, 0, all, 1},
        {"no scope, a location below the root", 0, 4, all, 0},
        {"the scope location the walk starts at", 2, 2, scoped, 1},
        {"a location below the scope's", 2, 4, scoped, 0},
        {"no location within a scope", 2, 0, scoped, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUserLocationScope(c.scope);
        QComboBox combo;
        FillLocationCombo(&combo, c.target, LocationChoice::kWalkStartOnly);
        EXPECT_EQ(ItemsOf(combo), c.items);
        EXPECT_EQ(combo.currentIndex(), c.chosen);
    }
}

struct NeCase {
    const char* name;
    uint32_t location;
    bool withSubLocations;
    Items nes;
};

TEST_F(LocationNeCombosTest, TheNesOfALocationInNameOrder)
{
    const NeCase cases[] = {
        {"the company, with sub-locations: all",
         0,
         true,
         {{"a-spare", 4}, {"m-depot", 2}, {"n-north", 1}, {"s-south", 3}}},
        {"the company alone: the NE without a location", 0, false, {{"a-spare", 4}}},
        {"North with Depot", 2, true, {{"m-depot", 2}, {"n-north", 1}}},
        {"North alone", 2, false, {{"n-north", 1}}},
        {"Headquarters holds no NE of its own", 1, false, {}},
    };
    for (const NeCase& c : cases) {
        SCOPED_TRACE(c.name);
        QComboBox combo;
        FillNeCombo(&combo, c.location, 1, c.withSubLocations);
        EXPECT_EQ(ItemsOf(combo), c.nes);
        // NE 1 is chosen where it is listed, else the first NE.
        const bool listed = std::any_of(c.nes.begin(), c.nes.end(), [](const auto& ne) { return ne.second == 1; });
        EXPECT_EQ(SelectedComboValue(&combo), listed ? 1u : c.nes.empty() ? 0u : c.nes[0].second);
    }
}

} // namespace
