#include "tests/ui/framework/framework_test_support.h"

#include "core/config/app_settings.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/messages/string_ids.h"

#include <QImage>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

namespace {

class CADialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        AppData().Reset();
        ClearUserRights();
        AppSettings() = CAppSettings{};
        SetDisplayScale({1.0, 1.0});
    }
    void TearDown() override
    {
        AppData().Reset();
        ClearUserRights();
        SetDisplayScale({1.0, 1.0});
        ASSERT_EQ(GetCurrentDialog(), nullptr);
    }
    // Boxes and dialogs that nobody scripts end at once instead of waiting for a person.
    ScriptedModalRunner unattended_;
};

// A page embedded in a container, as a tabbed dialog holds its pages.
class CPageDlg : public CADialog {
public:
    explicit CPageDlg(QWidget* parent) : CADialog(9002, parent)
    {
        setWindowFlags(Qt::Widget);
        resize(100, 60);
        auto* edit = new QLineEdit(this);
        SetCtrlId(edit, kEdit1);
    }
    void InitData() override
    {
        ++initDataCount;
        CheckRightOrClose(kRightMembers, 'q');
    }
    int initDataCount = 0;
};

TEST_F(CADialogTest, InitDataRunsOnceAfterTheDialogIsShown)
{
    ScriptedModalRunner runner;
    CTestDlg dialog;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        // A late or repeated timer does not load again.
        dialog.OnTimer(kFirstShowTimer);
        dialog.OnFirstShow();
        return IDOK;
    });
    EXPECT_EQ(dialog.initDataCount, 0);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.initDataCount, 1);
    EXPECT_TRUE(dialog.visibleAtInitData);
    EXPECT_FALSE(dialog.Timers().IsSet(kFirstShowTimer));
}

TEST_F(CADialogTest, PageFailingItsRightCheckEndsItsContainer)
{
    ScriptedModalRunner runner;
    CTestDlg container;
    CPageDlg* page = nullptr;
    container.onInitData = [&](CTestDlg& self) {
        page = new CPageDlg(&self);
        page->Create();
        page->show();
    };
    runner.Push([&](QDialog& dialog) {
        EXPECT_TRUE(PumpUntil([&] { return !dialog.isVisible(); }));
        return IDOK;
    });
    EXPECT_EQ(container.DoModal(), IDCANCEL);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->initDataCount, 1);
    EXPECT_TRUE(page->IsChild());
    EXPECT_FALSE(page->IsEnded());
}

TEST_F(CADialogTest, AccessModeChoosesTheWantedLetter)
{
    AppData().role = kRoleUser;
    // Modify (2) asks "m", create (4) "c", any other mode "q": the letter passes, the one just below it is refused.
    struct Row {
        uint8_t mode;
        char granted;
        char lacking;
    };
    for (const Row& row : {Row{1, 'q', '-'}, Row{2, 'm', 'q'}, Row{4, 'c', 'm'}, Row{0, 'q', '-'}, Row{9, 'q', '-'}}) {
        for (const char stored : {row.granted, row.lacking}) {
            std::string rights(30, 'a');
            rights[kRightLocations] = stored;
            SetUserRights(kRoleUser, rights.c_str());
            CTestDlg dialog;
            dialog.SetAccessMode(row.mode);
            EXPECT_EQ(dialog.CheckAccessRight(kRightLocations), stored == row.granted ? 0 : -1)
                << int(row.mode) << " with " << stored;
        }
    }
    std::string rights(30, '-');
    rights[kRightLocations] = 'm';
    SetUserRights(kRoleUser, rights.c_str());
    CTestDlg denied;
    EXPECT_EQ(denied.CheckRight(kRightLocations, 'd'), -1);
    EXPECT_EQ(denied.CheckRight(kRightLocations, 'q'), 0);
}

