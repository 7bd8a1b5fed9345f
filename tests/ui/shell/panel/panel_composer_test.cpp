// The front panel's composition on fixture templates of solid colours: which template each entity is drawn in, the
// substitutes of absent, empty and disconnected children, the marks, the depth of the overview, the fits, and the
// hit test and entity rectangles that follow the same geometry. Probed pixel by pixel.

#include "tests/platform/pixel_probe.h"
#include "tests/platform/qt_test_app.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type_ids.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "ui/shell/panel/panel_composer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kChassis = 0x404040;
constexpr COLORREF kShelf = 0x606060;
constexpr COLORREF kCardGreen = 0x00FF00;
constexpr COLORREF kCardRed = 0x0000FF;
constexpr COLORREF kCardDisabled = 0x808080;
constexpr COLORREF kPortGreen = 0x00C000;
constexpr COLORREF kPortYellow = 0x00FFFF;
constexpr COLORREF kEmptySlot = 0xC0C0C0;
constexpr COLORREF kVoidSlot = 0x000000;
constexpr COLORREF kEmptyPort = 0x202020;
constexpr COLORREF kAlarmMark = 0xFF00FF;
constexpr COLORREF kUnplannedMark = 0x00FFFF;

// An NE of one shelf with three slots: slot 1 takes any card, slot 2 does not exist in this model (absent), slot 3
// is kept empty. Cards have two ports. A second NE model holds two shelves.
const char* const kInfo = R"(
[SYSTEM]
MAXENTITYLEVEL2=2
MAXENTITYLEVEL3=3
MAXENTITYLEVEL4=2
[MODEL2]
NAME=NE
LEVEL=1
CHILDCNT=1
CHILDTYPELIST=10
[MODEL4]
NAME=NE2
LEVEL=1
CHILDCNT=2
CHILDTYPELIST=10,10
[MODEL10]
NAME=Shelf
LEVEL=2
CHILDCNT=3
CHILDTYPELIST=2147483647,2000000000,1
CHILDEMPTY=90,90,90
CHILDVOID=91,91,91
[MODEL30]
NAME=Card
LEVEL=3
CHILDCNT=2
CHILDTYPELIST=51,51
CHILDEMPTY=92,92
[MODEL31]
NAME=Other Card
LEVEL=3
[MODEL51]
NAME=Port
LEVEL=4
[MODEL90]
NAME=Empty
LEVEL=3
[MODEL91]
NAME=Void
LEVEL=3
[MODEL92]
NAME=Empty Port
LEVEL=4
)";

const char* const kAlarms = R"(
[SYSTEM]
DISABLEALARM=31
)";

