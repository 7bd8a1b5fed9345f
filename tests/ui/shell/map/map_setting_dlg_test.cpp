// The Map Setting dialog's checks on OK, in their order: each case fills the dialog, presses OK and reads the
// message line, the control it marks and whether the dialog ended; and what the access modes allow.

#include "tarvik_test_paths.h"
#include "tests/ui/framework/framework_test_support.h"

#include "platform/delta_spin.h"
#include "platform/scripted_runners.h"
#include "ui/shell/map/map_setting_dlg.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <numeric>
#include <span>

namespace {

using Dlg = CMapSettingDlg;

struct Entry {
    const char* id = "5";
    const char* name = "Harbour";
    const char* file = "harbour.png";
    const char* west = "10";
    const char* east = "11";
    const char* north = "60";
    const char* south = "59";
};

struct Case {
    const char* what;
    Entry entry;
    const char* message; // empty: accepted
    int marked;
};

QString Line(const char* text)
{
    return QString::fromUtf8(text);
}

// On screen, its data loaded, as the operator finds it.
void ShowDialog(Dlg& dlg)
{
    dlg.show();
    ASSERT_TRUE(PumpUntil([&] { return dlg.IsFirstShowDone(); }));
}

class MapSettingDlgTest : public ::testing::Test {
protected:
    void SetUp() override { LoadProgramStrings(); }

    // Runs the dialog in add mode with the entry typed in and OK pressed; the result it ended with, 0 when open.
    int RunOk(const Entry& entry, QString* message, int* marked, CMapDef* map = nullptr,
              const std::vector<uint32_t>& idsInUse = {3, 7, 0, 5}) // a 0 ends the list: 5 is free
    {
        ScriptedModalRunner runner;
        Dlg dlg;
        dlg.SetAccessMode(kAccessCreate);
        dlg.SetIdsInUse(idsInUse);
        runner.Push([&](QDialog&) {
            ShowDialog(dlg);
            const std::pair<int, const char*> fields[] = {{Dlg::kMapIdId, entry.id},   {Dlg::kNameId, entry.name},
                                                          {Dlg::kFileId, entry.file},  {Dlg::kWestId, entry.west},
                                                          {Dlg::kEastId, entry.east},  {Dlg::kNorthId, entry.north},
                                                          {Dlg::kSouthId, entry.south}};
            for (const auto& [id, text] : fields)
                dlg.GetDlgItemAs<QLineEdit>(id)->setText(Line(text));
            dlg.OnOK();
            *message = dlg.GetMessageText();
            *marked = dlg.GetMarkedControl(1);
            return dlg.IsEnded() ? dlg.result() : 0;
        });
        const int result = dlg.DoModal();
        if (map != nullptr)
            *map = dlg.GetMap();
        return result;
    }

