// How the lists of the running program sort: the rows follow the arrow of their header. A profile list page that is
// not the one shown when its container fills every page, and a page whose header the operator clicks while the focus
// is on a button, sort by their own comparison; the NE user accounts sort by their rows' keys, the built-in account
// first.

#include "tests/e2e/support/north1_test.h"
#include "tests/e2e/support/profile_list_steps.h"

#include "features/management/ne_access/ne_user_account_list_dlg.h"
#include "features/provisioning/profiles/profile_list_dlg.h"
#include "link/records/ne_user_account_record.h"
#include "link/records/request_codes.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "link/records/traffic_policing_profile_rec.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"

#include <QHeaderView>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kCmdAdslProfile = 33080;
constexpr int kCmdShdslProfile = 33081;
constexpr int kCmdNeUserAccount = 33168;
using e2e::kNorth1;
using e2e::ListColumn;

bool SortedWithoutCase(const QStringList& names, bool ascending)
{
    return std::is_sorted(names.begin(), names.end(), [ascending](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return ascending ? order < 0 : order > 0;
    });
}

class ListSortingE2eTest : public e2e::CNorth1Test {};

TEST_F(ListSortingE2eTest, AProfilePageSortsItsOwnRowsShownOrNot)
{
    // Names that come from the NE out of their order, whether it keeps them as they came or by their bytes.
    ShdslPmThresholdProfileRec shdsl;
    shdsl.maxLoopAttenuation = 50;
    shdsl.minSnrMargin = 7;
    shdsl.rowState = 1;
    std::vector<ShdslPmThresholdProfileRec> shdslProfiles;
    for (const char* name : {"Zulu-pm", "bravo-pm", "Mike-pm"}) {
        shdsl.name = name;
        shdslProfiles.push_back(shdsl);
    }
    e2e::AddOnServer(program_, kReqShdslPmThresholdProfileAdd, kNorth1, shdslProfiles);
    TrafficPolicingProfileRec policing;
    policing.status = 1;
    std::vector<TrafficPolicingProfileRec> policingProfiles;
    for (const char* name : {"Zz-police", "aa-police", "Mm-police"}) {
        policing.name = name;
        policingProfiles.push_back(policing);
    }
    e2e::AddOnServer(program_, kReqTrafficPolicingProfileAdd, kNorth1, policingProfiles);

    e2e::COperator& person = program_.Operator();
    const struct {
        int command;
        int tab;
        ProfileKindId kind;
    } pages[] = {{kCmdShdslProfile, 1, ProfileKindId::kShdslPmThreshold},
                 {kCmdAdslProfile, 2, ProfileKindId::kTrafficPolicing}};
    for (const auto& page : pages) {
        person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
            QTreeView& rows = e2e::PageList(list, page.kind);
            // Sorted at the fill, while another page was shown.
            const QStringList filled = ListColumn(rows, 0);
            EXPECT_GE(filled.size(), 4);
            EXPECT_TRUE(SortedWithoutCase(filled, true)) << filled.join(',').toStdString();
            e2e::ClickTab(list, page.tab);
            // A header clicked while a button has the focus.
            list.GetDlgItem(kRefreshButtonId)->setFocus();
            e2e::CProgram::ClickHeader(*rows.header(), 0);
            const QStringList descending = ListColumn(rows, 0);
            EXPECT_TRUE(SortedWithoutCase(descending, false)) << descending.join(',').toStdString();
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(page.command));
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

TEST_F(ListSortingE2eTest, NeUserAccountsSortByTheirRowsWithTheBuiltInAccountFirst)
{
    NeUserAccountRecord account;
    account.userName = "abc";
    account.password = "secret1";
    account.role = 1;
    account.state = 1;
    e2e::AddOnServer(program_, kReqNeUserAccountAdd, kNorth1, std::vector{account});

    using Accounts = CNeUserAccountListDlg;
    // The rows in the order the NE lists its accounts, the built-in one first.
    QStringList inOrder;
    for (const NeUserAccountRecord& listed : program_.ServerRecords(kReqNeUserAccount, kNorth1))
        inOrder.push_back(QString::fromStdString(listed.userName));
    inOrder.move(inOrder.indexOf(QStringLiteral("qurim")), 0);
    QStringList reversed = inOrder;
    std::reverse(reversed.begin(), reversed.end());
    ASSERT_EQ(inOrder.size(), 3);
    ASSERT_NE(inOrder, (QStringList{"abc", "qurim", "su"})) << "the names in their own order tell nothing";
    program_.Operator().OnDialog<Accounts>([&](Accounts& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        EXPECT_EQ(ListColumn(rows, Accounts::kNameColumn), inOrder);
        // Name and Role go by the rows too, not by their texts: Name in the direction kept, ascending, then the other
        // way; Role in the direction kept, descending, then the other way.
        const struct {
            int column;
            QStringList first;
            QStringList second;
        } clicks[] = {{Accounts::kNameColumn, inOrder, reversed}, {Accounts::kRoleColumn, reversed, inOrder}};
        for (const auto& click : clicks) {
            e2e::CProgram::ClickHeader(*rows.header(), click.column);
            EXPECT_EQ(ListColumn(rows, Accounts::kNameColumn), click.first) << click.column;
            e2e::CProgram::ClickHeader(*rows.header(), click.column);
            EXPECT_EQ(ListColumn(rows, Accounts::kNameColumn), click.second) << click.column;
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdNeUserAccount));
}

// Rows whose sorted cells are equal go by the profiles' names, letter case aside, whichever way the NE lists them:
// the SHDSL line profiles by their operation mode, the xDSL PM threshold profiles by their CO 15-minute thresholds.
TEST_F(ListSortingE2eTest, RowsOfEqualCellsGoByTheProfilesNames)
{
    const char* const names[] = {"Zulu-tie", "bravo-tie", "Mike-tie"};
    std::vector<ShdslLineProfileRec> lines;
    std::vector<XdslPmThresholdProfileRec> thresholds;
    for (const char* name : names) {
        ShdslLineProfileRec line;
        line.name = name;
        line.wireInterface = 2;
        line.minRate = 72000;
        line.maxRate = 2312000;
        line.annex = 0xC0;
        line.rowState = 1;
        lines.push_back(line);
        XdslPmThresholdProfileRec threshold;
        threshold.name = name;
        threshold.coEs15Min = 77;
        threshold.status = 1;
        thresholds.push_back(threshold);
    }
    e2e::AddOnServer(program_, kReqShdslLineProfileAdd, kNorth1, lines);
    e2e::AddOnServer(program_, kReqPmThresholdProfileAdd, kNorth1, thresholds);
    const QStringList ascending = {QStringLiteral("bravo-tie"), QStringLiteral("Mike-tie"), QStringLiteral("Zulu-tie")};
    const auto ours = [&](QTreeView& rows) {
        QStringList shown = ListColumn(rows, 0);
        shown.removeIf([&](const QString& name) { return !ascending.contains(name); });
        return shown;
    };

    e2e::COperator& person = program_.Operator();
    const struct {
        int command;
        int tab;
        ProfileKindId kind;
    } pages[] = {{kCmdShdslProfile, 0, ProfileKindId::kShdslLine},
                 {kCmdAdslProfile, 1, ProfileKindId::kXdslPmThreshold}};
    for (const auto& page : pages) {
        person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
            e2e::ClickTab(list, page.tab);
            QTreeView& rows = e2e::PageList(list, page.kind);
            // A column clicked sorts ascending, a second click descending.
            e2e::CProgram::ClickHeader(*rows.header(), 1);
            EXPECT_EQ(ours(rows), ascending) << static_cast<int>(page.kind);
            e2e::CProgram::ClickHeader(*rows.header(), 1);
            QStringList descending = ascending;
            std::reverse(descending.begin(), descending.end());
            EXPECT_EQ(ours(rows), descending) << static_cast<int>(page.kind);
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(page.command));
    }
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

} // namespace