// Everything fills its rectangle (fit B) but the NE, which keeps its 2:1 aspect (fit A). The card is 30 x 100
// template units: its ports lie in the lower half.
const char* const kSkin = R"(
[SYSTEM]
ROUGHLEVEL=2
SELECTEDMARK=RL,@L,@R,@T,@B,0x0000FF,0,2,0,0
[MODEL2]
SIZE=200,100
FIT=A
RECTCNT=1
RECT1=10,10,190,90
SHAPECNT_0_0=1
SHAPE_0_0_1=RS,@L,@R,@T,@B,0x404040,0,0,0,0
[MODEL4]
SIZE=200,200
FIT=B
RECTCNT=2
RECT1=0,0,200,100
RECT2=0,100,200,200
SHAPECNT_0_0=1
SHAPE_0_0_1=RS,@L,@R,@T,@B,0x404040,0,0,0,0
[MODEL10]
SIZE=90,100
FIT=B
RECTCNT=3
RECT1=0,10,30,100
RECT2=30,10,60,100
RECT3=60,10,90,100
SHAPECNT_0_0=1
SHAPE_0_0_1=RS,0,89,0,99,0x606060,0,0,0,0
[MODEL30]
SIZE=30,100
FIT=B
RECTCNT=2
RECT1=5,50,25,70
RECT2=5,75,25,95
COMPONENTALARM2=RS,@L,@R,@T,@T+3,0xFF00FF,0,0,0,0
COMPONENTMISS=RS,@L,@R,@B-2,@B,0x00FFFF,0,0,0,0
SHAPECNT_0_0=1
SHAPE_0_0_1=RS,0,29,0,99,0x00FF00,0,0,0,0
SHAPECNT_1_0=1
SHAPE_1_0_1=RS,0,29,0,99,0x0000FF,0,0,0,0
SHAPECNT_0_3=1
SHAPE_0_3_1=RS,0,29,0,99,0x808080,0,0,0,0
[MODEL31]
SIZE=30,100
FIT=B
SHAPECNT_0_0=1
SHAPE_0_0_1=RS,0,29,0,99,0xFF0000,0,0,0,0
[MODEL51]
SIZE=10,10
FIT=B
SHAPECNT_0_0=1
SHAPE_0_0_1=RS,0,9,0,9,0x00C000,0,0,0,0
SHAPECNT_3_0=1
SHAPE_3_0_1=RS,0,9,0,9,0x00FFFF,0,0,0,0
[MODEL90]
SIZE=30,100
FIT=B
SHAPECNT_0_0=1
SHAPE_0_0_1=RS,0,29,0,99,0xC0C0C0,0,0,0,0
[MODEL91]
SIZE=30,100
FIT=B
SHAPECNT_0_0=1
SHAPE_0_0_1=RS,0,29,0,99,0x000000,0,0,0,0
[MODEL92]
SIZE=10,10
FIT=B
SHAPECNT_0_0=1
SHAPE_0_0_1=RS,0,9,0,9,0x202020,0,0,0,0
)";

// In a 400 x 200 picture the NE (200:100, fit A) fills the picture: its shelf lies at 20..380 x 20..180, slot k at
// 20 + 120 (k - 1) .. 140 + 120 (k - 1) x 36..180; the card's ports at y 108..136 and 144..172, x 40..120.
constexpr QSize kPicture{400, 200};
const QPoint kCardTop{80, 50};
const QPoint kPort1{80, 115};
const QPoint kPort2{80, 155};
const QPoint kSlot2{200, 100};
const QPoint kSlot3{320, 100};

class PanelComposerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EntityModelLoadResult load = LoadEntityModelSetFromText(kInfo, kAlarms, kSkin);
        ASSERT_TRUE(load.models);
        ASSERT_TRUE(load.diagnostics.empty()) << load.diagnostics.front();
        ReplaceEntityModels(std::move(load.models));
        ne_.neId = 1;
        ne_.neModelId = 2;
        ne_.BuildEntityTree();
        // Everything reports in: connected, no alarm, the card of slot 1 in place.
        Report(1, 2);
        Report(10000, 10);
        Report(10100, 30);
        Report(10101, 51);
        Report(10102, 51);
    }
    // The NE tells an entity's type, as the planned one, and that it is connected.
    void Report(uint32_t id, uint32_t type)
    {
        Node(id)->SetType(type, type);
        Node(id)->SetStateBits(0);
    }
    void TearDown() override { ReplaceEntityModels(nullptr); }

    CEntityNode* Node(uint32_t id) { return ne_.root->FindById(id); }
    CEntityNode* Card() { return Node(10100); }

    QImage Compose(bool detail = true, const PanelEnvironment& environment = {})
    {
        return composer_.Compose({ne_, CEntityIndex::FromLevels(1), detail, kPicture}, environment);
    }
    COLORREF At(const QImage& image, QPoint point) { return PixelOf(image, point.x(), point.y()); }
    CEntityIndex Hit(QPoint point, bool detail = true)
    {
        return composer_.HitTest({ne_, CEntityIndex::FromLevels(1), detail, kPicture}, point);
    }

    CNeRecord ne_;
    CPanelComposer composer_;
};

