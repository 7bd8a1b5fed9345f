#include "tests/ui/framework/framework_test_support.h"

#include "core/config/app_settings.h"
#include "core/tables/app_data.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/tab_dialog.h"
#include "ui/framework/messages/string_ids.h"

#include <QApplication>
#include <QLabel>
#include <QTabBar>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kTabBarId = 1100;

// A page with one edit whose exchange fails on demand.
class CTestPage : public CADialog {
public:
    explicit CTestPage(int templateId) : CADialog(templateId, nullptr)
    {
        resize(200, 100);
        edit = new QLineEdit(this);
        edit->setGeometry(10, 10, 80, 22);
        SetCtrlId(edit, kEdit1);
        list = new QTreeWidget(this);
        list->setGeometry(10, 40, 180, 50);
        SetCtrlId(list, kListControlId);
    }
    void DoDataExchange(CDataExchange& dx) override
    {
        ++exchanges;
        if (dx.IsSaving() && failExchange)
            dx.Fail(kEdit1);
    }
    int CompareItems(uint32_t, uint32_t, uint32_t) override
    {
        ++compareCalls;
        return 0;
    }
    int exchanges = 0;
    int compareCalls = 0;
    bool failExchange = false;
    QLineEdit* edit = nullptr;
    QTreeWidget* list = nullptr;
};

class CTestTabDlg : public CATabDialog {
public:
    explicit CTestTabDlg(bool withTabBar = true) : CATabDialog(9100, nullptr)
    {
        setWindowTitle(QStringLiteral("Tabs"));
        resize(400, 300);
        if (withTabBar) {
            auto* bar = new QTabBar(this);
            bar->setGeometry(10, 10, 380, 24);
            SetCtrlId(bar, kTabBarId);
        }
    }
    void OnPageChanged(int tabIndex, int tabControlId) override { changes.push_back({tabIndex, tabControlId}); }
    int CompareOwnItems(uint32_t item1, uint32_t item2, uint32_t flags) override
    {
        ++ownCompareCalls;
        return CATabDialog::CompareOwnItems(item1, item2, flags);
    }
    QTabBar* Bar() const { return GetDlgItemAs<QTabBar>(kTabBarId); }
    std::vector<std::pair<int, int>> changes;
    int ownCompareCalls = 0;
};

class TabDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        AppData().Reset();
        AppSettings() = CAppSettings{};
        for (int i = 0; i < 3; ++i)
            pages.push_back(std::make_unique<CTestPage>(500 + i));
    }
    void TearDown() override
    {
        container.reset();
        pages.clear();
        ASSERT_EQ(GetCurrentDialog(), nullptr);
    }

    // A created container with pages A, B and C (ids 500..502).
    CTestTabDlg& MakeContainer()
    {
        container = std::make_unique<CTestTabDlg>();
        container->Create();
        EXPECT_EQ(container->AddPage(500, pages[0].get(), "A"), 1);
        EXPECT_EQ(container->AddPage(501, pages[1].get(), "B"), 1);
        EXPECT_EQ(container->AddPage(502, pages[2].get(), "C"), 1);
        return *container;
    }
    // Shows the container and waits for its first show.
    void ShowContainer()
    {
        container->show();
        ASSERT_TRUE(PumpUntil([&] { return container->IsFirstShowDone(); }));
    }
    QStringList TabTexts() const
    {
        QStringList texts;
        for (int i = 0; i < container->Bar()->count(); ++i)
            texts << container->Bar()->tabText(i);
        return texts;
    }

    ScriptedModalRunner unattended;
    std::vector<std::unique_ptr<CTestPage>> pages;
    std::unique_ptr<CTestTabDlg> container;
};

