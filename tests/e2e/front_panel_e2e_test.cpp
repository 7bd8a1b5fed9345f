// The front panel of the running program: an NE selected in the tree shows its panel in the Rack view, an alarm the
// server reports colours its card at the next refresh, the entity under the mouse becomes the frame's current
// entity, a right click pops the menu of the entity the view shows, and the picture is exported as a bitmap.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/platform/pixel_probe.h"

#include "core/entity/entity_index.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "link/records/request_codes.h"
#include "platform/popup_menu_runner.h"
#include "sim/server/sim_control.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/panel/frame_view.h"

#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

// The sample skin's frame round an alarmed module, major.
constexpr COLORREF kMajorFrame = 0x0088FF;
constexpr int kActiveAlarm = 33029;

class FrontPanelE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.StartServer());
        ASSERT_TRUE(program.Login("admin", "admin"));
        program.Frame().resize(1280, 800);
        program.Settle();
    }
    CFrameView* ShowPanel(const QString& item)
    {
        program.ClickTreeItem(program.TreeItem(item));
        program.ClickViewTab(QStringLiteral("Rack"));
        program.Settle();
        return dynamic_cast<CFrameView*>(program.Frame().GetRightView());
    }
    // The server raises or clears an alarm of an NE's entity, as the NE reports it.
    void SetAlarm(uint32_t neId, uint32_t entityId, uint32_t bit, bool raise)
    {
        server_test::CRawClient& probe = program.ServerProbe();
        const auto control = EncodeRecord(SimControlRec{kSimSetAlarm, entityId, bit, raise ? 1u : 0u});
        const std::optional<Frame> reply =
            probe.ReplyTo(probe.Send(2, kReqSimControl, neId, {control.begin(), control.end()}, kSimControlRecSize));
        ASSERT_TRUE(reply && reply->header.status == 0);
    }
    // A pixel on the left edge of an entity, where the skin frames an alarmed module.
    static COLORREF EdgeOf(CFrameView& panel, const CEntityIndex& entity)
    {
        const QRect rect = panel.EntityRect(entity);
        return PixelOf(panel.Picture(), rect.left() + 1, rect.center().y());
    }

    e2e::CProgram program;
};

TEST_F(FrontPanelE2eTest, ThePanelShowsTheNeWithLiveAlarmsAndTheEntityUnderTheMouse)
{
    CFrameView* panel = ShowPanel(QStringLiteral("North-1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->IsDetail()) << "an NE of one shelf is drawn in full";
    const CEntityIndex card = CEntityIndex::FromLevels(1, 1, 1);
    ASSERT_FALSE(panel->EntityRect(card).isEmpty());
    EXPECT_NE(EdgeOf(*panel, card), kMajorFrame);

    // Card Fail (bit 1, major) on the line card of slot 1: its frame turns orange at the next refresh.
    SetAlarm(1, 10100, 1, true);
    EXPECT_TRUE(program.WaitUntil([&] { return EdgeOf(*panel, card) == kMajorFrame; }));
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(program.Frame(), QStringLiteral("front_panel")));
    SetAlarm(1, 10100, 1, false);
    EXPECT_TRUE(program.WaitUntil([&] { return EdgeOf(*panel, card) != kMajorFrame; }));

    // The mouse over port 2 of that card: the port is the frame's current entity, framed, and named in the hint.
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 1, 2);
    const QRect portRect = panel->EntityRect(port);
    ASSERT_FALSE(portRect.isEmpty());
    program.MoveMouse(*panel->Canvas(), portRect.center());
    EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), port);
    EXPECT_EQ(program.Frame().GetCurrentNeId(), 1u);
    EXPECT_EQ(panel->SelectionMarkRect(), portRect);
    EXPECT_EQ(panel->HintText(), QStringLiteral("2"));
    // The hint box stands 5 pixels right of the pointer and 18 below it.
    EXPECT_EQ(panel->HintRect().topLeft(), portRect.center() + QPoint(5, 18));
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(*panel, QStringLiteral("front_panel_hover")));
    const QImage shown = panel->Canvas()->grab().toImage();
    EXPECT_EQ(PixelOf(shown, panel->HintRect().left() + 1, panel->HintRect().top() + 1), 0xC0FFFFU) << "light yellow";

    // A module shows no hint; its right click pops the menu of the NE the view shows, whose commands go to the frame,
    // which points at the module.
    program.MoveMouse(*panel->Canvas(), panel->EntityRect(card).topLeft() + QPoint(3, 3));
    EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), card);
    EXPECT_TRUE(panel->HintText().isEmpty());
    const std::vector<int> offered =
        program.RightClickAt(*panel->Canvas(), panel->EntityRect(card).topLeft() + QPoint(3, 3));
    EXPECT_NE(std::find(offered.begin(), offered.end(), kActiveAlarm), offered.end());
    EXPECT_NE(std::find(offered.begin(), offered.end(), CFrameView::kCmdExportFrame), offered.end()) << "the NE's";
    EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), card);
}

