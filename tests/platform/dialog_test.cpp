#include "platform/control_id.h"
#include "platform/dialog.h"
#include "platform/ip_address_edit.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"
#include "tests/platform/qt_test_app.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// A dialog built in code with one control of each kind, recording every hook call.
class ProbeDialog : public CDialog {
public:
    explicit ProbeDialog(QWidget* parent = nullptr, int templateId = 900) : CDialog(templateId, parent)
    {
        setWindowTitle(QStringLiteral("Probe"));
        layout_ = new QVBoxLayout(this);
        ok = Add<QPushButton>(IDOK);
        cancel = Add<QPushButton>(IDCANCEL);
        add = Add<QPushButton>(1263);
        name = Add<QLineEdit>(1190);
        combo = Add<QComboBox>(1361);
        combo->addItems({QStringLiteral("<none>"), QStringLiteral("SNTP")});
        check = Add<QCheckBox>(1200);
        list = Add<QTreeWidget>(1212);
        CListControl::SetUpReportView(list);
        tabs = Add<QTabWidget>(1300);
        tabs->addTab(new QWidget, QStringLiteral("One"));
        tabs->addTab(new QWidget, QStringLiteral("Two"));
        ip = Add<IpAddressEdit>(1400);
        listBox = Add<QListWidget>(1500);
        listBox->addItems({QStringLiteral("a"), QStringLiteral("b")});
    }

    bool OnInitDialog() override
    {
        log.push_back(isVisible() ? "init while visible" : "init");
        if (endInInit)
            EndDialog(IDCANCEL);
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange& dx) override
    {
        log.push_back(dx.IsSaving() ? "save" : "load");
        DDX_Text(dx, 1190, nameValue);
        DDX_Check(dx, 1200, checkValue);
        DDX_CBIndex(dx, 1361, comboIndex);
        if (dx.IsSaving() && requireName && nameValue.isEmpty())
            dx.Fail(1190);
    }
    void OnOK() override
    {
        log.push_back("ok");
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        log.push_back("cancel");
        CDialog::OnCancel();
    }
    bool OnCommand(int id, int code) override
    {
        commands.emplace_back(id, code);
        return CDialog::OnCommand(id, code);
    }
    bool OnNotify(const NotifyHeader& header, int* result) override
    {
        notes.push_back(header);
        return CDialog::OnNotify(header, result);
    }
    void OnTimer(int id) override { timers.push_back(id); }
    void OnDestroy() override { log.push_back("destroy"); }

    bool Has(int id, int code) const
    {
        return std::find(commands.begin(), commands.end(), std::make_pair(id, code)) != commands.end();
    }
    std::vector<NotifyHeader> NotesOf(int code) const
    {
        std::vector<NotifyHeader> found;
        for (const NotifyHeader& n : notes) {
            if (n.code == code)
                found.push_back(n);
        }
        return found;
    }

    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* add;
    QLineEdit* name;
    QComboBox* combo;
    QCheckBox* check;
    QTreeWidget* list;
    QTabWidget* tabs;
    IpAddressEdit* ip;
    QListWidget* listBox;

    std::vector<std::string> log;
    std::vector<std::pair<int, int>> commands;
    std::vector<NotifyHeader> notes;
    std::vector<int> timers;
    QString nameValue = QStringLiteral("first");
    int checkValue = 1;
    int comboIndex = 1;
    bool endInInit = false;
    bool requireName = false;

private:
    template <class T> T* Add(int id)
    {
        auto* control = new T(this);
        SetCtrlId(control, id);
        layout_->addWidget(control);
        return control;
    }
    QVBoxLayout* layout_;
};

TEST(Dialog, InitBeforeShowThenOkExchangesAndEnds)
{
    ScriptedModalRunner runner;
    ProbeDialog dlg;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(dlg.isVisible());
        // The load filled the controls from the members.
        EXPECT_EQ(dlg.name->text(), QStringLiteral("first"));
        EXPECT_TRUE(dlg.check->isChecked());
        EXPECT_EQ(dlg.combo->currentIndex(), 1);
        dlg.name->setText(QStringLiteral("second"));
        QTest::mouseClick(dlg.GetDlgItem(IDOK), Qt::LeftButton);
        return 42; // not used: the dialog ended itself
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"init", "load", "ok", "save", "destroy"}));
    EXPECT_TRUE(dlg.Has(IDOK, BN_CLICKED));
    EXPECT_EQ(dlg.nameValue, QStringLiteral("second"));
    EXPECT_EQ(runner.Runs(), QStringList{QStringLiteral("Probe")});
    EXPECT_FALSE(dlg.isVisible());
}

