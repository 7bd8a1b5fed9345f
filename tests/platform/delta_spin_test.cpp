#include "platform/delta_spin.h"
#include "tests/platform/qt_test_app.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

TEST(DeltaSpin, ArrowsAndKeysReportSteps)
{
    DeltaSpin spin;
    spin.resize(20, 40);
    spin.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&spin));
    QSignalSpy steps(&spin, &DeltaSpin::deltaPos);
    const auto buttons = spin.findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 2);
    QTest::mouseClick(buttons[0], Qt::LeftButton); // up
    QTest::mouseClick(buttons[1], Qt::LeftButton); // down
    QTest::keyClick(&spin, Qt::Key_Up);
    QTest::keyClick(&spin, Qt::Key_Down);
    ASSERT_EQ(steps.count(), 4);
    EXPECT_EQ(steps[0][0].toInt(), 1);
    EXPECT_EQ(steps[1][0].toInt(), -1);
    EXPECT_EQ(steps[2][0].toInt(), 1);
    EXPECT_EQ(steps[3][0].toInt(), -1);
}

TEST(DeltaSpin, DisabledSpinStaysQuiet)
{
    DeltaSpin spin;
    QSignalSpy steps(&spin, &DeltaSpin::deltaPos);
    spin.setEnabled(false);
    spin.Step(1);
    spin.setEnabled(true);
    spin.Step(0);
    EXPECT_EQ(steps.count(), 0);
}

} // namespace
