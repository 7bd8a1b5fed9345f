// The Location dialog as it opens: the letter of item 21 that each mode asks (an operator whose role holds the letter
// below it is refused, one who holds it gets in), what each field takes, OK only where something can be saved, the
// superior and map selected at first and the contact and map a new location takes from its superior; the Location
// List's picture of each location's gravest alarm.

#include "tests/ui/framework/framework_test_support.h"
#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "core/map/map_list.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/location_tree.h"
#include "platform/list_control.h"
#include "platform/notify_codes.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/menus/context_menu.h"
#include "ui/shell/locations/location_dlg.h"
#include "ui/shell/locations/location_list_dlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

using Dlg = CLocationDlg;
constexpr uint32_t kHeadquarters = 1, kNorth = 2, kSouth = 3;

class LocationDlgTest : public ::testing::Test {
protected:
    LocationDlgTest()
    {
        AddLocation(kHeadquarters, "Headquarters", 0);
        AddLocation(kNorth, "North", kHeadquarters);
        AddLocation(kSouth, "South", kHeadquarters);
        AppData().role = kRoleUser;
    }
    ~LocationDlgTest() override { ClearUserRights(); }

    static void AddLocation(uint32_t id, const char* name, uint32_t parent)
    {
        CLocationNode node;
        node.id = id;
        node.name = name;
        node.parentId = parent;
        EXPECT_EQ(AppData().locations.UpsertLocation(node), LocationResult::kOk);
    }

    // Opens the dialog in the mode with item 21 of the operator's role holding the letter, and hands it to the check
    // once it has opened (or been refused).
    static void Open(uint8_t mode, uint32_t location, uint32_t superior, char letter,
                     const std::function<void(Dlg&)>& check)
    {
        std::string rights(127, '-');
        rights[21] = letter;
        SetUserRights(kRoleUser, rights.c_str());
        ScriptedMessageBoxes boxes;
        ScriptedModalRunner runner;
        Dlg dialog;
        dialog.SetAccessMode(mode);
        dialog.SetLocation(location, superior);
        runner.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone() || dialog.IsEnded(); }));
            check(dialog);
            return IDCANCEL;
        });
        dialog.DoModal();
    }

    const frame_test::ScopedWorkDir work_;
};

TEST_F(LocationDlgTest, EachModeAsksItsLetterOfItemTwentyOne)
{
    struct Row {
        uint8_t mode;
        char letter;
        bool opens;
    };
    const Row rows[] = {
        {kAccessQuery, '-', false}, {kAccessQuery, 'q', true},   {kAccessModify, 'q', false},
        {kAccessModify, 'm', true}, {kAccessCreate, 'm', false}, {kAccessCreate, 'c', true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.mode) + " " + row.letter);
        const uint32_t location = row.mode == kAccessCreate ? 0 : kNorth;
        Open(row.mode, location, kHeadquarters, row.letter,
             [&](Dlg& dialog) { EXPECT_EQ(!dialog.IsEnded(), row.opens); });
    }
}

TEST_F(LocationDlgTest, EachFieldTakesItsNumberOfCharacters)
{
    const std::pair<int, int> fields[] = {{Dlg::kNameId, 20},      {Dlg::kCommentId, 60}, {Dlg::kContactId, 20},
                                          {Dlg::kTelephoneId, 20}, {Dlg::kMobileId, 20},  {Dlg::kEmailId, 60}};
    Open(kAccessCreate, 0, kSouth, 'c', [&](Dlg& dialog) {
        for (const auto& [id, most] : fields) {
            auto* edit = dialog.GetDlgItemAs<QLineEdit>(id);
            ASSERT_NE(edit, nullptr);
            edit->clear();
            QTest::keyClicks(edit, QString(most + 1, QLatin1Char('x')));
            EXPECT_EQ(edit->text().size(), most) << id;
        }
    });
}

TEST_F(LocationDlgTest, OkIsOfferedToModifyAndToAddButNotToShow)
{
    for (const uint8_t mode : {kAccessQuery, kAccessModify, kAccessCreate}) {
        Open(mode, mode == kAccessCreate ? 0 : kNorth, kHeadquarters, 'a',
             [&](Dlg& dialog) { EXPECT_EQ(dialog.IsControlEnabled(IDOK), mode != kAccessQuery) << int(mode); });
    }
}