// With View > Port Tip and View > Focus Frame off, a port under the mouse still becomes the frame's current entity, but
// no hint names it and no selection mark frames it; both are there while the switches are on.
TEST_F(FrontPanelE2eTest, PortTipAndFocusFrameSwitchTheHintAndTheMark)
{
    constexpr COLORREF kSelectionMarkColor = 0x0000FF; // the SELECTEDMARK of the sample EntSkin.dat
    CFrameView* panel = ShowPanel(QStringLiteral("North-1"));
    ASSERT_NE(panel, nullptr);
    const CEntityIndex card = CEntityIndex::FromLevels(1, 1, 1);
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 1, 2);
    const QRect portRect = panel->EntityRect(port);
    ASSERT_FALSE(portRect.isEmpty());
    // The mark's pixels in a ring round the port.
    const auto markPixels = [&] {
        const QImage shown = panel->Canvas()->grab().toImage();
        const auto marked = [](COLORREF pixel) { return pixel == kSelectionMarkColor; };
        return CountPixels(shown, portRect.adjusted(-6, -6, 6, 6), marked) - CountPixels(shown, portRect, marked);
    };
    const auto hoverPort = [&] {
        program.MoveMouse(*panel->Canvas(), panel->EntityRect(card).topLeft() + QPoint(3, 3));
        program.MoveMouse(*panel->Canvas(), portRect.center());
        EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), port);
    };
    hoverPort();
    EXPECT_EQ(panel->HintText(), QStringLiteral("2"));
    EXPECT_GT(markPixels(), 0);
    ASSERT_TRUE(program.Command(32773)); // Port Tip off
    ASSERT_TRUE(program.Command(32769)); // Focus Frame off
    hoverPort();
    EXPECT_TRUE(panel->HintText().isEmpty());
    EXPECT_EQ(markPixels(), 0);
}