TEST_F(CADialogTest, FailedCheckShowsItsTextAndEndsWithCancel)
{
    AppData().role = kRoleUser;
    struct Row {
        std::function<int(CTestDlg&)> check;
        const char* text;
    };
    const Row rows[] = {
        {[](CTestDlg& d) { return d.CheckRightOrClose(kRightMembers, 'q'); }, "No privilege"},
        {[](CTestDlg& d) { return d.CheckTargetNeOrClose(); }, "Unknown NE"},
        {[](CTestDlg& d) {
             d.SetLocationId(77);
             return d.CheckTargetLocationOrClose();
         },
         "Unknown location"},
        {[](CTestDlg& d) {
             d.SetUserName("ghost");
             return d.CheckTargetUserOrClose();
         },
         "Unknown user"},
        {[](CTestDlg& d) { return d.CheckRoleOrClose(kRoleManager); }, "No privilege"},
        {[](CTestDlg& d) {
             const CEntityIndex slot = CEntityIndex::FromLevels(1, 1, 2);
             const CEntityId target(&slot);
             d.SetTarget(1, &target);
             return d.CheckPortTargetOrClose();
         },
         "Internal error"},
    };
    for (const Row& row : rows) {
        ScriptedModalRunner runner;
        CTestDlg opener;
        CTestDlg dialog;
        int result = 0;
        dialog.onInitData = [&](CTestDlg& self) { result = row.check(self); };
        runner.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return opener.IsFirstShowDone(); }));
            EXPECT_EQ(dialog.DoModal(), IDCANCEL) << row.text;
            return IDOK;
        });
        runner.Push([&](QDialog& d) {
            EXPECT_TRUE(PumpUntil([&] { return !d.isVisible(); })) << row.text;
            return IDOK;
        });
        opener.DoModal();
        EXPECT_EQ(result, -1) << row.text;
        // InitData runs before the first show is complete: the reason stays on the opener's line.
        EXPECT_EQ(opener.GetMessageText(), QString::fromUtf8(row.text));
        EXPECT_EQ(opener.GetMessageTextColor(), AppSettings().errMsgTextColor);
    }
}

TEST_F(CADialogTest, ARoleUpToTheLimitPassesTheRoleCheck)
{
    // The role numbers: 0 Administrator, 1 Manager, 2 User; the limit itself passes (above it: the table before).
    for (const auto& [role, limit] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{2, 2}, std::pair{0, 2}}) {
        AppData().role = role;
        CTestDlg dialog;
        EXPECT_EQ(dialog.CheckRoleOrClose(limit), 0) << role << " up to " << limit;
        EXPECT_FALSE(dialog.IsEnded());
    }
}

TEST_F(CADialogTest, APortTargetIsNeededExceptToCreate)
{
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 2, 3);
    const CEntityIndex slot = CEntityIndex::FromLevels(1, 1, 2);
    const CEntityId portId(&port);
    const CEntityId slotId(&slot);
    CTestDlg onPort;
    onPort.SetTarget(1, &portId);
    EXPECT_EQ(onPort.CheckPortTargetOrClose(), 0);
    CTestDlg creating;
    creating.SetAccessMode(kAccessCreate);
    creating.SetTarget(1, &slotId);
    EXPECT_EQ(creating.CheckPortTargetOrClose(), 0) << "a new row may be opened from any level";
}

TEST_F(CADialogTest, SecondDialogClearsTheFirstsMessageLineAndGivesTheRoleBack)
{
    ScriptedModalRunner runner;
    CTestDlg first;
    CTestDlg second;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return first.IsFirstShowDone(); }));
        EXPECT_EQ(GetCurrentDialog(), &first);
        first.ShowAlertText(QStringLiteral("Bad value"), kEdit1, 0, kEdit2);
        EXPECT_EQ(first.GetMessageText(), QStringLiteral("Bad value"));
        EXPECT_EQ(first.GetMarkedControl(1), kEdit1);
        EXPECT_EQ(first.GetMarkedControl(2), kEdit2);
        EXPECT_EQ(second.DoModal(), IDOK);
        EXPECT_EQ(GetCurrentDialog(), &first);
        return IDOK;
    });
    runner.Push([&](QDialog&) {
        EXPECT_EQ(GetCurrentDialog(), &second);
        EXPECT_EQ(second.GetPreviousCurrentDialog(), &first);
        EXPECT_EQ(first.GetMessageText(), QString());
        EXPECT_EQ(first.GetMarkedControl(1), 0);
        EXPECT_EQ(first.GetMarkedControl(2), 0);
        return IDOK;
    });
    first.DoModal();
    EXPECT_EQ(GetCurrentDialog(), nullptr);
}

