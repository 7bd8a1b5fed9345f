#include "platform/ip_address_edit.h"
#include "tests/platform/qt_test_app.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

QList<QLineEdit*> Fields(IpAddressEdit& edit)
{
    return edit.findChildren<QLineEdit*>();
}

// Types as a person does: each key goes to the field that has the focus at that moment.
void Type(const QString& keys)
{
    for (QChar key : keys)
        QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
}

TEST(IpAddressEdit, BlankIsNotZero)
{
    IpAddressEdit edit;
    std::array<uint8_t, 4> address{9, 9, 9, 9};
    EXPECT_TRUE(edit.IsBlank());
    EXPECT_EQ(edit.GetAddress(address), 0);
    EXPECT_EQ(address, (std::array<uint8_t, 4>{0, 0, 0, 0}));

    edit.SetAddress({0, 0, 0, 0});
    EXPECT_FALSE(edit.IsBlank());
    EXPECT_EQ(edit.GetAddress(address), 4);
    EXPECT_EQ(address, (std::array<uint8_t, 4>{0, 0, 0, 0}));

    edit.ClearAddress();
    EXPECT_TRUE(edit.IsBlank());
}

TEST(IpAddressEdit, PartlyFilledCountsItsFields)
{
    IpAddressEdit edit;
    Fields(edit)[0]->setText(QStringLiteral("192"));
    Fields(edit)[2]->setText(QStringLiteral("7"));
    std::array<uint8_t, 4> address{};
    EXPECT_EQ(edit.GetAddress(address), 2);
    EXPECT_EQ(address, (std::array<uint8_t, 4>{192, 0, 7, 0}));
    EXPECT_FALSE(edit.IsFieldBlank(0));
    EXPECT_TRUE(edit.IsFieldBlank(1));
    EXPECT_TRUE(edit.IsFieldBlank(4));
}

TEST(IpAddressEdit, TypingMovesThroughTheFieldsAndLimitsTo255)
{
    IpAddressEdit edit;
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    QSignalSpy changed(&edit, &IpAddressEdit::addressChanged);
    Fields(edit)[0]->setFocus();
    Type(QStringLiteral("10.3001.2"));
    std::array<uint8_t, 4> address{};
    EXPECT_EQ(edit.GetAddress(address), 4);
    EXPECT_EQ(address, (std::array<uint8_t, 4>{10, 255, 1, 2}));
    EXPECT_GT(changed.count(), 0);

    // Backspace in an empty field goes back to the one before.
    Fields(edit)[3]->clear();
    Fields(edit)[3]->setFocus();
    QTest::keyClick(Fields(edit)[3], Qt::Key_Backspace);
    EXPECT_EQ(QApplication::focusWidget(), Fields(edit)[2]);
}

// An address that shows 0.0.0.0 typed over as the operator does: each field reached by a click (the caret put beside
// its 0), by Tab, by the dot or by the third digit, and typed into.
struct TypedAddressCase {
    const char* name;
    std::function<void(IpAddressEdit&)> type;
};

class IpAddressTyping : public ::testing::TestWithParam<TypedAddressCase> {};

void ClickInto(QLineEdit* field)
{
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() - 2, field->height() / 2));
}

TEST_P(IpAddressTyping, GivesTheAddressTyped)
{
    QWidget window;
    auto* edit = new IpAddressEdit(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->SetAddress({0, 0, 0, 0});
    GetParam().type(*edit);
    std::array<uint8_t, 4> address{};
    EXPECT_EQ(edit->GetAddress(address), 4);
    EXPECT_EQ(address, (std::array<uint8_t, 4>{192, 0, 2, 254}));
}

INSTANTIATE_TEST_SUITE_P(Ways, IpAddressTyping,
                         ::testing::Values(TypedAddressCase{"AClickIntoEachField",
                                                            [](IpAddressEdit& edit) {
                                                                const QStringList numbers{"192", "0", "2", "254"};
                                                                for (int i = 0; i < 4; ++i) {
                                                                    ClickInto(Fields(edit)[i]);
                                                                    Type(numbers[i]);
                                                                }
                                                            }},
                                           TypedAddressCase{"AClickIntoTheFirstThenDots",
                                                            [](IpAddressEdit& edit) {
                                                                ClickInto(Fields(edit)[0]);
                                                                Type(QStringLiteral("192.0.2.254"));
                                                            }},
                                           TypedAddressCase{"TabFromFieldToField",
                                                            [](IpAddressEdit& edit) {
                                                                Fields(edit)[0]->setFocus(Qt::TabFocusReason);
                                                                Type(QStringLiteral("192"));
                                                                Type(QStringLiteral("0"));
                                                                QTest::keyClick(QApplication::focusWidget(),
                                                                                Qt::Key_Tab);
                                                                Type(QStringLiteral("2"));
                                                                QTest::keyClick(QApplication::focusWidget(),
                                                                                Qt::Key_Tab);
                                                                Type(QStringLiteral("254"));
                                                            }},
                                           TypedAddressCase{"TheCaretBesideEachZero",
                                                            [](IpAddressEdit& edit) {
                                                                const QStringList numbers{"192", "0", "2", "254"};
                                                                for (int i = 0; i < 4; ++i) {
                                                                    Fields(edit)[i]->setFocus();
                                                                    Fields(edit)[i]->end(false);
                                                                    Type(numbers[i]);
                                                                }
                                                            }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IpAddressEdit, AClickThatGivesAFieldTheFocusSelectsItsNumber)
{
    QWidget window;
    auto* edit = new IpAddressEdit(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->SetAddress({10, 20, 30, 40});
    ClickInto(Fields(*edit)[2]);
    Type(QStringLiteral("7"));
    std::array<uint8_t, 4> address{};
    edit->GetAddress(address);
    EXPECT_EQ(address, (std::array<uint8_t, 4>{10, 20, 7, 40}));
    // A click into the field that has the focus puts the caret there, as in any edit.
    ClickInto(Fields(*edit)[2]);
    Type(QStringLiteral("5"));
    edit->GetAddress(address);
    EXPECT_EQ(address, (std::array<uint8_t, 4>{10, 20, 75, 40}));
}

TEST(IpAddressEdit, SetAddressSignalsOnce)
{
    IpAddressEdit edit;
    QSignalSpy changed(&edit, &IpAddressEdit::addressChanged);
    edit.SetAddress({1, 2, 3, 4});
    EXPECT_EQ(changed.count(), 1);
    edit.SetReadOnly(true);
    EXPECT_TRUE(edit.IsReadOnly());
    EXPECT_TRUE(Fields(edit)[1]->isReadOnly());
}

} // namespace