TEST_F(FrontPanelE2eTest, AShelfOfAnNeOfTwoIsDrawnAndTheFrameIsExported)
{
    CFrameView* panel = ShowPanel(QStringLiteral("South-1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->IsDetail()) << "two shelves: the overview";
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(program.Frame(), QStringLiteral("front_panel_two_shelves")));
    const QRect overviewSlot = panel->EntityRect(CEntityIndex::FromLevels(1, 2, 1));
    ASSERT_FALSE(overviewSlot.isEmpty());

    // The second shelf chosen in the tree is drawn whole and larger, alone in the view.
    panel = ShowPanel(QStringLiteral("shelf:2"));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->IsDetail());
    const QRect slot = panel->EntityRect(CEntityIndex::FromLevels(1, 2, 1));
    ASSERT_FALSE(slot.isEmpty());
    EXPECT_GT(slot.height(), overviewSlot.height());
    EXPECT_GT(slot.width(), overviewSlot.width());
    EXPECT_TRUE(panel->EntityRect(CEntityIndex::FromLevels(1, 1, 1)).isEmpty()) << "the other shelf is not shown";
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(program.Frame(), QStringLiteral("front_panel_shelf")));

    // Export Frame from the NE's own menu, over the chassis.
    program.MoveMouse(*panel->Canvas(), QPoint(2, 2));
    panel = ShowPanel(QStringLiteral("South-1"));
    const QString file = QString::fromStdString((program.WorkDir().Path() / "south.bmp").string());
    program.Operator().Files().PushPath(file);
    const QRect chassis = panel->EntityRect(CEntityIndex::FromLevels(1));
    program.MoveMouse(*panel->Canvas(), chassis.topLeft() + QPoint(5, chassis.height() / 2));
    EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), CEntityIndex::FromLevels(1));
    program.RightClickAt(*panel->Canvas(), chassis.topLeft() + QPoint(5, chassis.height() / 2),
                         CFrameView::kCmdExportFrame);
    QFile bitmap(file);
    ASSERT_TRUE(bitmap.open(QIODevice::ReadOnly));
    const QImage read = QImage::fromData(bitmap.readAll(), "BMP");
    EXPECT_EQ(read.size(), panel->Picture().size());
    EXPECT_EQ(read.pixel(chassis.center()), panel->Picture().pixel(chassis.center()));

    // A file that cannot be written says so.
    program.Operator().Files().PushPath(QString::fromStdString((program.WorkDir().Path() / "none" / "x.bmp").string()));
    program.RightClickAt(*panel->Canvas(), chassis.topLeft() + QPoint(5, chassis.height() / 2),
                         CFrameView::kCmdExportFrame);
    ASSERT_FALSE(program.Operator().boxTexts.empty());
    EXPECT_TRUE(program.Operator().LastBoxText().startsWith(QStringLiteral("Fail to open file")));
}

// In direct mode the NE's panel is there from the login.
class FrontPanelDirectE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.StartAgent());
        ASSERT_TRUE(program.Login("qurim", "private"));
        program.Frame().resize(1280, 800);
        ASSERT_TRUE(
            program.WaitUntil([&] { return dynamic_cast<CFrameView*>(program.Frame().GetRightView()) != nullptr; }));
        program.Settle();
        panel = dynamic_cast<CFrameView*>(program.Frame().GetRightView());
        ASSERT_NE(panel, nullptr);
    }
    e2e::CProgram program;
    CFrameView* panel = nullptr;
};

// A right click pops the menu of the NE the view shows, over the chassis as over a card, as in server mode; the card
// under the pointer is the frame's current entity, which the menu's commands act on.
TEST_F(FrontPanelDirectE2eTest, ACardsRightClickPopsTheMenuOfTheViewsNe)
{
    const QRect chassis = panel->EntityRect(CEntityIndex::FromLevels(1));
    const QRect card = panel->EntityRect(CEntityIndex::FromLevels(1, 1, 1));
    ASSERT_FALSE(chassis.isEmpty());
    ASSERT_FALSE(card.isEmpty());
    const std::vector<int> neMenu = program.RightClickAt(*panel->Canvas(), chassis.topLeft() + QPoint(3, 3));
    ASSERT_FALSE(neMenu.empty());
    program.MoveMouse(*panel->Canvas(), card.center());
    EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), CEntityIndex::FromLevels(1, 1, 1));
    EXPECT_EQ(program.RightClickAt(*panel->Canvas(), card.center()), neMenu);
    EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), CEntityIndex::FromLevels(1, 1, 1));
}

// Keeps a picture of each popup before the operator's scripted runner answers it.
class CPopupPictures : public PopupMenuRunner {
public:
    CPopupPictures() : previous_(SetPopupMenuRunner(this)) {}
    ~CPopupPictures() override { SetPopupMenuRunner(previous_); }
    CPopupPictures(const CPopupPictures&) = delete;
    CPopupPictures& operator=(const CPopupPictures&) = delete;
    int TrackPopupMenu(QMenu& menu, const QPoint& at) override
    {
        menu.adjustSize();
        last = menu.grab();
        return previous_ != nullptr ? previous_->TrackPopupMenu(menu, at) : 0;
    }
    QPixmap last;

private:
    PopupMenuRunner* previous_;
};