TEST_F(CADialogTest, EditChangeClearsTheMessageLineAndFrames)
{
    ScriptedModalRunner runner;
    CTestDlg dialog;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        dialog.ShowAlertTextById(kStrNoPrivilege, kEdit2);
        EXPECT_TRUE(dialog.edit2->hasFocus() || !dialog.isActiveWindow());
        EXPECT_EQ(dialog.GetMessageBackColor(), AppSettings().errMsgBkColor);
        dialog.edit1->setText(QStringLiteral("x"));
        EXPECT_EQ(dialog.GetMessageText(), QString());
        EXPECT_EQ(dialog.GetMarkedControl(1), 0);
        dialog.ShowInfoText(QStringLiteral("Saved"));
        EXPECT_EQ(dialog.GetMessageTextColor(), AppSettings().hintMsgTextColor);
        dialog.SetStatusText(QString(300, QLatin1Char('a')));
        EXPECT_EQ(dialog.GetMessageText().size(), 127);
        return IDOK;
    });
    dialog.DoModal();
}

class CaptionTest : public CADialogTest {
protected:
    void SetUp() override
    {
        CADialogTest::SetUp();
        CLocationNode location;
        location.id = 10;
        location.name = "Taipei";
        AppData().locations.UpsertLocation(location);
        CNeRecord ne;
        ne.neId = 5;
        ne.locationId = 10;
        ne.name = "NE-5";
        ne.address = {10, 0, 0, 5};
        AppData().nes.AddNe(ne);
        CNeRecord astray;
        astray.neId = 6;
        astray.locationId = 99;
        astray.name = "NE-6";
        astray.address = {10, 0, 0, 6};
        AppData().nes.AddNe(astray);
        CUserAccount bob;
        bob.name = "bob";
        AppData().accounts.UpsertAccount(bob);
    }
};

TEST_F(CaptionTest, CaptionForms)
{
    struct Row {
        uint32_t flags;
        int location;
        int ne;
        const char* user;
        const char* text;
        bool replace;
        bool direct;
        const char* expected;
    };
    const Row rows[] = {
        {kCaptionLocation, 0, 0, "", nullptr, false, false, "[ALL] Base"},
        {kCaptionLocation, 10, 0, "", nullptr, false, false, "[Taipei] Base"},
        {kCaptionLocation, 99, 0, "", nullptr, false, false, "Base"},
        {kCaptionLocation | kCaptionNe, 0, 5, "", nullptr, false, false, "[Taipei:NE-5] Base"},
        {kCaptionLocation | kCaptionNe, 0, 77, "", nullptr, false, false, "[ALL] Base"},
        {kCaptionLocation | kCaptionNe, 0, 6, "", nullptr, false, false, "[:NE-6] Base"}, // its location unknown
        {kCaptionLocation | kCaptionNe, 0, 5, "", nullptr, false, true, "[NE-5] Base"},
        {kCaptionLocation, 0, 0, "", nullptr, false, true, "Base"},
        {kCaptionNe, 0, 5, "", nullptr, false, false, "[NE-5] Base"},
        {kCaptionNe | kCaptionEntity, 0, 5, "", nullptr, false, false, "[NE-5] Base"}, // the NE itself
        {kCaptionNe, 0, 77, "", nullptr, false, false, "Base"},
        {kCaptionUser, 0, 0, "", nullptr, false, false, "Base :  <ALL>"},
        {kCaptionUser, 0, 0, "bob", nullptr, false, false, "Base : <bob>"},
        {kCaptionUser, 0, 0, "ghost", nullptr, false, false, "Base"},
        {kCaptionNew, 0, 0, "", nullptr, false, false, "Base : <new>"},
        {kCaptionText, 0, 0, "", "hello", false, false, "Base : hello"},
        {kCaptionText, 0, 0, "", nullptr, false, false, "Base"},
        {kCaptionText | kCaptionTargetFirst, 0, 0, "", "hello", false, false, "hello Base"},
        {kCaptionText | kCaptionTargetFirst | kCaptionBaseFirst, 0, 0, "", "hello", false, false, "hello Base"},
        {kCaptionNe | kCaptionBaseFirst, 0, 5, "", nullptr, false, false, "Base : [NE-5]"},
        {kCaptionNe, 0, 5, "", nullptr, true, false, "[NE-5]"},
        {0, 0, 5, "", nullptr, false, false, "Base"},
    };
    for (const Row& row : rows) {
        AppSettings().directControl = row.direct;
        CTestDlg dialog;
        dialog.Create();
        ASSERT_EQ(dialog.GetBaseCaption(), "Base");
        dialog.SetLocationId(row.location);
        dialog.SetTarget(row.ne, nullptr);
        dialog.SetUserName(row.user);
        dialog.UpdateCaption(row.flags, row.text, row.replace);
        EXPECT_EQ(dialog.windowTitle().toStdString(), row.expected) << "flags " << row.flags;
        dialog.DestroyWindow();
    }
}

