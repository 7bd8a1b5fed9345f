// The frame's icon lists from TOOLICON and LISTICON, the mask colours, the entity state icons and the text colours
// of TEXTCOLOR.

#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "core/ini/ini_file.h"
#include "platform/color_ref.h"
#include "ui/framework/lists/entity_icons.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/frame/frame_icons.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/frame/text_colors.h"

#include <QDir>
#include <QImage>

#include <QToolBar>

#include <gtest/gtest.h>

using namespace frame_test;

namespace {

const std::string kToolIcon = kResources + "/icons/toolbar/all_nes.png";

// A 32 x 32 picture: magenta ground, a blue square in the middle, saved as a 24-bit BMP.
std::string WriteMaskedBitmap(const ScopedWorkDir& work, const std::string& name)
{
    QImage image(32, 32, QImage::Format_RGB888);
    image.fill(QColor(255, 0, 255));
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 24; ++x)
            image.setPixelColor(x, y, QColor(0, 0, 255));
    const std::string path = work.Path(name);
    EXPECT_TRUE(image.save(QString::fromStdString(path), "BMP"));
    return path;
}

// --- values ------------------------------------------------------------------------------------------------------

struct ToolValueRow {
    const char* value;
    bool valid;
    int commandId;
    uint32_t mask;
};