TEST_F(TabDialogTest, FirstPageAddedIsShownAndEachPageGetsATab)
{
    CTestTabDlg& tabs = MakeContainer();
    EXPECT_EQ(tabs.GetTabControlId(), kTabBarId);
    EXPECT_EQ(tabs.GetPageCount(), 3);
    EXPECT_EQ(tabs.GetCurrentPage(), pages[0].get());
    EXPECT_EQ(tabs.GetCurrentPageId(), 500U);
    EXPECT_EQ(TabTexts(), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(tabs.GetPageFlags(pages[1].get()), CATabDialog::kPageInUse | CATabDialog::kPageCreated);
    EXPECT_TRUE(pages[0]->isVisibleTo(&tabs));
    EXPECT_FALSE(pages[1]->isVisibleTo(&tabs));
    EXPECT_TRUE(pages[1]->IsChildWindow());
    EXPECT_FALSE(pages[1]->GetOwnsMessageLine());
    // Placed 7 pixels right of the tab bar and 7 below its tabs.
    EXPECT_EQ(pages[2]->pos(), QPoint(10 + 7, 10 + 24 + 7));
    EXPECT_EQ(tabs.GetPageById(501), pages[1].get());
    EXPECT_EQ(tabs.GetPageById(777), nullptr);
}

TEST_F(TabDialogTest, PagesAreRefusedWithoutIdPageRoomOrTabBar)
{
    CTestTabDlg& tabs = MakeContainer();
    CTestPage extra(600);
    EXPECT_EQ(tabs.AddPage(0, &extra, "X"), 0);
    EXPECT_EQ(tabs.AddPage(600, nullptr, "X"), 0);

    std::vector<std::unique_ptr<CTestPage>> more;
    for (int i = tabs.GetPageCount(); i < CATabDialog::kMaxPages; ++i) {
        more.push_back(std::make_unique<CTestPage>(700 + i));
        ASSERT_EQ(tabs.AddPage(static_cast<uint32_t>(700 + i), more.back().get(), "P"), 1) << i;
    }
    EXPECT_EQ(tabs.GetPageCount(), 32);
    EXPECT_EQ(tabs.AddPage(600, &extra, "33rd"), 0);
    EXPECT_EQ(tabs.GetPageCount(), 32);
    EXPECT_EQ(tabs.Bar()->count(), 32);
    container.reset(); // before the pages it holds
}

TEST_F(TabDialogTest, TemplateWithoutTabBarEndsTheContainerWithInternalError)
{
    CTestTabDlg tabs(false);
    EXPECT_EQ(tabs.DoModal(), IDCANCEL);
    ASSERT_EQ(unattended.Runs().size(), 1U); // the status message in the program's box, not the container
    CTestPage page(500);
    EXPECT_EQ(tabs.AddPage(500, &page, "A"), 0);
}

TEST_F(TabDialogTest, HidingTheCurrentPageSelectsTheTabThatTookItsPlace)
{
    CTestTabDlg& tabs = MakeContainer();
    ASSERT_EQ(tabs.HidePage(pages[0].get()), 1);
    EXPECT_EQ(TabTexts(), (QStringList{"B", "C"}));
    EXPECT_EQ(tabs.GetCurrentPage(), pages[1].get());
    EXPECT_EQ(tabs.GetPageTabIndex(pages[0].get()), -1);
    EXPECT_EQ(tabs.GetPageTabIndex(pages[2].get()), 1);
    EXPECT_EQ(tabs.GetPageFlags(pages[0].get()) & CATabDialog::kPageHidden, CATabDialog::kPageHidden);
    EXPECT_FALSE(pages[0]->isVisibleTo(&tabs));

    // The last tab: the new last tab takes over.
    ASSERT_EQ(tabs.SelectPage(pages[2].get()), 1);
    ASSERT_EQ(tabs.HidePage(pages[2].get()), 1);
    EXPECT_EQ(tabs.GetCurrentPage(), pages[1].get());

    // Hiding a page that is not current keeps the current one.
    ASSERT_EQ(tabs.ShowPage(pages[0].get(), 0), 1);
    ASSERT_EQ(tabs.HidePage(pages[0].get()), 1);
    EXPECT_EQ(tabs.GetCurrentPage(), pages[1].get());
}

TEST_F(TabDialogTest, HidingEveryPageLeavesNoneAndShowingWithoutSelectKeepsItUnshown)
{
    CTestTabDlg& tabs = MakeContainer();
    pages[1]->edit->setText(QStringLiteral("kept"));
    for (auto& page : pages)
        ASSERT_EQ(tabs.HidePage(page.get()), 1);
    EXPECT_EQ(tabs.GetCurrentPage(), nullptr);
    EXPECT_EQ(tabs.Bar()->count(), 0);
    for (auto& page : pages)
        EXPECT_FALSE(page->isVisibleTo(&tabs));

    ASSERT_EQ(tabs.ShowPage(pages[1].get(), 0), 1);
    EXPECT_EQ(TabTexts(), (QStringList{"B"}));
    EXPECT_EQ(tabs.IsPageShown(pages[1].get()), 1);
    EXPECT_EQ(tabs.GetCurrentPage(), nullptr);
    EXPECT_FALSE(pages[1]->isVisibleTo(&tabs));

    ASSERT_EQ(tabs.ShowPageById(502, 1), 1);
    EXPECT_EQ(tabs.GetCurrentPage(), pages[2].get());
    EXPECT_EQ(TabTexts(), (QStringList{"B", "C"}));
    // A hidden page keeps its data.
    EXPECT_EQ(pages[1]->edit->text(), QStringLiteral("kept"));
}

TEST_F(TabDialogTest, RemovingTheCurrentPageSelectsItsSuccessorAndTabsStillFindTheirPages)
{
    CTestTabDlg& tabs = MakeContainer();
    ASSERT_EQ(tabs.RemovePage(pages[0].get()), 1);
    EXPECT_EQ(tabs.GetPageCount(), 2);
    EXPECT_EQ(tabs.GetCurrentPage(), pages[1].get());
    EXPECT_EQ(TabTexts(), (QStringList{"B", "C"}));
    EXPECT_EQ(tabs.GetPageById(500), nullptr);
    EXPECT_EQ(pages[0]->parentWidget(), nullptr); // the page object stays the caller's
    EXPECT_EQ(tabs.RemovePage(pages[0].get()), 0);

    // The operator clicks the second tab: C, whose slot moved down.
    tabs.Bar()->setCurrentIndex(1);
    EXPECT_EQ(tabs.GetCurrentPage(), pages[2].get());
    ASSERT_EQ(tabs.changes.size(), 1U);
    EXPECT_EQ(tabs.changes[0], std::make_pair(1, kTabBarId));
}

TEST_F(TabDialogTest, TargetReachesEveryPageAlsoWhenSetAfterThePages)
{
    container = std::make_unique<CTestTabDlg>();
    CEntityId slot;
    slot.SetLevels(1, 1, 3, 0, 0);
    container->SetTarget(7, &slot);
    container->SetAccessMode(kAccessModify);
    container->Create();
    ASSERT_EQ(container->AddPage(500, pages[0].get(), "A"), 1);
    EXPECT_EQ(pages[0]->GetNeId(), 7);
    EXPECT_EQ(pages[0]->GetTargetEntity(), slot);
    EXPECT_EQ(pages[0]->GetAccessMode(), kAccessModify);
    ASSERT_EQ(container->AddPage(501, pages[1].get(), "B"), 1);

    CEntityId port;
    port.SetLevels(1, 1, 3, 4, 0);
    container->SetTarget(9, &port);
    container->SetLocationId(12);
    container->SetUserName("operator01x");
    container->SetAccessMode(kAccessCreate);
    container->SetNeId(10);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(pages[i]->GetNeId(), 10);
        EXPECT_EQ(pages[i]->GetTargetEntity(), port);
        EXPECT_EQ(pages[i]->GetLocationId(), 12);
        EXPECT_EQ(pages[i]->GetUserName(), "operator01");
        EXPECT_EQ(pages[i]->GetAccessMode(), kAccessCreate);
    }
    EXPECT_EQ(pages[2]->GetNeId(), 0); // not a page
}

