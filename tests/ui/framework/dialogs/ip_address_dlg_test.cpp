#include "tests/ui/framework/framework_test_support.h"

#include "core/config/app_settings.h"
#include "platform/delta_spin.h"
#include "platform/ip_address_edit.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/ip_address_port_dlg.h"
#include "ui/framework/dialogs/ip_address_range_dlg.h"

#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

using Address = std::array<uint8_t, 4>;

class IpAddressDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        AppSettings() = CAppSettings{};
    }

    // Runs the dialog; `work` acts in it once it is shown and returns the result to end it with.
    static int Run(CIpAddressNumberDlg& dlg, const std::function<int(CIpAddressNumberDlg&)>& work)
    {
        ScriptedModalRunner runner;
        runner.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return dlg.IsFirstShowDone(); }));
            return work(dlg);
        });
        return dlg.DoModal();
    }

    // Enters an address and a number and presses OK; true when the dialog ended.
    static bool Enter(CIpAddressNumberDlg& dlg, const Address* address, const QString& number, int numberId)
    {
        auto* ip = dlg.GetDlgItemAs<IpAddressEdit>(CIpAddressNumberDlg::kAddressId);
        if (address != nullptr)
            ip->SetAddress(*address);
        else
            ip->ClearAddress();
        dlg.GetDlgItemAs<QLineEdit>(numberId)->setText(number);
        dlg.OnCommand(IDOK, BN_CLICKED);
        return dlg.IsEnded();
    }
};

TEST_F(IpAddressDlgTest, RangeDialogRefusesAddressesThatAreNoHosts)
{
    struct Row {
        Address address;
        bool accepted;
    };
    // The host rules themselves are the address check's; one refused and one accepted address show it is asked.
    const Row rows[] = {{{127, 0, 0, 1}, false}, {{10, 1, 1, 20}, true}};
    for (const Row& row : rows) {
        CIpAddressRangeDlg dlg;
        const int result = Run(dlg, [&](CIpAddressNumberDlg& d) {
            const bool ended = Enter(d, &row.address, QStringLiteral("8"), CIpAddressRangeDlg::kCountId);
            EXPECT_EQ(ended, row.accepted) << int(row.address[0]) << "." << int(row.address[3]);
            if (!ended) {
                EXPECT_EQ(d.GetMessageText(), QStringLiteral("incorrect IP address"));
                EXPECT_EQ(d.GetMarkedControl(1), CIpAddressNumberDlg::kAddressId);
            }
            return IDCANCEL;
        });
        EXPECT_EQ(result, row.accepted ? IDOK : IDCANCEL);
        if (row.accepted) {
            EXPECT_EQ(dlg.GetAddress(), row.address);
            EXPECT_EQ(dlg.GetCount(), 8U);
        }
    }
}

TEST_F(IpAddressDlgTest, BlankAddressIsRefusedAndHostCheckCanBeLifted)
{
    CIpAddressRangeDlg blank;
    Run(blank, [](CIpAddressNumberDlg& d) {
        EXPECT_FALSE(Enter(d, nullptr, QStringLiteral("1"), CIpAddressRangeDlg::kCountId));
        EXPECT_EQ(d.GetMessageText(), QStringLiteral("incorrect IP address"));
        return IDCANCEL;
    });

    CIpAddressRangeDlg unchecked;
    unchecked.SetHostCheck(false);
    const Address loopback{127, 0, 0, 1};
    EXPECT_EQ(Run(unchecked,
                  [&](CIpAddressNumberDlg& d) {
                      Enter(d, &loopback, QStringLiteral("1"), CIpAddressRangeDlg::kCountId);
                      return IDCANCEL;
                  }),
              IDOK);
    EXPECT_EQ(unchecked.GetAddress(), loopback);
}

TEST_F(IpAddressDlgTest, TheSpinStepsTheCountWithinOneToSixtyFourAndATypedCountIsTaken)
{
    const Address host{10, 0, 0, 1};
    for (const char* count : {"abc", ""}) {
        CIpAddressRangeDlg dlg;
        Run(dlg, [&](CIpAddressNumberDlg& d) {
            EXPECT_FALSE(Enter(d, &host, QString::fromLatin1(count), CIpAddressRangeDlg::kCountId)) << count;
            EXPECT_EQ(d.GetMarkedControl(1), CIpAddressRangeDlg::kCountId) << count;
            return IDCANCEL;
        });
    }
    for (uint32_t count : {0u, 65u}) {
        CIpAddressRangeDlg dlg;
        Run(dlg, [&](CIpAddressNumberDlg& d) {
            EXPECT_TRUE(Enter(d, &host, QString::number(count), CIpAddressRangeDlg::kCountId)) << count;
            return IDCANCEL;
        });
        EXPECT_EQ(dlg.GetCount(), count);
    }
    CIpAddressRangeDlg dlg;
    dlg.SetCount(63);
    Run(dlg, [](CIpAddressNumberDlg& d) {
        auto* spin = d.GetDlgItemAs<DeltaSpin>(CIpAddressRangeDlg::kSpinId);
        auto* edit = d.GetDlgItemAs<QLineEdit>(CIpAddressRangeDlg::kCountId);
        EXPECT_EQ(edit->text(), QStringLiteral("63"));
        spin->Step(1);
        spin->Step(1);
        EXPECT_EQ(edit->text(), QStringLiteral("64"));
        edit->setText(QStringLiteral("2"));
        spin->Step(-1);
        spin->Step(-1);
        EXPECT_EQ(edit->text(), QStringLiteral("1"));
        return IDCANCEL;
    });
}