// A location to show or change opens under its name, "[North] Location"; a new one under the plain "Location".
TEST_F(LocationDlgTest, EachModeOpensUnderItsCaption)
{
    const std::tuple<uint8_t, uint32_t, const char*> rows[] = {{kAccessQuery, kNorth, "[North] Location"},
                                                               {kAccessModify, kNorth, "[North] Location"},
                                                               {kAccessCreate, 0, "Location"}};
    for (const auto& [mode, location, caption] : rows) {
        Open(mode, location, kHeadquarters, 'a',
             [&](Dlg& dialog) { EXPECT_EQ(dialog.windowTitle(), QString::fromLatin1(caption)) << int(mode); });
    }
}

// The list opens under the location it lists, "[South] Location List", or "[ALL] Location List" for all of them.
TEST_F(LocationDlgTest, TheListOpensUnderItsLocation)
{
    SetUserRights(kRoleUser, std::string(127, 'q').c_str());
    const std::pair<uint32_t, const char*> rows[] = {{kSouth, "[South] Location List"}, {0, "[ALL] Location List"}};
    for (const auto& [location, caption] : rows) {
        ScriptedModalRunner runner;
        CLocationListDlg dialog;
        dialog.SetLocationId(static_cast<int>(location));
        QString shown;
        runner.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
            shown = dialog.windowTitle();
            return IDCANCEL;
        });
        dialog.DoModal();
        EXPECT_EQ(shown, QString::fromLatin1(caption)) << location;
    }
}

TEST_F(LocationDlgTest, TheSuperiorAndTheWorldMapAreSelectedOnOpening)
{
    // A new location below South; North shown with its own superior; both on the world map, the first entry.
    const std::tuple<uint8_t, uint32_t, uint32_t, const char*> rows[] = {{kAccessCreate, 0, kSouth, "South"},
                                                                         {kAccessModify, kNorth, 0, "Headquarters"}};
    for (const auto& [mode, location, superior, shown] : rows) {
        Open(mode, location, superior, 'a', [&](Dlg& dialog) {
            EXPECT_EQ(dialog.GetDlgItemAs<QComboBox>(Dlg::kSuperiorComboId)->currentText(), shown);
            EXPECT_EQ(dialog.GetDlgItemAs<QComboBox>(Dlg::kMapComboId)->currentIndex(), 0) << shown;
        });
    }
}

// A new location starts with the contact person, telephone, mobile, e-mail and map of its superior, but not with its
// comment; an existing one shows its own.
TEST_F(LocationDlgTest, ANewLocationStartsWithItsSuperiorsContactAndMap)
{
    CMapList maps;
    maps.SetMapCount(2);
    maps.GetMapAt(0)->id = 4;
    maps.GetMapAt(1)->id = 9;
    CurrentMapList() = maps;
    // Comment, contact person, telephone, mobile, e-mail.
    const char* const south[] = {"South yard", "Ann Lee", "555 0101", "555 0102", "south@example.net"};
    const char* const north[] = {"North gate", "Bo Chen", "555 0201", "555 0202", "north@example.net"};
    const char* const belowSouth[] = {"", "Ann Lee", "555 0101", "555 0102", "south@example.net"};
    for (const auto& [id, fields, map] : {std::tuple{kSouth, south, 9U}, std::tuple{kNorth, north, 4U}}) {
        CLocationNode node = *FindLocation(id);
        node.comment = fields[0];
        node.contact = fields[1];
        node.telephone = fields[2];
        node.mobile = fields[3];
        node.email = fields[4];
        node.mapId = map;
        EXPECT_EQ(AppData().locations.UpsertLocation(node), LocationResult::kOk);
    }
    const std::tuple<uint8_t, uint32_t, uint32_t, const char* const*, uint32_t> rows[] = {
        {kAccessCreate, 0, kSouth, belowSouth, 9}, {kAccessModify, kNorth, 0, north, 4}};
    for (const auto& [mode, location, superior, fields, map] : rows) {
        Open(mode, location, superior, 'a', [&](Dlg& dialog) {
            const int ids[] = {Dlg::kCommentId, Dlg::kContactId, Dlg::kTelephoneId, Dlg::kMobileId, Dlg::kEmailId};
            for (int i = 0; i < 5; ++i)
                EXPECT_EQ(dialog.GetDlgItemAs<QLineEdit>(ids[i])->text(), QString::fromLatin1(fields[i])) << ids[i];
            EXPECT_EQ(dialog.GetDlgItemAs<QComboBox>(Dlg::kMapComboId)->currentData().value<quint32>(), map);
        });
    }
    CurrentMapList() = CMapList{};
}