    // OK on each row's entry: a refused entry keeps the dialog open with the row's message and its field marked, an
    // accepted one ends it with IDOK and no message.
    void ExpectOkRows(std::span<const Case> cases)
    {
        for (const Case& row : cases) {
            SCOPED_TRACE(row.what);
            QString message;
            int marked = -1;
            const int result = RunOk(row.entry, &message, &marked);
            EXPECT_EQ(message, Line(row.message));
            if (*row.message != '\0') {
                EXPECT_EQ(result, 0) << "the dialog stays open";
                EXPECT_EQ(marked, row.marked);
            } else {
                EXPECT_EQ(result, IDOK);
            }
        }
    }
};

TEST_F(MapSettingDlgTest, OkChecksInItsOrder)
{
    const Case cases[] = {
        {"an id out of range", {.id = "0"}, "Please enter an integer between 1 and 99999.", Dlg::kMapIdId},
        {"a west bound beyond the world",
         {.west = "-181"},
         "Please enter a number between -180 and 180.",
         Dlg::kWestId},
        {"a south bound that is no number", {.south = "low"}, "Please enter a number.", Dlg::kSouthId},
        {"an id in use", {.id = "7", .name = ""}, "Map ID is used", Dlg::kMapIdId},
        {"a blank name", {.name = "   "}, "Data is blank", Dlg::kNameId},
        {"a blank inside the name",
         {.name = "Old Town", .file = ""},
         "Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'",
         Dlg::kNameId},
        {"no file", {.file = " ", .east = "10"}, "Data is blank", Dlg::kBrowseId},
        {"east not east of west",
         {.east = "10"},
         "East longitude must be 0.1000 greater than West longitude",
         Dlg::kEastId},
        {"north not north of south",
         {.north = "59"},
         "North latitude must be 0.1000 greater than South latitude",
         Dlg::kNorthId},
        {"east a little east of west", {.east = "10.05"}, "", 0},
        {"an id after the list's end", {.id = "5"}, "", 0},
    };
    ExpectOkRows(cases);
}

// The ids in use are read up to the hundredth: of the ids 1..101, 100 is in use and 101 free.
TEST_F(MapSettingDlgTest, TheIdsInUseAreReadUpToTheHundredth)
{
    std::vector<uint32_t> ids(101);
    std::iota(ids.begin(), ids.end(), 1U);
    for (const auto& [id, shown] : {std::pair{"100", "Map ID is used"}, std::pair{"101", ""}}) {
        SCOPED_TRACE(id);
        QString message;
        int marked = -1;
        RunOk({.id = id}, &message, &marked, nullptr, ids);
        EXPECT_EQ(message, Line(shown));
    }
}

TEST_F(MapSettingDlgTest, ABlankInTheNameIsSelectedAndTheNameTrimmed)
{
    ScriptedModalRunner runner;
    Dlg dlg;
    dlg.SetAccessMode(kAccessCreate);
    runner.Push([&](QDialog&) {
        ShowDialog(dlg);
        auto* name = dlg.GetDlgItemAs<QLineEdit>(Dlg::kNameId);
        name->setText(QStringLiteral("  Old Town"));
        dlg.GetDlgItemAs<QLineEdit>(Dlg::kFileId)->setText(QStringLiteral("town.png"));
        dlg.OnOK();
        EXPECT_EQ(name->selectionStart(), 5);
        EXPECT_EQ(name->selectedText(), QStringLiteral(" "));
        name->setText(QStringLiteral("  Old-Town "));
        dlg.OnOK();
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetMap().name, "Old-Town");
    EXPECT_EQ(dlg.GetMap().west, kWorldWest) << "the new map's bounds are the world's";
}

// The bounds' ranges are the world map's: a map read with wider bounds cannot be saved so, and its id stays.
TEST_F(MapSettingDlgTest, AModifiedMapKeepsItsIdAndTheWorldsRange)
{
    ScriptedModalRunner runner;
    Dlg dlg;
    dlg.SetAccessMode(kAccessModify);
    CMapDef wide;
    wide.id = 4;
    wide.name = "Wide";
    wide.imageFile = "wide.png";
    wide.west = -200;
    wide.east = 200;
    wide.north = 90;
    wide.south = -90;
    dlg.SetMap(wide);
    dlg.SetIdsInUse({4});
    // The preview drawn on opening meets the bound out of range and says so in a box, which may come before this
    // script runs or while it runs: the box is answered, the dialog tested, whichever comes first.
    const auto script = [&](QDialog& shown) {
        if (&shown != &dlg)
            return IDOK;
        ShowDialog(dlg);
        EXPECT_TRUE(dlg.GetDlgItemAs<QLineEdit>(Dlg::kMapIdId)->isReadOnly());
        dlg.OnOK();
        EXPECT_EQ(dlg.GetMessageText(), QStringLiteral("Please enter a number between -180 and 180."));
        EXPECT_EQ(dlg.GetMarkedControl(1), Dlg::kWestId);
        dlg.GetDlgItemAs<QLineEdit>(Dlg::kWestId)->setText(QStringLiteral("-180"));
        dlg.GetDlgItemAs<QLineEdit>(Dlg::kEastId)->setText(QStringLiteral("180"));
        dlg.OnOK();
        EXPECT_EQ(dlg.GetMessageText(), QStringLiteral("Map ID is used")) << "the opener's list holds the id";
        return 0;
    };
    runner.Push(script);
    runner.Push(script);
    EXPECT_EQ(dlg.DoModal(), 0);
    EXPECT_EQ(dlg.GetMap().id, 4u);
}

// The spin steps the id within 1..99999.
TEST_F(MapSettingDlgTest, TheSpinKeepsTheIdInItsRange)
{
    ScriptedModalRunner runner;
    Dlg dlg;
    dlg.SetAccessMode(kAccessCreate);
    runner.Push([&](QDialog&) {
        ShowDialog(dlg);
        auto* id = dlg.GetDlgItemAs<QLineEdit>(Dlg::kMapIdId);
        auto* spin = dlg.GetDlgItemAs<DeltaSpin>(Dlg::kMapIdSpinId);
        const struct {
            const char* from;
            int delta;
            const char* to;
        } steps[] = {{"1", -1, "1"}, {"1", 1, "2"}, {"99998", 1, "99999"}, {"99999", 1, "99999"}};
        for (const auto& step : steps) {
            id->setText(QString::fromLatin1(step.from));
            spin->Step(step.delta);
            EXPECT_EQ(id->text(), QString::fromLatin1(step.to)) << step.from << " " << step.delta;
        }
        return IDCANCEL;
    });
    dlg.DoModal();
}

// The name takes 63 characters, the file name 127: a key past them is not taken.
TEST_F(MapSettingDlgTest, TheNameAndTheFileNameTakeTheirLengths)
{
    ScriptedModalRunner runner;
    Dlg dlg;
    dlg.SetAccessMode(kAccessCreate);
    runner.Push([&](QDialog&) {
        ShowDialog(dlg);
        for (const auto& [id, length] : {std::pair{Dlg::kNameId, 63}, std::pair{Dlg::kFileId, 127}}) {
            auto* edit = dlg.GetDlgItemAs<QLineEdit>(id);
            QTest::keyClicks(edit, QString(length + 1, QLatin1Char('a')));
            EXPECT_EQ(edit->text().size(), length) << id;
        }
        return IDCANCEL;
    });
    dlg.DoModal();
}

TEST_F(MapSettingDlgTest, ShowModeChangesNothing)
{
    ScriptedModalRunner runner;
    Dlg dlg;
    dlg.SetAccessMode(kAccessQuery);
    runner.Push([&](QDialog&) {
        ShowDialog(dlg);
        EXPECT_FALSE(dlg.GetDlgItem(IDOK)->isEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(Dlg::kMapIdSpinId)->isEnabled());
        return IDCANCEL;
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(MapSettingDlgTest, ThePreviewShowsAPictureThatCanBeRead)
{
    ScriptedModalRunner runner;
    Dlg dlg;
    dlg.SetAccessMode(kAccessModify);
    CMapDef town;
    town.id = 2;
    town.name = "North-Town";
    town.imageFile = std::string(TARVIK_RESOURCES_DIR) + "/Map/north_city.png";
    town.west = 10.3F;
    town.east = 11.3F;
    town.north = 60.1F;
    town.south = 59.7F;
    dlg.SetMap(town);
    ScriptedMessageBoxes boxes;
    runner.Push([&](QDialog&) {
        ShowDialog(dlg);
        EXPECT_TRUE(dlg.HasPreview());
        // What the picture loader refuses leaves the preview empty, without a message or a box: no picture, one
        // larger than a picture may be, a file that is not there.
        const QString pictures = QStringLiteral(TARVIK_TEST_DATA_DIR "/pictures/");
        for (const QString& refused :
             {QStringLiteral(TARVIK_RESOURCES_DIR "/Map/Map.dat"), pictures + QStringLiteral("huge_announced.png"),
              pictures + QStringLiteral("too_wide.png"), pictures + QStringLiteral("none.png")}) {
            dlg.GetDlgItemAs<QLineEdit>(Dlg::kFileId)->setText(pictures + QStringLiteral("two_colors.png"));
            dlg.DrawPreview();
            EXPECT_TRUE(dlg.HasPreview());
            dlg.GetDlgItemAs<QLineEdit>(Dlg::kFileId)->setText(refused);
            dlg.DrawPreview();
            EXPECT_FALSE(dlg.HasPreview()) << refused.toStdString();
            EXPECT_TRUE(dlg.GetMessageText().isEmpty()) << refused.toStdString();
        }
        return IDCANCEL;
    });
    dlg.DoModal();
    EXPECT_TRUE(boxes.Requests().empty());
}

// One group, "Map Information", holds the fields and the preview.
TEST_F(MapSettingDlgTest, ThePreviewLiesInTheMapInformationGroup)
{
    Dlg dlg;
    const QList<QGroupBox*> groups = dlg.findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 1);
    EXPECT_EQ(groups[0]->title(), QStringLiteral("Map Information"));
    for (int id : {Dlg::kMapIdId, Dlg::kNameId, Dlg::kFileId, Dlg::kBrowseId, Dlg::kNorthId, Dlg::kWestId, Dlg::kEastId,
                   Dlg::kSouthId, Dlg::kPreviewId})
        EXPECT_TRUE(groups[0]->geometry().contains(dlg.GetDlgItem(id)->geometry())) << id;
}

// The picture is stretched over the whole preview, its aspect not kept.
TEST_F(MapSettingDlgTest, ThePreviewStretchesThePictureOverTheControl)
{
    ScriptedModalRunner runner;
    Dlg dlg;
    CMapDef map;
    map.imageFile = TARVIK_TEST_DATA_DIR "/pictures/two_colors.png";
    dlg.SetMap(map);
    runner.Push([&](QDialog&) {
        ShowDialog(dlg);
        const auto* preview = dlg.GetDlgItemAs<QLabel>(Dlg::kPreviewId);
        const QImage shown = preview->pixmap().toImage();
        EXPECT_EQ(shown.size(), preview->contentsRect().size());
        const QImage source(QStringLiteral(TARVIK_TEST_DATA_DIR "/pictures/two_colors.png"));
        // The left and right edges show the source's own left and right colours.
        EXPECT_EQ(shown.pixelColor(1, shown.height() / 2), source.pixelColor(0, source.height() / 2));
        EXPECT_EQ(shown.pixelColor(shown.width() - 2, shown.height() / 2),
                  source.pixelColor(source.width() - 1, source.height() / 2));
        return IDCANCEL;
    });
    dlg.DoModal();
}

// Each number holds its range at both ends: West and East -180..180, North and South -90..90, the id of a new map
// 1..99999. Past an end the range is named and its field marked; at the end the range lets the entry through, to
// be taken or, where the end leaves the other bound no room, to meet the check of East against West or North
// against South.
TEST_F(MapSettingDlgTest, EachNumberHoldsItsRangeAtBothEnds)
{
    const Case cases[] = {
        {"west past its low end", {.west = "-180.5"}, "Please enter a number between -180 and 180.", Dlg::kWestId},
        {"west at its low end", {.west = "-180"}, "", 0},
        {"west past its high end", {.west = "180.5"}, "Please enter a number between -180 and 180.", Dlg::kWestId},
        {"west at its high end",
         {.west = "180", .east = "180"},
         "East longitude must be 0.1000 greater than West longitude",
         Dlg::kEastId},
        {"east past its low end", {.east = "-180.5"}, "Please enter a number between -180 and 180.", Dlg::kEastId},
        {"east at its low end",
         {.west = "-180", .east = "-180"},
         "East longitude must be 0.1000 greater than West longitude",
         Dlg::kEastId},
        {"east past its high end", {.east = "180.5"}, "Please enter a number between -180 and 180.", Dlg::kEastId},
        {"east at its high end", {.east = "180"}, "", 0},
        {"north past its high end", {.north = "90.5"}, "Please enter a number between -90 and 90.", Dlg::kNorthId},
        {"north at its high end", {.north = "90"}, "", 0},
        {"north past its low end", {.north = "-90.5"}, "Please enter a number between -90 and 90.", Dlg::kNorthId},
        {"north at its low end",
         {.north = "-90", .south = "-90"},
         "North latitude must be 0.1000 greater than South latitude",
         Dlg::kNorthId},
        {"south past its high end", {.south = "90.5"}, "Please enter a number between -90 and 90.", Dlg::kSouthId},
        {"south at its high end",
         {.north = "90", .south = "90"},
         "North latitude must be 0.1000 greater than South latitude",
         Dlg::kNorthId},
        {"south past its low end", {.south = "-90.5"}, "Please enter a number between -90 and 90.", Dlg::kSouthId},
        {"south at its low end", {.south = "-90"}, "", 0},
        {"an id past its high end", {.id = "100000"}, "Please enter an integer between 1 and 99999.", Dlg::kMapIdId},
        {"an id at its high end", {.id = "99999"}, "", 0},
        {"an id at its low end", {.id = "1"}, "", 0},
    };
    ExpectOkRows(cases);
}

} // namespace
