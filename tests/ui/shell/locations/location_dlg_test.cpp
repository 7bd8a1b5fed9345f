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
#include "platform/scripted_runners.h"
#include "ui/shell/locations/location_dlg.h"
#include "ui/shell/locations/location_list_dlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

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
        {kAccessQuery, '-', false}, {kAccessQuery, 'q', true},  {kAccessModify, 'q', false},
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

TEST_F(LocationDlgTest, TheSuperiorAndTheWorldMapAreSelectedOnOpening)
{
    // A new location below South; North shown with its own superior; both on the world map, the first entry.
    const std::tuple<uint8_t, uint32_t, uint32_t, const char*> rows[] = {
        {kAccessCreate, 0, kSouth, "South"}, {kAccessModify, kNorth, 0, "Headquarters"}};
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
    const std::map<QString, int> pictures = {{"S0", 41}, {"S1", 42}, {"S2", 43},
                                             {"S3", 44}, {"S4", 45}, {"S5", 46}};
    uint32_t id = 10;
    for (const auto& [name, picture] : pictures) {
        AddLocation(++id, name.toLatin1().constData(), 0);
        frame_test::AddTestNe({.id = id, .name = "NE" + name.toStdString(),
                               .severity = static_cast<uint32_t>(name.back().digitValue()), .location = id});
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

} // namespace