// Each row's picture follows the gravest alarm of the location's NEs: none 41, critical 42, major 43, minor 44,
// warning 45, any other (info) 46.
TEST_F(LocationDlgTest, TheListShowsEachLocationsGravestAlarmAsItsPicture)
{
    const frame_test::ScopedModels models;
    const std::map<QString, int> pictures = {{"S0", 41}, {"S1", 42}, {"S2", 43}, {"S3", 44}, {"S4", 45}, {"S5", 46}};
    uint32_t id = 10;
    for (const auto& [name, picture] : pictures) {
        AddLocation(++id, name.toLatin1().constData(), 0);
        frame_test::AddTestNe({.id = id,
                               .name = "NE" + name.toStdString(),
                               .severity = static_cast<uint32_t>(name.back().digitValue()),
                               .location = id});
    }
    SetUserRights(kRoleUser, std::string(127, 'q').c_str());
    ScriptedModalRunner runner;
    CLocationListDlg dialog;
    std::map<QString, int> shown;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        const CListControl rows(dialog.FindList(kListControlId));
        for (int row = 0; row < rows.GetItemCount(); ++row) {
            const QString name = rows.GetItemText(row, CLocationListDlg::kNameColumn);
            if (pictures.count(name) != 0)
                shown[name] = rows.GetItemImage(row, 0);
        }
        return IDCANCEL;
    });
    dialog.DoModal();
    EXPECT_EQ(shown, pictures);
}

// The list's row commands wait for a row: Show 1291, Modify 1150, Delete 1131, Active Alarm 1174 and History Alarm
// 1388 are off without a selected row and on with one, Add 1263 is on throughout; the popup greys Show, Modify,
// Delete, Active Alarm and History Alarm (33082, 33015, 33008, 33029, 33034) without a row.
TEST_F(LocationDlgTest, EachRowCommandOfTheListWaitsForARow)
{
    SetUserRights(kRoleUser, std::string(127, 'd').c_str());
    const int menuBefore = GetListPopupMenuId();
    SetListPopupMenuId(103); // server mode, where the list popup holds GROUP_LIST
    ScriptedPopupMenus menus;
    ScriptedModalRunner runner;
    CLocationListDlg dialog;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        CListControl rows(dialog.FindList(kListControlId));
        EXPECT_GT(rows.GetItemCount(), 0);
        NotifyHeader rightClick;
        rightClick.idFrom = kListControlId;
        rightClick.code = NM_RCLICK;
        int result = 0;
        for (const bool selected : {false, true}) {
            SCOPED_TRACE(selected);
            if (selected)
                rows.SetItemSelected(0, true);
            for (const int id : {1291, 1150, 1131, 1174, 1388})
                EXPECT_EQ(dialog.IsControlEnabled(id), selected) << id;
            EXPECT_TRUE(dialog.IsControlEnabled(1263));
            dialog.OnNotify(rightClick, &result);
        }
        return IDCANCEL;
    });
    dialog.DoModal();
    SetListPopupMenuId(menuBefore);
    ASSERT_EQ(menus.Offered().size(), 2u);
    EXPECT_EQ(menus.Offered()[0], (std::vector<int>{33060, 33024, 33023}));
    EXPECT_EQ(menus.Offered()[1], (std::vector<int>{33082, 33015, 33060, 33008, 33029, 33034, 33024, 33023}));
}

