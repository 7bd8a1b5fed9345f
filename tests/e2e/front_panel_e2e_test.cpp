// The front panel of the running program: an NE selected in the tree shows its panel in the Rack view, an alarm the
// server reports colours its card at the next refresh, the entity under the mouse becomes the frame's current
// entity, a right click pops that entity's menu, and the picture is exported as a bitmap.

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

    // A module shows no hint; its right click pops the module's own menu, whose command goes to the frame.
    program.MoveMouse(*panel->Canvas(), panel->EntityRect(card).topLeft() + QPoint(3, 3));
    EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), card);
    EXPECT_TRUE(panel->HintText().isEmpty());
    const std::vector<int> offered =
        program.RightClickAt(*panel->Canvas(), panel->EntityRect(card).topLeft() + QPoint(3, 3));
    EXPECT_NE(std::find(offered.begin(), offered.end(), kActiveAlarm), offered.end());
    EXPECT_NE(std::find(offered.begin(), offered.end(), 33130), offered.end()) << "ADSL Port Setting, the card's own";
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

// A right click over a card pops the card's own menu, as in server mode.
TEST_F(FrontPanelDirectE2eTest, TheCardsPopupIsTheCardsOwn)
{
    const QRect chassis = panel->EntityRect(CEntityIndex::FromLevels(1));
    const QRect card = panel->EntityRect(CEntityIndex::FromLevels(1, 1, 1));
    ASSERT_FALSE(chassis.isEmpty());
    ASSERT_FALSE(card.isEmpty());
    const std::vector<int> neMenu = program.RightClickAt(*panel->Canvas(), chassis.topLeft() + QPoint(3, 3));
    ASSERT_FALSE(neMenu.empty());
    // The mouse over the card makes it the frame's current entity first.
    program.MoveMouse(*panel->Canvas(), card.center());
    EXPECT_GE(program.Frame().GetCurrentEntityIndex().GetLevel(), 3);
    const std::vector<int> cardMenu = program.RightClickAt(*panel->Canvas(), card.center());
    EXPECT_FALSE(cardMenu.empty());
    EXPECT_NE(cardMenu, neMenu) << "the card's own popup";
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

// In direct mode an ADSL port of a line card pops the ADSL port popup of the direct menu: the NE tells its ports'
// types in its entity table.
TEST_F(FrontPanelDirectE2eTest, AnAdslPortPopsTheAdslPortPopup)
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
    // ADSL Port Setting, VC-to-VLAN, xDSL Current and History PM, Port Rate Status, IGMP Proxy Setting; Active Alarm,
    // History Alarm List, Reset.
    EXPECT_EQ(offered, (std::vector<int>{33130, 33022, 33076, 33078, 33124, 33155, 33029, 33034, 33085}));
    ASSERT_FALSE(pictures.last.isNull());
    EXPECT_TRUE(pictures.last.save(QCoreApplication::applicationDirPath() +
                                   QStringLiteral("/screenshots/front_panel_direct_adsl_port_popup.png")));
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(program.Frame(), QStringLiteral("front_panel_direct_adsl_port")));
}

// A slot without a board has no model of its own: its right click pops the generic module popup of the online NE's
// menu (Active Alarm, History Alarm List, Inventory, Reset).
TEST_F(FrontPanelE2eTest, AnEmptySlotPopsTheGenericModulePopup)
{
    CFrameView* panel = ShowPanel(QStringLiteral("North-1"));
    ASSERT_NE(panel, nullptr);
    const CEntityIndex slot = CEntityIndex::FromLevels(1, 1, 3);
    const uint32_t type = AppData().nes.FindNeById(1)->root->GetTypeAt(slot);
    ASSERT_TRUE(type == kEntityTypeEmpty || type == kEntityTypeUnknown) << type;
    const QRect rect = panel->EntityRect(slot);
    ASSERT_FALSE(rect.isEmpty());
    program.MoveMouse(*panel->Canvas(), rect.center());
    EXPECT_EQ(program.Frame().GetCurrentEntityIndex(), slot);
    EXPECT_EQ(program.RightClickAt(*panel->Canvas(), rect.center()), (std::vector<int>{33029, 33034, 33021, 33085}));
}

} // namespace