TEST_F(CaptionTest, EntityBelowTheNeAndKeepAsBase)
{
    CTestDlg dialog;
    dialog.Create();
    CEntityId slot;
    slot.SetLevels(1, 1, 3, 0, 0);
    dialog.SetTarget(5, &slot);
    dialog.UpdateCaption(kCaptionNe | kCaptionEntity);
    const std::string caption = dialog.windowTitle().toStdString();
    EXPECT_EQ(caption.rfind("[NE-5] <", 0), 0u) << caption;
    EXPECT_NE(caption.find("> Base"), std::string::npos) << caption;
    dialog.UpdateCaption(kCaptionNe, nullptr, true, true);
    EXPECT_EQ(dialog.GetBaseCaption(), "[NE-5]");
    dialog.DestroyWindow();
}

// A user name keeps 10 bytes and a base caption 63: a two-byte letter the limit goes through is left out whole.
TEST_F(CaptionTest, NamesAndCaptionsAreCutBeforeALetterTheLimitGoesThrough)
{
    CTestDlg dialog;
    dialog.Create();
    dialog.SetUserName("J\xC3\xBCrgen-M\xC3\xBCller"); // the second "ue" takes bytes 10 and 11
    EXPECT_EQ(dialog.GetUserName(), "J\xC3\xBCrgen-M");
    dialog.SetUserName("ABCDEFGHIJK");
    EXPECT_EQ(dialog.GetUserName(), "ABCDEFGHIJ");
    const std::string upper = std::string(62, 'a') + "\xC3\xB6"; // an "oe" at bytes 63 and 64
    dialog.UpdateCaption(kCaptionText, upper.c_str(), true, true);
    EXPECT_EQ(dialog.GetBaseCaption(), std::string(62, 'a'));
    const std::string fits = std::string(61, 'a') + "\xC3\xB6";
    dialog.UpdateCaption(kCaptionText, fits.c_str(), true, true);
    EXPECT_EQ(dialog.GetBaseCaption(), fits);
    dialog.DestroyWindow();
}

// The caption the dialog opens with keeps its first 62 characters as the base of the target forms.
TEST_F(CaptionTest, TheOpeningCaptionKeeps62CharactersAsItsBase)
{
    for (const int length : {62, 63}) {
        CTestDlg dialog;
        dialog.setWindowTitle(QString(length, QLatin1Char('c')));
        dialog.Create();
        EXPECT_EQ(dialog.GetBaseCaption(), std::string(62, 'c')) << length;
        dialog.DestroyWindow();
    }
}

