// The operator's actions of the end-to-end harness reach a dialog as a person's mouse and keys do: the dialog gets
// the commands it gets from one, limits and disabled entries hold, and an action on a control the dialog lacks or
// cannot take it fails the test naming the dialog and the id.

#include "tests/e2e/support/e2e_harness.h"

#include "platform/list_control.h"
#include "platform/notify_codes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTreeWidget>

#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kNameId = 1001, kReadOnlyId = 1002, kKindId = 1003, kSendId = 1004, kLabelId = 1005, kListId = 1212;

class CActionsDlg : public CADialog {
public:
    CActionsDlg() : CADialog(9100)
    {
        setWindowTitle(QStringLiteral("Actions"));
        resize(320, 260);
        name = Place(new QLineEdit(this), kNameId, {10, 10, 200, 24});
        name->setMaxLength(5);
        Place(new QLineEdit(this), kReadOnlyId, {10, 40, 200, 24})->setReadOnly(true);
        kind = Place(new QComboBox(this), kKindId, {10, 70, 200, 24});
        kind->addItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
        qobject_cast<QStandardItemModel*>(kind->model())->item(1)->setEnabled(false);
        send = Place(new QCheckBox(QStringLiteral("Send"), this), kSendId, {10, 100, 200, 24});
        Place(new QLabel(QStringLiteral("Label"), this), kLabelId, {10, 130, 200, 24});
        list = Place(new QTreeWidget(this), kListId, {10, 160, 200, 90});
        CListControl::SetUpReportView(list);
        CListControl rows(list);
        rows.InsertColumn(0, QStringLiteral("Alarm"));
        for (const char* text : {"a", "b", "c"})
            rows.InsertItem(rows.GetItemCount(), QString::fromLatin1(text));
        rows.EnableCheckBoxes(true);
    }

    int OnCommandHook(int id, int code) override
    {
        commands.emplace_back(id, code);
        return 0;
    }
    int Count(int id, int code) const
    {
        return static_cast<int>(std::count(commands.begin(), commands.end(), std::pair{id, code}));
    }

    QLineEdit* name;
    QComboBox* kind;
    QCheckBox* send;
    QTreeWidget* list;
    std::vector<std::pair<int, int>> commands;

private:
    template <class T> T* Place(T* control, int id, const QRect& where)
    {
        control->setGeometry(where);
        SetCtrlId(control, id);
        return control;
    }
};

// The messages of the failures `action` adds to the test, which they do not fail.
std::vector<std::string> FailuresOf(const std::function<void()>& action)
{
    ::testing::TestPartResultArray failures;
    {
        const ::testing::ScopedFakeTestPartResultReporter intercept(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
        action();
    }
    std::vector<std::string> messages;
    for (int i = 0; i < failures.size(); ++i)
        messages.emplace_back(failures.GetTestPartResult(i).message());
    return messages;
}

class OperatorActionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog.show();
        dialog.Create();
    }

    CActionsDlg dialog;
};

TEST_F(OperatorActionsTest, TypingReplacesTheTextKeyByKeyWithinTheEditsLimit)
{
    e2e::Type(dialog, kNameId, QStringLiteral("Depot-North"));
    EXPECT_EQ(e2e::Field(dialog, kNameId), QStringLiteral("Depot"));
    e2e::Type(dialog, kNameId, QStringLiteral("ab"));
    EXPECT_EQ(e2e::Field(dialog, kNameId), QStringLiteral("ab"));
    e2e::Type(dialog, kNameId, QString::fromUtf8("Zürich"));
    EXPECT_EQ(e2e::Field(dialog, kNameId), QString::fromUtf8("Züric"));
    e2e::Type(dialog, kNameId, QString());
    EXPECT_EQ(e2e::Field(dialog, kNameId), QString());
    // One change per key, as from the keyboard.
    EXPECT_GE(dialog.Count(kNameId, EN_CHANGE), 7);
    EXPECT_THAT(FailuresOf([&] { e2e::Type(dialog, kReadOnlyId, QStringLiteral("x")); }),
                ::testing::ElementsAre(::testing::HasSubstr("CActionsDlg \"Actions\" control 1002: disabled, hidden "
                                                            "or read-only")));
}

TEST_F(OperatorActionsTest, ChoosingAComboEntryTellsTheDialogAndSkipsDisabledEntries)
{
    EXPECT_TRUE(e2e::Choose(dialog, kKindId, QStringLiteral("three")));
    EXPECT_EQ(e2e::Field(dialog, kKindId), QStringLiteral("three"));
    EXPECT_EQ(dialog.Count(kKindId, CBN_SELCHANGE), 1);
    EXPECT_TRUE(e2e::Choose(dialog, kKindId, QStringLiteral("one")));
    EXPECT_EQ(dialog.Count(kKindId, CBN_SELCHANGE), 2);
    EXPECT_EQ(e2e::ComboTexts(dialog, kKindId), QStringLiteral("one,two,three"));
    bool chosen = true;
    EXPECT_EQ(FailuresOf([&] { chosen = e2e::Choose(dialog, kKindId, QStringLiteral("two")); }).size(), 1u);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(e2e::Field(dialog, kKindId), QStringLiteral("one"));
}

TEST_F(OperatorActionsTest, ABoxIsClickedOnlyWhenItDiffersAndListRowsAreTickedWithTheirBoxes)
{
    e2e::Check(dialog, kSendId);
    e2e::Check(dialog, kSendId);
    EXPECT_TRUE(e2e::IsChecked(dialog, kSendId));
    EXPECT_EQ(dialog.Count(kSendId, BN_CLICKED), 1);

    CListControl rows(dialog.list);
    rows.SetCheck(0, true);
    e2e::TickRows(*dialog.list, {QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_EQ((std::vector<bool>{rows.GetCheck(0), rows.GetCheck(1), rows.GetCheck(2)}),
              (std::vector<bool>{false, true, true}));
}

TEST_F(OperatorActionsTest, AnActionOnAMissingControlOrOneOfAnotherKindFailsNamingTheDialogAndTheId)
{
    EXPECT_THAT(FailuresOf([&] { e2e::Click(dialog, 4242); }),
                ::testing::ElementsAre(::testing::HasSubstr("CActionsDlg \"Actions\" has no control 4242")));
    EXPECT_THAT(FailuresOf([&] { e2e::Click(dialog, kLabelId); }),
                ::testing::ElementsAre(::testing::HasSubstr("control 1005: a QLabel, not a button")));
    EXPECT_THAT(FailuresOf([&] { e2e::Type(dialog, kSendId, QStringLiteral("x")); }),
                ::testing::ElementsAre(::testing::HasSubstr("control 1004: a QCheckBox, not an edit")));
}

} // namespace