// The list's columns: No., Name, Superior, Contact Person, Telephone, Mobile, E-Mail. Every column sorts its texts
// without regard to letter case, No. and Superior by the superior's name: "apple" (below "apex", its values in lower
// case) comes before "Banana" (below "South", its values starting with an upper-case B) ascending, after it descending,
// where a sort of the bytes would put them the other way round. A location at the top has no superior and sorts
// before one below "2nd Floor", whose name sorts before the root's name "<Root>" shown in its place. The list opens
// sorted by No., that is by the superior's name: apex before North, South before Banana below it.
TEST_F(LocationDlgTest, EachColumnOfTheListShowsItsFieldAndSortsItWithoutRegardToCase)
{
    const auto add = [](uint32_t id, const char* name, uint32_t parent, const char* prefix) {
        CLocationNode node;
        node.id = id;
        node.name = name;
        node.parentId = parent;
        node.contact = std::string(prefix) + "contact";
        node.telephone = std::string(prefix) + "phone";
        node.mobile = std::string(prefix) + "mobile";
        node.email = std::string(prefix) + "@mail";
        EXPECT_EQ(AppData().locations.UpsertLocation(node), LocationResult::kOk);
    };
    constexpr uint32_t kApex = 20, kApple = 21, kBanana = 22;
    add(kApex, "apex", 0, "");
    add(kApple, "apple", kApex, "a");
    add(kBanana, "Banana", kSouth, "B");
    constexpr uint32_t kSecondFloor = 23, kAnnex = 24;
    AddLocation(kSecondFloor, "2nd Floor", 0);
    AddLocation(kAnnex, "Annex", kSecondFloor);
    SetUserRights(kRoleUser, std::string(127, 'q').c_str());
    ScriptedModalRunner runner;
    CLocationListDlg dialog;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        const CListControl rows(dialog.FindList(kListControlId));
        const auto rowOf = [&](uint32_t id) { return rows.FindItemByData(id); };
        QStringList apple;
        for (int column = 1; column <= 6; ++column)
            apple << rows.GetItemText(rowOf(kApple), column);
        EXPECT_EQ(apple, (QStringList{"apple", "apex", "acontact", "aphone", "amobile", "a@mail"}));
        EXPECT_LT(rowOf(kApex), rowOf(kNorth)) << "on opening";
        EXPECT_LT(rowOf(kSouth), rowOf(kBanana)) << "on opening";
        for (int column = 0; column <= 6; ++column) {
            SCOPED_TRACE(column);
            const bool bySuperior = column == 0 || column == 2; // No. and Superior
            dialog.SortList(column, 1, kListControlId);
            EXPECT_LT(rowOf(kApple), rowOf(kBanana)) << "ascending";
            if (bySuperior) {
                EXPECT_LT(rowOf(kApex), rowOf(kAnnex)) << "ascending";
            }
            dialog.SortList(column, 2, kListControlId);
            EXPECT_GT(rowOf(kApple), rowOf(kBanana)) << "descending";
            if (bySuperior) {
                EXPECT_GT(rowOf(kApex), rowOf(kAnnex)) << "descending";
            }
        }
        return IDCANCEL;
    });
    dialog.DoModal();
}

// The list of South exports under the stem Location, for South, with the list's title.
TEST_F(LocationDlgTest, TheListExportsUnderTheStemLocationForItsLocation)
{
    SetUserRights(kRoleUser, std::string(127, 'q').c_str());
    ScriptedModalRunner runner;
    CLocationListDlg dialog;
    dialog.SetLocationId(kSouth);
    std::string title;
    std::string basePath;
    int location = -1;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        runner.Push([&](QDialog& shown) {
            auto* exporting = dynamic_cast<CExportDlg*>(&shown);
            EXPECT_NE(exporting, nullptr);
            if (exporting != nullptr && PumpUntil([&] { return exporting->IsFirstShowDone(); })) {
                title = exporting->GetExportTitle();
                basePath = exporting->GetBasePath();
                location = exporting->GetLocationId();
            }
            return IDCANCEL;
        });
        dialog.OnCommand(1165, BN_CLICKED);
        return IDCANCEL;
    });
    dialog.DoModal();
    EXPECT_EQ(title, "Location List");
    EXPECT_EQ(std::filesystem::path(basePath).filename().string(), "Location");
    EXPECT_EQ(location, static_cast<int>(kSouth));
}

