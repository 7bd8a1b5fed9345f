#include "core/map/map_list.h"
#include "tarvik_test_paths.h"

#include "temp_file_test.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

namespace {

const std::string kResources = TARVIK_RESOURCES_DIR;

class MapListFile : public TempFileTest {
protected:
    MapListFile() : TempFileTest("map_list_test_", "Map.dat") {}
};

TEST(MapList, SampleFileLoadsWithoutDiagnostics)
{
    CMapList list;
    std::vector<std::string> diagnostics;
    std::string error;
    ASSERT_TRUE(list.LoadMapList(kResources + "/Map/Map.dat", &diagnostics, &error)) << error;
    EXPECT_TRUE(diagnostics.empty()) << diagnostics.front();
    ASSERT_EQ(list.GetMapCount(), 3U);
    const CMapDef& region = *list.GetMapAt(0);
    // The picture is named relative to the working directory the program runs in.
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(kResources);
    const std::string picture = region.GetImagePath();
    std::filesystem::current_path(cwd);
    EXPECT_EQ(picture, "./Map/region.png");
    EXPECT_TRUE(std::filesystem::exists(kResources + "/Map/region.png"));

    EXPECT_EQ(&list.FindMapDef(region.id), &region);
    EXPECT_EQ(&list.FindMapDef(0), &list.GetWorldMap());
    EXPECT_EQ(&list.FindMapDef(4711), &list.GetWorldMap());
    EXPECT_EQ(list.GetWorldMap().GetImagePath(), "");
}

TEST_F(MapListFile, BadEntriesAreDroppedAndReported)
{
    struct Row {
        const char* value;
        const char* reason; // null = loaded
    };
    const Row rows[] = {
        {"1,Good,10,20,50,40,pic.png", nullptr},
        {"2,Commas,10,20,50,40,a,b.png", nullptr}, // the picture is the rest of the line
        {"3,Bare,10,20,50,40", nullptr},
        {"0,Zero,10,20,50,40,", "id is not a number 1..99999"},
        {"100000,Big,10,20,50,40,", "id is not a number 1..99999"},
        {"x,Word,10,20,50,40,", "id is not a number 1..99999"},
        {"1,Again,10,20,50,40,", "id 1 repeated"},
        {"5,,10,20,50,40,", "name is not 1..63 characters of letters, digits, \"-\", \".\", \"@\" and \"_\""},
        {"6,Two words,10,20,50,40,", "name is not 1..63 characters of letters, digits, \"-\", \".\", \"@\" and \"_\""},
        {"7,Far,10,east,50,40,", "bound east is not a number"},
        {"8,Nan,nan,20,50,40,", "bound nan is not a number"},
        {"9,Flat,20,20,50,40,", "east bound not east of west bound"},
        {"10,Upside,10,20,40,50,", "north bound not north of south bound"},
        {"11,Short,10,20,50", "not \"id,name,west,east,north,south,image file\""},
        {"12,Outside,190,200,50,40,", "east bound not east of west bound"}, // both limited to 180
    };
    std::string text = "[MAP]\nCOUNT=" + std::to_string(std::size(rows) + 1) + "\n";
    for (size_t k = 0; k < std::size(rows); ++k)
        text += "MAP" + std::to_string(k + 1) + "=" + rows[k].value + "\n";
    Write(text);
    CMapList list;
    std::vector<std::string> diagnostics;
    ASSERT_TRUE(list.LoadMapList(path_, &diagnostics));
    std::vector<std::string> expected;
    size_t loaded = 0;
    for (size_t k = 0; k < std::size(rows); ++k) {
        if (!rows[k].reason) {
            ++loaded;
            continue;
        }
        const std::string key = "MAP" + std::to_string(k + 1);
        expected.push_back(path_ + ":" + std::to_string(k + 3) + ": [MAP] " + key + ": " + rows[k].reason +
                           "; map dropped");
    }
    expected.push_back(path_ + ": [MAP] MAP" + std::to_string(std::size(rows) + 1) + ": missing; map dropped");
    EXPECT_EQ(diagnostics, expected);
    ASSERT_EQ(list.GetMapCount(), loaded);
    EXPECT_EQ(list.GetMapAt(0)->imageFile, "pic.png");
    EXPECT_EQ(list.GetMapAt(1)->imageFile, "a,b.png");
    EXPECT_EQ(list.GetMapAt(2)->imageFile, "");
}

TEST_F(MapListFile, BoundsAreLimitedToTheWorldMap)
{
    Write("[MAP]\nCOUNT=1\nMAP1=4,Wide,-200.5,200,95,-100,\n");
    CMapList list;
    ASSERT_TRUE(list.LoadMapList(path_));
    ASSERT_EQ(list.GetMapCount(), 1U);
    const CMapDef& map = *list.GetMapAt(0);
    EXPECT_EQ(map.west, -180.0F);
    EXPECT_EQ(map.east, 180.0F);
    EXPECT_EQ(map.north, 90.0F);
    EXPECT_EQ(map.south, -90.0F);
}

TEST_F(MapListFile, CountAndWorldKeys)
{
    Write("[MAP]\nCOUNT=lots\nMAP1=1,A,1,2,4,3,\nWORLDNAME=Earth\nWORLDIMAGE=.\\Map\\world.png\n");
    CMapList list;
    std::vector<std::string> diagnostics;
    ASSERT_TRUE(list.LoadMapList(path_, &diagnostics));
    EXPECT_EQ(list.GetMapCount(), 0U);
    ASSERT_EQ(diagnostics.size(), 1U);
    EXPECT_EQ(diagnostics[0], path_ + ":2: [MAP] COUNT: not a number; no maps");
    EXPECT_EQ(list.GetWorldMap().name, "Earth");
    EXPECT_EQ(list.GetWorldMap().imageFile, ".\\Map\\world.png");
    EXPECT_EQ(list.GetWorldMap().east, 180.0F);

    // A count above 1000 is cut to 1000; keys beyond it are not read.
    Write("[MAP]\nCOUNT=5000\nMAP1=1,A,1,2,4,3,\n");
    diagnostics.clear();
    ASSERT_TRUE(list.LoadMapList(path_, &diagnostics));
    EXPECT_EQ(list.GetMapCount(), 1U);
    EXPECT_EQ(diagnostics.size(), 999U);
    EXPECT_EQ(list.GetWorldMap().name, "World"); // a reload starts from the defaults
}

TEST_F(MapListFile, SaveKeepsOtherLinesAndRemovesSurplusEntries)
{
    Write("; maps of the operator\n"
          "[MAP]\n"
          "WORLDNAME=Earth\n"
          "COUNT=3\n"
          "MAP1=1,A,1,2,4,3,a.png\n"
          "; second map\n"
          "MAP2=2,B,5,6,8,7,\n"
          "MAP3=3,C,9,10,12,11,\n"
          "MAP7=7,Stray,1,2,4,3,\n"
          "PRELOAD=1\n"
          "[OTHER]\n"
          "MAP9=kept\n");
    CMapList list;
    ASSERT_TRUE(list.LoadMapList(path_));
    ASSERT_EQ(list.GetMapCount(), 3U);
    list.SetMapCount(2);
    list.GetMapAt(1)->name = "Bee";
    list.GetMapAt(1)->west = -200.0F; // limited when written
    list.GetMapAt(1)->north = 8.123456F;
    std::string error;
    ASSERT_TRUE(list.SaveMapList(path_, &error)) << error;
    EXPECT_EQ(ReadAll(), "; maps of the operator\n"
                         "[MAP]\n"
                         "WORLDNAME=Earth\n"
                         "COUNT=2\n"
                         "MAP1=1,A,1.0000,2.0000,4.0000,3.0000,a.png\n"
                         "; second map\n"
                         "MAP2=2,Bee,-180.0000,6.0000,8.1235,7.0000,\n"
                         "PRELOAD=1\n"
                         "[OTHER]\n"
                         "MAP9=kept\n");

    CMapList again;
    ASSERT_TRUE(again.LoadMapList(path_));
    ASSERT_EQ(again.GetMapCount(), 2U);
    EXPECT_EQ(again.GetMapAt(1)->name, "Bee");
    EXPECT_FLOAT_EQ(again.GetMapAt(1)->north, 8.1235F);
    EXPECT_EQ(again.GetWorldMap().name, "Earth");
}

TEST_F(MapListFile, SaveCreatesTheFileAndGrowsTheList)
{
    CMapList list;
    list.SetMapCount(1);
    *list.GetMapAt(0) = CMapDef{12, "New", 1.5F, 2.5F, 4.0F, 3.0F, "", 0};
    ASSERT_TRUE(list.SaveMapList(path_));
    CMapList again;
    ASSERT_TRUE(again.LoadMapList(path_));
    ASSERT_EQ(again.GetMapCount(), 1U);
    EXPECT_EQ(again.FindMapDef(12).name, "New");
    EXPECT_FLOAT_EQ(again.FindMapDef(12).west, 1.5F);
    list.SetMapCount(5000);
    EXPECT_EQ(list.GetMapCount(), CMapList::kMaxMaps);
}

TEST_F(MapListFile, UnwritableFileIsReported)
{
    std::filesystem::create_directories(dir_ / "Map.dat"); // a directory where the file should be
    CMapList list;
    std::string error;
    EXPECT_FALSE(list.SaveMapList(path_, &error));
    EXPECT_FALSE(error.empty());
}

// Switches LC_NUMERIC to a locale whose decimal point is a comma: one built under `dir` (a failed look-up is not
// retried by the C library, so this comes first), else an installed one.
bool UseDecimalCommaLocale(const std::filesystem::path& dir)
{
    std::filesystem::create_directories(dir);
    const std::string command = "localedef -i de_DE -f UTF-8 '" + (dir / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != -1 && std::filesystem::exists(dir / "de_DE.UTF-8")) {
        ::setenv("LOCPATH", dir.c_str(), 1);
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            return true;
        ::unsetenv("LOCPATH");
    }
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name))
            return true;
    }
    return false;
}

// A user interface may switch the process to a locale whose decimal point is a comma; the file must not change.
TEST_F(MapListFile, BoundsIgnoreTheProcessLocale)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!UseDecimalCommaLocale(dir_ / "locale"))
        GTEST_SKIP() << "no locale with a decimal comma available";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    Write("[MAP]\nCOUNT=1\nMAP1=1,A,1.25,2.5,4.75,3.5,\n");
    CMapList list;
    const bool loaded = list.LoadMapList(path_);
    const bool written = loaded && list.SaveMapList(path_);
    std::setlocale(LC_NUMERIC, previous.c_str());
    ::unsetenv("LOCPATH");
    ASSERT_TRUE(written);
    EXPECT_EQ(ReadAll(), "[MAP]\nCOUNT=1\nMAP1=1,A,1.2500,2.5000,4.7500,3.5000,\n");
}

} // namespace
