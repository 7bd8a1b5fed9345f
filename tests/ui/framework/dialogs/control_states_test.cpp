#include "tests/platform/qt_test_app.h"

#include "ui/framework/dialogs/control_states.h"
#include "ui/framework/dialogs/dialog_environment.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

namespace {

const auto* const kQtApp = ::testing::AddGlobalTestEnvironment(new QtTestApp);

struct EditKind {
    const char* name;
    std::function<QWidget*()> make;
};

void PrintTo(const EditKind& kind, std::ostream* out)
{
    *out << kind.name;
}

class ControlStatesReadOnlyTest : public ::testing::TestWithParam<EditKind> {};

TEST_P(ControlStatesReadOnlyTest, SwitchesTheEditBothWays)
{
    std::unique_ptr<QWidget> control(GetParam().make());
    EXPECT_FALSE(IsWidgetReadOnly(control.get()));
    SetWidgetReadOnly(control.get(), true);
    EXPECT_TRUE(IsWidgetReadOnly(control.get()));
    SetWidgetReadOnly(control.get(), false);
    EXPECT_FALSE(IsWidgetReadOnly(control.get()));
}

INSTANTIATE_TEST_SUITE_P(Edits, ControlStatesReadOnlyTest,
                         ::testing::Values(EditKind{"LineEdit", [] { return static_cast<QWidget*>(new QLineEdit); }},
                                           EditKind{"PlainTextEdit",
                                                    [] { return static_cast<QWidget*>(new QPlainTextEdit); }},
                                           EditKind{"TextEdit", [] { return static_cast<QWidget*>(new QTextEdit); }},
                                           EditKind{"SpinBox", [] { return static_cast<QWidget*>(new QSpinBox); }}),
                         [](const ::testing::TestParamInfo<EditKind>& info) { return info.param.name; });

TEST(ControlStatesTest, OtherControlsAndNullAreLeftAlone)
{
    QPushButton button;
    SetWidgetReadOnly(&button, true);
    EXPECT_FALSE(IsWidgetReadOnly(&button));
    EXPECT_TRUE(button.isEnabled());
    SetWidgetReadOnly(nullptr, true);
    EXPECT_FALSE(IsWidgetReadOnly(nullptr));
}

TEST(ControlStatesTest, TheSpecNamesTheFontAndABadOneFallsBackToTheDialogFont)
{
    QFont app(QStringLiteral("Sans"));
    app.setPointSize(13);
    SetAppDialogFont(app);
    EXPECT_EQ(DialogFontFromSpec(nullptr), app);
    EXPECT_EQ(DialogFontFromSpec(",90"), app);       // no face
    EXPECT_EQ(DialogFontFromSpec("Serif,abc"), app); // no number
    const QFont named = DialogFontFromSpec("Serif,100,B");
    EXPECT_EQ(named.family(), QStringLiteral("Serif"));
    EXPECT_DOUBLE_EQ(named.pointSizeF(), 10.0);
    EXPECT_TRUE(named.bold());
    ResetAppDialogFont();
}

} // namespace