// An operator whose scope is South sees South and what lies below it: the list gives no row to Headquarters, North,
// Dock and West, and still reaches Pier below South below Headquarters; a new location is offered South and Pier as
// its superior, from the scope's location down, without the root and without West, the sibling after South; South
// itself is offered its own superior only.
TEST_F(LocationDlgTest, TheOperatorsScopeLimitsTheRowsAndTheSuperiorsOffered)
{
    constexpr uint32_t kPier = 4, kDock = 5, kWest = 6;
    AddLocation(kPier, "Pier", kSouth);
    AddLocation(kDock, "Dock", kNorth);
    AddLocation(kWest, "West", kHeadquarters); // after South, outside the scope
    SetUserLocationScope(kSouth);

    SetUserRights(kRoleUser, std::string(127, 'q').c_str());
    ScriptedModalRunner runner;
    CLocationListDlg list;
    QStringList rows;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return list.IsFirstShowDone(); }));
        const CListControl shown(list.FindList(kListControlId));
        for (int row = 0; row < shown.GetItemCount(); ++row)
            rows << shown.GetItemText(row, CLocationListDlg::kNameColumn);
        return IDCANCEL;
    });
    list.DoModal();
    rows.sort();
    EXPECT_EQ(rows, (QStringList{"Pier", "South"}));

    Open(kAccessCreate, 0, kSouth, 'c', [](Dlg& dialog) {
        const auto* combo = dialog.GetDlgItemAs<QComboBox>(Dlg::kSuperiorComboId);
        QStringList offered;
        for (int i = 0; i < combo->count(); ++i)
            offered << combo->itemText(i);
        EXPECT_EQ(offered, (QStringList{"South", "Pier"}));
        EXPECT_EQ(combo->currentText(), QStringLiteral("South"));
    });
    // South itself keeps its superior Headquarters on offer, outside the scope as it is, and nothing else: North and
    // Dock and West lie outside the scope, South and Pier are the location and what lies below it.
    Open(kAccessModify, kSouth, 0, 'm', [](Dlg& dialog) {
        const auto* combo = dialog.GetDlgItemAs<QComboBox>(Dlg::kSuperiorComboId);
        QStringList offered;
        for (int i = 0; i < combo->count(); ++i)
            offered << combo->itemText(i);
        EXPECT_EQ(offered, (QStringList{"Headquarters"}));
        EXPECT_EQ(combo->currentText(), QStringLiteral("Headquarters"));
    });
    SetUserLocationScope(0);
}

// Add Sub-location with no location current names the operator's scope location (South): the dialog opens for a new
// location, with no name, under South, as when South is the current location.
TEST_F(LocationDlgTest, AddSubLocationOpensANewLocationUnderTheRoutedOne)
{
    SetUserLocationScope(kSouth);
    std::string rights(127, '-');
    rights[21] = 'c';
    SetUserRights(kRoleUser, rights.c_str());
    ScriptedModalRunner runner;
    bool opened = false;
    runner.Push([&](QDialog& shown) {
        auto* dialog = dynamic_cast<Dlg*>(&shown);
        EXPECT_NE(dialog, nullptr);
        if (dialog == nullptr)
            return IDCANCEL;
        EXPECT_TRUE(PumpUntil([&] { return dialog->IsFirstShowDone() || dialog->IsEnded(); }));
        opened = !dialog->IsEnded();
        EXPECT_EQ(dialog->GetLocationId(), 0);
        EXPECT_TRUE(dialog->GetDlgItemAs<QLineEdit>(Dlg::kNameId)->text().isEmpty());
        EXPECT_EQ(dialog->GetDlgItemAs<QComboBox>(Dlg::kSuperiorComboId)->currentText(), QStringLiteral("South"));
        return IDCANCEL;
    });
    DialogRequest request;
    request.className = "CLocationDlg";
    request.accessMode = kAccessCreate;
    request.locationId = kSouth; // the scope's location, no location being current
    DialogClassOpener<Dlg>()(request);
    EXPECT_TRUE(opened);
    SetUserLocationScope(0);
}

} // namespace
