// The Fully Configured page in its tabbed container: a number out of its range is told as the operator leaves its
// field, in the container's message line with the field marked, before any OK.

#include "tests/ui/framework/framework_test_support.h"

#include "core/config/app_settings.h"
#include "features/provisioning/packet_filters/pkt_filter_pages.h"
#include "platform/notify_codes.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTabBar>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kTabBarId = 1100;

class CHost : public CATabDialog {
public:
    CHost() : CATabDialog(469, nullptr)
    {
        resize(900, 640);
        auto* bar = new QTabBar(this);
        bar->setGeometry(10, 10, 860, 24);
        SetCtrlId(bar, kTabBarId);
    }
};

class PktFilterFullPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        AppSettings() = CAppSettings{};
        host_ = std::make_unique<CHost>();
        host_->Create();
        ASSERT_EQ(host_->AddPage(CPktFilterFullPage::kTemplateId, &page_, "Fully Configured"), 1);
        host_->show();
        ASSERT_TRUE(PumpUntil([&] { return host_->IsFirstShowDone(); }));
    }
    void TearDown() override { host_.reset(); }

    // The operator types into a field and leaves it.
    void TypeAndLeave(int id, const QString& text)
    {
        auto* edit = page_.GetDlgItemAs<QLineEdit>(id);
        ASSERT_NE(edit, nullptr) << id;
        edit->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(edit, &out);
    }
    void Check(int id, bool on = true)
    {
        page_.GetDlgItemAs<QAbstractButton>(id)->setChecked(on);
        page_.OnCommand(id, BN_CLICKED);
    }
    bool IsChecked(int id) { return page_.GetDlgItemAs<QAbstractButton>(id)->isChecked(); }
    QString Text(int id) { return page_.GetDlgItemAs<QLineEdit>(id)->text(); }

    CPktFilterFullPage page_;
    std::unique_ptr<CHost> host_;
};

TEST_F(PktFilterFullPageTest, ANumberOutOfItsRangeIsToldWhenItsFieldIsLeft)
{
    const PktFilterRowIds upstream1 = page_.Rows().front();
    const PktFilterRowIds downstream2 = page_.Rows().back();
    Check(upstream1.protocolCheck);
    Check(downstream2.portCheck);

    struct Case {
        int field;
        const char* typed;
        const char* told; // empty: nothing to tell
    };
    for (const Case& c : {
             Case{upstream1.protocol, "256", "Please enter an integer between 0 and 255."},
             Case{upstream1.protocol, "255", ""},
             Case{upstream1.protocol, "-1", "Please enter an integer between 0 and 255."},
             Case{upstream1.protocol, "0", ""},
             Case{downstream2.sourcePort, "65536", "Please enter an integer between 0 and 65535."},
             Case{downstream2.sourcePort, "65535", ""},
             Case{downstream2.sourcePort, "-1", "Please enter an integer between 0 and 65535."},
             Case{downstream2.sourcePort, "0", ""},
             Case{downstream2.sourcePrefix, "10", "Please enter an integer between 11 and 16."},
             Case{downstream2.sourcePrefix, "11", ""},
             Case{downstream2.destinationPort, "x", "Please enter an integer between 0 and 65535."},
             Case{downstream2.destinationPort, "53", ""},
             Case{downstream2.destinationPrefix, "17", "Please enter an integer between 11 and 16."},
             Case{downstream2.destinationPrefix, "16", ""},
         }) {
        SCOPED_TRACE(std::string(c.typed));
        TypeAndLeave(c.field, QString::fromLatin1(c.typed));
        EXPECT_EQ(host_->GetMessageText(), QString::fromLatin1(c.told));
    }
}

// Any one criterion lets the filter be enabled, and opens its own fields only; cleared, it starts again from its
// neutral value, and with none left the filter is disabled.
TEST_F(PktFilterFullPageTest, EachCriterionAloneLetsTheFilterBeEnabled)
{
    const PktFilterRowIds row = page_.Rows().front();
    const struct {
        const char* what;
        int check;
        int field;
        const char* typed;
        const char* neutral;
    } criteria[] = {
        {"Ether type", row.etherCheck, row.etherType, "88a8", "0000"},
        {"IP protocol", row.protocolCheck, row.protocol, "17", "0"},
        {"source port", row.portCheck, row.sourcePort, "8080", "0"},
        {"destination prefix", row.portCheck, row.destinationPrefix, "12", "16"},
    };
    for (const auto& criterion : criteria) {
        SCOPED_TRACE(criterion.what);
        Check(criterion.check);
        EXPECT_TRUE(page_.IsControlEnabled(row.enabled));
        EXPECT_TRUE(page_.IsControlEnabled(row.disabled));
        for (const auto& other : criteria)
            EXPECT_EQ(page_.IsControlEnabled(other.field), other.check == criterion.check) << other.what;
        page_.GetDlgItemAs<QLineEdit>(criterion.field)->setText(QString::fromLatin1(criterion.typed));
        page_.GetDlgItemAs<QAbstractButton>(row.enabled)->setChecked(true);
        Check(criterion.check, false);
        EXPECT_FALSE(page_.IsControlEnabled(row.enabled));
        EXPECT_TRUE(IsChecked(row.disabled));
        EXPECT_FALSE(page_.IsControlEnabled(criterion.field));
        EXPECT_EQ(Text(criterion.field), QString::fromLatin1(criterion.neutral));
    }
}

} // namespace