TEST_F(PanelComposerTest, EachEntityIsDrawnInTheTemplateOfItsState)
{
    QImage image = Compose();
    EXPECT_EQ(At(image, {5, 5}), kChassis);
    EXPECT_EQ(At(image, {25, 25}), kShelf) << "the shelf's own shapes, above its slots";
    EXPECT_EQ(At(image, kCardTop), kCardGreen);
    EXPECT_EQ(At(image, kPort1), kPortGreen);
    EXPECT_EQ(At(image, kSlot2), kVoidSlot) << "an absent slot in its parent's CHILDVOID model";
    EXPECT_EQ(At(image, kSlot3), kEmptySlot) << "an empty slot in its parent's CHILDEMPTY model";

    // Alarms from the server: a critical card, a minor port.
    Card()->severity = 1;
    Node(10102)->severity = 3;
    image = Compose();
    EXPECT_EQ(At(image, kCardTop), kCardRed);
    EXPECT_EQ(At(image, kPort1), kPortGreen);
    EXPECT_EQ(At(image, kPort2), kPortYellow);

    // Masked alarms show nothing; a disabled card its disabled template.
    Card()->alarmMasked = 1;
    image = Compose();
    EXPECT_EQ(At(image, kCardTop), kCardGreen);
    Card()->alarmMasked = 0;
    Card()->SetStateBits(1u << 31);
    image = Compose();
    EXPECT_EQ(At(image, kCardTop), kCardDisabled);
}

TEST_F(PanelComposerTest, DisconnectedAndUnpluggedEntitiesAreDrawnEmpty)
{
    Card()->SetStateBits(1); // the offline bit: not connected
    QImage image = Compose();
    EXPECT_EQ(At(image, kCardTop), kEmptySlot);
    EXPECT_NE(At(image, kPort1), kPortGreen) << "no ports on an empty slot";

    Card()->SetStateBits(0);
    Node(10101)->SetStateBits(1);
    image = Compose();
    EXPECT_EQ(At(image, kPort1), kEmptyPort);
    EXPECT_EQ(At(image, kPort2), kPortGreen);

    // A card of another type than planned is left out; its slot shows the shelf below.
    Card()->SetType(31, 30);
    Card()->SetStateBits(0);
    image = Compose();
    EXPECT_EQ(At(image, kCardTop), kShelf);
}

TEST_F(PanelComposerTest, MarksGoOverTheEntity)
{
    Card()->SetStateBits(1u << 2);
    QImage image = Compose();
    EXPECT_EQ(At(image, {80, 37}), kAlarmMark) << "alarm 2's mark along the card's top";
    EXPECT_EQ(At(image, kCardTop), kCardGreen);
    EXPECT_EQ(At(image, {80, 178}), kCardGreen);

    // A card nobody planned there is marked along its bottom.
    Card()->SetStateBits(0);
    Card()->SetType(30, kEntityTypeUnknown);
    image = Compose();
    EXPECT_EQ(At(image, {80, 37}), kCardGreen);
    EXPECT_EQ(At(image, {80, 178}), kUnplannedMark);
}

TEST_F(PanelComposerTest, BlinkPhaseClearsFlashingEntities)
{
    Card()->severity = 1;
    PanelEnvironment environment;
    environment.blinkPhaseOn = true;
    environment.flash.level = 2; // major or graver flashes
    EXPECT_EQ(At(Compose(true, environment), kCardTop), kCardGreen);
    environment.blinkPhaseOn = false;
    EXPECT_EQ(At(Compose(true, environment), kCardTop), kCardRed);
}

TEST_F(PanelComposerTest, TheOverviewStopsAtRoughLevel)
{
    const QImage image = Compose(false);
    EXPECT_EQ(At(image, kCardTop), kShelf) << "two levels: the NE and its shelf";
    EXPECT_EQ(Hit(kPort1, false), CEntityIndex::FromLevels(1, 1));
    EXPECT_EQ(Hit(kPort1, true), CEntityIndex::FromLevels(1, 1, 1, 1));
}