TEST(Dialog, EscapeCloseAndCancelButtonReachOnCancel)
{
    ScriptedModalRunner runner;
    for (int way = 0; way < 3; ++way) {
        ProbeDialog dlg;
        runner.Push([&dlg, way](QDialog&) {
            if (way == 0)
                QTest::keyClick(&dlg, Qt::Key_Escape);
            else if (way == 1)
                dlg.close();
            else
                QTest::mouseClick(dlg.cancel, Qt::LeftButton);
            return IDOK;
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << way;
        EXPECT_EQ(std::count(dlg.log.begin(), dlg.log.end(), "cancel"), 1) << way;
        EXPECT_TRUE(dlg.Has(IDCANCEL, BN_CLICKED)) << way;
    }
}

TEST(Dialog, FailedExchangeKeepsTheDialogOpen)
{
    ScriptedModalRunner runner;
    ProbeDialog dlg;
    dlg.requireName = true;
    runner.Push([&](QDialog&) {
        dlg.name->clear();
        QTest::mouseClick(dlg.ok, Qt::LeftButton);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_FALSE(dlg.IsEnded());
        return 77;
    });
    EXPECT_EQ(dlg.DoModal(), 77);
}

TEST(Dialog, EndedDuringInitReturnsWithoutShowing)
{
    ScriptedModalRunner runner;
    ProbeDialog dlg;
    dlg.endInInit = true;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(runner.Runs().isEmpty());
    EXPECT_EQ(dlg.log.back(), "destroy");
}

TEST(Dialog, ControlLookupStopsAtNestedPages)
{
    ProbeDialog outer;
    auto* page = new ProbeDialog(&outer, 901);
    page->setWindowFlags(Qt::Widget);
    EXPECT_TRUE(page->IsChildWindow());
    EXPECT_FALSE(outer.IsChildWindow());
    EXPECT_EQ(outer.GetDlgItem(1190), outer.name);
    EXPECT_EQ(page->GetDlgItem(1190), page->name);
    EXPECT_EQ(outer.GetDlgItemAs<QLineEdit>(1190), outer.name);
    EXPECT_EQ(outer.GetDlgItemAs<QPushButton>(1190), nullptr);
    EXPECT_EQ(FindControl(&outer, 4321), nullptr);

    outer.layout()->addWidget(page);
    outer.Create();
    page->Create();
    outer.resize(400, 900);
    outer.show();
    page->show();
    QTest::mouseClick(page->add, Qt::LeftButton);
    EXPECT_TRUE(page->Has(1263, BN_CLICKED));
    EXPECT_FALSE(outer.Has(1263, BN_CLICKED));
    EXPECT_FALSE(page->Create()); // created once
}

TEST(Dialog, AnIdTheTemplateLacksFailsTheTestNamingTheDialogAndTheId)
{
    ProbeDialog dialog;
    ::testing::TestPartResultArray failures;
    {
        const ::testing::ScopedFakeTestPartResultReporter intercept(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
        EXPECT_EQ(dialog.GetDlgItem(4321), nullptr);
        EXPECT_EQ(dialog.GetDlgItem(1190), dialog.name);
        EXPECT_EQ(FindControl(&dialog, 4322), nullptr); // asking whether it is there is no fault
    }
    ASSERT_EQ(failures.size(), 1);
    EXPECT_THAT(failures.GetTestPartResult(0).message(),
                ::testing::HasSubstr("ProbeDialog \"Probe\" has no control 4321"));

    // The program logs it and goes on.
    static QStringList warnings;
    warnings.clear();
    const MissingControlReporter tests = SetMissingControlReporter({});
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings.push_back(text); });
    EXPECT_EQ(dialog.GetDlgItemAs<QLineEdit>(4321), nullptr);
    qInstallMessageHandler(previous);
    SetMissingControlReporter(tests);
    EXPECT_EQ(warnings,
              QStringList{QStringLiteral("(anonymous namespace)::ProbeDialog \"Probe\" has no control 4321")});
}

TEST(Dialog, ControlSignalsBecomeCommandsWithTheirCodes)
{
    ProbeDialog dlg;
    dlg.show();
    dlg.commands.clear();

    dlg.name->setText(QStringLiteral("x")); // also for changes made by the program
    EXPECT_TRUE(dlg.Has(1190, EN_CHANGE));

    dlg.check->click();
    EXPECT_TRUE(dlg.Has(1200, BN_CLICKED));

    dlg.ip->SetAddress({10, 0, 0, 1});
    EXPECT_TRUE(dlg.Has(1400, EN_CHANGE));

    dlg.listBox->setCurrentRow(1);
    EXPECT_TRUE(dlg.Has(1500, LBN_SELCHANGE));

    // The drop-down notice comes before the list opens.
    dlg.combo->setFocus();
    QTest::mouseClick(dlg.combo, Qt::LeftButton);
    ASSERT_TRUE(dlg.Has(1361, CBN_DROPDOWN));
    dlg.combo->hidePopup();
    dlg.commands.clear();
    emit dlg.combo->activated(0);
    EXPECT_TRUE(dlg.Has(1361, CBN_SELCHANGE));
    // A choice made by the program is no selection change of the user.
    dlg.commands.clear();
    dlg.combo->setCurrentIndex(1);
    EXPECT_FALSE(dlg.Has(1361, CBN_SELCHANGE));

    dlg.name->setFocus();
    QApplication::processEvents();
    dlg.check->setFocus();
    QApplication::processEvents();
    if (dlg.isActiveWindow()) { // focus events need an active window
        EXPECT_TRUE(dlg.Has(1190, EN_KILLFOCUS));
    }
}

TEST(Dialog, NotificationsCarryRowColumnAndDelta)
{
    ProbeDialog dlg;
    CListControl list(dlg.list);
    list.InsertColumn(0, QStringLiteral("Name"));
    list.InsertColumn(1, QStringLiteral("Size"));
    for (int row = 0; row < 3; ++row)
        list.InsertItem(row, QStringLiteral("row %1").arg(row));
    dlg.resize(400, 600);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.notes.clear();

    list.SetItemSelected(1, true);
    auto changed = dlg.NotesOf(LVN_ITEMCHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].idFrom, 1212);
    EXPECT_EQ(changed[0].item, 1);
    EXPECT_EQ(changed[0].newState, LVIS_SELECTED);
    EXPECT_EQ(changed[0].control, dlg.list);

    dlg.notes.clear();
    dlg.list->clearSelection();
    changed = dlg.NotesOf(LVN_ITEMCHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].oldState, LVIS_SELECTED);
    EXPECT_EQ(changed[0].newState, 0u);

    QHeaderView* header = dlg.list->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    auto clicks = dlg.NotesOf(LVN_COLUMNCLICK);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].subItem, 1);

    const QRect second = dlg.list->visualItemRect(dlg.list->topLevelItem(2));
    ASSERT_TRUE(dlg.list->viewport()->rect().contains(second.center())) << dlg.list->height();
    QTest::mouseClick(dlg.list->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(dlg.list->viewport(), Qt::LeftButton, {}, second.center());
    auto doubles = dlg.NotesOf(NM_DBLCLK);
    ASSERT_FALSE(doubles.empty());
    EXPECT_EQ(doubles.back().item, 2);

    list.EnableCheckBoxes(true);
    dlg.notes.clear();
    list.SetCheck(0, true);
    changed = dlg.NotesOf(LVN_ITEMCHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].item, 0);
    EXPECT_EQ(changed[0].oldState, LVIS_UNCHECKED);
    EXPECT_EQ(changed[0].newState, LVIS_CHECKED);
    // The spin's delta is the range dialog's case.
    dlg.tabs->setCurrentIndex(1);
    auto tabs = dlg.NotesOf(TCN_SELCHANGE);
    ASSERT_EQ(tabs.size(), 1u);
    EXPECT_EQ(tabs[0].idFrom, 1300);
}

TEST(Dialog, TimersRunByIdAndStopWithTheWindow)
{
    ProbeDialog dlg;
    dlg.Create();
    dlg.SetTimer(27594, 10);
    EXPECT_EQ(dlg.Timers().Interval(27594), 10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dlg.timers.empty(); }, 5000));
    EXPECT_EQ(dlg.timers.front(), 27594);

    dlg.DestroyWindow();
    dlg.DestroyWindow();
    EXPECT_FALSE(dlg.Timers().IsSet(27594));
    EXPECT_EQ(std::count(dlg.log.begin(), dlg.log.end(), "destroy"), 1);
}

TEST(Dialog, PostedCallsRunLaterAndNotAfterTheDialogGoes)
{
    int ran = 0;
    {
        ProbeDialog dlg;
        dlg.PostCall([&] { ++ran; });
        EXPECT_EQ(ran, 0);
        QApplication::processEvents();
        EXPECT_EQ(ran, 1);
        dlg.PostCall([&] { ++ran; });
    }
    QApplication::processEvents();
    EXPECT_EQ(ran, 1);
}

} // namespace