TEST_F(IpAddressDlgTest, PortDialogChecksThePortUnlessItOnlyShows)
{
    const Address host{127, 0, 0, 1}; // no host check here
    // Modify and add both check.
    for (const uint8_t mode : {kAccessModify, kAccessCreate}) {
        SCOPED_TRACE(static_cast<int>(mode));
        CIpAddressPortDlg modify;
        modify.SetAccessMode(mode);
        Run(modify, [&](CIpAddressNumberDlg& d) {
            EXPECT_FALSE(Enter(d, &host, QStringLiteral("0"), CIpAddressPortDlg::kPortId));
            EXPECT_FALSE(Enter(d, &host, QStringLiteral("65536"), CIpAddressPortDlg::kPortId));
            EXPECT_TRUE(Enter(d, &host, QStringLiteral("8080"), CIpAddressPortDlg::kPortId));
            return IDCANCEL;
        });
        EXPECT_EQ(modify.GetPort(), 8080U);
        EXPECT_EQ(modify.GetAddress(), host);
    }
    // Both ends of 1..65535 are taken.
    for (const uint32_t end : {1U, 65535U}) {
        CIpAddressPortDlg atEnd;
        atEnd.SetAccessMode(kAccessModify);
        Run(atEnd, [&](CIpAddressNumberDlg& d) {
            EXPECT_TRUE(Enter(d, &host, QString::number(end), CIpAddressPortDlg::kPortId)) << end;
            return IDCANCEL;
        });
        EXPECT_EQ(atEnd.GetPort(), end);
    }

    CIpAddressPortDlg show;
    show.SetAccessMode(kAccessQuery);
    Run(show, [&](CIpAddressNumberDlg& d) {
        EXPECT_TRUE(Enter(d, &host, QStringLiteral("0"), CIpAddressPortDlg::kPortId));
        return IDCANCEL;
    });
}

// As constructed, each dialog opens under its own caption and labels with the number 1 and the address 0.0.0.0; a
// caption or label the caller sets takes the place of the template's, one left empty keeps it.
TEST_F(IpAddressDlgTest, EachOpensWithItsCaptionLabelsAndTheNumberOne)
{
    struct Shown {
        QString caption, first, second, number;
        Address address{9, 9, 9, 9};
    };
    const auto shown = [](CIpAddressNumberDlg& d, int numberId) {
        Shown s;
        s.caption = d.windowTitle();
        s.first = d.GetDlgItemAs<QLabel>(CIpAddressNumberDlg::kFirstLabelId)->text();
        s.second = d.GetDlgItemAs<QLabel>(CIpAddressNumberDlg::kSecondLabelId)->text();
        s.number = d.GetDlgItemAs<QLineEdit>(numberId)->text();
        d.GetDlgItemAs<IpAddressEdit>(CIpAddressNumberDlg::kAddressId)->GetAddress(s.address);
        return s;
    };
    const auto expect = [](const Shown& s, const char* caption, const char* first, const char* second) {
        EXPECT_EQ(s.caption, QString::fromLatin1(caption));
        EXPECT_EQ(s.first, QString::fromLatin1(first));
        EXPECT_EQ(s.second, QString::fromLatin1(second));
        EXPECT_EQ(s.number, QStringLiteral("1"));
        EXPECT_EQ(s.address, (Address{0, 0, 0, 0}));
    };
    {
        CIpAddressRangeDlg dlg;
        Shown s;
        Run(dlg, [&](CIpAddressNumberDlg& d) {
            s = shown(d, CIpAddressRangeDlg::kCountId);
            return IDCANCEL;
        });
        expect(s, "IP Address Range", "IP Base", "Count");
    }
    {
        CIpAddressPortDlg dlg;
        Shown s;
        Run(dlg, [&](CIpAddressNumberDlg& d) {
            s = shown(d, CIpAddressPortDlg::kPortId);
            return IDCANCEL;
        });
        expect(s, "IP Address", "IP Address", "Socket Port");
    }
    {
        CIpAddressRangeDlg dlg;
        dlg.SetCaptionText("Server Addresses");
        dlg.SetSecondLabel("Hosts");
        Shown s;
        Run(dlg, [&](CIpAddressNumberDlg& d) {
            s = shown(d, CIpAddressRangeDlg::kCountId);
            return IDCANCEL;
        });
        expect(s, "Server Addresses", "IP Base", "Hosts");
    }
}

} // namespace