TEST_F(TabDialogTest, UpdateAllPagesStopsAtTheFirstFailingPageAndSelectsIt)
{
    CTestTabDlg& tabs = MakeContainer();
    pages[1]->failExchange = true;
    pages[2]->failExchange = true;
    for (auto& page : pages)
        page->exchanges = 0;
    EXPECT_EQ(tabs.UpdatePageData(CATabDialog::AllPages(), 1), 0);
    EXPECT_EQ(pages[0]->exchanges, 1);
    EXPECT_EQ(pages[1]->exchanges, 1);
    EXPECT_EQ(pages[2]->exchanges, 0);
    EXPECT_EQ(tabs.GetCurrentPage(), pages[1].get());

    // A hidden page is not exchanged.
    tabs.HidePage(pages[1].get());
    EXPECT_EQ(tabs.UpdatePageData(CATabDialog::AllPages(), 1), 0);
    EXPECT_EQ(pages[1]->exchanges, 1);
    EXPECT_EQ(tabs.GetCurrentPage(), pages[2].get());
    pages[2]->failExchange = false;
    EXPECT_EQ(tabs.UpdatePageData(CATabDialog::AllPages(), 1), 1);

    // One page, and the container itself.
    EXPECT_EQ(tabs.UpdatePageDataById(501, 1), 1); // hidden: nothing to exchange
    EXPECT_EQ(tabs.UpdatePageData(pages[0].get(), 0), 1);
    EXPECT_EQ(tabs.UpdatePageData(CATabDialog::ContainerItself(), 1), 1);
    EXPECT_EQ(tabs.UpdatePageDataById(999, 1), 0);
}