TEST(ToolIconValueTest, NeedsFileMaskAndCommandInRange)
{
    const std::vector<ToolValueRow> rows = {
        {"a.bmp,0xFF00FF,33071", true, 33071, 0xFF00FF},
        {" a.bmp , FF00FF , 1 ", true, 1, 0xFF00FF},
        {"a.bmp,0x0F000000,65535", true, 65535, 0x0F000000},
        {"a.bmp,0xFF00FF,0", false, 0, 0},
        {"a.bmp,0xFF00FF,65536", false, 0, 0},
        {"a.bmp,0xFF00FF,70000", false, 0, 0},
        {"a.bmp,0xFF00FF", false, 0, 0},
        {",0xFF00FF,33071", false, 0, 0},
        {"a.bmp,xyz,33071", false, 0, 0},
        {"a.bmp,0xFF00FF,12ab", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const ToolValueRow& row : rows) {
        const std::optional<ToolIconValue> value = ParseToolIconValue(row.value);
        ASSERT_EQ(value.has_value(), row.valid) << row.value;
        if (value) {
            EXPECT_EQ(value->commandId, row.commandId) << row.value;
            EXPECT_EQ(value->mask, row.mask) << row.value;
        }
    }
    EXPECT_TRUE(ParseListIconValue("x.png,0xFFFFFF").has_value());
    EXPECT_FALSE(ParseListIconValue("x.png").has_value());
    EXPECT_FALSE(ParseListIconValue("x.png,").has_value());
}

// --- TOOLICON ----------------------------------------------------------------------------------------------------

TEST(ToolIconsTest, CountSizeAndSeparators)
{
    ScopedWorkDir work;
    struct Row {
        std::string ini;
        size_t buttons;
        int width;
        int height;
    };
    std::string hundred = "[TOOLICON]\nICONCNT=100\n";
    for (int i = 1; i <= 100; ++i)
        hundred += "ICON" + std::to_string(i) + "=" + kToolIcon + ",0xFF00FF," + std::to_string(33000 + i) + "\n";
    const std::vector<Row> rows = {
        {"", 0, 32, 32},
        {"[TOOLICON]\nICONCNT=0\nICON1=" + kToolIcon + ",0xFF00FF,33071\n", 0, 32, 32},
        {"[TOOLICON]\nICONCNT=2\nICONWIDTH=24\nICONHEIGHT=20\n", 2, 24, 20},
        {"[TOOLICON]\nICONCNT=1\nICONWIDTH=9\nICONHEIGHT=129\n", 1, 32, 32},
        {"[TOOLICON]\nICONCNT=1\nICONWIDTH=10\nICONHEIGHT=128\n", 1, 10, 128},
        {"[TOOLICON]\nICONCNT=1\nICONWIDTH=128\nICONHEIGHT=10\n", 1, 128, 10},
        {"[TOOLICON]\nICONCNT=1\nICONWIDTH=129\nICONHEIGHT=9\n", 1, 32, 32},
        {hundred, 64, 32, 32},
    };
    for (const Row& row : rows) {
        const ToolIconSet set = LoadToolIcons(CIniFile::Parse(row.ini), false);
        EXPECT_EQ(set.buttons.size(), row.buttons) << row.ini.substr(0, 60);
        EXPECT_EQ(set.iconWidth, row.width);
        EXPECT_EQ(set.iconHeight, row.height);
    }
}

TEST(ToolIconsTest, BadEntriesBecomeSeparatorsAndTheOthersKeepTheirImages)
{
    ScopedWorkDir work;
    const std::string ini = "[TOOLICON]\nICONCNT=6\nICONWIDTH=24\nICONHEIGHT=24\n"
                            "ICON1=" +
                            kToolIcon +
                            ",0xFF00FF,33071\n"
                            "ICON2=" +
                            kToolIcon +
                            ",0xFF00FF,0\n"
                            "ICON3=" +
                            kToolIcon +
                            ",0xFF00FF,70000\n"
                            "ICON4=.\\missing\\file.bmp,0xFF00FF,33029\n"
                            "ICON6=" +
                            kToolIcon + ",0xFF00FF,33050\n";
    const ToolIconSet set = LoadToolIcons(CIniFile::Parse(ini), false);
    ASSERT_EQ(set.buttons.size(), 6u);
    const std::vector<int> ids = {33071, 0, 0, 0, 0, 33050};
    for (size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(set.buttons[i].commandId, ids[i]) << i;
        EXPECT_EQ(set.buttons[i].image.isNull(), ids[i] == 0) << i;
    }
    EXPECT_EQ(set.buttons[0].image.size(), QSize(24, 24));
}

TEST(ToolIconsTest, AToolbarWithoutButtonsTakesNoRoom)
{
    ScopedWorkDir work;
    for (const auto& [ini, shown] : {std::pair<std::string, bool>{"[TOOLICON]\nICONCNT=0\n", false},
                                     {"[TOOLICON]\nICONCNT=1\nICON1=" + kToolIcon + ",0xFF00FF,33071\n", true}}) {
        SCOPED_TRACE(ini);
        WriteText(work.Path("Tarvik.ini"), ini);
        FakeFrameHost host;
        CMainFrame frame(host);
        const auto* toolbar = frame.findChild<QToolBar*>(QStringLiteral("mainToolBar"));
        ASSERT_NE(toolbar, nullptr);
        EXPECT_EQ(!toolbar->isHidden(), shown);
    }
}

TEST(ToolIconsTest, BackslashPathsAreFoundFromTheWorkingDirectory)
{
    ScopedWorkDir work;
    QDir().mkpath(QString::fromStdString(work.Path("Icon")));
    WriteMaskedBitmap(work, "Icon/tool.bmp");
    const ToolIconSet set =
        LoadToolIcons(CIniFile::Parse("[TOOLICON]\nICONCNT=1\nICON1=.\\Icon\\tool.bmp,FF00FF,7\n"), false);
    ASSERT_EQ(set.buttons.size(), 1u);
    EXPECT_EQ(set.buttons[0].commandId, 7);
}

// --- masks -------------------------------------------------------------------------------------------------------

TEST(IconMaskTest, TransparentColourSkinAndSystemColour)
{
    ScopedWorkDir work;
    QImage picture(4, 1, QImage::Format_RGB32);
    picture.setPixelColor(0, 0, QColor(255, 0, 255));
    picture.setPixelColor(1, 0, QColor(0, 0, 255));
    picture.setPixelColor(2, 0, QColor(255, 0, 254)); // one step from the key
    picture.setPixelColor(3, 0, QColor(255, 0, 255));

    // 0x00BBGGRR: magenta is 0xFF00FF either way; blue is 0xFF0000.
    const QImage plain = ApplyIconMask(picture, 0xFF00FF, false);
    EXPECT_EQ(qAlpha(plain.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(plain.pixel(1, 0)), 255);
    EXPECT_EQ(qAlpha(plain.pixel(2, 0)), 255);
    const QImage blueKey = ApplyIconMask(picture, 0xFF0000, false);
    EXPECT_EQ(qAlpha(blueKey.pixel(1, 0)), 0);
    EXPECT_EQ(qAlpha(blueKey.pixel(0, 0)), 255);

    // Above 0xFFFFFF with a skin: the low 24 bits are transparent.
    const QImage skinned = ApplyIconMask(picture, 0x0FFF00FF, true);
    EXPECT_EQ(qAlpha(skinned.pixel(0, 0)), 0);

    // Without a skin: the high byte is a system colour (15, the button face) that replaces the key colour.
    const QImage replaced = ApplyIconMask(picture, 0x0FFF00FF, false);
    EXPECT_EQ(replaced.pixel(0, 0), SystemColor(15).rgb());
    EXPECT_EQ(replaced.pixel(3, 0), SystemColor(15).rgb());
    EXPECT_EQ(replaced.pixelColor(1, 0), QColor(0, 0, 255));
    EXPECT_EQ(replaced.pixelColor(2, 0), QColor(255, 0, 254));
    EXPECT_EQ(qAlpha(replaced.pixel(0, 0)), 255);

    // A 16-bit picture compares in 5-6-5 form: a colour that differs only below it is replaced too.
    const QImage sixteen = picture.convertToFormat(QImage::Format_RGB16);
    const QImage replaced16 = ApplyIconMask(sixteen, 0x0FFF00FF, false);
    EXPECT_EQ(replaced16.pixel(2, 0), SystemColor(15).rgb());

    // Pictures of other depths are left as they are.
    const QImage indexed = picture.convertToFormat(QImage::Format_Indexed8);
    const QImage untouched = ApplyIconMask(indexed, 0x0FFF00FF, false);
    EXPECT_EQ(untouched.pixelColor(0, 0), QColor(255, 0, 255));
}

// --- LISTICON ----------------------------------------------------------------------------------------------------

TEST(ListIconsTest, EveryIndexUpToTheCountExistsAndKeepsItsKey)
{
    ScopedWorkDir work;
    const std::string bitmap = WriteMaskedBitmap(work, "list.bmp");
    const std::string ini = "[LISTICON]\nICONCNT=5\n"
                            "ICON1=" +
                            bitmap +
                            ",0xFF00FF\n"
                            "ICON2=\n"
                            "ICON3=" +
                            bitmap +
                            "\n"
                            "ICON4=" +
                            work.Path("missing.bmp") +
                            ",0xFF00FF\n"
                            "ICON5=" +
                            bitmap + ",0x0FFF00FF\n";
    std::vector<bool> configured;
    const std::vector<QPixmap> icons = LoadListIcons(CIniFile::Parse(ini), &configured);
    ASSERT_EQ(icons.size(), 6u);
    EXPECT_EQ(configured, (std::vector<bool>{false, true, false, false, false, true}));
    const QImage fallback = DefaultListIcon().toImage();
    for (size_t i : {0u, 2u, 3u, 4u})
        EXPECT_EQ(icons[i].toImage(), fallback) << i;
    const QImage first = icons[1].toImage();
    EXPECT_EQ(first.size(), QSize(kListIconSize, kListIconSize));
    EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(first.pixel(8, 8)), 255);
    EXPECT_EQ(qAlpha(icons[5].toImage().pixel(0, 0)), 255); // system colour, no mask

    EXPECT_EQ(LoadListIcons(CIniFile::Parse("")).size(), 1u);
    EXPECT_EQ(LoadListIcons(CIniFile::Parse("[LISTICON]\nICONCNT=900\n")).size(), 257u);
}

TEST(ListIconsTest, FrameListAndTheProgramsSharedList)
{
    ScopedWorkDir work;
    const std::string bitmap = WriteMaskedBitmap(work, "list.bmp");
    WriteText(work.Path("Tarvik.ini"), "[LISTICON]\nICONCNT=5\nICON2=" + bitmap + ",0xFF00FF\n");
    const QImage builtInFive = SharedSmallImages().Get(kImageLinkUp).toImage();
    ASSERT_FALSE(builtInFive.isNull());
    FakeFrameHost host;
    CMainFrame frame(host);
    EXPECT_EQ(frame.GetListIconCount(), 5);
    EXPECT_EQ(frame.CheckListIconIndex(5), 5);
    EXPECT_EQ(frame.CheckListIconIndex(6), 0);
    EXPECT_EQ(frame.CheckListIconIndex(-1), 0);
    EXPECT_EQ(frame.GetListIcon(40).toImage(), frame.GetListIcon(0).toImage());
    EXPECT_EQ(frame.GetListIcon(2).toImage(), SharedSmallImages().Get(2).toImage());
    // An index without a configured picture keeps the program's own picture in the shared list.
    EXPECT_EQ(SharedSmallImages().Get(kImageLinkUp).toImage(), builtInFive);
    EXPECT_EQ(frame.GetItemBackColor(true), frame.TextColors().selectedBk);
}

// --- entity state icons ------------------------------------------------------------------------------------------

struct StateIconRow {
    const char* name;
    NeSpec ne;
    int position;
    int icon;
};

TEST(EntityStateIconTest, ByPlanConnectionAndAlarm)
{
    ScopedModels models;
    ScopedWorkDir work;
    const std::vector<StateIconRow> rows = {
        {"no alarm", {.id = 1}, 0, 100},
        {"critical", {.id = 2, .severity = 1}, 0, 101},
        {"warning", {.id = 3, .severity = 4}, 0, 104},
        {"info", {.id = 4, .severity = 5}, 0, 105},
        {"disconnected", {.id = 5, .connected = false}, 0, 106},
        {"mismatch", {.id = 6, .mismatch = true}, 0, 107},
        {"planned connected", {.id = 7, .planned = true, .connected = true}, 0, 108},
        {"planned disconnected", {.id = 8, .planned = true, .connected = false}, 0, 109},
        {"shelf", {.id = 9}, 1, 200},
        {"disconnected shelf", {.id = 10, .connected = false}, 1, 206},
        {"absent shelf", {.id = 11}, 2, 0},
        {"missing shelf", {.id = 12}, 3, 110},
        {"no model", {.id = 13, .model = 999}, 0, kIconNeWithoutModel},
        {"no model, shelf", {.id = 14, .model = 999}, 1, 0},
    };
    for (const StateIconRow& row : rows) {
        NeSpec spec = row.ne;
        spec.name = row.name;
        const CNeRecord* ne = AddTestNe(spec);
        ASSERT_NE(ne, nullptr) << row.name;
        EXPECT_EQ(GetEntityStateIcon(ne, row.position), row.icon) << row.name;
    }
    EXPECT_EQ(GetEntityStateIcon(nullptr, 0), kIconNeWithoutModel);
    EXPECT_EQ(GetEntityStateIcon(nullptr, 1), 0);

    const CNeRecord* ne = FindNeById(1);
    EXPECT_EQ(GetEntityIcon(ne, 3, 0), 103);
    EXPECT_EQ(GetEntityIcon(ne, 9, 1), 209);
    EXPECT_EQ(GetEntityIcon(ne, 3, 2), 0);
    EXPECT_EQ(GetEntityIcon(nullptr, 3, 0), kIconNeWithoutModel);
}

// --- text colours ------------------------------------------------------------------------------------------------

TEST(TextColorsTest, AbsentKeysTakeTheirGroupDefault)
{
    const TextColorTable none = LoadTextColors(CIniFile::Parse(""));
    EXPECT_EQ(none.colorDef, 0u);
    EXPECT_EQ(none.selectedBk, 0xF0EEE1u);
    EXPECT_EQ(none.neMismatch, 0u);

    const TextColorTable colors = LoadTextColors(CIniFile::Parse("[TEXTCOLOR]\nCOLOR_DEF=0x111111\nNE_DEF=0x222222\n"
                                                                 "NE_CR=0x0000FF\nLOC_DEF=0x333333\nACCT_DEF=0x444444\n"
                                                                 "ACCT_ADMIN=0x555555\nLOC_NEs=0x666666\n"
                                                                 "SELECTED_BK=0x010203\nLOC_MJ=xyz\n"));
    EXPECT_EQ(colors.colorDef, 0x111111u);
    EXPECT_EQ(colors.selectedBk, 0x010203u);
    EXPECT_EQ(colors.ne[1], 0x0000FFu);
    for (COLORREF c : {colors.ne[0], colors.ne[2], colors.ne[3], colors.ne[4], colors.ne[5], colors.neDisconn,
                       colors.neMismatch, colors.nePlan, colors.nePlanDisconn})
        EXPECT_EQ(c, 0x222222u);
    for (COLORREF c : {colors.loc[1], colors.loc[2], colors.loc[3], colors.loc[4], colors.loc[5]})
        EXPECT_EQ(c, 0x333333u);
    for (COLORREF c : {colors.acctManager, colors.acctUser, colors.acctUnknown})
        EXPECT_EQ(c, 0x444444u);
    EXPECT_EQ(colors.acctAdmin, 0x555555u);
    EXPECT_EQ(colors.locNes, 0x666666u);
    EXPECT_EQ(colors.locAccts, 0x111111u);
}

TEST(TextColorsTest, EntityColourByNeState)
{
    ScopedModels models;
    ScopedWorkDir work;
    TextColorTable t;
    t.colorDef = 1;
    t.neDisconn = 2;
    t.nePlan = 3;
    t.nePlanDisconn = 4;
    t.neMismatch = 5;
    t.ne = {6, 7, 8, 9, 10, 11};
    const std::vector<std::pair<NeSpec, COLORREF>> rows = {
        {{.id = 1, .model = 999}, 2},
        {{.id = 2, .planned = true, .connected = true}, 3},
        {{.id = 3, .planned = true, .connected = false}, 4},
        {{.id = 4, .connected = false}, 2},
        {{.id = 5, .mismatch = true}, 5},
        {{.id = 6}, 6},
        {{.id = 7, .severity = 1}, 7},
        {{.id = 8, .severity = 2}, 8},
        {{.id = 9, .severity = 3}, 9},
        {{.id = 10, .severity = 4}, 10},
        {{.id = 11, .severity = 5}, 11},
    };
    for (const auto& [spec, color] : rows) {
        NeSpec named = spec;
        named.name = "NE" + std::to_string(spec.id);
        EXPECT_EQ(GetEntityTextColor(t, AddTestNe(named)), color) << spec.id;
    }
    EXPECT_EQ(GetEntityTextColor(t, nullptr), 1u);

    // An alarm below the NE counts as the NE's gravest.
    CNeRecord* ne = FindNeById(6);
    ne->root->GetChild(0)->severity = 2;
    EXPECT_EQ(GetEntityTextColor(t, ne), 8u);
}

} // namespace