// In direct mode an ADSL port of a line card (the NE tells its ports' types in its entity table) is the frame's
// current entity under the pointer; its right click pops the NE's popup of the direct menu, the view's entity.
TEST_F(FrontPanelDirectE2eTest, AnAdslPortUnderThePointerPopsTheNesPopup)
{
    // Port 2 of the ALC-48 in slot 1 of the main shelf.
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 1, 2);
    constexpr uint32_t kAdslPortModel = 51;
    ASSERT_TRUE(program.WaitUntil([&] { return AppData().nes.FindNeById(1)->root->GetTypeAt(port) == kAdslPortModel; }))
        << "the NE tells its ports' types";
    const QRect portRect = panel->EntityRect(port);
    ASSERT_FALSE(portRect.isEmpty());
    program.MoveMouse(*panel->Canvas(), portRect.center());
    EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), port);
    CPopupPictures pictures;
    const std::vector<int> offered = program.RightClickAt(*panel->Canvas(), portRect.center());
    // Show NE, NE Time, Backup, Telnet, the NE's settings and firmware, Active and History Alarm, Export Frame.
    EXPECT_EQ(offered, (std::vector<int>{33083, 33074, 33145, 33104, 33214, 33105, 33029, 33034, 33155, 33024}));
    EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), port);
    ASSERT_FALSE(pictures.last.isNull());
    EXPECT_TRUE(pictures.last.save(QCoreApplication::applicationDirPath() +
                                   QStringLiteral("/screenshots/front_panel_direct_port_ne_popup.png")));
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(program.Frame(), QStringLiteral("front_panel_direct_adsl_port")));
}

// Wherever the pointer stands, a right click pops the menu of the entity the view shows: the NE of one shelf, or the
// shelf chosen in the tree; the entity under the pointer is the frame's current entity.
TEST_F(FrontPanelE2eTest, ARightClickPopsTheMenuOfTheEntityTheViewShows)
{
    CFrameView* panel = ShowPanel(QStringLiteral("North-1"));
    ASSERT_NE(panel, nullptr);
    const std::vector<int> neMenu = {33083, 33017, 33010, 33074, 33148, 33145, 33104,
                                     33214, 33105, 33029, 33034, 33036, 33155, 33024};
    struct Row {
        const char* pointed;
        CEntityIndex index;
    };
    const Row rows[] = {
        {"the chassis", CEntityIndex::FromLevels(1)},
        {"a line card", CEntityIndex::FromLevels(1, 1, 1)},
        {"a port", CEntityIndex::FromLevels(1, 1, 1, 2)},
        {"a slot without a board", CEntityIndex::FromLevels(1, 1, 3)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pointed);
        const QRect rect = panel->EntityRect(row.index);
        ASSERT_FALSE(rect.isEmpty());
        const QPoint at = row.index.GetLevel() == 1 ? rect.topLeft() + QPoint(3, 3) : rect.center();
        program.MoveMouse(*panel->Canvas(), at);
        EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), row.index);
        EXPECT_EQ(program.RightClickAt(*panel->Canvas(), at), neMenu);
    }

    // The second shelf of South-1, chosen in the tree: its menu over its slots too.
    panel = ShowPanel(QStringLiteral("South-1"));
    panel = ShowPanel(QStringLiteral("shelf:2"));
    ASSERT_NE(panel, nullptr);
    const QRect shelf = panel->EntityRect(CEntityIndex::FromLevels(1, 2));
    const QRect slot = panel->EntityRect(CEntityIndex::FromLevels(1, 2, 1));
    ASSERT_FALSE(shelf.isEmpty());
    ASSERT_FALSE(slot.isEmpty());
    const QPoint onShelf = shelf.topLeft() + QPoint(2, 2);
    const std::vector<int> shelfMenu = program.RightClickAt(*panel->Canvas(), onShelf);
    ASSERT_FALSE(shelfMenu.empty());
    EXPECT_NE(shelfMenu, neMenu);
    program.MoveMouse(*panel->Canvas(), slot.center());
    EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), CEntityIndex::FromLevels(1, 2, 1));
    EXPECT_EQ(program.RightClickAt(*panel->Canvas(), slot.center()), shelfMenu);
}

} // namespace