TEST_F(PanelComposerTest, TheHitTestFollowsTheDrawing)
{
    const struct {
        QPoint point;
        CEntityIndex index;
    } rows[] = {
        {kPort1, CEntityIndex::FromLevels(1, 1, 1, 1)},
        {kPort2, CEntityIndex::FromLevels(1, 1, 1, 2)},
        {kCardTop, CEntityIndex::FromLevels(1, 1, 1)},
        {kSlot2, CEntityIndex::FromLevels(1, 1)},    // an absent slot stops the descent
        {kSlot3, CEntityIndex::FromLevels(1, 1, 3)}, // an empty one is hit as drawn
        {{5, 5}, CEntityIndex::FromLevels(1)},       // the chassis around the shelf
    };
    for (const auto& row : rows)
        EXPECT_EQ(Hit(row.point), row.index) << row.point.x() << "," << row.point.y();

    // The rectangles the hit test finds are those drawn.
    const PanelScene scene{ne_, CEntityIndex::FromLevels(1), true, kPicture};
    EXPECT_EQ(composer_.GetEntityRect(scene, CEntityIndex::FromLevels(1, 1, 1, 2)), (DcRect{40, 144, 120, 172}));
    EXPECT_EQ(composer_.GetEntityRect(scene, CEntityIndex::FromLevels(1, 1, 1)), (DcRect{20, 36, 140, 180}));
    EXPECT_TRUE(
        composer_.GetEntityRect({ne_, CEntityIndex::FromLevels(1), false, kPicture}, CEntityIndex::FromLevels(1, 1, 1))
            .IsEmpty())
        << "below the overview's depth";
}

TEST_F(PanelComposerTest, AShelfOfSeveralIsDrawnInFullWhenChosen)
{
    ne_.neModelId = 4;
    ne_.BuildEntityTree();
    Report(1, 4);
    for (uint32_t shelf : {10000u, 20000u}) {
        Report(shelf, 10);
        Report(shelf + 100, 30);
        Report(shelf + 101, 51);
    }
    Node(20100)->severity = 1;
    const PanelScene second{ne_, CEntityIndex::FromLevels(1, 2), true, {90, 100}};
    const QImage image = composer_.Compose(second, {});
    EXPECT_EQ(PixelOf(image, 15, 20), kCardRed) << "the second shelf's card fills its third of the picture";
    EXPECT_EQ(PixelOf(image, 15, 60), kPortGreen);
    EXPECT_EQ(composer_.HitTest(second, {15, 60}), CEntityIndex::FromLevels(1, 2, 1, 1));
}

TEST(PanelFit, TemplatesFitTheirTargetByTheirFit)
{
    const DcRect target{10, 20, 410, 220}; // 400 x 200
    const CTemplateSize size{100, 100};
    const struct {
        int fit;
        bool detail;
        DcRect expected;
    } rows[] = {
        {kTemplateFitN, true, {10, 20, 110, 120}},   // its own size at the top left
        {kTemplateFitX, true, {10, 20, 410, 420}},   // the full width
        {kTemplateFitY, true, {10, 20, 210, 220}},   // the full height
        {kTemplateFitA, true, {110, 20, 310, 220}},  // the largest square, centred
        {kTemplateFitB, true, {10, 20, 410, 220}},   // the whole target
        {7, true, {110, 20, 310, 220}},              // an unknown fit is A
        {kTemplateFitN, false, {110, 20, 310, 220}}, // the overview makes every fit but B an A
        {kTemplateFitB, false, {10, 20, 410, 220}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CPanelComposer::FitTemplateRect(size, row.fit, target, row.detail), row.expected)
            << row.fit << (row.detail ? " detail" : " overview");
    EXPECT_TRUE(CPanelComposer::FitTemplateRect({0, 10}, kTemplateFitB, target, true).IsEmpty());
    EXPECT_TRUE(CPanelComposer::FitTemplateRect({1000, 1}, kTemplateFitA, target, true).IsEmpty())
        << "too flat to be drawn";
}

} // namespace