TEST_F(TabDialogTest, PageAlertShowsOnTheContainerLineFramesThePageAndSelectsIt)
{
    MakeContainer();
    ShowContainer();
    CTestTabDlg& tabs = *container;
    tabs.ShowPageAlertTextById(501, kStrUnknownNe, kEdit1);
    EXPECT_EQ(tabs.GetMessageText(), QStringLiteral("Unknown NE"));
    EXPECT_EQ(tabs.GetMessageTextColor(), AppSettings().errMsgTextColor);
    EXPECT_EQ(pages[1]->GetMarkedControl(1), kEdit1);
    EXPECT_EQ(tabs.GetCurrentPage(), pages[1].get());

    // Another page's text clears the first page's frames.
    tabs.ShowPageInfoTextById(pages[2].get(), kStrInternalError, kEdit1);
    EXPECT_EQ(tabs.GetMessageText(), QStringLiteral("Internal error"));
    EXPECT_EQ(tabs.GetMessageTextColor(), AppSettings().hintMsgTextColor);
    EXPECT_EQ(pages[1]->GetMarkedControl(1), 0);
    EXPECT_EQ(pages[2]->GetMarkedControl(1), kEdit1);

    // A page without a tab shows nothing.
    tabs.HidePage(pages[0].get());
    tabs.ClearMessageLine();
    tabs.ShowPageAlertText(pages[0].get(), QStringLiteral("hidden"), kEdit1);
    EXPECT_TRUE(tabs.GetMessageText().isEmpty());
    EXPECT_EQ(pages[0]->GetMarkedControl(1), 0);
    EXPECT_EQ(tabs.GetCurrentPage(), pages[2].get());

    // A change in a page's combo or edit clears the frames of every page.
    tabs.SetPageMarkedControls(502U, kEdit1);
    tabs.OnCommand(kEdit1, EN_CHANGE);
    EXPECT_EQ(pages[2]->GetMarkedControl(1), 0);
}

// A page's own text reaches the container's line with the page's control ids: both mark them, and the container,
// which has no such control, frames nothing of its own.
TEST_F(TabDialogTest, APageHandsItsTextAndControlIdsToTheContainer)
{
    MakeContainer();
    ShowContainer();
    CTestTabDlg& tabs = *container;
    pages[0]->ShowAlertText(QStringLiteral("Bad value"), kEdit1);
    EXPECT_EQ(tabs.GetMessageText(), QStringLiteral("Bad value"));
    EXPECT_EQ(tabs.GetMessageTextColor(), AppSettings().errMsgTextColor);
    EXPECT_EQ(pages[0]->GetMarkedControl(1), kEdit1);
    EXPECT_EQ(tabs.GetMarkedControl(1), kEdit1);
    tabs.repaint(); // the container's frames look for controls of its own only
}