TEST_F(CADialogTest, ScalingMovesControlsOnlyAboveOne)
{
    struct Row {
        DisplayScale scale;
        QRect edit1;
        int width;
    };
    const Row rows[] = {
        {{1.0, 1.0}, QRect(10, 140, 100, 22), 300},
        {{0.8, 0.9}, QRect(10, 140, 100, 22), 300},
        {{1.5, 1.0}, QRect(15, 140, 150, 22), 450},
        {{1.0, 1.5}, QRect(10, 210, 100, 33), 300},
        {{1.5, 2.0}, QRect(15, 280, 150, 44), 450},
    };
    for (const Row& row : rows) {
        SetDisplayScale(row.scale);
        CTestDlg dialog;
        dialog.Create();
        EXPECT_EQ(dialog.edit1->geometry(), row.edit1) << row.scale.x << "," << row.scale.y;
        EXPECT_EQ(dialog.width(), row.width) << row.scale.x << "," << row.scale.y;
        EXPECT_GE(dialog.geometry().left(), 0);
        dialog.DestroyWindow();
    }
    SetDisplayScale({1.5, 1.5});
    CTestDlg unscaled;
    unscaled.SetSkipScaling(true);
    unscaled.Create();
    EXPECT_EQ(unscaled.edit1->geometry(), QRect(10, 140, 100, 22));
    unscaled.DestroyWindow();
}

TEST_F(CADialogTest, DialogsClosedOutOfOrderLeaveNoStaleCurrentDialog)
{
    auto first = std::make_unique<CTestDlg>();
    auto second = std::make_unique<CTestDlg>();
    first->Create();
    second->Create();
    EXPECT_EQ(GetCurrentDialog(), second.get());
    // A modeless window and a page never take the role.
    CTestDlg panel;
    panel.SetOwnsMessageLine(false);
    panel.Create();
    EXPECT_EQ(GetCurrentDialog(), second.get());
    panel.DestroyWindow();
    first.reset(); // goes before the dialog it was replaced by
    EXPECT_EQ(second->GetPreviousCurrentDialog(), nullptr);
    second->DestroyWindow();
    EXPECT_EQ(GetCurrentDialog(), nullptr);
}

TEST_F(CADialogTest, ControlHelpersReportMissingControlsAndGoOn)
{
    CTestDlg dialog;
    const MissingControlReports reports;
    dialog.Create();
    dialog.EnableControls({kEdit1, kEdit2, 0, kListControlId}, false);
    EXPECT_FALSE(dialog.IsControlEnabled(kEdit1));
    EXPECT_FALSE(dialog.IsControlEnabled(kEdit2));
    EXPECT_TRUE(dialog.IsControlEnabled(kListControlId)); // after the terminating 0
    dialog.SetControlsReadOnly({kEdit1, 4242});
    EXPECT_TRUE(dialog.IsControlReadOnly(kEdit1));
    EXPECT_FALSE(dialog.IsControlReadOnly(4242));
    dialog.ShowControl(kEdit2, false);
    EXPECT_FALSE(dialog.IsControlVisible(kEdit2));
    EXPECT_FALSE(dialog.IsControlEnabled(4242));
    dialog.DestroyWindow();
    EXPECT_EQ(reports.texts.size(), 3);
    EXPECT_TRUE(reports.texts.value(0).endsWith(QStringLiteral("has no control 4242")));
}

// A marked control is framed 2 pixels outside its edges, dark red outside (0x303080) and lighter towards the
// control (0x6060FF); a change in the dialog takes the frame away.
TEST_F(CADialogTest, AMarkedControlIsFramedInRedOutsideItsEdges)
{
    ScriptedModalRunner runner;
    CTestDlg dialog;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        const auto beside = [&](int dx) {
            const QPoint at(dialog.edit1->x() + dx, dialog.edit1->y() + dialog.edit1->height() / 2);
            return dialog.grab().toImage().pixelColor(at);
        };
        const QColor plain = beside(-3);
        dialog.ShowAlertText(QStringLiteral("Bad value"), kEdit1);
        EXPECT_EQ(beside(-2), QColor(0x80, 0x30, 0x30));
        EXPECT_EQ(beside(-1), QColor(0xBF, 0x48, 0x48));
        EXPECT_EQ(beside(-3), plain);
        dialog.edit1->setText(QStringLiteral("x"));
        EXPECT_EQ(beside(-2), plain);
        return IDOK;
    });
    dialog.DoModal();
}

} // namespace