TEST_F(TabDialogTest, TitlesAreCutTo31Characters)
{
    CTestTabDlg& tabs = MakeContainer();
    const std::string longTitle(40, 'x');
    ASSERT_EQ(tabs.SetPageTitleById(501, longTitle.c_str()), 1);
    EXPECT_EQ(tabs.GetPageTitleById(501), QString(31, QLatin1Char('x')));
    EXPECT_EQ(tabs.Bar()->tabText(1), QString(31, QLatin1Char('x')));
    ASSERT_EQ(tabs.SetPageTitle(pages[2].get(), nullptr), 1);
    EXPECT_EQ(tabs.Bar()->tabText(2), QString());
    EXPECT_EQ(tabs.SetPageTitleById(999, "x"), 0);
}

TEST_F(TabDialogTest, SortingAPageListAsksThePageThatOwnsIt)
{
    MakeContainer();
    ShowContainer();
    CTestTabDlg& tabs = *container;
    ASSERT_EQ(GetCurrentDialog(), &tabs);
    pages[0]->list->setFocus();
    tabs.CompareItems(1, 2, 0);
    EXPECT_EQ(pages[0]->compareCalls, 1);
    EXPECT_EQ(tabs.ownCompareCalls, 0);
    // The page's own sort goes through the current dialog, the container.
    pages[0]->SortCompare(1, 2, 0);
    EXPECT_EQ(pages[0]->compareCalls, 2);

    // A page's list sorted while another page is shown, or while the focus is on a control that is no list, is
    // compared by the page that owns it.
    CListControl::SetUpReportView(pages[1]->list);
    CListControl rows(pages[1]->list);
    pages[1]->InitListColumns("A|B");
    for (const uint32_t key : {3U, 1U, 2U})
        rows.SetItemData(rows.InsertItem(rows.GetItemCount(), QString::number(key)), key);
    pages[0]->list->setFocus();
    pages[1]->SortList(0, kSortAscending);
    EXPECT_GT(pages[1]->compareCalls, 0);
    EXPECT_EQ(pages[0]->compareCalls, 2);
    pages[1]->compareCalls = 0;
    pages[0]->edit->setFocus();
    pages[1]->SortList(0, kSortDescending);
    EXPECT_GT(pages[1]->compareCalls, 0);
    EXPECT_EQ(tabs.ownCompareCalls, 0);
}

TEST_F(TabDialogTest, EndingTheContainerDestroysThePageWindows)
{
    container = std::make_unique<CTestTabDlg>();
    ScriptedModalRunner runner;
    runner.Push([&](QDialog&) {
        EXPECT_EQ(container->AddPage(500, pages[0].get(), "A"), 1);
        EXPECT_TRUE(PumpUntil([&] { return container->IsFirstShowDone(); }));
        EXPECT_TRUE(pages[0]->IsCreated());
        return IDOK;
    });
    EXPECT_EQ(container->DoModal(), IDOK);
    EXPECT_FALSE(pages[0]->IsCreated());
    EXPECT_EQ(container->GetCurrentPage(), nullptr);
}

// Pages as members of the derived container, as containers usually hold them: they go before the container does.
class CMemberPagesDlg : public CTestTabDlg {
public:
    bool OnInitDialog() override
    {
        CATabDialog::OnInitDialog();
        AddPage(510, &first, "First");
        AddPage(511, &second, "Second");
        return true;
    }
    CTestPage first{510};
    CTestPage second{511};
};

TEST_F(TabDialogTest, MemberPagesGoFirstWithoutHarm)
{
    auto dialog = std::make_unique<CMemberPagesDlg>();
    ScriptedModalRunner runner;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog->IsFirstShowDone(); }));
        EXPECT_EQ(dialog->GetPageCount(), 2);
        EXPECT_EQ(dialog->GetCurrentPage(), &dialog->first);
        return IDOK;
    });
    EXPECT_EQ(dialog->DoModal(), IDOK);
    dialog->Create();
    EXPECT_EQ(dialog->GetPageCount(), 2);
    dialog.reset(); // the members go before the container's own destructor: no page may be touched then
}

} // namespace
